#include "TestRuns.h"

#include "HostErrors.h"
#include "instruments/InstrumentList.h"
#include "testmodel/TestSequence.h"

#include "HostServices.h"
#include "SettingsValueNames.h"
#include "Standards.h"
#include "TestElement.h"
#include "Xml.h"

#include "com/Required.h"

std::shared_ptr<host::TestSequence> oneTestSequence(const Nelvar::ITestElement& element)
{
    auto sequence = std::make_shared<host::TestSequence>();
    if (const auto limits = element.Limits())
        sequence->setLimitContext(limits->Standards());
    sequence->setInstruments(std::make_shared<host::Instruments>());
    return sequence;
}

void setTestDuration(Nelvar::ITestElement& element, int32_t minutes)
{
    Nelvar::IConfigData& configuration = com::required(element.Configuration());
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto record = configuration.Save(document);
    const auto duration = com::required(record).FindChildElement(Zeltor::SettingsValues::kDuration);
    if (!duration)
        host::errors::raise(com::errInvalidCall, QStringLiteral("nelvar"),
                            QStringLiteral("the test's settings have no duration"));
    duration->setText(QString::number(minutes));
    configuration.Load(record, nullptr);
}

std::shared_ptr<Nelvar::IXmlDocument> testElementRecord(Nelvar::ITestElement& element)
{
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(element.Save(document, 0));
    return document;
}

void saveRecord(const std::shared_ptr<Nelvar::IXmlDocument>& record, const QString& path)
{
    com::required(std::dynamic_pointer_cast<Nelvar::IXmlFile>(record)).Save(path);
}
