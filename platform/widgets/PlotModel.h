#pragma once

#include "PlotAxis.h"
#include "PlotChangeSink.h"
#include "PlotDataLine.h"
#include "PlotMarkers.h"

#include <QString>

#include <array>
#include <deque>
#include <functional>
#include <vector>

namespace widgets {

// The plot control's model: one X and one Y axis, two data lines, the channels and line items
// added to it, and its three events, each raised synchronously inside the call that causes it.
//
// The Y axis's own range tracking, while on, fits the axis to the drawn points of the visible
// lines (minimum = lowest, span = highest − lowest; ± 1 around a flat trace): when it is switched
// on, when a point is drawn outside the range, and for the first point drawn after a line was
// cleared. Minimum and span set by code are kept as set and leave range tracking on.
class PlotModel final : private PlotChangeSink {
public:
    static constexpr int kDataLineCount = 2;

    PlotModel();
    PlotModel(const PlotModel&) = delete;
    PlotModel& operator=(const PlotModel&) = delete;

    // Axis, line, channel and item indices out of range are an error.
    PlotAxis& xAxis(int index = 0);
    const PlotAxis& xAxis(int index = 0) const;
    PlotAxis& yAxis(int index = 0);
    const PlotAxis& yAxis(int index = 0) const;
    PlotDataLine& dataLine(int index);
    const PlotDataLine& dataLine(int index) const;
    PlotChannel& channel(int index);
    const PlotChannel& channel(int index) const;
    PlotLineItem& lineItem(int index);
    const PlotLineItem& lineItem(int index) const;
    int channelCount() const { return static_cast<int>(m_channels.size()); }
    int lineItemCount() const { return static_cast<int>(m_lineItems.size()); }

    // Each returns the index of the new part.
    int addChannel();
    int addLineItem(PlotLineItem::Orientation orientation);

    // Hold painting between the two; the end shows the batch at once, with or without a begin.
    void BeginUpdate();
    void EndUpdate();
    bool updateHeld() const { return m_updateHeld; }

    // Frames per second that repaints are coalesced to; 0 or below repaints at once.
    int frameRate() const { return m_frameRate; }
    void setFrameRate(int framesPerSecond);

    // The events. The label request starts from the value in decimal; the text the handler
    // leaves is the label shown.
    std::function<void()> onXAxisChange;
    std::function<void()> onYAxisChange;
    std::function<void(double value, QString& label)> onXLabelRequest;
    // Asked for by the painting side: called for each change that is to be shown, never while
    // painting is held.
    std::function<void()> onRepaint;

    QString xLabel(double value) const;

private:
    void appearanceChanged() override;
    void axisRangeChanged(const PlotAxis& axis) override;
    void rangeTrackingSwitchedOn(const PlotAxis& axis) override;
    void lineCleared() override;
    void pointShown(double y) override;

    PlotChangeSink& sink() { return *this; }
    void fitYRange();
    static void raise(const std::function<void()>& handler);

    PlotAxis m_xAxis{*this};
    PlotAxis m_yAxis{*this};
    std::array<PlotDataLine, kDataLineCount> m_dataLines{PlotDataLine{*this}, PlotDataLine{*this}};
    std::deque<PlotChannel> m_channels;
    std::deque<PlotLineItem> m_lineItems;
    bool m_updateHeld = false;
    bool m_fitPending = true;
    int m_frameRate = 0;
};

} // namespace widgets
