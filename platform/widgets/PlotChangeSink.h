#pragma once

namespace widgets {

class PlotAxis;

// What the parts of a plot (axes, data lines, channels, line items) tell the plot that owns them.
class PlotChangeSink {
public:
    // Something that is drawn changed; the plot repaints unless painting is held.
    virtual void appearanceChanged() = 0;
    // The axis's minimum or span really changed.
    virtual void axisRangeChanged(const PlotAxis& axis) = 0;
    // The axis's own range tracking was switched on.
    virtual void rangeTrackingSwitchedOn(const PlotAxis& axis) = 0;
    // A data line lost all its points.
    virtual void lineCleared() = 0;
    // A point of a visible data line is now drawn (not empty, finite) at `y`.
    virtual void pointShown(double y) = 0;

protected:
    ~PlotChangeSink() = default;
};

} // namespace widgets
