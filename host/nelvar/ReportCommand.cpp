#include "ReportCommand.h"

#include "HostPlugIn.h"
#include "SavedResults.h"
#include "report/PageNumbering.h"

#include "PlugIn.h"
#include "Report.h"

#include "com/Required.h"

int runReportCommand(const QString& resultFile, const QString& pdfFile, QTextStream& out)
{
    if (resultFile.isEmpty() || pdfFile.isEmpty()) {
        QTextStream(stderr) << "nelvar: usage: nelvar report RESULT.xml --out REPORT.pdf\n";
        return 2;
    }
    try {
        const auto plugIn = startPlugIn();
        const SavedResult saved = loadSavedResult(com::required(plugIn), resultFile);
        const int32_t pages = host::printNumberedReport(
            pdfFile, Nelvar::IReport::proDetails, Nelvar::IReport::kPrintLevelGraphs,
            [&](const std::shared_ptr<Nelvar::IReport>& report) { saved.PrintReport(report); });
        out << "Printed " << resultFile << " to " << pdfFile << " (" << pages
            << (pages == 1 ? " page)\n" : " pages)\n");
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("%1 could not be printed").arg(resultFile), error);
        return 1;
    }
}
