#include "PlotMarkers.h"

#include "PlotChangeSink.h"

namespace widgets {

namespace {

// Stores the value and has the plot repaint.
template <typename T>
void assign(T& field, const T& value, PlotChangeSink& sink)
{
    field = value;
    sink.appearanceChanged();
}

} // namespace

PlotChannel::PlotChannel(PlotChangeSink& sink)
    : m_sink(sink)
{
}

void PlotChannel::setColor(uint32_t color) { assign(m_color, color, m_sink); }
void PlotChannel::setVisible(bool visible) { assign(m_visible, visible, m_sink); }
void PlotChannel::setReferenceMode(int mode) { assign(m_referenceMode, mode, m_sink); }
void PlotChannel::setFirstReference(double value) { assign(m_firstReference, value, m_sink); }
void PlotChannel::setSecondReference(double value) { assign(m_secondReference, value, m_sink); }

PlotLineItem::PlotLineItem(PlotChangeSink& sink, Orientation orientation)
    : m_sink(sink)
    , m_orientation(orientation)
{
}

void PlotLineItem::setColor(uint32_t color) { assign(m_color, color, m_sink); }
void PlotLineItem::setVisible(bool visible) { assign(m_visible, visible, m_sink); }
void PlotLineItem::setXPosition(double x) { assign(m_xPosition, x, m_sink); }
void PlotLineItem::setYPosition(double y) { assign(m_yPosition, y, m_sink); }
void PlotLineItem::setLabel(const QString& label) { assign(m_label, label, m_sink); }

} // namespace widgets
