#include "CSnapshotPipeline.h"

#include "XGraph.h"

#include "GMiscConverters.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <cstdint>
#include <limits>

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("ZeltorGraph.CSnapshotPipeline");
constexpr int32_t kNarrowestSpan = 50;

} // namespace

void CSnapshotPipeline::Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t)
{
    bindGraph(xgrGraph);
    XGraph& control = graph();
    const IGraphData& data = com::required(igdData);
    const IGraphSettings& settings = com::required(data.Settings());
    control.setHandleEvents(false);
    m_sampleCount = 0;

    widgets::PlotDataLine& line = dataLine(0);
    line.clear();
    line.setColor(0xFFFFFF);
    // The pane may last have shown a trend with its maximum curve hidden.
    line.setVisible(true);
    widgets::PlotDataLine& second = dataLine(1);
    second.clear();
    second.setVisible(false);
    widgets::PlotModel& model = plot();
    model.setFrameRate(0);

    model.channel(kDetectLevelBand).setVisible(m_detectLevelSet && settings.ShowDetectLevel());
    model.channel(kLimitBand).setVisible(false);
    for (const int item : {1, 2, 0})
        model.lineItem(item).setVisible(false);
    scaleX().setEnableButton(kScrollLeft, true);
    scaleX().setEnableButton(kScrollRight, true);

    legend(eleDetectLevel).setVisible(m_detectLevelSet);
    legend(eleDetectLevel).setValue(checkValue(settings.ShowDetectLevel()));
    legend(eleLimits).setVisible(false);
    legend(eleLimits).setValue(checkValue(settings.ShowLimits()));
    legend(eleMaximum).setVisible(false);
    legend(eleMinimum).setVisible(false);

    applyXSettings(settings);
    applyYSettings(settings);
    setYTitle(data);
    control.setHandleEvents(true);
}

void CSnapshotPipeline::applyXSettings(const IGraphSettings& settings)
{
    widgets::PlotAxis& axis = xAxis();
    axis.setRangeTracking(false);
    if (settings.AutoScaleX()) {
        axis.setRange(0.0, m_length);
        scaleX().setAutoScale(true);
    } else {
        axis.setRange(settings.Xmin(), static_cast<double>(settings.Xmax()) - settings.Xmin());
        scaleX().setAutoScale(false);
    }
    axis.setLabelStep(kSamplesPerSecond);
    axis.setLowerScrollBound(0.0);
    axis.setUpperScrollBound(static_cast<double>(m_xOffset) + m_length);
    axis.setBoundedScrolling(true);
}

void CSnapshotPipeline::Clear()
{
    dataLine(0).clear();
}

void CSnapshotPipeline::DrawValue(float rValue1, float)
{
    com::ignoreFailure([&] { dataLine(0).addPoint(m_sampleCount, rValue1); });
    if (m_sampleCount < std::numeric_limits<int32_t>::max())
        ++m_sampleCount;
}

void CSnapshotPipeline::SetDetectLevel(float rLevel)
{
    m_detectLevelSet = true;
    widgets::PlotChannel& band = plot().channel(kDetectLevelBand);
    band.setFirstReference(rLevel);
    band.setSecondReference(-static_cast<double>(rLevel));
    legend(eleDetectLevel).setVisible(true);
}

void CSnapshotPipeline::SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval)
{
    const int64_t reach = static_cast<int64_t>(iLength) + iInterval;
    if (reach < std::numeric_limits<int32_t>::min() || reach > std::numeric_limits<int32_t>::max())
        throw com::Error::overflow(kSource);
    m_startTime = iStartTime;
    m_length = iLength;
    m_xOffset = iInterval;
    xAxis().setUpperScrollBound(static_cast<double>(reach));
}

void CSnapshotPipeline::SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale)
{
    widgets::PlotAxis& axis = xAxis();
    double minimum = 0.0;
    double span = m_length;
    if (!fAutoScale) {
        const double upper = axis.upperScrollBound();
        span = iSpan < kNarrowestSpan ? kNarrowestSpan : std::min<double>(iSpan, format::toInt32(upper));
        if (iMin < axis.lowerScrollBound())
            minimum = format::toInt32(axis.lowerScrollBound());
        else if (iMin > upper - span)
            minimum = format::toInt32(upper - span);
        else
            minimum = iMin;
    }
    axis.setSpan(span);
    axis.setMinimum(minimum);
}

void CSnapshotPipeline::SetYScale(double rMin, double rSpan, bool fAutoScale)
{
    widgets::PlotAxis& axis = yAxis();
    double minimum = rMin;
    double span = rSpan;
    if (fAutoScale) {
        axis.setRangeTracking(true);
        const widgets::PlotDataLine& line = dataLine(0);
        const double lo = line.lowest();
        span = (line.highest() - lo) * 1.2;
        minimum = lo - 0.1 * span;
        if (span == 0.0) {
            minimum -= 1.0;
            span = 2.0;
        }
    } else {
        axis.setRangeTracking(false);
    }
    axis.setRange(minimum, span);
}

void CSnapshotPipeline::LegendChange(int32_t iLegendIdx, bool fValue)
{
    if (iLegendIdx == eleDetectLevel && m_detectLevelSet)
        plot().channel(kDetectLevelBand).setVisible(fValue);
}

void CSnapshotPipeline::StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings)
{
    storeSampleView(com::required(igsSettings), xAxis().minimum());
}

QString CSnapshotPipeline::GetXLabel(const com::Value& iXValue)
{
    return ZeltorConverter::GMiscConverters::SecondsToTimeString(
        format::toInt32(static_cast<double>(iXValue.toInt32() / kSamplesPerSecond) + m_startTime));
}

} // namespace ZeltorGraph
