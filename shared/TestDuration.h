#pragma once

#include <cstdint>
#include <limits>

namespace Zeltor {

// A test's duration is kept in whole minutes and counted in seconds in a 32-bit count: the
// longest duration whose seconds the count can hold. Longer durations are refused or held to it.
inline constexpr int32_t kMaximumDurationMinutes = std::numeric_limits<int32_t>::max() / 60;

} // namespace Zeltor
