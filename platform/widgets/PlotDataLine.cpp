#include "PlotDataLine.h"

#include "PlotChangeSink.h"

#include <com/Error.h>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

const QString kSource = QStringLiteral("PlotDataLine");

} // namespace

PlotDataLine::PlotDataLine(PlotChangeSink& sink)
    : m_sink(sink)
{
}

void PlotDataLine::setColor(uint32_t color)
{
    m_color = color;
    m_sink.appearanceChanged();
}

void PlotDataLine::setVisible(bool visible)
{
    m_visible = visible;
    m_sink.appearanceChanged();
}

void PlotDataLine::clear()
{
    m_points.clear();
    m_range.reset();
    m_rangeKnown = true;
    m_sink.lineCleared();
}

void PlotDataLine::addPoint(double x, double y)
{
    m_points.push_back({x, y, false});
    const Point& added = m_points.back();
    if (m_rangeKnown && drawn(added)) {
        if (!m_range)
            m_range = YRange{y, y};
        m_range->lowest = std::min(m_range->lowest, y);
        m_range->highest = std::max(m_range->highest, y);
    }
    pointChanged(added);
}

void PlotDataLine::addEmptyPoint(double x)
{
    m_points.push_back({x, 0.0, true});
    m_sink.appearanceChanged();
}

void PlotDataLine::setPointCount(int count)
{
    if (count < 0)
        throw com::Error::invalidCall(kSource);
    if (count >= pointCount())
        return;
    m_points.resize(static_cast<size_t>(count));
    forgetRange();
    m_sink.appearanceChanged();
}

size_t PlotDataLine::checkedIndex(int index) const
{
    if (index < 0 || index >= pointCount())
        throw com::Error::subscript(kSource);
    return static_cast<size_t>(index);
}

const PlotDataLine::Point& PlotDataLine::point(int index) const
{
    return m_points[checkedIndex(index)];
}

void PlotDataLine::setY(int index, double y)
{
    Point& changed = m_points[checkedIndex(index)];
    changed.y = y;
    forgetRange();
    pointChanged(changed);
}

void PlotDataLine::setEmpty(int index, bool empty)
{
    Point& changed = m_points[checkedIndex(index)];
    changed.empty = empty;
    forgetRange();
    pointChanged(changed);
}

void PlotDataLine::pointChanged(const Point& changed)
{
    if (m_visible && drawn(changed))
        m_sink.pointShown(changed.y);
    m_sink.appearanceChanged();
}

bool PlotDataLine::drawn(const Point& point)
{
    return !point.empty && std::isfinite(point.x) && std::isfinite(point.y);
}

std::optional<PlotDataLine::YRange> PlotDataLine::yRange() const
{
    if (m_rangeKnown)
        return m_range;
    m_range.reset();
    for (const Point& each : m_points) {
        if (!drawn(each))
            continue;
        if (!m_range)
            m_range = YRange{each.y, each.y};
        m_range->lowest = std::min(m_range->lowest, each.y);
        m_range->highest = std::max(m_range->highest, each.y);
    }
    m_rangeKnown = true;
    return m_range;
}

double PlotDataLine::lowest() const
{
    const auto range = yRange();
    return range ? range->lowest : 0.0;
}

double PlotDataLine::highest() const
{
    const auto range = yRange();
    return range ? range->highest : 0.0;
}

} // namespace widgets
