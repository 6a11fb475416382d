#include "SettingsRegistryLayout.h"

#include "SettingsValueNames.h"

#include "format/Format.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace ZeltorPlugin::SettingsRegistryLayout {

namespace {

using S = GlobalSettings;
namespace V = Zeltor::SettingsValues;

const std::array<SettingValue, 22> kWriteOrder{{
    {V::kFlowUnit, &S::FlowUnit},
    {V::kPressureUnit, &S::PressureUnit},
    {V::kHighPressureUnit, &S::HighPressureUnit},
    {V::kTemperatureUnit, &S::TemperatureUnit},
    {V::kVolumeUnit, &S::VolumeUnit},
    {V::kExternalLungAttached, &S::ExternalLungAttached},
    {V::kComplianceValue, &S::ComplianceValue},
    {V::kComplianceUnit, &S::ComplianceUnit},
    {V::kExternalResistanceAttached, &S::ExternalResistanceAttached},
    {V::kExternalResistanceType, &S::ExternalResistanceType},
    {V::kResistanceLevel, &S::ResistanceLevel},
    {V::kGasMixture, &S::GasMixture},
    {V::kReferenceUnit, &S::ReferenceUnit},
    {V::kCalculateMassFlow, &S::CalculateMassFlow},
    {V::kAtmosphericPressure, &S::AtmosphericPressure},
    {V::kBreathsPerCalculation, &S::BreathsPerCalculation},
    {V::kDetectLevel, &S::DetectLevel},
    {V::kNoiseLevel, &S::NoiseLevel},
    {V::kRelativeHumidity, &S::RelativeHumidity},
    {V::kSuppressPressurePeakPeriod, &S::SuppressPressurePeakPeriod},
    {V::kFlowThreshold, &S::FlowThreshold},
    {V::kPressureThreshold, &S::PressureThreshold},
}};

const SettingValue& written(QLatin1String name)
{
    return *std::ranges::find_if(kWriteOrder, [&](const SettingValue& value) { return value.name == name; });
}

const std::array<SettingValue, 22> kReadOrder{{
    written(V::kFlowUnit),
    written(V::kPressureUnit),
    written(V::kHighPressureUnit),
    written(V::kTemperatureUnit),
    written(V::kVolumeUnit),
    written(V::kExternalLungAttached),
    written(V::kComplianceUnit),
    written(V::kComplianceValue),
    written(V::kExternalResistanceAttached),
    written(V::kExternalResistanceType),
    written(V::kResistanceLevel),
    written(V::kReferenceUnit),
    written(V::kCalculateMassFlow),
    written(V::kNoiseLevel),
    written(V::kAtmosphericPressure),
    written(V::kDetectLevel),
    written(V::kRelativeHumidity),
    written(V::kBreathsPerCalculation),
    written(V::kSuppressPressurePeakPeriod),
    written(V::kGasMixture),
    written(V::kFlowThreshold),
    written(V::kPressureThreshold),
}};

const std::array<QString, 6> kKeptBySave{{
    V::kDuration,
    V::kTimerInterval,
    V::kScaleFlowMin,
    V::kScaleFlowSpan,
    V::kScalePressureMin,
    V::kScalePressureSpan,
}};

} // namespace

float thresholdOf(QString text)
{
    const QChar separator = format::localeDecimalSeparator();
    if (separator != QLatin1Char('.'))
        text.replace(separator, QLatin1Char('.'));
    return com::Value(text).toFloat();
}

std::span<const SettingValue> writeOrder() { return kWriteOrder; }
std::span<const SettingValue> readOrder() { return kReadOrder; }
std::span<const QString> valuesKeptBySave() { return kKeptBySave; }

com::Value storedValue(const GlobalSettings& settings, const SettingValue& value)
{
    return std::visit(
        [&](auto field) -> com::Value {
            const auto& setting = settings.*field;
            using Setting = std::decay_t<decltype(setting)>;
            if constexpr (std::is_same_v<Setting, bool>)
                return setting ? QStringLiteral("True") : QStringLiteral("False");
            else if constexpr (std::is_same_v<Setting, float>)
                return format::valueToText(setting);
            else
                return setting;
        },
        value.field);
}

void loadValue(GlobalSettings& settings, const SettingValue& value, const QString& text)
{
    std::visit(
        [&](auto field) {
            auto& setting = settings.*field;
            using Setting = std::decay_t<decltype(setting)>;
            if constexpr (std::is_same_v<Setting, bool>)
                setting = com::Value(text).toBool();
            else if constexpr (std::is_same_v<Setting, float>)
                setting = thresholdOf(text);
            else
                setting = com::Value(text).toInt32();
        },
        value.field);
}

} // namespace ZeltorPlugin::SettingsRegistryLayout
