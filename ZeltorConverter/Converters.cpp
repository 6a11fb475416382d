#include "Converters.h"

#include "EUnit.h"

namespace ZeltorConverter {

CUnitConverter::Scaling CConvertMLpSec::scalingFor(int32_t selectedConversion) const
{
    switch (selectedConversion) {
    case eunFlow_LpSec: return {0.001f, 0.0f};
    case eunFlow_LpMin: return {0.06f, 0.0f};
    default: return {1.0f, 0.0f};
    }
}

// Leak rates share the pressure factors: both units are per second.
CUnitConverter::Scaling CConvertCmH2O::scalingFor(int32_t selectedConversion) const
{
    switch (selectedConversion) {
    case eunPressure_mBar:
    case eunLeakRate_mBar_PerSec: return {0.980665f, 0.0f};
    case eunPressure_mmHg:
    case eunLeakRate_mmHg_PerSec: return {0.735559f, 0.0f};
    case eunPressure_kPa:
    case eunLeakRate_kPa_PerSec: return {0.0980665f, 0.0f};
    case eunPressure_PSI:
    case eunLeakRate_PSI_PerSec: return {0.0142233f, 0.0f};
    default: return {1.0f, 0.0f};
    }
}

CUnitConverter::Scaling CConvertCelsius::scalingFor(int32_t selectedConversion) const
{
    switch (selectedConversion) {
    case eunTemperature_Fahrenheit: return {1.8f, 32.0f};
    case eunTemperature_Kelvin: return {1.0f, 273.15f};
    default: return {1.0f, 0.0f};
    }
}

} // namespace ZeltorConverter
