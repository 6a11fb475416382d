#include "elements/ConfigurationRecord.h"

#include "data/CParameterList.h"
#include "elements/DurationSeconds.h"
#include "elements/RecordFields.h"
#include "elements/TestErrors.h"
#include "elements/PageDialog.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "Product.h"
#include "RecordNames.h"
#include "Registry.h"
#include "RunContext.h"
#include "SettingsValueNames.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kPlugInData;
const QString kPlugInAttribute = QStringLiteral("PlugIn");
using Zeltor::SettingsValues::kDuration; // the record child and the settings value
const QString kParameterList = QStringLiteral("ParameterList");
const QString kTestGuideSettings = QStringLiteral("TestGuideSettings");

constexpr int32_t kDefaultDuration = 60;

} // namespace

void ConfigurationRecord::setDuration(int32_t minutes)
{
    m_duration = heldDurationMinutes(minutes);
}

std::shared_ptr<Nelvar::IXmlElement> ConfigurationRecord::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = com::required(document).CreateElement(kElementName);
    Nelvar::IXmlElement& record = com::required(element);
    record.SetAttribute(kPlugInAttribute, Zeltor::kProduct);
    record.AddChildElement(kDuration, Nelvar::utilityService().ValueToText(m_duration));
    if (m_parameters)
        if (const auto parameters = m_parameters->Save(document))
            record.AppendChild(parameters);
    appendOwnChildren(record, document);
    return element;
}

void ConfigurationRecord::loadRecord(const std::shared_ptr<Nelvar::IXmlElement>& element,
                                     const std::shared_ptr<com::Object>& owner)
{
    const Nelvar::IXmlElement& record = com::required(element);
    if (record.TagName() != kElementName || record.GetAttribute(kPlugInAttribute) != Zeltor::kProduct)
        Zeltor::raiseOwnError(eeConfigWrongElement, m_errorSource, 4);
    if (const auto child = record.FindChildElement(kParameterList))
        com::required(m_parameters).Load(child);
    int32_t minutes = m_duration;
    readWholeNumberChild(record, kDuration, minutes);
    setDuration(minutes);
    loadOwnChildren(record, owner);
}

void ConfigurationRecord::loadTestGuideSettings(const Nelvar::IXmlElement& record,
                                                const std::shared_ptr<com::Object>& owner)
{
    if (const auto child = record.FindChildElement(kTestGuideSettings))
        com::required(m_testGuideConfig).Load(child, owner);
}

void ConfigurationRecord::appendTestGuideSettings(Nelvar::IXmlElement& record,
                                                  const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    if (m_testGuideConfig)
        if (const auto settings = m_testGuideConfig->Save(document))
            record.AppendChild(settings);
}

void ConfigurationRecord::resetSharedDefaults()
{
    com::ignoreFailure([&] {
        m_testGuideConfig = com::ClassRegistry::instance().createAs<Nelvar::ITestGuideConfig>(
            QString::fromLatin1(Nelvar::kTestGuideConfigProgId));
    });
    m_duration = kDefaultDuration;
}

std::shared_ptr<Nelvar::IRegistry> ConfigurationRecord::openSettingsKey()
{
    std::shared_ptr<Nelvar::IRegistry> registry;
    com::ignoreFailure([&] {
        auto opened = com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(
            QString::fromLatin1(Nelvar::kRegistryProgId));
        opened->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
        registry = std::move(opened);
    });
    return registry;
}

void ConfigurationRecord::readDurationSetting(const Nelvar::IRegistry& registry)
{
    com::ignoreFailure([&] { setDuration(com::Value(registry.GetValue(kDuration)).toInt32()); });
}

void ConfigurationRecord::copySharedInto(ConfigurationRecord& copy) const
{
    if (m_testGuideConfig)
        copy.setTestGuideConfig(m_testGuideConfig->Clone());
    if (m_parameters)
        copy.setParameters(m_parameters->Clone());
    copy.m_duration = m_duration;
}

std::shared_ptr<Nelvar::IDialog> ConfigurationRecord::CreateDialog()
{
    com::Value data;
    if (!com::ignoreFailure([&] { data = pageData(); }))
        return nullptr;
    return openPageDialog(pageClass(), data);
}

} // namespace ZeltorTests
