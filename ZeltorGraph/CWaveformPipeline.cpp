#include "CWaveformPipeline.h"

#include "XGraph.h"

#include "GMiscConverters.h"
#include "Standards.h"

#include "com/Error.h"
#include "com/Required.h"
#include "format/Format.h"

#include <cmath>
#include <limits>

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("ZeltorGraph.CWaveformPipeline");

// The number of slots for a requested span; one that is not a number gives the narrowest window.
int32_t clampedSpan(double requested)
{
    if (!(requested >= CWaveformPipeline::kMinimumSpan))
        return CWaveformPipeline::kMinimumSpan;
    if (requested > CWaveformPipeline::kMaximumSpan)
        return CWaveformPipeline::kMaximumSpan;
    return format::toInt32(requested);
}

} // namespace

void CWaveformPipeline::SetScaleBoundaries(float rMin, float rSpan)
{
    m_boundaryMinimum = rMin;
    m_boundarySpan = rSpan;
    m_boundariesSet = true;
}

void CWaveformPipeline::Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t iXStartPos)
{
    // No graph keeps the one already held; a pipeline that never had one raises.
    bindGraph(xgrGraph);
    XGraph& control = graph();
    control.setHandleEvents(false);
    m_writePosition = iXStartPos;

    widgets::PlotDataLine& sweep = dataLine(0);
    sweep.clear();
    sweep.setColor(0xFFFFFF);
    // The pane may last have shown a trend with its maximum curve hidden.
    sweep.setVisible(true);
    widgets::PlotModel& model = plot();
    model.lineItem(kCursor).setVisible(true);
    widgets::PlotDataLine& second = dataLine(1);
    second.clear();
    second.setVisible(false);
    model.setFrameRate(10);

    scaleX().setEnableButton(kScrollLeft, false);
    scaleX().setEnableButton(kScrollRight, false);

    const IGraphData& data = com::required(igdData);
    const IGraphSettings& settings = com::required(data.Settings());
    legend(eleDetectLevel).setVisible(false);
    legend(eleDetectLevel).setValue(checkValue(settings.ShowDetectLevel()));
    legend(eleLimits).setVisible(false);
    legend(eleLimits).setValue(checkValue(settings.ShowLimits()));
    legend(eleMaximum).setVisible(false);
    legend(eleMinimum).setVisible(false);

    model.channel(kDetectLevelBand).setVisible(settings.ShowDetectLevel());
    model.channel(kLimitBand).setVisible(false);
    model.lineItem(1).setVisible(false);
    model.lineItem(2).setVisible(false);

    applyXSettings(settings);
    applyYSettings(settings);
    m_autoY = settings.AutoScaleY();
    setYTitle(data);
    control.setHandleEvents(true);
}

void CWaveformPipeline::applyXSettings(const IGraphSettings& settings)
{
    widgets::PlotAxis& axis = xAxis();
    axis.setRangeTracking(false);
    axis.setMinimum(0.0);
    const int32_t span =
        settings.AutoScaleX() ? kAutoSpan : clampedSpan(static_cast<double>(settings.Xmax()) - settings.Xmin());
    axis.setSpan(span);
    scaleX().setAutoScale(settings.AutoScaleX());
    axis.setLabelStep(kSamplesPerSecond);
    setSweepSpan(span);
}

void CWaveformPipeline::setSweepSpan(int32_t span)
{
    widgets::PlotDataLine& sweep = dataLine(0);
    sweep.setPointCount(span);
    for (int32_t x = sweep.pointCount(); x < span; ++x)
        sweep.addEmptyPoint(x);
}

void CWaveformPipeline::Clear()
{
    dataLine(0).clear();
}

void CWaveformPipeline::DrawValue(float rValue1, float)
{
    widgets::PlotDataLine& sweep = dataLine(0);
    // A start position before the window starts the sweep at its left edge too.
    if (m_writePosition >= xAxis().span() || m_writePosition < 0)
        m_writePosition = 0;
    // A sample that is not a number leaves a gap and does not move the Y range.
    const bool drawn = std::isfinite(rValue1);
    // The slot is written before the range follows it: every Y-axis change comes back as
    // SetYScale, which in auto Y takes the tracked extremes from the sweep line, and they must
    // include this sample.
    sweep.setY(m_writePosition, drawn ? rValue1 : 0.0);
    sweep.setEmpty(m_writePosition, !drawn);
    if (m_writePosition < sweep.pointCount() - 1)
        sweep.setEmpty(m_writePosition + 1, true);
    if (m_autoY && drawn) {
        if (!m_rangeStarted) {
            m_trackedMinimum = m_trackedMaximum = rValue1;
            m_rangeStarted = true;
        }
        track(rValue1);
    }
    if (m_writePosition == std::numeric_limits<int32_t>::max())
        throw com::Error::overflow(kSource);
    ++m_writePosition;
    plot().lineItem(kCursor).setXPosition(m_writePosition);
}

void CWaveformPipeline::track(float value)
{
    if (value < m_trackedMinimum)
        m_trackedMinimum = value;
    else if (value > m_trackedMaximum)
        m_trackedMaximum = value;
    const double range = static_cast<double>(m_trackedMaximum) - m_trackedMinimum;
    double span = range * 1.2;
    double minimum = m_trackedMinimum - 0.1 * span;
    if (m_boundariesSet) {
        const auto boundaryTop = static_cast<float>(static_cast<double>(m_boundaryMinimum) + m_boundarySpan);
        const auto top = static_cast<float>(minimum + span);
        if (boundaryTop > top && minimum > m_boundaryMinimum) {
            // The data fits inside the preferred window.
            minimum = m_boundaryMinimum;
            span = m_boundarySpan;
        } else if (span < m_boundarySpan) {
            // The data centred in a window of the preferred size.
            span = m_boundarySpan;
            minimum = m_trackedMinimum - (m_boundarySpan - range) / 2.0;
        }
    }
    yAxis().setRange(minimum, span);
}

void CWaveformPipeline::SetXScale(int32_t, int32_t iSpan, bool fAutoScale)
{
    const int32_t span = fAutoScale ? kAutoSpan : clampedSpan(iSpan);
    xAxis().setSpan(span);
    // The write position stays; it wraps at the next sample when it lies beyond the new window.
    setSweepSpan(span);
}

void CWaveformPipeline::SetYScale(double rMin, double rSpan, bool fAutoScale)
{
    widgets::PlotAxis& axis = yAxis();
    if (fAutoScale) {
        m_autoY = true;
        axis.setRangeTracking(true);
        const widgets::PlotDataLine& sweep = dataLine(0);
        if (sweep.pointCount() > 0 && !sweep.empty(0)) {
            if (const auto range = sweep.yRange()) {
                m_trackedMinimum = static_cast<float>(range->lowest);
                m_trackedMaximum = static_cast<float>(range->highest);
            }
        }
        return;
    }
    m_autoY = false;
    axis.setRangeTracking(false);
    axis.setRange(rMin, rSpan);
}

void CWaveformPipeline::SetDetectLevel(float rLevel)
{
    m_detectLevelSet = true;
    widgets::PlotChannel& band = plot().channel(kDetectLevelBand);
    band.setFirstReference(rLevel);
    band.setSecondReference(-static_cast<double>(rLevel));
    legend(eleDetectLevel).setVisible(true);
}

void CWaveformPipeline::SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm)
{
    m_limit = ilm;
    if (!ilm)
        return;
    const LimitLines lines = limitLines(ilm.get());
    widgets::PlotChannel& band = plot().channel(kLimitBand);
    if (lines.highEnabled)
        band.setFirstReference(lines.high);
    if (lines.lowEnabled && lines.highEnabled) {
        band.setReferenceMode(widgets::PlotChannel::kTwoReferences);
        band.setSecondReference(lines.low);
    } else {
        if (lines.lowEnabled)
            band.setFirstReference(lines.low);
        band.setReferenceMode(widgets::PlotChannel::kOneReference);
    }
    legend(eleLimits).setVisible(true);
}

void CWaveformPipeline::LegendChange(int32_t iLegendIdx, bool fValue)
{
    if (iLegendIdx == eleDetectLevel && m_detectLevelSet) {
        plot().channel(kDetectLevelBand).setVisible(fValue);
    } else if (iLegendIdx == eleLimits && m_limit) {
        plot().channel(kLimitBand).setVisible(fValue);
    }
}

void CWaveformPipeline::StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings)
{
    // The sweep always starts at X 0.
    storeSampleView(com::required(igsSettings), 0.0);
}

QString CWaveformPipeline::GetXLabel(const com::Value& iXValue)
{
    return ZeltorConverter::GMiscConverters::SecondsToTimeString(iXValue.toInt32() / kSamplesPerSecond);
}

} // namespace ZeltorGraph
