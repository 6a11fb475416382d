#include "SavedResults.h"

#include "HostErrors.h"
#include "HostPlugIn.h"
#include "report/ElementHeading.h"
#include "testmodel/TestInfo.h"
#include "xml/RecordFields.h"

#include "HostServices.h"
#include "PlugIn.h"
#include "RecordNames.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"

namespace {

const QString kSource = QStringLiteral("nelvar saved result");
constexpr QLatin1String kTestElementName = Zeltor::RecordNames::kTestElement;
constexpr QLatin1String kResultName = Zeltor::RecordNames::kResultItem;
// The test whose results are saved as a bare "ResultItem".
constexpr int32_t kVentilatorTest = 100;

} // namespace

void SavedResult::PrintReport(const std::shared_ptr<Nelvar::IReport>& report) const
{
    if (wholeElement) {
        element->PrintReport(report, nullptr);
        return;
    }
    const auto result = element->Result();
    if (!result)
        host::errors::raise(com::errObjectNotSet, kSource, QStringLiteral("the test element holds no result"));
    const auto info = std::dynamic_pointer_cast<host::TestInfo>(element->Info());
    const QString heading = info ? host::elementHeadingText(*report, element->PlugInID(), *info) : QString();
    host::printElementHeading(*report, heading, result.get());
    result->PrintReport(report, nullptr);
}

std::shared_ptr<Nelvar::IXmlDocument> SavedResult::record() const
{
    const auto document = Nelvar::xmlService().CreateDocument();
    if (wholeElement)
        document->setDocumentElement(element->Save(document, 0));
    else
        document->setDocumentElement(com::required(element->Result()).Save(document));
    return document;
}

SavedResult loadSavedResult(Nelvar::IPlugIn& plugIn, const QString& path)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    com::required(std::dynamic_pointer_cast<Nelvar::IXmlFile>(document)).Load(path);
    return loadSavedResult(plugIn, *document);
}

SavedResult loadSavedResult(Nelvar::IPlugIn& plugIn, const Nelvar::IXmlDocument& document)
{
    const auto root = document.DocumentElement();
    const QString name = com::required(root).TagName();
    if (name == kResultName) {
        auto element = createTest(plugIn, kVentilatorTest);
        element->Load(root, nullptr);
        return {element, false};
    }
    if (name != kTestElementName)
        host::errors::raise(com::errInvalidCall, kSource,
                            QStringLiteral("the record holds a \"%1\", neither a saved test element nor a result").arg(name));
    const int32_t testID = host::records::readWholeNumber(*root, QStringLiteral("TestID"), kSource);
    auto element = createTest(plugIn, testID);
    // The element's own record first: the result is read with the configuration it was made with.
    element->Load(root, nullptr);
    const auto result = root->FindChildElement(kResultName);
    if (!result)
        host::errors::raise(com::errInvalidCall, kSource, QStringLiteral("the saved test element holds no result"));
    element->Load(result, nullptr);
    return {element, true};
}
