#include "GraphPipeline.h"

#include "XGraph.h"

#include "Standards.h"

#include "com/Error.h"

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("ZeltorGraph.Pipeline");

} // namespace

void GraphPipeline::BeginUpdate()
{
    plot().BeginUpdate();
}

void GraphPipeline::EndUpdate()
{
    plot().EndUpdate();
}

void GraphPipeline::bindGraph(XGraph* graph)
{
    if (graph)
        m_graph = graph;
}

XGraph& GraphPipeline::graph() const
{
    if (m_graph.isNull())
        throw com::Error::objectNotSet(kSource);
    return *m_graph;
}

widgets::PlotModel& GraphPipeline::plot() const { return graph().PlotControl(); }
widgets::PlotAxis& GraphPipeline::xAxis() const { return plot().xAxis(0); }
widgets::PlotAxis& GraphPipeline::yAxis() const { return plot().yAxis(0); }
widgets::PlotDataLine& GraphPipeline::dataLine(int index) const { return plot().dataLine(index); }
XGraphLegend& GraphPipeline::legend(int32_t index) const { return graph().LegendItem(index); }
XGraphScaleStrip& GraphPipeline::scaleX() const { return graph().ScaleX(); }
XGraphScaleStrip& GraphPipeline::scaleY() const { return graph().ScaleY(); }

void GraphPipeline::applyYSettings(const IGraphSettings& settings) const
{
    widgets::PlotAxis& axis = yAxis();
    if (settings.AutoScaleY()) {
        axis.setRangeTracking(true);
        scaleY().setAutoScale(true);
        return;
    }
    axis.setRangeTracking(false);
    axis.setMinimum(settings.Ymin());
    axis.setSpan(static_cast<double>(settings.Ymax()) - axis.minimum());
    scaleY().setAutoScale(false);
}

void GraphPipeline::storeSampleView(IGraphSettings& settings, double xMinimum) const
{
    const widgets::PlotAxis& x = xAxis();
    const widgets::PlotAxis& y = yAxis();
    settings.setAutoScaleX(scaleX().AutoScale());
    settings.setXmin(static_cast<float>(xMinimum));
    settings.setXmax(static_cast<float>(static_cast<double>(settings.Xmin()) + x.span()));
    settings.setAutoScaleY(scaleY().AutoScale());
    settings.setYmin(static_cast<float>(y.minimum()));
    settings.setYmax(static_cast<float>(static_cast<double>(settings.Ymin()) + y.span()));
    settings.setShowDetectLevel(checked(legend(eleDetectLevel)));
    settings.setShowLimits(checked(legend(eleLimits)));
}

void GraphPipeline::setYTitle(const IGraphData& data) const
{
    yAxis().setTitle(QLatin1Char('[') + data.Unit() + QLatin1Char(']'));
}

GraphPipeline::LimitLines GraphPipeline::limitLines(const Nelvar::ILimit* limit)
{
    LimitLines lines;
    if (!limit)
        return lines;
    limit->Enabled(0, lines.highEnabled);
    limit->Value(0, lines.high);
    limit->Enabled(1, lines.lowEnabled);
    limit->Value(1, lines.low);
    return lines;
}

bool GraphPipeline::checked(const XGraphLegend& entry)
{
    return entry.Value() == 1;
}

} // namespace ZeltorGraph
