#pragma once

#include <cstdint>
#include <memory>

// Free functions shared by the test elements, their windows and their data.
namespace ZeltorTests {
class HighResTimer;
}

namespace ZeltorTests::MGlobalFunctions {

// A new high-resolution timer, or none when none can be made even at a second try; the user has
// then been told that the permission is missing.
std::shared_ptr<HighResTimer> CreateHighResTimer();

// The value rounded to `digits` decimals, halves to the even neighbour ((0.125, 2) gives 0.12),
// as a Single. A value whose scaled form leaves the 32-bit range gives 0.
float RoundToDigits(float value, int32_t digits);

} // namespace ZeltorTests::MGlobalFunctions
