#include "CTrendPipeline.h"

#include "XGraph.h"

#include "GMiscConverters.h"
#include "Standards.h"
#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "format/Format.h"

#include <array>
#include <cstdint>
#include <limits>
#include <utility>

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("ZeltorGraph.CTrendPipeline");
constexpr uint32_t kMaxColor = 0x80FF80;
constexpr uint32_t kMinColor = 0x80FFFF;

// Spans (exclusive lower ends) and their label steps, in seconds. The first bound is 56600, not
// 57600, as the stored trends have always been labelled.
constexpr std::array<std::pair<double, int32_t>, 14> kLabelSteps{{
    {56600, 18000}, {28800, 7200}, {14400, 3600}, {7200, 1800}, {3600, 1200}, {2400, 600}, {1200, 300},
    {900, 150},     {600, 120},    {400, 90},     {240, 60},    {120, 30},    {60, 20},    {10, 10},
}};

int32_t checkedInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw com::Error::overflow(kSource);
    return static_cast<int32_t>(value);
}

} // namespace

CTrendPipeline::CTrendPipeline()
    : m_highText(Zeltor::translated(QStringLiteral("20412::High")))
    , m_lowText(Zeltor::translated(QStringLiteral("20413::Low")))
{
}

void CTrendPipeline::Initialize(XGraph* xgrGraph, const std::shared_ptr<IGraphData>& igdData, int32_t)
{
    bindGraph(&com::required(xgrGraph));
    XGraph& control = graph();
    control.setHandleEvents(false);
    const IGraphData& data = com::required(igdData);
    const IGraphSettings& settings = com::required(data.Settings());

    widgets::PlotDataLine& maxLine = dataLine(0);
    maxLine.clear();
    maxLine.setColor(kMaxColor);
    maxLine.setVisible(settings.ShowMax());
    widgets::PlotDataLine& minLine = dataLine(1);
    minLine.clear();
    minLine.setColor(kMinColor);
    minLine.setVisible(settings.ShowMin());
    widgets::PlotModel& model = plot();
    model.lineItem(kCursor).setVisible(false);
    model.setFrameRate(2);

    model.channel(kDetectLevelBand).setVisible(false);
    m_showLimits = settings.ShowLimits();
    model.channel(kLimitBand).setVisible(false);
    model.lineItem(kHighLine).setVisible(false);
    model.lineItem(kLowLine).setVisible(false);
    scaleX().setEnableButton(kScrollLeft, true);
    scaleX().setEnableButton(kScrollRight, true);

    legend(eleDetectLevel).setVisible(false);
    legend(eleLimits).setVisible(false);
    legend(eleLimits).setValue(0);
    legend(eleMaximum).setVisible(true);
    legend(eleMaximum).setValue(checkValue(settings.ShowMax()));
    legend(eleMinimum).setVisible(true);
    legend(eleMinimum).setValue(checkValue(settings.ShowMin()));

    applyXSettings(settings);
    applyYSettings(settings);
    setYTitle(data);
    control.setHandleEvents(true);
}

void CTrendPipeline::applyXSettings(const IGraphSettings& settings)
{
    widgets::PlotAxis& axis = xAxis();
    axis.setRangeTracking(false);
    m_autoX = settings.AutoScaleX();
    if (m_autoX) {
        axis.setSpan(m_interval);
        axis.setUpperScrollBound(axis.span());
    } else {
        axis.setMinimum(settings.Xmin());
        axis.setSpan(static_cast<double>(settings.Xmax()) - axis.minimum());
        axis.setUpperScrollBound(settings.Xmax());
    }
    scaleX().setAutoScale(m_autoX);
    axis.setLabelStep(GetLabelStep(axis.span()));
    axis.setLowerScrollBound(0.0);
    axis.setBoundedScrolling(true);
}

int32_t CTrendPipeline::GetLabelStep(double span)
{
    for (const auto& [above, step] : kLabelSteps)
        if (span > above)
            return step;
    return 1;
}

void CTrendPipeline::SetGraphSettings(int32_t iStartTime, int32_t iLength, int32_t iInterval)
{
    m_startTime = iStartTime;
    m_interval = iInterval;
    const int32_t reach = checkedInt32(static_cast<int64_t>(iLength) * iInterval);
    widgets::PlotAxis& axis = xAxis();
    if (reach > axis.upperScrollBound())
        axis.setUpperScrollBound(reach);
}

void CTrendPipeline::DrawValue(float rValue1, float rValue2)
{
    com::ignoreFailure([&] {
        m_currentX = checkedInt32(static_cast<int64_t>(m_currentX) + m_interval);
        dataLine(0).addPoint(m_currentX, rValue2);
        dataLine(1).addPoint(m_currentX, rValue1);
        widgets::PlotAxis& axis = xAxis();
        if (m_autoX) {
            // The pipeline's own stretch, labelled as a span the user sets would be. The graph
            // must not take it for the user's and turn the X strip to manual.
            XGraph& control = graph();
            const bool handling = control.HandleEvents();
            control.setHandleEvents(false);
            const bool stretched = com::ignoreFailure([&] {
                axis.setRange(0.0, m_currentX);
                axis.setLabelStep(GetLabelStep(m_currentX));
            });
            control.setHandleEvents(handling);
            if (!stretched)
                return;
        }
        if (m_currentX > axis.upperScrollBound())
            axis.setUpperScrollBound(m_currentX);
    });
}

void CTrendPipeline::SetXScale(int32_t iMin, int32_t iSpan, bool fAutoScale)
{
    widgets::PlotAxis& axis = xAxis();
    m_autoX = fAutoScale;
    double span = 0.0;
    double minimum = 0.0;
    if (fAutoScale) {
        span = checkedInt32(static_cast<int64_t>(m_interval) * dataLine(0).pointCount());
    } else {
        span = iSpan < m_interval ? m_interval : iSpan;
        const double upper = format::toInt32(axis.upperScrollBound());
        span = std::min(span, upper);
        if (iMin < axis.lowerScrollBound())
            minimum = format::toInt32(axis.lowerScrollBound());
        else if (iMin > axis.upperScrollBound() - axis.span())
            minimum = format::toInt32(axis.upperScrollBound() - axis.span());
        else
            minimum = iMin;
    }
    axis.setSpan(span);
    axis.setMinimum(minimum);
    axis.setLabelStep(GetLabelStep(span));
    plot().EndUpdate();
}

void CTrendPipeline::SetYScale(double rMin, double rSpan, bool fAutoScale)
{
    widgets::PlotAxis& axis = yAxis();
    if (fAutoScale) {
        axis.setRangeTracking(true);
        FitYScale();
    } else {
        axis.setRangeTracking(false);
        axis.setRange(rMin, rSpan);
    }
    plot().EndUpdate();
}

void CTrendPipeline::FitYScale()
{
    if (m_fitting)
        return;
    const com::FlagGuard fitting(m_fitting);
    com::ignoreFailure([&] {
        widgets::PlotAxis& axis = yAxis();
        double lo = 0.0;
        double span = 0.0;
        if (m_showLimits) {
            lo = axis.minimum();
            double hi = axis.maximum();
            bool moved = false;
            const LimitLines lines = limitLines(m_limit.get());
            if (lines.lowEnabled) {
                if (lo > lines.low) {
                    lo = lines.low;
                    moved = true;
                } else if (lines.low > hi) {
                    hi = lines.low;
                    moved = true;
                }
            }
            if (lines.highEnabled) {
                if (hi < lines.high) {
                    hi = lines.high;
                    moved = true;
                } else if (lines.high < lo) {
                    lo = lines.high;
                    moved = true;
                }
            }
            if (!moved)
                return;
            span = (hi - lo) * 1.2;
            lo -= 0.1 * span;
        } else {
            const double lowest = dataLine(1).lowest();
            const double highest = dataLine(0).highest();
            lo = lowest < 0.0 ? lowest : 0.0;
            span = highest > 0.0 ? highest - lo : -lo;
        }
        if (span == 0.0) {
            span = 2.0;
            lo -= 1.0;
        }
        axis.setRange(lo, span);
    });
}

void CTrendPipeline::SetLimit(const std::shared_ptr<Nelvar::ILimit>& ilm)
{
    m_limit = ilm;
    const LimitLines lines = [&] {
        try {
            return limitLines(ilm.get());
        } catch (...) {
            return LimitLines{};
        }
    }();
    widgets::PlotChannel* band = nullptr;
    com::ignoreFailure([&] { band = &plot().channel(kLimitBand); });
    if (ilm && band) {
        band->setReferenceMode(widgets::PlotChannel::kOneReference);
        if (lines.highEnabled)
            band->setFirstReference(lines.high);
        if (lines.lowEnabled && lines.highEnabled) {
            band->setReferenceMode(widgets::PlotChannel::kTwoReferences);
            band->setSecondReference(lines.low);
        } else if (lines.lowEnabled) {
            band->setFirstReference(lines.low);
        }
    }
    // Only an enabled limit has a band and a line; a limit taken away takes them along.
    if (band)
        band->setVisible((lines.highEnabled || lines.lowEnabled) && m_showLimits);
    const auto placeLine = [&](int index, bool enabled, float value, const QString& text) {
        com::ignoreFailure([&] {
            widgets::PlotLineItem& line = plot().lineItem(index);
            line.setYPosition(value);
            line.setLabel(enabled ? text : QString());
            line.setVisible(enabled && m_showLimits);
        });
    };
    placeLine(kHighLine, lines.highEnabled, lines.high, m_highText);
    placeLine(kLowLine, lines.lowEnabled, lines.low, m_lowText);
    com::ignoreFailure([&] { legend(eleLimits).setVisible(lines.highEnabled || lines.lowEnabled); });
    com::ignoreFailure([&] { legend(eleLimits).setValue(checkValue(m_showLimits)); });
}

void CTrendPipeline::showLimitLines(bool shown)
{
    const LimitLines lines = limitLines(m_limit.get());
    widgets::PlotModel& model = plot();
    model.channel(kLimitBand).setVisible(shown && (lines.highEnabled || lines.lowEnabled));
    model.lineItem(kHighLine).setVisible(shown && lines.highEnabled);
    model.lineItem(kLowLine).setVisible(shown && lines.lowEnabled);
}

void CTrendPipeline::LegendChange(int32_t iLegendIdx, bool fValue)
{
    switch (iLegendIdx) {
    case eleMaximum:
        dataLine(0).setVisible(fValue);
        break;
    case eleMinimum:
        dataLine(1).setVisible(fValue);
        break;
    case eleLimits:
        if (!m_limit)
            break;
        m_showLimits = fValue;
        showLimitLines(fValue);
        if (yAxis().rangeTracking())
            FitYScale();
        break;
    default:
        break;
    }
}

void CTrendPipeline::StoreSettings(const std::shared_ptr<IGraphSettings>& igsSettings)
{
    IGraphSettings& settings = com::required(igsSettings);
    const widgets::PlotAxis& x = xAxis();
    const widgets::PlotAxis& y = yAxis();
    settings.setAutoScaleX(scaleX().AutoScale());
    settings.setXmin(static_cast<float>(x.minimum()));
    settings.setXmax(static_cast<float>(x.maximum()));
    settings.setAutoScaleY(scaleY().AutoScale());
    settings.setYmin(static_cast<float>(y.minimum()));
    settings.setYmax(static_cast<float>(y.maximum()));
    settings.setShowMax(checked(legend(eleMaximum)));
    settings.setShowMin(checked(legend(eleMinimum)));
    settings.setShowLimits(checked(legend(eleLimits)));
}

QString CTrendPipeline::GetXLabel(const com::Value& iXValue)
{
    return ZeltorConverter::GMiscConverters::SecondsToTimeString(
        format::toInt32(iXValue.toDouble() + m_startTime));
}

} // namespace ZeltorGraph
