#include "MGlobalFunctions.h"

#include <gtest/gtest.h>

using namespace ZeltorTests;

TEST(GlobalFunctions, RoundToDigitsRoundsHalvesToEven)
{
    const struct {
        float value;
        int32_t digits;
        float expected;
    } cases[] = {
        {0.125f, 2, 0.12f}, {7.5f, 0, 8.0f}, {6.5f, 0, 6.0f}, {12.344f, 2, 12.34f},
        {-0.505f, 2, -0.5f}, {1234.5678f, 1, 1234.6f}, {3e9f, 0, 0.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MGlobalFunctions::RoundToDigits(c.value, c.digits), c.expected) << c.value << ", " << c.digits;
}
