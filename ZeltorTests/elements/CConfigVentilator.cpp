#include "CConfigVentilator.h"

#include "CParameterList.h"
#include "CPreDefinedTrendSettings.h"
#include "CSettings.h"
#include "elements/RecordFields.h"
#include "TestErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "Registry.h"
#include "RunContext.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("CConfigVentilator");
const QString kElementName = QStringLiteral("PlugInData");
const QString kPlugInAttribute = QStringLiteral("PlugIn");
const QString kDuration = QStringLiteral("Duration");
const QString kParameterList = QStringLiteral("ParameterList");
const QString kTestGuideSettings = QStringLiteral("TestGuideSettings");
const QString kTrendSettings = QStringLiteral("TrendSettings");
const QString kSettings = QStringLiteral("Settings");

constexpr int32_t kDefaultDuration = 60;

std::shared_ptr<CParameterList> defaultParameters()
{
    using namespace Zeltor::Keys;
    auto parameters = std::make_shared<CParameterList>();
    for (const QString& key : {FLOW, PRES, VOLU, BRRA, TIVO, INPF, INPP, PEPR, MEIP, MIVO, IERA, INHO, INPE, EXPE,
                               EXPF, TEMP, OXLE, MEEP, ATPR})
        parameters->Add(key);
    parameters->SetPredefinedView(epvTemplate);
    return parameters;
}

} // namespace

void CConfigVentilator::LoadDefaultSettings()
{
    com::ignoreFailure([&] { m_parameters = defaultParameters(); });
    m_settings = std::make_shared<CSettings>();
    com::ignoreFailure([&] {
        m_testGuideConfig = com::ClassRegistry::instance().createAs<Nelvar::ITestGuideConfig>(
            QString::fromLatin1(Nelvar::kTestGuideConfigProgId));
    });
    m_trendSettings = std::make_shared<CPreDefinedTrendSettings>();
    m_duration = kDefaultDuration;

    std::shared_ptr<Nelvar::IRegistry> registry;
    com::ignoreFailure([&] {
        registry = com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(
            QString::fromLatin1(Nelvar::kRegistryProgId));
    });
    com::ignoreFailure([&] { com::required(registry).OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey); });
    com::ignoreFailure(
        [&] { m_duration = com::Value(com::required(registry).GetValue(kDuration)).toInt32(); });
    m_settings->LoadDefaults(registry);
}

void CConfigVentilator::setOwnerTest(const std::shared_ptr<Nelvar::ITestElement>& owner)
{
    if (owner)
        m_ownerTest = owner;
}

std::shared_ptr<Nelvar::IConfigData> CConfigVentilator::Clone() const
{
    try {
        auto copy = std::make_shared<CConfigVentilator>();
        if (m_testGuideConfig)
            copy->setTestGuideConfig(m_testGuideConfig->Clone());
        if (m_trendSettings)
            copy->m_trendSettings = m_trendSettings->Clone();
        if (m_settings)
            copy->m_settings = m_settings->Clone();
        if (m_parameters)
            copy->setParameters(m_parameters->Clone());
        copy->m_duration = m_duration;
        return copy;
    } catch (...) {
        return nullptr;
    }
}

void CConfigVentilator::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                             const std::shared_ptr<com::Object>& owner)
{
    const Nelvar::IXmlElement& record = com::required(element);
    if (record.TagName() != kElementName || record.GetAttribute(kPlugInAttribute) != Zeltor::kProduct)
        Zeltor::raiseOwnError(eeConfigWrongElement, kSource, 4);
    if (const auto child = record.FindChildElement(kParameterList))
        com::required(m_parameters).Load(child);
    readWholeNumberChild(record, kDuration, m_duration);
    if (const auto child = record.FindChildElement(kTestGuideSettings))
        com::required(m_testGuideConfig).Load(child, owner);
    if (const auto child = record.FindChildElement(kTrendSettings))
        com::required(m_trendSettings).Load(child);
    if (const auto child = record.FindChildElement(kSettings))
        com::required(m_settings).Load(child);
}

std::shared_ptr<Nelvar::IXmlElement> CConfigVentilator::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    const auto element = com::required(document).CreateElement(kElementName);
    Nelvar::IXmlElement& record = com::required(element);
    record.SetAttribute(kPlugInAttribute, Zeltor::kProduct);
    record.AddChildElement(kDuration, Nelvar::utilityService().ValueToText(m_duration));
    const auto append = [&](const std::shared_ptr<Nelvar::IXmlElement>& child) {
        if (child)
            record.AppendChild(child);
    };
    if (m_parameters)
        append(m_parameters->Save(document));
    if (m_testGuideConfig)
        append(m_testGuideConfig->Save(document));
    if (m_trendSettings)
        append(m_trendSettings->Save(document));
    if (m_settings)
        append(m_settings->Save(document));
    return element;
}

} // namespace ZeltorTests
