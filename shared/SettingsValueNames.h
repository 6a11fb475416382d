#pragma once

#include <QLatin1String>

// Names of the values under the settings key: written by the plug-in's global settings, read by
// the tests, the unit conversion and the parameter definitions. Installed registries rely on them.
namespace Zeltor::SettingsValues {

inline constexpr QLatin1String kFlowUnit{"FlowUnit"};
inline constexpr QLatin1String kPressureUnit{"PressureUnit"};
inline constexpr QLatin1String kHighPressureUnit{"HighPressureUnit"};
inline constexpr QLatin1String kTemperatureUnit{"TemperatureUnit"};
inline constexpr QLatin1String kVolumeUnit{"VolumeUnit"};
inline constexpr QLatin1String kExternalLungAttached{"ExternalLungAttached"};
inline constexpr QLatin1String kComplianceValue{"ComplianceValue"};
inline constexpr QLatin1String kComplianceUnit{"ComplianceUnit"};
inline constexpr QLatin1String kExternalResistanceAttached{"ExternalResistanceAttached"};
inline constexpr QLatin1String kExternalResistanceType{"ExternalResistanceType"};
inline constexpr QLatin1String kResistanceLevel{"ResistanceLevel"};
inline constexpr QLatin1String kGasMixture{"GasMixture"};
inline constexpr QLatin1String kReferenceUnit{"ReferenceUnit"};
inline constexpr QLatin1String kCalculateMassFlow{"CalculateMassFlow"};
inline constexpr QLatin1String kAtmosphericPressure{"AtmosphericPressure"};
inline constexpr QLatin1String kBreathsPerCalculation{"BreathsPerCalculation"};
inline constexpr QLatin1String kDetectLevel{"DetectLevel"};
inline constexpr QLatin1String kNoiseLevel{"NoiseLevel"};
inline constexpr QLatin1String kRelativeHumidity{"RelativeHumidity"};
inline constexpr QLatin1String kSuppressPressurePeakPeriod{"SuppressPressurePeakPeriod"};
inline constexpr QLatin1String kFlowThreshold{"FlowThreshold"};
inline constexpr QLatin1String kPressureThreshold{"PressureThreshold"};
// Kept by the settings' save, read by the tests and the parameter definitions.
inline constexpr QLatin1String kDuration{"Duration"};
inline constexpr QLatin1String kTimerInterval{"TimerInterval"};
inline constexpr QLatin1String kScaleFlowMin{"ScaleFlowMin_mlSec"};
inline constexpr QLatin1String kScaleFlowSpan{"ScaleFlowSpan_mlSec"};
inline constexpr QLatin1String kScalePressureMin{"ScalePressureMin_cmH2O"};
inline constexpr QLatin1String kScalePressureSpan{"ScalePressureSpan_cmH2O"};

} // namespace Zeltor::SettingsValues
