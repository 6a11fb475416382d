#include "data/CPrinterCoordinates.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "format/Format.h"

#include <array>
#include <cmath>
#include <limits>

namespace ZeltorTests {

namespace {

// Intervals at most of the Y axis.
constexpr int32_t kMaximumYSteps = 11;
// The decimals a Y span is taken to; so at most this many multiplications by ten make it whole.
constexpr int kSpanDecimals = 4;

int32_t whole(double value) { return format::toInt32(value); }

int32_t checkedInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw com::Error::overflow();
    return static_cast<int32_t>(value);
}

// A scale as the Single it is stored as; a zero-width range or a scale beyond a Single fails.
float scaleOf(double length, double span)
{
    const double scale = length / span;
    if (span == 0.0 || !std::isfinite(scale) || std::fabs(scale) > std::numeric_limits<float>::max())
        throw com::Error::overflow();
    return static_cast<float>(scale);
}

double toFourDecimals(double value) { return std::nearbyint(value * 10000.0) / 10000.0; }

} // namespace

void CPrinterCoordinates::SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    m_xAxis.x1 = left;
    m_xAxis.y1 = bottom;
    m_xAxis.x2 = right;
    m_xAxis.y2 = bottom;
    m_yAxis.x1 = left;
    m_yAxis.y1 = top;
    m_yAxis.x2 = left;
    m_yAxis.y2 = bottom;
}

void CPrinterCoordinates::SetRange(float xMin, float yMin, float xMax, float yMax)
{
    m_xMin = xMin;
    m_yMin = yMin;
    m_xMax = xMax;
    m_yMax = yMax;
}

void CPrinterCoordinates::FitY(const std::vector<float>& values, int32_t factor)
{
    com::ignoreFailure([&] {
        const auto upperBound = static_cast<double>(values.size()) - 1.0;
        if (!values.empty()) {
            if (!m_fitted)
                m_yMin = m_yMax = values.front();
            for (const float value : values) {
                if (value > m_yMax)
                    m_yMax = value;
                if (value < m_yMin)
                    m_yMin = value;
            }
            // The Y range always holds 0.
            if (m_yMin > 0.0f)
                m_yMin = 0.0f;
            if (m_yMax < 0.0f)
                m_yMax = 0.0f;
            const auto margin = static_cast<float>((static_cast<double>(m_yMax) - m_yMin) * 0.1);
            m_yMax = static_cast<float>(static_cast<double>(m_yMax) + margin);
            m_yMin = static_cast<float>(static_cast<double>(m_yMin) - margin);
            m_fitted = true;
        }
        m_xMin = 0.0f;
        m_xMax = static_cast<float>((upperBound + 1.0) * factor);
    });
}

void CPrinterCoordinates::ComputeScale(int32_t division)
{
    // Each step stands on its own: a zero-width X range still gets its Y axis, and so on.
    com::ignoreFailure([&] {
        m_xAxis.scale = scaleOf(static_cast<double>(m_right) - m_left, static_cast<double>(m_xMax) - m_xMin);
    });
    com::ignoreFailure([&] { m_xAxis.offset = whole(m_left - static_cast<double>(m_xAxis.scale) * m_xMin); });
    com::ignoreFailure([&] {
        m_yAxis.scale = scaleOf(static_cast<double>(m_bottom) - m_top, static_cast<double>(m_yMax) - m_yMin);
    });
    com::ignoreFailure([&] { m_yAxis.offset = whole(static_cast<double>(m_yAxis.scale) * m_yMin + m_bottom); });
    com::ignoreFailure([&] { DivideXAxis(whole(m_xMin), whole(m_xMax), division); });
    com::ignoreFailure([&] { DivideYAxis(m_yMin, m_yMax); });
}

int32_t CPrinterCoordinates::ToPageX(float v) const
{
    return whole(static_cast<double>(v) * m_xAxis.scale + m_xAxis.offset);
}

int32_t CPrinterCoordinates::ToPageY(float v) const
{
    return whole(m_yAxis.offset - static_cast<double>(v) * m_yAxis.scale);
}

void CPrinterCoordinates::DivideXAxis(int32_t xmin, int32_t xmax, int32_t division)
{
    if (division <= 0)
        throw com::Error::invalidCall();
    const int64_t d = division;
    int64_t first = xmin;
    if (xmin % d > 0)
        first = xmin - xmin % d + d;
    const int64_t last = xmax - xmax % d;
    const int32_t divisions = whole(static_cast<double>(last - first) / static_cast<double>(d));
    int64_t labelIntervals = 1;
    if (divisions > 1) {
        for (const int32_t candidate : {8, 7, 6, 5, 4, 3, 2}) {
            if (divisions % candidate == 0) {
                labelIntervals = candidate;
                break;
            }
        }
    }
    const int32_t labelStep = checkedInt32((last - first) / labelIntervals);
    m_xAxis.firstTick = checkedInt32(first);
    m_xAxis.lastTick = checkedInt32(last);
    m_xAxis.step = labelStep;
    m_xAxis.unit = division;
}

void CPrinterCoordinates::DivideYAxis(float ymin, float ymax)
{
    double span = toFourDecimals(static_cast<double>(ymax) - ymin);
    int64_t multiplier = 1;
    for (int i = 0; i < kSpanDecimals && span != std::trunc(span); ++i) {
        span = toFourDecimals(span * 10.0);
        multiplier *= 10;
    }
    const int64_t lo = whole(static_cast<double>(ymin) * static_cast<double>(multiplier));
    const int64_t hi = whole(static_cast<double>(ymax) * static_cast<double>(multiplier));
    const int64_t step = NiceStep(checkedInt32(hi - lo), kMaximumYSteps);
    int64_t first = lo - lo % step;
    if (lo % step > 0)
        first += step;
    int64_t last = hi - hi % step;
    if (hi % step < 0)
        last -= step;
    m_yAxis.firstTick = checkedInt32(first);
    m_yAxis.lastTick = checkedInt32(last);
    m_yAxis.step = checkedInt32(step);
    m_yAxis.unit = checkedInt32(multiplier);
}

int32_t CPrinterCoordinates::NiceStep(int32_t span, int32_t maximumSteps)
{
    // 1, 2, 5, 10, 20, 50, ...: the first candidate that divides the span into few enough steps.
    // A 32-bit span needs no candidate beyond 10^9.
    for (int64_t power = 1;; power *= 10) {
        for (const int64_t mantissa : {1, 2, 5}) {
            const int64_t candidate = mantissa * power;
            if (span / candidate <= maximumSteps)
                return static_cast<int32_t>(candidate);
        }
    }
}

} // namespace ZeltorTests
