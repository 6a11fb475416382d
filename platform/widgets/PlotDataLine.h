#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace widgets {

class PlotChangeSink;

// One data line of the plot: points in the order added, each with X, Y and an empty flag. An
// empty point is not drawn and breaks the line; so is a point whose X or Y is not finite.
// Point indices are 0-based; one out of range is an error.
class PlotDataLine {
public:
    struct Point {
        double x = 0.0;
        double y = 0.0;
        bool empty = false;
    };
    struct YRange {
        double lowest = 0.0;
        double highest = 0.0;
    };

    explicit PlotDataLine(PlotChangeSink& sink);
    PlotDataLine(const PlotDataLine&) = delete;
    PlotDataLine& operator=(const PlotDataLine&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    uint32_t color() const { return m_color; }
    void setColor(uint32_t color);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    void clear();
    void addPoint(double x, double y);
    void addEmptyPoint(double x);

    int pointCount() const { return static_cast<int>(m_points.size()); }
    // Drops the points beyond `count`; a count above the present one leaves the line as it is
    // (points are added with their X), a negative one is an error.
    void setPointCount(int count);

    const Point& point(int index) const;
    void setY(int index, double y);
    bool empty(int index) const { return point(index).empty; }
    void setEmpty(int index, bool empty);

    // Lowest and highest Y of the points that are drawn; nothing when none is. Kept up to date
    // as points are added, so that a line that only grows answers at once.
    std::optional<YRange> yRange() const;
    double lowest() const;
    double highest() const;

    const std::vector<Point>& points() const { return m_points; }
    static bool drawn(const Point& point);

private:
    size_t checkedIndex(int index) const;
    void pointChanged(const Point& point);
    // A point's Y or empty flag changed, or points were dropped: the range is worked out again
    // when next asked for.
    void forgetRange() { m_rangeKnown = false; }

    PlotChangeSink& m_sink;
    QString m_name;
    uint32_t m_color = 0xFFFFFF;
    bool m_visible = true;
    std::vector<Point> m_points;
    mutable std::optional<YRange> m_range;
    mutable bool m_rangeKnown = true;
};

} // namespace widgets
