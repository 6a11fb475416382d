#pragma once

#include <cstdint>

// What one raw unit of a streamed value stands for: the system multiplies the raw value by
// these factors, so the simulator divides by them.
namespace simulator::scales {

inline constexpr double kTenth = 0.1;       // BRRA BPM, INPF/EXPF/flow ml/s, TEMP C, OXLE %, leak rate cmH2O/s
inline constexpr double kHundredth = 0.01;  // IERA, INHO, INPE, EXPE s
inline constexpr double kMilli = 0.001;     // TIVO, MIVO l
inline constexpr double kAtmosphericFactor = 10.197162; // ATPR: raw x this x pressure scale = cmH2O

// Pressures: tenths of cmH2O below firmware major 3, hundredths from 3 on.
inline double pressureScale(int32_t firmwareMajor)
{
    return firmwareMajor < 3 ? kTenth : kHundredth;
}

} // namespace simulator::scales
