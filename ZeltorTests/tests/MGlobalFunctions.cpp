#include "MGlobalFunctions.h"

#include "com/Failure.h"
#include "format/Format.h"

#include <cmath>

namespace ZeltorTests::MGlobalFunctions {

float RoundToDigits(float value, int32_t digits)
{
    float rounded = 0.0f;
    com::ignoreFailure([&] {
        const double factor = format::toInt32(std::pow(10.0, digits));
        rounded = static_cast<float>(format::toInt32(static_cast<double>(value) * factor) / factor);
    });
    return rounded;
}

} // namespace ZeltorTests::MGlobalFunctions
