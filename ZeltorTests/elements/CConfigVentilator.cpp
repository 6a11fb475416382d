#include "elements/CConfigVentilator.h"

#include "data/CParameterList.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CSettings.h"
#include "elements/PageDialog.h"

#include "ParameterKeys.h"
#include "RecordNames.h"
#include "Registry.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

namespace {

constexpr QLatin1String kTrendSettings = Zeltor::RecordNames::kTrendSettings;
constexpr QLatin1String kSettings = Zeltor::RecordNames::kSettings;

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

CConfigVentilator::CConfigVentilator() : ConfigurationRecord(QStringLiteral("CConfigVentilator")) {}

void CConfigVentilator::LoadDefaultSettings()
{
    com::ignoreFailure([&] { setParameters(defaultParameters()); });
    m_settings = std::make_shared<CSettings>();
    m_trendSettings = std::make_shared<CPreDefinedTrendSettings>();
    resetSharedDefaults();
    const auto registry = openSettingsKey();
    if (registry)
        readDurationSetting(*registry);
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
        copySharedInto(*copy);
        if (m_trendSettings)
            copy->m_trendSettings = m_trendSettings->Clone();
        if (m_settings)
            copy->m_settings = m_settings->Clone();
        return copy;
    } catch (...) {
        return nullptr;
    }
}

void CConfigVentilator::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                             const std::shared_ptr<com::Object>& owner)
{
    loadRecord(element, owner);
}

void CConfigVentilator::loadOwnChildren(const Nelvar::IXmlElement& record, const std::shared_ptr<com::Object>& owner)
{
    loadTestGuideSettings(record, owner);
    if (const auto child = record.FindChildElement(kTrendSettings))
        com::required(m_trendSettings).Load(child);
    if (const auto child = record.FindChildElement(kSettings))
        com::required(m_settings).Load(child);
}

void CConfigVentilator::appendOwnChildren(Nelvar::IXmlElement& record,
                                          const std::shared_ptr<Nelvar::IXmlDocument>& document)
{
    appendTestGuideSettings(record, document);
    if (m_trendSettings)
        if (const auto trend = m_trendSettings->Save(document))
            record.AppendChild(trend);
    if (m_settings)
        if (const auto settings = m_settings->Save(document))
            record.AppendChild(settings);
}

QString CConfigVentilator::pageClass() const { return kConfigVentilatorDialogPage; }

com::Value CConfigVentilator::pageData() { return com::Value(OwnerTest()); }

} // namespace ZeltorTests
