#include "ReportCommand.h"

#include "HostErrors.h"
#include "HostPlugIn.h"
#include "report/HostReport.h"

#include "HostServices.h"
#include "PlugIn.h"
#include "RecordNames.h"
#include "Report.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"
#include "format/Format.h"

namespace {

const QString kSource = QStringLiteral("nelvar report");
constexpr QLatin1String kTestElementName = Zeltor::RecordNames::kTestElement;
constexpr QLatin1String kResultName = Zeltor::RecordNames::kResultItem;
// The test whose results are saved as a bare "ResultItem".
constexpr int32_t kVentilatorTest = 100;

// A saved result loaded into its test element. A saved test element prints whole (heading,
// configuration, expected results and result); a bare result prints alone, since the element's
// configuration and limits were not saved with it.
struct SavedResult {
    std::shared_ptr<Nelvar::ITestElement> element;
    bool wholeElement = false;

    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report) const
    {
        if (wholeElement) {
            element->PrintReport(report, nullptr);
            return;
        }
        const auto result = element->Result();
        if (!result)
            host::errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the test element holds no result"));
        result->PrintReport(report, nullptr);
    }
};

SavedResult loadSavedResult(Nelvar::IPlugIn& plugIn, const QString& path)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    com::required(std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)).Load(path);
    const auto root = com::required(document).DocumentElement();
    const QString name = com::required(root).TagName();
    if (name == kResultName) {
        auto element = createTest(plugIn, kVentilatorTest);
        element->Load(root, nullptr);
        return {element, false};
    }
    if (name != kTestElementName)
        host::errors::raise(com::errInvalidCall, kSource,
                            QStringLiteral("\"%1\" holds a \"%2\", neither a saved test element nor a result").arg(path, name));
    const int32_t testID = format::toInt32(format::leadingNumber(root->GetAttribute(QStringLiteral("TestID"))));
    auto element = createTest(plugIn, testID);
    // The element's own record first: the result is read with the configuration it was made with.
    element->Load(root, nullptr);
    const auto result = root->FindChildElement(kResultName);
    if (!result)
        host::errors::raise(com::errInvalidCall, kSource, QStringLiteral("the saved test element holds no result"));
    element->Load(result, nullptr);
    return {element, true};
}

} // namespace

int runReportCommand(const QString& resultFile, const QString& pdfFile, QTextStream& out)
{
    if (resultFile.isEmpty() || pdfFile.isEmpty()) {
        QTextStream(stderr) << "nelvar: usage: nelvar report RESULT.xml --out REPORT.pdf\n";
        return 2;
    }
    try {
        const auto plugIn = startPlugIn();
        const SavedResult saved = loadSavedResult(com::required(plugIn), resultFile);
        const auto report = std::make_shared<host::HostReport>(pdfFile, Nelvar::IReport::proDetails,
                                                               Nelvar::IReport::kPrintLevelGraphs);
        saved.PrintReport(report);
        report->finish();
        out << "Printed " << resultFile << " to " << pdfFile << " (" << report->PageCount()
            << (report->PageCount() == 1 ? " page)\n" : " pages)\n");
        out.flush();
        return 0;
    } catch (const com::Error& error) {
        out.flush();
        printFailure(QStringLiteral("%1 could not be printed").arg(resultFile), error);
        return 1;
    }
}
