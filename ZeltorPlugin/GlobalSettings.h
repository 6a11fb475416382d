#pragma once

#include "EUnit.h"

#include <cstdint>

namespace ZeltorPlugin {

// The plug-in's global settings. A new installation starts from the values that the readers of
// the settings key fall back to when a value is missing, so a first save writes those.
struct GlobalSettings {
    int32_t FlowUnit = ZeltorConverter::eunFlow_MLpSec;
    int32_t PressureUnit = ZeltorConverter::eunPressure_CmH20;
    int32_t HighPressureUnit = ZeltorConverter::eunPressure_CmH20;
    int32_t TemperatureUnit = ZeltorConverter::eunTemperature_Celcius;
    // Stored and restored only; nothing edits it.
    int32_t VolumeUnit = 0;
    bool ExternalLungAttached = false;
    // In the compliance unit: 0 "CmH2O/l/s", 1 "mBar/l/s".
    int32_t ComplianceValue = 0;
    int32_t ComplianceUnit = 0;
    bool ExternalResistanceAttached = false;
    // 0 parabolic, 1 linear.
    int32_t ExternalResistanceType = 0;
    // One of 5, 20, 50, 200, 500.
    int32_t ResistanceLevel = 0;
    // 0 air, 1 O2, 2 O2/N2, 3 O2/N2O.
    int32_t GasMixture = 0;
    // Gas reference condition: 0 BTPS, 1 ATPX, 2 STPD, 3 ATPS, 4 ATPD, 5 NTPD.
    int32_t ReferenceUnit = 0;
    bool CalculateMassFlow = true;
    // mmHg.
    int32_t AtmosphericPressure = 760;
    // 1, 2, 4, 8, 16 or 32.
    int32_t BreathsPerCalculation = 1;
    // ml/min.
    int32_t DetectLevel = 9000;
    // ml/min.
    int32_t NoiseLevel = 500;
    // Percent.
    int32_t RelativeHumidity = 0;
    // Milliseconds.
    int32_t SuppressPressurePeakPeriod = 30;
    // Zero thresholds of the volume calculation: flow in ml/min, pressure in mmHg.
    float FlowThreshold = 0.0f;
    float PressureThreshold = 0.0f;
};

} // namespace ZeltorPlugin
