#pragma once

#include "GraphInterfaces.h"

#include <QPointer>
#include <QString>

namespace widgets {
class PlotAxis;
class PlotDataLine;
class PlotModel;
} // namespace widgets

namespace ZeltorGraph {

class XGraphLegend;
class XGraphScaleStrip;

// What the three pipelines share: the graph control they draw on, held weakly (a pipeline whose
// graph is gone raises 91, object not set, on its next use of it), the parts of the graph they
// reach, the update bracket, and the axis titling.
class GraphPipeline : public IGraphPipeline {
public:
    void BeginUpdate() override;
    void EndUpdate() override;

protected:
    // The parts of the plot as the graph control sets them up, and the X strip's scroll buttons.
    static constexpr int kLimitBand = 0;       // channel
    static constexpr int kDetectLevelBand = 1; // channel
    static constexpr int kCursor = 0;          // line item
    static constexpr int kHighLine = 1;        // line item
    static constexpr int kLowLine = 2;         // line item
    static constexpr int32_t kScrollRight = 1;
    static constexpr int32_t kScrollLeft = 3;
    // Waveforms and snapshots: samples per second, the X unit.
    static constexpr int32_t kSamplesPerSecond = 50;

    // Keeps the graph when one is given; none keeps the graph already held.
    void bindGraph(XGraph* graph);
    bool holdsGraph() const { return !m_graph.isNull(); }
    XGraph& graph() const;
    widgets::PlotModel& plot() const;
    widgets::PlotAxis& xAxis() const;
    widgets::PlotAxis& yAxis() const;
    widgets::PlotDataLine& dataLine(int index) const;
    XGraphLegend& legend(int32_t index) const;
    XGraphScaleStrip& scaleX() const;
    XGraphScaleStrip& scaleY() const;
    // The Y axis follows the data by itself, or shows the settings' fixed range.
    void applyYSettings(const IGraphSettings& settings) const;
    // The view of a waveform or snapshot graph as the user left it: the scale strips' auto flags,
    // the X window from `xMinimum` over the X span, the Y range, and the detect-level and limits
    // legend entries.
    void storeSampleView(IGraphSettings& settings, double xMinimum) const;
    // "[unit]" as the Y axis title.
    void setYTitle(const IGraphData& data) const;
    // The high (index 0) and low (index 1) limit of a parameter; none has both disabled at 0.
    struct LimitLines {
        bool highEnabled = false;
        bool lowEnabled = false;
        float high = 0.0f;
        float low = 0.0f;
    };
    static LimitLines limitLines(const Nelvar::ILimit* limit);
    // A legend entry's check box value for a show flag.
    static int16_t checkValue(bool shown) { return shown ? 1 : 0; }
    static bool checked(const XGraphLegend& entry);

private:
    QPointer<XGraph> m_graph;
};

} // namespace ZeltorGraph
