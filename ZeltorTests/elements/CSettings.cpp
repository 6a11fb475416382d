#include "elements/CSettings.h"

#include "elements/RecordFields.h"

#include "HostServices.h"
#include "RecordNames.h"
#include "SettingsValueNames.h"
#include "Registry.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"

#include <utility>

namespace ZeltorTests {

namespace {

constexpr QLatin1String kElementName = Zeltor::RecordNames::kSettings;
// The record's children carry the names of the settings values they default from.
using namespace Zeltor::SettingsValues;

} // namespace

void CSettings::Load(const std::shared_ptr<Nelvar::IXmlElement>& element)
{
    const Nelvar::IXmlElement& record = com::required(element);
    readWholeNumberChild(record, kAtmosphericPressure, m_atmosphericPressure);
    readWholeNumberChild(record, kRelativeHumidity, m_relativeHumidity);
    readWholeNumberChild(record, kDetectLevel, m_detectLevel);
    readWholeNumberChild(record, kBreathsPerCalculation, m_breathsPerCalculation);
    readWholeNumberChild(record, kReferenceUnit, m_referenceUnit);
    readWholeNumberChild(record, kSuppressPressurePeakPeriod, m_suppressPressurePeakPeriod);
    m_calculateMassFlow = record.FindChildElement(kCalculateMassFlow) != nullptr;
}

std::shared_ptr<Nelvar::IXmlElement> CSettings::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const
{
    const auto element = com::required(document).CreateElement(kElementName);
    Nelvar::IXmlElement& record = com::required(element);
    for (const auto& [name, value] : {std::pair{&kAtmosphericPressure, m_atmosphericPressure},
                                      std::pair{&kRelativeHumidity, m_relativeHumidity},
                                      std::pair{&kReferenceUnit, m_referenceUnit},
                                      std::pair{&kDetectLevel, m_detectLevel},
                                      std::pair{&kBreathsPerCalculation, m_breathsPerCalculation},
                                      std::pair{&kSuppressPressurePeakPeriod, m_suppressPressurePeakPeriod}})
        record.AddChildElement(*name, Nelvar::utilityService().ValueToText(value));
    if (m_calculateMassFlow)
        record.AddChildElement(kCalculateMassFlow, QStringLiteral("True"));
    return element;
}

void CSettings::LoadDefaults(const std::shared_ptr<Nelvar::IRegistry>& registry)
{
    if (!registry)
        return;
    const auto value = [&](const QString& name) { return com::Value(registry->GetValue(name)); };
    com::ignoreFailure([&] { m_referenceUnit = value(kReferenceUnit).toInt32(); });
    com::ignoreFailure([&] { m_calculateMassFlow = value(kCalculateMassFlow).toBool(); });
    com::ignoreFailure([&] { m_detectLevel = value(kDetectLevel).toInt32(); });
    com::ignoreFailure([&] { m_breathsPerCalculation = value(kBreathsPerCalculation).toInt32(); });
    com::ignoreFailure([&] { m_suppressPressurePeakPeriod = value(kSuppressPressurePeakPeriod).toInt32(); });
}

} // namespace ZeltorTests
