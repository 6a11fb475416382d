#include "PlotModel.h"

#include <com/Error.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace widgets {

namespace {

const QString kSource = QStringLiteral("PlotModel");

template <typename Parts>
auto& partAt(Parts& parts, int index)
{
    if (index < 0 || index >= static_cast<int>(parts.size()))
        throw com::Error::subscript(kSource);
    return parts[static_cast<size_t>(index)];
}

void requireFirst(int index)
{
    if (index != 0)
        throw com::Error::subscript(kSource);
}

} // namespace

PlotModel::PlotModel() = default;

PlotAxis& PlotModel::xAxis(int index)
{
    requireFirst(index);
    return m_xAxis;
}

const PlotAxis& PlotModel::xAxis(int index) const
{
    requireFirst(index);
    return m_xAxis;
}

PlotAxis& PlotModel::yAxis(int index)
{
    requireFirst(index);
    return m_yAxis;
}

const PlotAxis& PlotModel::yAxis(int index) const
{
    requireFirst(index);
    return m_yAxis;
}

PlotDataLine& PlotModel::dataLine(int index) { return partAt(m_dataLines, index); }
const PlotDataLine& PlotModel::dataLine(int index) const { return partAt(m_dataLines, index); }
PlotChannel& PlotModel::channel(int index) { return partAt(m_channels, index); }
const PlotChannel& PlotModel::channel(int index) const { return partAt(m_channels, index); }
PlotLineItem& PlotModel::lineItem(int index) { return partAt(m_lineItems, index); }
const PlotLineItem& PlotModel::lineItem(int index) const { return partAt(m_lineItems, index); }

int PlotModel::addChannel()
{
    m_channels.emplace_back(sink());
    appearanceChanged();
    return channelCount() - 1;
}

int PlotModel::addLineItem(PlotLineItem::Orientation orientation)
{
    m_lineItems.emplace_back(sink(), orientation);
    appearanceChanged();
    return lineItemCount() - 1;
}

void PlotModel::BeginUpdate()
{
    m_updateHeld = true;
}

void PlotModel::EndUpdate()
{
    m_updateHeld = false;
    appearanceChanged();
}

void PlotModel::setFrameRate(int framesPerSecond)
{
    m_frameRate = framesPerSecond;
}

QString PlotModel::xLabel(double value) const
{
    QString label = QString::number(value);
    if (onXLabelRequest)
        onXLabelRequest(value, label);
    return label;
}

void PlotModel::appearanceChanged()
{
    if (!m_updateHeld && onRepaint)
        onRepaint();
}

void PlotModel::axisRangeChanged(const PlotAxis& axis)
{
    raise(&axis == &m_xAxis ? onXAxisChange : onYAxisChange);
    appearanceChanged();
}

void PlotModel::rangeTrackingSwitchedOn(const PlotAxis& axis)
{
    if (&axis == &m_yAxis)
        fitYRange();
    appearanceChanged();
}

void PlotModel::lineCleared()
{
    m_fitPending = true;
    appearanceChanged();
}

void PlotModel::pointShown(double y)
{
    if (m_yAxis.rangeTracking() && (m_fitPending || y < m_yAxis.minimum() || y > m_yAxis.maximum()))
        fitYRange();
}

void PlotModel::fitYRange()
{
    std::optional<PlotDataLine::YRange> fitted;
    for (const PlotDataLine& line : m_dataLines) {
        if (!line.visible())
            continue;
        const auto range = line.yRange();
        if (!range)
            continue;
        if (!fitted)
            fitted = range;
        fitted->lowest = std::min(fitted->lowest, range->lowest);
        fitted->highest = std::max(fitted->highest, range->highest);
    }
    if (!fitted || !std::isfinite(fitted->highest - fitted->lowest))
        return;
    m_fitPending = false;
    if (fitted->lowest == fitted->highest)
        m_yAxis.setRange(fitted->lowest - 1.0, 2.0);
    else
        m_yAxis.setRange(fitted->lowest, fitted->highest - fitted->lowest);
}

void PlotModel::raise(const std::function<void()>& handler)
{
    if (handler)
        handler();
}

} // namespace widgets
