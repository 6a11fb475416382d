#pragma once

#include "TestDuration.h"

#include <algorithm>
#include <cstdint>

namespace ZeltorTests {

// A test duration in whole minutes held to 0 (no end) up to the longest duration whose seconds a
// run can count.
constexpr int32_t heldDurationMinutes(int64_t minutes)
{
    return static_cast<int32_t>(std::clamp<int64_t>(minutes, 0, Zeltor::kMaximumDurationMinutes));
}

// The seconds of a duration in minutes, counted in 64 bits, of a duration held as above: the
// product always fits the 32-bit seconds count.
constexpr int32_t durationSeconds(int32_t minutes)
{
    return static_cast<int32_t>(int64_t{heldDurationMinutes(minutes)} * 60);
}

} // namespace ZeltorTests
