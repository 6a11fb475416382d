#include "report/PageNumbering.h"

#include "report/HostReport.h"

#include <QTemporaryDir>

namespace host {

int32_t printNumberedReport(const QString& pdfFileName, int32_t printOptions, int32_t printLevel,
                            const std::function<void(const std::shared_ptr<Nelvar::IReport>& report)>& print)
{
    const auto report = std::make_shared<HostReport>(pdfFileName, printOptions, printLevel);
    {
        const QTemporaryDir scratchFolder;
        const auto scratch = std::make_shared<HostReport>(scratchFolder.filePath(QStringLiteral("count.pdf")),
                                                          printOptions, printLevel);
        print(scratch);
        scratch->finish();
        report->setPageTotal(scratch->PageCount());
    }
    print(report);
    report->finish();
    return report->PageCount();
}

} // namespace host
