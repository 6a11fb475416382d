#include "PlotAxis.h"

#include "PlotChangeSink.h"

#include <com/Error.h>

#include <cmath>

namespace widgets {

namespace {

const QString kSource = QStringLiteral("PlotAxis");

void requireFinite(double value)
{
    if (!std::isfinite(value))
        throw com::Error::invalidCall(kSource);
}

} // namespace

PlotAxis::PlotAxis(PlotChangeSink& sink)
    : m_sink(sink)
{
}

void PlotAxis::setMinimum(double minimum)
{
    setRange(minimum, m_span);
}

void PlotAxis::setSpan(double span)
{
    setRange(m_minimum, span);
}

void PlotAxis::setRange(double minimum, double span)
{
    requireFinite(minimum);
    requireFinite(span);
    if (minimum == m_minimum && span == m_span)
        return;
    m_minimum = minimum;
    m_span = span;
    m_sink.axisRangeChanged(*this);
}

double PlotAxis::shownMinimum() const
{
    return m_span > 0.0 ? m_minimum : m_minimum - 1.0;
}

double PlotAxis::shownMaximum() const
{
    return m_span > 0.0 ? maximum() : m_minimum + 1.0;
}

void PlotAxis::setRangeTracking(bool on)
{
    if (on == m_rangeTracking)
        return;
    m_rangeTracking = on;
    if (on)
        m_sink.rangeTrackingSwitchedOn(*this);
}

void PlotAxis::setTitle(const QString& title)
{
    m_title = title;
    m_sink.appearanceChanged();
}

void PlotAxis::setLabelStep(double step)
{
    m_labelStep = step;
    m_sink.appearanceChanged();
}

} // namespace widgets
