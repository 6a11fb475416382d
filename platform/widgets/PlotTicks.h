#pragma once

#include <vector>

namespace widgets {

// The X values of the ticks of a range [minimum, maximum] drawn `length` pixels long: whole
// multiples of `labelStep`, thinned to the smallest multiple of it whose ticks lie at least
// `spacing` pixels apart. No ticks for a step that is 0, negative or not finite, nor for a
// range or length that cannot be drawn.
std::vector<double> tickValues(double minimum, double maximum, double labelStep, double length,
                               double spacing);

// A round step (1, 2 or 5 times a power of ten) that divides `range` into at most `count` parts.
double roundStep(double range, int count);

} // namespace widgets
