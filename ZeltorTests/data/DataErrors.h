#pragma once

#include <cstdint>

namespace ZeltorTests {

// Application error numbers of the measurement data classes.
enum EDataError : int32_t {
    eeParameterDefWrongElement = static_cast<int32_t>(0x8004A3C2),
    eeParameterDefCannotCreateElement = static_cast<int32_t>(0x8004A3C3),
    eeMeasurementWrongElement = static_cast<int32_t>(0x8004A3FF),
    eeMeasurementCannotCreateElement = static_cast<int32_t>(0x8004A400),
    eeTrendsWrongElement = static_cast<int32_t>(0x8004A3FF),
    eeTrendCannotCreateElement = static_cast<int32_t>(0x8004A400),
    eeSnapshotsCannotCreateElement = static_cast<int32_t>(0x8004A400),
};

} // namespace ZeltorTests
