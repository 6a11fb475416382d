#include "SettingsRegistryLayout.h"

#include "format/Format.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace ZeltorPlugin::SettingsRegistryLayout {

namespace {

using S = GlobalSettings;

const std::array<SettingValue, 22> kWriteOrder{{
    {QStringLiteral("FlowUnit"), &S::FlowUnit},
    {QStringLiteral("PressureUnit"), &S::PressureUnit},
    {QStringLiteral("HighPressureUnit"), &S::HighPressureUnit},
    {QStringLiteral("TemperatureUnit"), &S::TemperatureUnit},
    {QStringLiteral("VolumeUnit"), &S::VolumeUnit},
    {QStringLiteral("ExternalLungAttached"), &S::ExternalLungAttached},
    {QStringLiteral("ComplianceValue"), &S::ComplianceValue},
    {QStringLiteral("ComplianceUnit"), &S::ComplianceUnit},
    {QStringLiteral("ExternalResistanceAttached"), &S::ExternalResistanceAttached},
    {QStringLiteral("ExternalResistanceType"), &S::ExternalResistanceType},
    {QStringLiteral("ResistanceLevel"), &S::ResistanceLevel},
    {QStringLiteral("GasMixture"), &S::GasMixture},
    {QStringLiteral("ReferenceUnit"), &S::ReferenceUnit},
    {QStringLiteral("CalculateMassFlow"), &S::CalculateMassFlow},
    {QStringLiteral("AtmosphericPressure"), &S::AtmosphericPressure},
    {QStringLiteral("BreathsPerCalculation"), &S::BreathsPerCalculation},
    {QStringLiteral("DetectLevel"), &S::DetectLevel},
    {QStringLiteral("NoiseLevel"), &S::NoiseLevel},
    {QStringLiteral("RelativeHumidity"), &S::RelativeHumidity},
    {QStringLiteral("SuppressPressurePeakPeriod"), &S::SuppressPressurePeakPeriod},
    {QStringLiteral("FlowThreshold"), &S::FlowThreshold},
    {QStringLiteral("PressureThreshold"), &S::PressureThreshold},
}};

const SettingValue& written(const char* name)
{
    return *std::ranges::find_if(kWriteOrder, [&](const SettingValue& value) { return value.name == QLatin1String(name); });
}

const std::array<SettingValue, 22> kReadOrder{{
    written("FlowUnit"),
    written("PressureUnit"),
    written("HighPressureUnit"),
    written("TemperatureUnit"),
    written("VolumeUnit"),
    written("ExternalLungAttached"),
    written("ComplianceUnit"),
    written("ComplianceValue"),
    written("ExternalResistanceAttached"),
    written("ExternalResistanceType"),
    written("ResistanceLevel"),
    written("ReferenceUnit"),
    written("CalculateMassFlow"),
    written("NoiseLevel"),
    written("AtmosphericPressure"),
    written("DetectLevel"),
    written("RelativeHumidity"),
    written("BreathsPerCalculation"),
    written("SuppressPressurePeakPeriod"),
    written("GasMixture"),
    written("FlowThreshold"),
    written("PressureThreshold"),
}};

const std::array<QString, 6> kKeptBySave{{
    QStringLiteral("Duration"),
    QStringLiteral("TimerInterval"),
    QStringLiteral("ScaleFlowMin_mlSec"),
    QStringLiteral("ScaleFlowSpan_mlSec"),
    QStringLiteral("ScalePressureMin_cmH2O"),
    QStringLiteral("ScalePressureSpan_cmH2O"),
}};

// A threshold's text with the user's decimal separator taken as ".".
float thresholdOf(QString text)
{
    const QChar separator = format::localeDecimalSeparator();
    if (separator != QLatin1Char('.'))
        text.replace(separator, QLatin1Char('.'));
    return com::Value(text).toFloat();
}

} // namespace

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
