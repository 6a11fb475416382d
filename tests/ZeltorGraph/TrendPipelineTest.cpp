#include "GraphFixture.h"

#include "CTrendPipeline.h"

#include "CaughtError.h"

#include "com/Error.h"
#include "standards/Limit.h"
#include "standards/Standard.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

using ZeltorGraph::CTrendPipeline;

namespace {

constexpr int32_t kInterval = 15;
const QColor kLimitRed(0xC0, 0, 0);
const QColor kLightGreen(0x80, 0xFF, 0x80);

// A standard holding one limit of the breath rate; an empty text leaves that bound disabled.
std::shared_ptr<host::Standard> rateLimits(const QString& upper, const QString& lower)
{
    auto limit = std::make_shared<host::Limit>();
    limit->Initialize(QStringLiteral("BRRA"), QString(), upper, lower);
    auto standard = std::make_shared<host::Standard>();
    standard->Initialize(QStringLiteral("ISO"), QStringLiteral("ISO 80601"), 1);
    standard->Add(limit);
    return standard;
}

// A trend graph of the breath rate of a trend sampled every 15 s, driven through its real
// trend parameter.
class TrendPipelineTest : public GraphFixture {
protected:
    void SetUp() override
    {
        GraphFixture::SetUp();
        trend = newTrend(kInterval, 3600);
        rate = trend->Parameter(QStringLiteral("BRRA"));
    }

    void addSamples(int count, float min, float max) const
    {
        for (int k = 0; k < count; ++k)
            rate->AddSample(min, max);
    }

    void show() const { graph->CreatePipeLine(rate, 0); }
    ZeltorGraph::IGraphSettings& settings() const { return *rate->Settings(); }
    widgets::PlotAxis& x() const { return plot().xAxis(); }
    widgets::PlotAxis& y() const { return plot().yAxis(); }
    const widgets::PlotLineItem& line(int index) const { return plot().lineItem(index); }
    ZeltorGraph::XGraphLegend& legend(int32_t index) const { return graph->LegendItem(index); }
    // What the X strip and the plot's X-axis changes of a partner graph would ask for.
    void setXScale(int32_t minimum, int32_t span, bool autoScale) const
    {
        graph->ApplySyncXScale(ZeltorGraph::egtTrendGraph, minimum, span, autoScale);
    }

    std::shared_ptr<ZeltorTests::CTrend> trend;
    std::shared_ptr<ZeltorTests::CTrendParameter> rate;
};

TEST(TrendLabelStep, FollowsTheSpanTableWithStrictBounds)
{
    struct Case {
        double span;
        int32_t step;
    };
    const std::vector<Case> cases{
        {86400, 18000}, {56601, 18000}, {56600, 7200}, {28801, 7200}, {28800, 3600}, {14401, 3600},
        {14400, 1800},  {7201, 1800},   {7200, 1200},  {3601, 1200},  {3600, 600},   {2401, 600},
        {2400, 300},    {1201, 300},    {1200, 150},   {901, 150},    {900, 120},    {601, 120},
        {600, 90},      {401, 90},      {400, 60},     {241, 60},     {240, 30},     {121, 30},
        {120, 20},      {61, 20},       {60, 10},      {11, 10},      {10.5, 10},    {10, 1},
        {0, 1},         {-5, 1},
    };
    for (const Case& each : cases)
        EXPECT_EQ(CTrendPipeline::GetLabelStep(each.span), each.step) << "span " << each.span;
}

TEST_F(TrendPipelineTest, StoredSamplesLieOneIntervalApartStartingAtOneInterval)
{
    rate->AddSample(10.0f, 20.0f);
    rate->AddSample(12.0f, 25.0f);
    show();
    const widgets::PlotDataLine& maxLine = plot().dataLine(0);
    const widgets::PlotDataLine& minLine = plot().dataLine(1);
    ASSERT_EQ(maxLine.pointCount(), 2);
    ASSERT_EQ(minLine.pointCount(), 2);
    EXPECT_EQ(maxLine.point(0).x, 15.0);
    EXPECT_EQ(maxLine.point(1).x, 30.0);
    EXPECT_EQ(maxLine.point(1).y, 25.0);
    EXPECT_EQ(minLine.point(1).y, 12.0);
    EXPECT_EQ(maxLine.color(), 0x80FF80u);
    EXPECT_EQ(minLine.color(), 0x80FFFFu);
    EXPECT_EQ(plot().frameRate(), 2);
    EXPECT_EQ(y().title(), QLatin1Char('[') + rate->Unit() + QLatin1Char(']'));
}

TEST_F(TrendPipelineTest, AutoXStretchesToTheNewestSampleAndStaysAutoWhenStored)
{
    ASSERT_TRUE(settings().AutoScaleX());
    addSamples(4, 10.0f, 20.0f);
    show();
    EXPECT_EQ(x().minimum(), 0.0);
    EXPECT_EQ(x().maximum(), 60.0);
    rate->AddSample(10.0f, 20.0f);
    EXPECT_EQ(x().minimum(), 0.0);
    EXPECT_EQ(x().maximum(), 75.0);
    EXPECT_GE(x().upperScrollBound(), 75.0);
    EXPECT_TRUE(graph->ScaleX().AutoScale()) << "the pipeline's own stretch is no user's choice";

    graph->DestroyPipeline();
    EXPECT_TRUE(settings().AutoScaleX());
    EXPECT_EQ(settings().Xmin(), 0.0f);
    EXPECT_EQ(settings().Xmax(), 75.0f);
}

TEST_F(TrendPipelineTest, ManualXKeepsTheAxisWhileOnlyTheUpperScrollBoundGrows)
{
    settings().setAutoScaleX(false);
    settings().setXmin(30.0f);
    settings().setXmax(90.0f);
    addSamples(4, 10.0f, 20.0f);
    show();
    EXPECT_EQ(x().minimum(), 30.0);
    EXPECT_EQ(x().maximum(), 90.0);
    EXPECT_EQ(x().upperScrollBound(), 90.0) << "the stored window reaches beyond the 60 s of data";
    EXPECT_FALSE(graph->ScaleX().AutoScale());

    addSamples(4, 10.0f, 20.0f);
    EXPECT_EQ(x().minimum(), 30.0);
    EXPECT_EQ(x().maximum(), 90.0);
    EXPECT_EQ(x().upperScrollBound(), 120.0);
    EXPECT_EQ(x().lowerScrollBound(), 0.0);
    EXPECT_TRUE(x().boundedScrolling());
}

TEST_F(TrendPipelineTest, SetXScaleKeepsTheWindowInsideTheScrollRange)
{
    struct Case {
        int32_t minimum;
        int32_t span;
        bool autoScale;
        double shownMinimum;
        double shownSpan;
    };
    // From the window [0, 100] on 300 s of data. A minimum is held back by the span the axis had
    // before the call (100), not by the new span.
    const std::vector<Case> cases{
        {60, 120, false, 60, 120},   // inside: as asked
        {50, 10, false, 50, 15},     // below one interval: one interval
        {0, 400, false, 0, 300},     // beyond the scroll bound: the bound
        {-50, 100, false, 0, 100},   // below the lower bound: the lower bound
        {250, 100, false, 200, 100}, // past the end: ends at the bound
        {250, 40, false, 200, 40},   // past the end by the old span
        {70, 20, true, 0, 300},      // auto: all samples
    };
    for (const Case& each : cases) {
        trend = newTrend(kInterval, 3600);
        rate = trend->Parameter(QStringLiteral("BRRA"));
        settings().setAutoScaleX(false);
        settings().setXmin(0.0f);
        settings().setXmax(100.0f);
        addSamples(20, 10.0f, 20.0f);
        show();
        ASSERT_EQ(x().upperScrollBound(), 300.0);
        setXScale(each.minimum, each.span, each.autoScale);
        EXPECT_EQ(x().minimum(), each.shownMinimum) << each.minimum << ", " << each.span;
        EXPECT_EQ(x().span(), each.shownSpan) << each.minimum << ", " << each.span;
        EXPECT_EQ(x().labelStep(), CTrendPipeline::GetLabelStep(each.shownSpan));
        EXPECT_EQ(graph->ScaleX().AutoScale(), each.autoScale);
    }
}

TEST_F(TrendPipelineTest, YAutoFitWithoutLimitsKeepsZeroInView)
{
    struct Case {
        float min;
        float max;
        double shownMinimum;
        double shownMaximum;
    };
    const std::vector<Case> cases{
        {-30.0f, -10.0f, -30.0, 0.0}, // all negative: ends at 0
        {0.0f, 0.0f, -1.0, 1.0},      // flat zero
        {10.0f, 20.0f, 0.0, 20.0},    // all positive: starts at 0
        {-5.0f, 20.0f, -5.0, 20.0},   // both sides: the data
    };
    for (const Case& each : cases) {
        trend = newTrend(kInterval, 0);
        rate = trend->Parameter(QStringLiteral("BRRA"));
        ASSERT_TRUE(settings().AutoScaleY());
        addSamples(3, each.min, each.max);
        show();
        EXPECT_DOUBLE_EQ(y().minimum(), each.shownMinimum) << each.min << ".." << each.max;
        EXPECT_DOUBLE_EQ(y().maximum(), each.shownMaximum) << each.min << ".." << each.max;
        EXPECT_TRUE(y().rangeTracking());
        EXPECT_TRUE(graph->ScaleY().AutoScale());
    }

    // A new sample below the range is taken into the fit at once.
    rate->AddSample(-40.0f, -20.0f);
    EXPECT_DOUBLE_EQ(y().minimum(), -40.0);
    EXPECT_DOUBLE_EQ(y().maximum(), 20.0);
}

TEST_F(TrendPipelineTest, YAutoFitWithLimitsWidensTheRangeToTheEnabledLimits)
{
    struct Case {
        QString upper;
        QString lower;
        double lowest;  // of the data and the enabled limits
        double highest;
    };
    // Data from 10 to 20. A range that had to move keeps the limits off its edges.
    const std::vector<Case> cases{
        {QStringLiteral("30"), QStringLiteral("5"), 5.0, 30.0},
        {QStringLiteral("30"), QString(), 10.0, 30.0},
        {QString(), QStringLiteral("0"), 0.0, 20.0},
    };
    for (const Case& each : cases) {
        trend = newTrend(kInterval, 0);
        rate = trend->Parameter(QStringLiteral("BRRA"));
        settings().setShowLimits(true);
        rate->ApplyLimits(rateLimits(each.upper, each.lower));
        addSamples(5, 10.0f, 20.0f);
        show();
        EXPECT_LT(y().minimum(), each.lowest) << qPrintable(each.upper + QStringLiteral(", ") + each.lower);
        EXPECT_GT(y().maximum(), each.highest) << qPrintable(each.upper + QStringLiteral(", ") + each.lower);
    }
}

TEST_F(TrendPipelineTest, YAutoFitGivesLimitsAroundTheDataTwentyPercentOfRoom)
{
    settings().setShowLimits(true);
    rate->ApplyLimits(rateLimits(QStringLiteral("30"), QStringLiteral("5")));
    addSamples(5, 10.0f, 20.0f);
    show();
    // 25 between the limits, 1.2 times that shown, a tenth of it below the lower limit.
    EXPECT_DOUBLE_EQ(y().minimum(), 2.0);
    EXPECT_DOUBLE_EQ(y().maximum(), 32.0);
}

TEST_F(TrendPipelineTest, YAutoFitLeavesARangeAloneThatHoldsTheEnabledLimits)
{
    for (const auto& [upper, lower] : {std::pair{QStringLiteral("18"), QStringLiteral("12")},
                                       std::pair{QString(), QString()}}) {
        trend = newTrend(kInterval, 0);
        rate = trend->Parameter(QStringLiteral("BRRA"));
        settings().setShowLimits(true);
        rate->ApplyLimits(rateLimits(upper, lower));
        addSamples(5, 10.0f, 20.0f);
        show();
        EXPECT_EQ(y().minimum(), 10.0) << qPrintable(upper + QStringLiteral(", ") + lower);
        EXPECT_EQ(y().maximum(), 20.0) << qPrintable(upper + QStringLiteral(", ") + lower);
    }
}

TEST_F(TrendPipelineTest, ManualYShowsTheStoredRange)
{
    settings().setAutoScaleY(false);
    settings().setYmin(-5.0f);
    settings().setYmax(45.0f);
    addSamples(3, 10.0f, 20.0f);
    show();
    EXPECT_EQ(y().minimum(), -5.0);
    EXPECT_EQ(y().maximum(), 45.0);
    EXPECT_FALSE(y().rangeTracking());
    EXPECT_FALSE(graph->ScaleY().AutoScale());
}

TEST_F(TrendPipelineTest, LimitLinesShowOnlyForEnabledLimits)
{
    struct Case {
        const char* name;
        std::optional<std::pair<QString, QString>> limits; // upper, lower; none: no limit
        bool showLimits;
        bool high;
        bool low;
        int referenceMode;
        double firstReference;
    };
    const std::vector<Case> cases{
        {"both", std::pair{QStringLiteral("30"), QStringLiteral("5")}, true, true, true, 3, 30.0},
        {"upper only", std::pair{QStringLiteral("30"), QString()}, true, true, false, 1, 30.0},
        {"lower only", std::pair{QString(), QStringLiteral("5")}, true, false, true, 1, 5.0},
        {"none enabled", std::pair{QString(), QString()}, true, false, false, 1, 0.0},
        {"shown off", std::pair{QStringLiteral("30"), QStringLiteral("5")}, false, false, false, 3, 30.0},
        {"no limit", std::nullopt, true, false, false, 0, 0.0},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        trend = newTrend(kInterval, 0);
        rate = trend->Parameter(QStringLiteral("BRRA"));
        settings().setShowLimits(each.showLimits);
        if (each.limits)
            rate->ApplyLimits(rateLimits(each.limits->first, each.limits->second));
        addSamples(5, 10.0f, 20.0f);
        show();
        EXPECT_EQ(line(kHighLine).visible(), each.high);
        EXPECT_EQ(line(kLowLine).visible(), each.low);
        const bool anyEnabled = each.limits && (!each.limits->first.isEmpty() || !each.limits->second.isEmpty());
        EXPECT_EQ(plot().channel(kLimitBand).visible(), anyEnabled && each.showLimits);
        EXPECT_EQ(legend(ZeltorGraph::eleLimits).isVisibleTo(graph.get()), anyEnabled);
        EXPECT_EQ(legend(ZeltorGraph::eleLimits).Value(), each.showLimits ? 1 : 0);
        if (anyEnabled) {
            EXPECT_EQ(plot().channel(kLimitBand).referenceMode(), each.referenceMode);
            EXPECT_EQ(plot().channel(kLimitBand).firstReference(), each.firstReference);
        }
    }
}

TEST_F(TrendPipelineTest, LimitLinesAreLabelledAndDrawnAtTheirValues)
{
    settings().setShowLimits(true);
    rate->ApplyLimits(rateLimits(QStringLiteral("30"), QStringLiteral("5")));
    addSamples(20, 10.0f, 20.0f);
    show();
    EXPECT_EQ(line(kHighLine).yPosition(), 30.0);
    EXPECT_EQ(line(kHighLine).label(), QStringLiteral("High"));
    EXPECT_EQ(line(kLowLine).yPosition(), 5.0);
    EXPECT_EQ(line(kLowLine).label(), QStringLiteral("Low"));
    EXPECT_EQ(plot().channel(kLimitBand).secondReference(), 5.0);
    const QImage limited = render();
    EXPECT_TRUE(colourNear(limited, at(150, 30.0), kLimitRed));
    EXPECT_TRUE(colourNear(limited, at(150, 5.0), kLimitRed));
    EXPECT_TRUE(colourNear(limited, at(150, 20.0), kLightGreen));

    // Taking the limit away leaves a graph without limit lines.
    rate->ApplyLimits(nullptr);
    EXPECT_FALSE(line(kHighLine).visible());
    EXPECT_FALSE(line(kLowLine).visible());
    EXPECT_FALSE(plot().channel(kLimitBand).visible());
    EXPECT_FALSE(legend(ZeltorGraph::eleLimits).isVisibleTo(graph.get()));
    const QImage unlimited = render();
    EXPECT_FALSE(colourNear(unlimited, at(150, 30.0), kLimitRed));
    EXPECT_FALSE(colourNear(unlimited, at(150, 5.0), kLimitRed));
}

TEST_F(TrendPipelineTest, TheLimitsEntryWithoutALimitChangesNothing)
{
    addSamples(5, 10.0f, 20.0f);
    show();
    const double minimum = y().minimum();
    const double maximum = y().maximum();
    legend(ZeltorGraph::eleLimits).setValue(1);
    EXPECT_FALSE(plot().channel(kLimitBand).visible());
    EXPECT_FALSE(line(kHighLine).visible());
    EXPECT_FALSE(line(kLowLine).visible());
    EXPECT_EQ(y().minimum(), minimum);
    EXPECT_EQ(y().maximum(), maximum);

    // The pipeline still does not show limits: a limit that comes now stays hidden.
    rate->ApplyLimits(rateLimits(QStringLiteral("30"), QStringLiteral("5")));
    EXPECT_FALSE(line(kHighLine).visible());
    EXPECT_FALSE(plot().channel(kLimitBand).visible());
    EXPECT_EQ(legend(ZeltorGraph::eleLimits).Value(), 0);
}

TEST_F(TrendPipelineTest, LegendEntriesShowAndHideTheCurvesAndTheLimits)
{
    rate->ApplyLimits(rateLimits(QStringLiteral("30"), QString()));
    addSamples(5, 10.0f, 20.0f);
    show();
    ASSERT_TRUE(legend(ZeltorGraph::eleMaximum).isVisibleTo(graph.get()));
    ASSERT_TRUE(legend(ZeltorGraph::eleMinimum).isVisibleTo(graph.get()));
    EXPECT_FALSE(legend(ZeltorGraph::eleDetectLevel).isVisibleTo(graph.get()));

    legend(ZeltorGraph::eleMaximum).setValue(0);
    EXPECT_FALSE(plot().dataLine(0).visible());
    EXPECT_TRUE(plot().dataLine(1).visible());
    legend(ZeltorGraph::eleMinimum).setValue(0);
    EXPECT_FALSE(plot().dataLine(1).visible());
    legend(ZeltorGraph::eleMaximum).setValue(1);
    EXPECT_TRUE(plot().dataLine(0).visible());

    // Limits shown later: the enabled line shows and the auto range widens to it.
    ASSERT_EQ(y().maximum(), 20.0);
    legend(ZeltorGraph::eleLimits).setValue(1);
    EXPECT_TRUE(plot().channel(kLimitBand).visible());
    EXPECT_TRUE(line(kHighLine).visible());
    EXPECT_FALSE(line(kLowLine).visible()) << "the lower limit is disabled";
    EXPECT_DOUBLE_EQ(y().minimum(), -3.6);
    EXPECT_DOUBLE_EQ(y().maximum(), 32.4);
    legend(ZeltorGraph::eleLimits).setValue(0);
    EXPECT_FALSE(plot().channel(kLimitBand).visible());
    EXPECT_FALSE(line(kHighLine).visible());
}

TEST_F(TrendPipelineTest, TheStoredViewComesBackWhenTheTrendIsShownAgain)
{
    settings().setShowLimits(true);
    rate->ApplyLimits(rateLimits(QStringLiteral("30"), QStringLiteral("5")));
    addSamples(20, 10.0f, 20.0f);
    show();
    legend(ZeltorGraph::eleMaximum).setValue(0);
    legend(ZeltorGraph::eleLimits).setValue(0);
    // From the whole trend a window is first narrowed, then moved.
    setXScale(0, 120, false);
    setXScale(60, 120, false);
    graph->DestroyPipeline();

    EXPECT_FALSE(settings().ShowMax());
    EXPECT_TRUE(settings().ShowMin());
    EXPECT_FALSE(settings().ShowLimits());
    EXPECT_FALSE(settings().AutoScaleX());
    EXPECT_EQ(settings().Xmin(), 60.0f);
    EXPECT_EQ(settings().Xmax(), 180.0f);
    EXPECT_TRUE(settings().AutoScaleY());
    EXPECT_EQ(static_cast<double>(settings().Ymin()), y().minimum());
    EXPECT_EQ(static_cast<double>(settings().Ymax()), y().maximum());

    show();
    EXPECT_FALSE(plot().dataLine(0).visible());
    EXPECT_EQ(legend(ZeltorGraph::eleMaximum).Value(), 0);
    EXPECT_TRUE(plot().dataLine(1).visible());
    EXPECT_FALSE(line(kHighLine).visible());
    EXPECT_EQ(legend(ZeltorGraph::eleLimits).Value(), 0);
    EXPECT_EQ(x().minimum(), 60.0);
    EXPECT_EQ(x().maximum(), 180.0);
    EXPECT_FALSE(colourNear(render(), at(120, 20.0), kLightGreen)) << "the maximum curve stays hidden";
}

TEST_F(TrendPipelineTest, XLabelsAreElapsedTimeFromTheStartTime)
{
    addSamples(20, 10.0f, 20.0f);
    show();
    const std::vector<std::pair<double, QString>> cases{
        {0.0, QStringLiteral("01:00:00")},
        {59.4, QStringLiteral("01:00:59")},
        {59.6, QStringLiteral("01:01:00")},
        {3600.0, QStringLiteral("02:00:00")},
    };
    for (const auto& [value, label] : cases)
        EXPECT_EQ(plot().xLabel(value), label) << value;
}

TEST_F(TrendPipelineTest, SetGraphSettingsWidensTheScrollRangeAndRaisesOnOverflow)
{
    show();
    CTrendPipeline pipeline;
    pipeline.Initialize(graph.get(), rate);
    pipeline.SetGraphSettings(0, 100, 30);
    EXPECT_EQ(x().upperScrollBound(), 3000.0);
    pipeline.SetGraphSettings(0, 10, 30);
    EXPECT_EQ(x().upperScrollBound(), 3000.0) << "a shorter trend does not narrow it";
    pipeline.SetGraphSettings(0, 46341, 46340);
    EXPECT_EQ(x().upperScrollBound(), 2147441940.0);

    const com::Error error = caughtError([&] { pipeline.SetGraphSettings(0, 65536, 32768); });
    EXPECT_EQ(error.number(), com::errOverflow);
    EXPECT_EQ(x().upperScrollBound(), 2147441940.0);

    // A sample that would land beyond the 32-bit X range is dropped without an error.
    pipeline.SetGraphSettings(0, 0, std::numeric_limits<int32_t>::max());
    const int before = plot().dataLine(0).pointCount();
    pipeline.DrawValue(1.0f, 2.0f);
    pipeline.DrawValue(1.0f, 2.0f);
    EXPECT_EQ(plot().dataLine(0).pointCount(), before + 1);
}

TEST_F(TrendPipelineTest, APipelineWhoseGraphIsGoneRaisesInsteadOfDrawing)
{
    CTrendPipeline pipeline;
    pipeline.Initialize(graph.get(), rate);
    pipeline.SetGraphSettings(0, 0, kInterval);
    graph.reset();
    EXPECT_EQ(caughtError([&] { pipeline.SetXScale(0, 100, false); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { pipeline.SetYScale(0.0, 100.0, true); }).number(), com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { pipeline.LegendChange(ZeltorGraph::eleMaximum, false); }).number(),
              com::errObjectNotSet);
    EXPECT_EQ(caughtError([&] { pipeline.StoreSettings(rate->Settings()); }).number(), com::errObjectNotSet);
    // Drawing and limits skip what fails.
    EXPECT_NO_THROW(pipeline.DrawValue(1.0f, 2.0f));
    EXPECT_NO_THROW(pipeline.SetLimit(nullptr));
}

} // namespace
