#pragma once

#include <cstdint>

namespace ZeltorTests {

// Application error numbers of the test elements, their configurations, limits and results.
enum ETestError : int32_t {
    eeConfigWrongElement = static_cast<int32_t>(0x8004A3C2),
    eeResultWrongElement = static_cast<int32_t>(0x8004A3EB),
    eeResultCannotCreateElement = static_cast<int32_t>(0x8004A3EC),
    eeLimitDataWrongElement = static_cast<int32_t>(0x8004A4EE),
};

} // namespace ZeltorTests
