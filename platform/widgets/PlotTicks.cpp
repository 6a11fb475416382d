#include "PlotTicks.h"

#include <algorithm>
#include <cmath>

namespace widgets {

std::vector<double> tickValues(double minimum, double maximum, double labelStep, double length,
                               double spacing)
{
    const double range = maximum - minimum;
    if (!std::isfinite(labelStep) || labelStep <= 0.0 || !std::isfinite(minimum) ||
        !std::isfinite(range) || range <= 0.0 || !std::isfinite(length) || length < 1.0)
        return {};
    // At least one pixel apart, so that the count stays bounded by the length.
    const double pixelsPerStep = labelStep / range * length;
    const double multiple = std::max(1.0, std::ceil(std::max(spacing, 1.0) / pixelsPerStep));
    const double step = multiple * labelStep;
    if (!std::isfinite(step))
        return {};
    const double first = std::ceil(minimum / step);
    const double last = std::floor(maximum / step);
    const double count = std::min(last - first + 1.0, length + 1.0);
    std::vector<double> ticks;
    for (double index = 0.0; index < count; index += 1.0)
        ticks.push_back((first + index) * step);
    return ticks;
}

double roundStep(double range, int count)
{
    if (!std::isfinite(range) || range <= 0.0 || count < 1)
        return 0.0;
    const double rough = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10.0 * power;
}

} // namespace widgets
