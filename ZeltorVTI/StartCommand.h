#pragma once

#include "com/Value.h"

#include <cstdint>

namespace ZeltorVTI {

// The eight parameters of the instrument's start command ("STST"), in frame order.
struct StartCommand {
    int32_t testId = 0;
    // Sent as 0 by every test.
    int32_t reserved = 0;
    // The gas reference condition the instrument reports at: 0 BTPS, 1 ATPX, 2 STPD, 3 ATPS,
    // 4 ATPD, 5 NTPD; any other value goes as an empty field.
    int32_t referenceCondition = 0;
    bool calculateMassFlow = false;
    int32_t noiseLevel = 0;
    int32_t detectLevel = 0;
    int32_t breathsPerCalculation = 0;
    int32_t suppressPressurePeakMs = 0;
};

// The command's parameter texts as one array value, the argument CZeltorVTI::StartTest takes:
// whole numbers in decimal, the flag as "1" or "0", the reference condition by its name.
com::Value EncodeStartCommand(const StartCommand& command);

} // namespace ZeltorVTI
