#pragma once

#include "GraphInterfaces.h"
#include "XGraphLegend.h"
#include "XGraphScale.h"

#include "widgets/Colors.h"
#include "widgets/PlotWidget.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

namespace ZeltorGraph {

// The graph control: shows one drawable data item at a time on a plot, with a title bar, a grey
// band under the plot that carries the X scale strip and the legend, and a Y scale strip over the
// plot. It creates the pipeline that suits the item's graph type, hands it to the item, and routes
// the user's actions (legend clicks, scale buttons, axis changes of the plot) to that pipeline.
// Two graphs can keep their X axes in step: each reports its X changes to its sync master.
//
// Destroying the control lets its item go without storing the view; a pipeline or a partner that
// outlives the control finds it gone.
class XGraph final : public QWidget {
public:
    static constexpr int kLegendEntries = 4;

    explicit XGraph(QWidget* parent = nullptr);
    ~XGraph() override;

    // Whether the control reacts to the plot's X-axis changes; pipelines switch it off while they
    // set the plot up.
    bool HandleEvents() const { return m_handleEvents; }
    void setHandleEvents(bool handleEvents) { m_handleEvents = handleEvents; }
    // Whether the title bar shows.
    bool Border() const;
    void setBorder(bool border);
    // The item given to the last CreatePipeLine, kept after DestroyPipeline.
    std::shared_ptr<IGraphData> GraphData() const { return m_data; }
    // The active or inactive title bar colours.
    bool HighLight() const { return m_backColor == widgets::kSystemActiveTitle; }
    void setHighLight(bool highLight);
    // The pipeline's current X, 0 without one.
    int32_t CurrentX() const;
    bool Synchronize() const { return m_synchronize; }
    void setSynchronize(bool synchronize) { m_synchronize = synchronize; }
    // The plot's frame rate; setting it also shows it in the band as "NN FPS".
    int32_t UpdateFrameRate() const;
    void setUpdateFrameRate(int32_t framesPerSecond);
    void RefreshTitle();

    // Replaces the pipeline by one for the item's graph type and hands it to the item. Errors
    // pass to the caller; what was done before them stays done.
    void CreatePipeLine(const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos);
    // Lets the item go, storing the graph's view into its settings when asked. Raises nothing.
    void DestroyPipeline(bool fStoreSettings = true);
    // The graph that receives this graph's X-scale changes; none clears it.
    void SetSyncMaster(XGraph* xgrMaster) { m_syncMaster = xgrMaster; }

    // What the pipelines draw on and set up. An index outside 0 to 3 is an error.
    XGraphLegend& LegendItem(int32_t index) const;
    XGraphScaleStrip& ScaleX() { return xgsScaleX; }
    XGraphScaleStrip& ScaleY() { return xgsScaleY; }
    widgets::PlotModel& PlotControl() { return iplGraph.model(); }
    // A partner's X change, applied when this graph shows an item of the same type; raises nothing.
    void ApplySyncXScale(EZeltorGraphType type, int32_t minimum, int32_t span, bool autoScale);

    // The parts on screen, for the views that place the control and for tests.
    widgets::PlotWidget& plotWidget() { return iplGraph; }
    const QLabel& title() const { return lblTitle; }
    const QLabel& frameRateLabel() const { return lblFPS; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpPlot();
    void layOut();
    void reportXScale();
    void xAxisChanged();
    void yAxisChanged();
    void legendClicked(int32_t index);
    void scaleXAction(int32_t action);
    void scaleYAction(int32_t action);

    QLabel lblTitle{this};
    widgets::PlotWidget iplGraph{this};
    QWidget shpShadow{this};
    XGraphScaleX xgsScaleX{this};
    XGraphScaleY xgsScaleY{this};
    std::array<XGraphLegend*, kLegendEntries> xglLegend{};
    QLabel lblFPS{this};

    std::shared_ptr<IGraphPipeline> m_pipeline;
    std::shared_ptr<IGraphData> m_data;
    QPointer<XGraph> m_syncMaster;
    bool m_pipelineReady = false;
    bool m_applyingSync = false;
    bool m_synchronize = true;
    bool m_handleEvents = false;
    uint32_t m_backColor = widgets::kSystemActiveTitle;
};

} // namespace ZeltorGraph
