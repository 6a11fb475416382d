#include "XGraph.h"

#include "CSnapshotPipeline.h"
#include "CTrendPipeline.h"
#include "CWaveformPipeline.h"
#include "GraphLayout.h"

#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "format/Format.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QEvent>

#include <algorithm>

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("XGraph");
constexpr int kTitleHeight = 255;
constexpr int kFpsWidth = 525;
constexpr uint32_t kShadowColor = 0x808080;

constexpr std::array<const char*, XGraph::kLegendEntries> kLegendCaptions{
    "20410::Detect level", "20383::Max", "20382::Min", "20411::Limits"};
constexpr std::array<uint32_t, XGraph::kLegendEntries> kLegendColors{0xFFFF00, 0x80FF80, 0x80FFFF, 0xC0};

enum ScaleAction : int32_t { ZoomIn = 0, ScrollMinus = 1, ToggleAuto = 2, ScrollPlus = 3, ZoomOut = 4 };

int twips(int pixels) { return widgets::pixelsToTwips(pixels); }

void placeAt(QWidget& widget, const std::optional<QRect>& twipsRect)
{
    if (twipsRect)
        widget.setGeometry(widgets::twipsRect(twipsRect->x(), twipsRect->y(), twipsRect->width(),
                                              twipsRect->height()));
}

void moveTo(QWidget& widget, QPoint twipsPoint)
{
    widget.move(widgets::twipsToPixels(twipsPoint.x()), widgets::twipsToPixels(twipsPoint.y()));
}

std::shared_ptr<IGraphPipeline> pipelineFor(EZeltorGraphType type)
{
    switch (type) {
    case egtWaveformGraph:
        return std::make_shared<CWaveformPipeline>();
    case egtTrendGraph:
        return std::make_shared<CTrendPipeline>();
    case egtSnapshotGraph:
        return std::make_shared<CSnapshotPipeline>();
    }
    return nullptr;
}

} // namespace

XGraph::XGraph(QWidget* parent)
    : QWidget(parent)
{
    lblTitle.setObjectName(QStringLiteral("lblTitle"));
    iplGraph.setObjectName(QStringLiteral("iplGraph"));
    shpShadow.setObjectName(QStringLiteral("shpShadow"));
    xgsScaleX.setObjectName(QStringLiteral("xgsScaleX"));
    xgsScaleY.setObjectName(QStringLiteral("xgsScaleY"));
    lblFPS.setObjectName(QStringLiteral("lblFPS"));

    lblTitle.setFont(widgets::windowsFont(QStringLiteral("Arial"), 11.25, true));
    lblTitle.setAlignment(Qt::AlignCenter);
    lblTitle.resize(lblTitle.width(), widgets::twipsToPixels(kTitleHeight));
    lblTitle.setText(QStringLiteral("20400::(No item selected)"));
    widgets::setBackColor(shpShadow, kShadowColor);
    lblFPS.setFont(widgets::windowsFont(QStringLiteral("Arial"), 7.0));
    lblFPS.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblFPS.resize(widgets::twipsToPixels(kFpsWidth), lblFPS.sizeHint().height());
    lblFPS.setText(QStringLiteral("00 FPS"));
    lblFPS.hide();
    for (int32_t index = 0; index < kLegendEntries; ++index) {
        auto& entry = xglLegend[static_cast<size_t>(index)];
        entry = new XGraphLegend(this);
        entry->setObjectName(QStringLiteral("xglLegend%1").arg(index));
        entry->setCaption(QString::fromUtf8(kLegendCaptions[static_cast<size_t>(index)]));
        entry->onClick = [this, index] { legendClicked(index); };
        // A hidden entry takes no room: the legend closes up whenever one shows or hides.
        entry->installEventFilter(this);
    }
    xgsScaleX.raise();
    xgsScaleY.raise();
    lblFPS.raise();

    widgets::PlotModel& plot = iplGraph.model();
    plot.onXAxisChange = [this] { xAxisChanged(); };
    plot.onYAxisChange = [this] { yAxisChanged(); };
    plot.onXLabelRequest = [this](double value, QString& label) {
        if (m_pipelineReady && m_pipeline)
            com::ignoreFailure([&] { label = m_pipeline->GetXLabel(com::Value(value)); });
    };
    xgsScaleX.onScaleAction = [this](int32_t action) { scaleXAction(action); };
    xgsScaleY.onScaleAction = [this](int32_t action) { scaleYAction(action); };

    com::ignoreFailure([&] { setUpPlot(); });
    setHighLight(true);
    layOut();
}

XGraph::~XGraph()
{
    // Breaks the item's hold on the pipeline, which would otherwise draw on a control that is gone.
    if (m_data && m_pipeline)
        com::ignoreFailure([&] { m_data->ReleasePipeline(false); });
}

void XGraph::setUpPlot()
{
    widgets::PlotModel& plot = iplGraph.model();
    widgets::PlotDataLine& maxLine = plot.dataLine(0);
    maxLine.setName(QStringLiteral("max"));
    maxLine.setColor(0xFFFFFF);
    maxLine.setVisible(true);
    widgets::PlotDataLine& minLine = plot.dataLine(1);
    minLine.setName(QStringLiteral("min"));
    minLine.setColor(0x80FFFF);
    minLine.setVisible(false);
    using Orientation = widgets::PlotLineItem::Orientation;
    plot.lineItem(plot.addLineItem(Orientation::Vertical)).setColor(0xFF0000); // the cursor
    const auto band = [&](uint32_t color) {
        widgets::PlotChannel& channel = plot.channel(plot.addChannel());
        channel.setColor(color);
        channel.setReferenceMode(widgets::PlotChannel::kTwoReferences);
        channel.setVisible(false);
    };
    band(0xC0); // the limit band
    for (int limitLine = 0; limitLine < 2; ++limitLine) {
        widgets::PlotLineItem& item = plot.lineItem(plot.addLineItem(Orientation::Horizontal));
        item.setColor(0xC0);
        item.setVisible(false);
    }
    band(0xFFFF00); // the detect-level band
    for (int32_t index = 0; index < kLegendEntries; ++index)
        LegendItem(index).setForeColor(kLegendColors[static_cast<size_t>(index)]);
    Zeltor::translateControls(*this);
    for (int32_t index = 0; index < kLegendEntries; ++index)
        LegendItem(index).setCaption(LegendItem(index).Caption());
}

bool XGraph::Border() const
{
    return !lblTitle.isHidden();
}

void XGraph::setBorder(bool border)
{
    lblTitle.setVisible(border);
    layOut();
}

void XGraph::setHighLight(bool highLight)
{
    m_backColor = highLight ? widgets::kSystemActiveTitle : widgets::kSystemInactiveTitle;
    widgets::setBackColor(*this, m_backColor);
    widgets::setForeColor(lblTitle,
                          highLight ? widgets::kSystemActiveTitleText : widgets::kSystemInactiveTitleText);
    update();
}

int32_t XGraph::CurrentX() const
{
    return m_pipeline ? m_pipeline->CurrentX() : 0;
}

int32_t XGraph::UpdateFrameRate() const
{
    return iplGraph.model().frameRate();
}

void XGraph::setUpdateFrameRate(int32_t framesPerSecond)
{
    iplGraph.model().setFrameRate(framesPerSecond);
    lblFPS.setText(QStringLiteral("%1 FPS").arg(framesPerSecond));
    lblFPS.show();
}

void XGraph::RefreshTitle()
{
    if (m_data)
        lblTitle.setText(m_data->Title());
}

void XGraph::CreatePipeLine(const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos)
{
    DestroyPipeline(true);
    m_data = igdData;
    const IGraphData& item = com::required(igdData);
    lblTitle.setText(item.Title());
    const EZeltorGraphType type = item.GraphType();
    m_pipeline = pipelineFor(type);
    lblFPS.setVisible(type == egtWaveformGraph);
    // A graph type outside the three has no pipeline, and initialising it fails.
    com::required(m_pipeline).Initialize(this, igdData, iXStartPos);
    m_pipelineReady = true;
    m_data->HookPipeline(m_pipeline);
    layOut();
    reportXScale();
}

void XGraph::DestroyPipeline(bool fStoreSettings)
{
    if (m_data)
        com::ignoreFailure([&] { m_data->ReleasePipeline(fStoreSettings); });
    m_pipeline.reset();
    m_pipelineReady = false;
}

XGraphLegend& XGraph::LegendItem(int32_t index) const
{
    if (index < 0 || index >= kLegendEntries)
        throw com::Error::subscript(kSource);
    return *xglLegend[static_cast<size_t>(index)];
}

void XGraph::ApplySyncXScale(EZeltorGraphType type, int32_t minimum, int32_t span, bool autoScale)
{
    if (!m_data || !m_pipeline)
        return;
    com::ignoreFailure([&] {
        if (m_data->GraphType() != type)
            return;
        // This graph's own X change must not go back to the partner that sent it.
        const com::FlagGuard applying(m_applyingSync);
        m_pipeline->SetXScale(minimum, span, autoScale);
        xgsScaleX.setAutoScale(autoScale);
    });
}

void XGraph::reportXScale()
{
    if (m_applyingSync || !m_synchronize)
        return;
    const widgets::PlotAxis& xAxis = iplGraph.model().xAxis();
    const bool autoScale = xgsScaleX.AutoScale();
    IGraphData& item = com::required(m_data);
    item.SyncXScale(format::toInt32(xAxis.minimum()), format::toInt32(xAxis.maximum()), autoScale);
    if (XGraph* master = m_syncMaster.data())
        master->ApplySyncXScale(item.GraphType(), format::toInt32(xAxis.minimum()),
                                format::toInt32(xAxis.span()), autoScale);
}

void XGraph::xAxisChanged()
{
    if (!m_handleEvents || !m_data)
        return;
    const auto trackX = [this] { xgsScaleX.setAutoScale(iplGraph.model().xAxis().rangeTracking()); };
    com::ignoreFailure([&] {
        switch (m_data->GraphType()) {
        case egtWaveformGraph:
            reportXScale();
            break;
        case egtTrendGraph:
            trackX();
            break;
        case egtSnapshotGraph:
            com::ignoreFailure([&] { reportXScale(); });
            trackX();
            break;
        }
    });
}

void XGraph::yAxisChanged()
{
    const widgets::PlotAxis& yAxis = iplGraph.model().yAxis();
    xgsScaleY.setAutoScale(yAxis.rangeTracking());
    if (m_pipeline)
        com::ignoreFailure([&] { m_pipeline->SetYScale(yAxis.minimum(), yAxis.span(), yAxis.rangeTracking()); });
}

void XGraph::legendClicked(int32_t index)
{
    if (m_pipeline)
        m_pipeline->LegendChange(index, LegendItem(index).Value() == 1);
}

void XGraph::scaleXAction(int32_t action)
{
    if (!m_pipeline)
        return;
    const widgets::PlotAxis& xAxis = iplGraph.model().xAxis();
    int32_t span = format::toInt32(xAxis.span());
    int32_t minimum = format::toInt32(xAxis.minimum());
    bool autoScale = false;
    switch (action) {
    case ZoomIn:
        span = format::toInt32(span * 0.9);
        break;
    case ScrollMinus:
        minimum = format::toInt32(static_cast<double>(minimum) - span);
        break;
    case ToggleAuto:
        autoScale = xgsScaleX.AutoScale();
        break;
    case ScrollPlus:
        minimum = format::toInt32(static_cast<double>(minimum) + span);
        break;
    case ZoomOut:
        // At least one more, or a span of 1 to 4 would never grow.
        span = std::max(format::toInt32(span * 1.1), format::toInt32(static_cast<double>(span) + 1.0));
        break;
    default:
        break;
    }
    const auto pipeline = m_pipeline;
    pipeline->SetXScale(minimum, span, autoScale);
    xgsScaleX.setAutoScale(autoScale);
    reportXScale();
}

void XGraph::scaleYAction(int32_t action)
{
    if (!m_pipeline)
        return;
    const widgets::PlotAxis& yAxis = iplGraph.model().yAxis();
    double span = yAxis.span();
    double minimum = yAxis.minimum();
    const double step = 0.1 * span;
    bool autoScale = false;
    switch (action) {
    case ZoomIn:
        span *= 0.8;
        minimum += step;
        break;
    case ScrollMinus:
        minimum -= span;
        break;
    case ToggleAuto:
        autoScale = xgsScaleY.AutoScale();
        break;
    case ScrollPlus:
        minimum += span;
        break;
    case ZoomOut:
        span *= 1.2;
        minimum -= step;
        break;
    default:
        break;
    }
    const auto pipeline = m_pipeline;
    pipeline->SetYScale(minimum, span, autoScale);
    xgsScaleY.setAutoScale(autoScale);
}

void XGraph::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

bool XGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        layOut();
    return QWidget::eventFilter(watched, event);
}

void XGraph::layOut()
{
    GraphLayoutInput input;
    input.inner = QSize(twips(width()), twips(height()));
    input.titleVisible = Border();
    input.titleHeight = twips(lblTitle.height());
    input.scaleX = QSize(twips(xgsScaleX.width()), twips(xgsScaleX.height()));
    input.fpsWidth = twips(lblFPS.width());
    for (int32_t index = 0; index < kLegendEntries; ++index) {
        const XGraphLegend& entry = LegendItem(index);
        input.legend[static_cast<size_t>(index)] = {!entry.isHidden(), twips(entry.width())};
    }
    const GraphLayoutResult layout = graphLayout(input);
    placeAt(lblTitle, layout.title);
    placeAt(iplGraph, layout.plot);
    placeAt(shpShadow, layout.shadow);
    moveTo(xgsScaleX, layout.scaleX);
    moveTo(xgsScaleY, layout.scaleY);
    // The Y strip lies over the plot's left edge; the plot keeps its Y labels clear of it.
    iplGraph.setReservedLeft(std::max(0, xgsScaleY.geometry().right() + 1 - iplGraph.x()));
    for (int32_t index = 0; index < kLegendEntries; ++index)
        if (const auto& position = layout.legend[static_cast<size_t>(index)])
            moveTo(LegendItem(index), *position);
    moveTo(lblFPS, layout.fps);
}

} // namespace ZeltorGraph
