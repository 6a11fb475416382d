#pragma once

#include <QString>

#include <cstdint>

namespace widgets {

class PlotChangeSink;

// A channel marks reference values across the plot: one horizontal line at the first value
// (reference mode 1) or lines at the first and second value (reference mode 3).
class PlotChannel {
public:
    static constexpr int kOneReference = 1;
    static constexpr int kTwoReferences = 3;

    explicit PlotChannel(PlotChangeSink& sink);
    PlotChannel(const PlotChannel&) = delete;
    PlotChannel& operator=(const PlotChannel&) = delete;

    uint32_t color() const { return m_color; }
    void setColor(uint32_t color);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // Any mode other than 1 draws both values.
    int referenceMode() const { return m_referenceMode; }
    void setReferenceMode(int mode);
    double firstReference() const { return m_firstReference; }
    void setFirstReference(double value);
    double secondReference() const { return m_secondReference; }
    void setSecondReference(double value);

private:
    PlotChangeSink& m_sink;
    uint32_t m_color = 0xFFFFFF;
    bool m_visible = true;
    int m_referenceMode = kTwoReferences;
    double m_firstReference = 0.0;
    double m_secondReference = 0.0;
};

// A line item is one labelled line across the plot: vertical at its X position (a cursor) or
// horizontal at its Y position (a limit line).
class PlotLineItem {
public:
    enum class Orientation { Vertical, Horizontal };

    PlotLineItem(PlotChangeSink& sink, Orientation orientation);
    PlotLineItem(const PlotLineItem&) = delete;
    PlotLineItem& operator=(const PlotLineItem&) = delete;

    Orientation orientation() const { return m_orientation; }
    uint32_t color() const { return m_color; }
    void setColor(uint32_t color);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    double xPosition() const { return m_xPosition; }
    void setXPosition(double x);
    double yPosition() const { return m_yPosition; }
    void setYPosition(double y);
    const QString& label() const { return m_label; }
    void setLabel(const QString& label);

private:
    PlotChangeSink& m_sink;
    Orientation m_orientation;
    uint32_t m_color = 0xFFFFFF;
    bool m_visible = true;
    double m_xPosition = 0.0;
    double m_yPosition = 0.0;
    QString m_label;
};

} // namespace widgets
