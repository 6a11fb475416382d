#pragma once

#include <cstdint>

namespace ZeltorConverter {

// Unit identifiers. Within a quantity they run on from its base unit (temperature skips 202).
// The member names belong to the public type library and keep their spelling.
enum EUnit : int32_t {
    eunPressure_CmH20 = 0,
    eunPressure_mBar = 1,
    eunPressure_mmHg = 2,
    eunPressure_kPa = 3,
    eunPressure_PSI = 4,
    eunLeakRate_CmH2O_PerSec = 20,
    eunLeakRate_mBar_PerSec = 21,
    eunLeakRate_mmHg_PerSec = 22,
    eunLeakRate_kPa_PerSec = 23,
    eunLeakRate_PSI_PerSec = 24,
    eunFlow_MLpSec = 100,
    eunFlow_LpSec = 101,
    eunFlow_LpMin = 102,
    eunTemperature_Celcius = 200,
    eunTemperature_Fahrenheit = 201,
    eunTemperature_Kelvin = 203,
    eunVolume_Liter = 300,
    eunMisc_BPM = 400,
    eunMisc_Time = 401,
    eunMisc_Ratio = 402,
    eunMisc_Percent = 403,
};

// The lists of selectable display units, one per quantity that has alternatives.
enum EUnitList : int32_t {
    eulUnitList_Pressure = 0,
    eulUnitList_LeakRate = 1,
    eulUnitList_Flow = 2,
    eulUnitList_Temperature = 3,
};

} // namespace ZeltorConverter
