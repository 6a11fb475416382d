#pragma once

#include <QString>

namespace widgets {

class PlotChangeSink;

// One axis of the plot: its visible range (minimum and span, kept as set), its own range
// tracking flag, title, label step and scroll bounds. Every setter that really changes the
// minimum or the span tells the plot at once, inside the call.
class PlotAxis {
public:
    explicit PlotAxis(PlotChangeSink& sink);
    PlotAxis(const PlotAxis&) = delete;
    PlotAxis& operator=(const PlotAxis&) = delete;

    double minimum() const { return m_minimum; }
    double span() const { return m_span; }
    double maximum() const { return m_minimum + m_span; }
    // A minimum or span that is not finite is an error and changes nothing. A span of 0 or
    // below is kept as set; the plot then shows the range from minimum − 1 to minimum + 1.
    void setMinimum(double minimum);
    void setSpan(double span);
    // Sets both and reports the change once.
    void setRange(double minimum, double span);

    // The range the plot shows: [first, second].
    double shownMinimum() const;
    double shownMaximum() const;

    bool rangeTracking() const { return m_rangeTracking; }
    void setRangeTracking(bool on);

    const QString& title() const { return m_title; }
    void setTitle(const QString& title);

    double labelStep() const { return m_labelStep; }
    void setLabelStep(double step);

    double lowerScrollBound() const { return m_lowerScrollBound; }
    void setLowerScrollBound(double bound) { m_lowerScrollBound = bound; }
    double upperScrollBound() const { return m_upperScrollBound; }
    void setUpperScrollBound(double bound) { m_upperScrollBound = bound; }
    bool boundedScrolling() const { return m_boundedScrolling; }
    void setBoundedScrolling(bool on) { m_boundedScrolling = on; }

private:
    PlotChangeSink& m_sink;
    double m_minimum = 0.0;
    double m_span = 100.0;
    bool m_rangeTracking = false;
    QString m_title;
    double m_labelStep = 10.0;
    double m_lowerScrollBound = 0.0;
    double m_upperScrollBound = 100.0;
    bool m_boundedScrolling = false;
};

} // namespace widgets
