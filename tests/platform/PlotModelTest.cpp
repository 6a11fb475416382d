#include "CaughtError.h"

#include <widgets/PlotModel.h>
#include <widgets/PlotTicks.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using widgets::PlotDataLine;
using widgets::PlotModel;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A plot whose axis events and repaints are counted; the Y events record the range they saw.
struct CountingPlot : ::testing::Test {
    CountingPlot()
    {
        plot.onXAxisChange = [this] { ++xChanges; };
        plot.onYAxisChange = [this] {
            yRanges.push_back({plot.yAxis().minimum(), plot.yAxis().span()});
        };
        plot.onRepaint = [this] { ++repaints; };
    }

    struct Range {
        double minimum;
        double span;
        bool operator==(const Range&) const = default;
    };

    PlotModel plot;
    int xChanges = 0;
    std::vector<Range> yRanges;
    int repaints = 0;
};

using PlotAxisEvents = CountingPlot;

TEST_F(PlotAxisEvents, AreRaisedInsideTheSetterOnlyForARealChange)
{
    plot.xAxis().setMinimum(0.0); // the minimum it already has
    EXPECT_EQ(xChanges, 0);
    plot.xAxis().setSpan(500.0);
    EXPECT_EQ(xChanges, 1);
    plot.xAxis().setSpan(500.0);
    plot.xAxis().setRange(0.0, 500.0);
    EXPECT_EQ(xChanges, 1);
    plot.xAxis().setRange(10.0, 20.0);
    EXPECT_EQ(xChanges, 2);
    EXPECT_EQ(plot.xAxis().maximum(), 30.0);
    plot.yAxis().setMinimum(-5.0);
    EXPECT_EQ(yRanges, (std::vector<Range>{{-5.0, 100.0}}));
    EXPECT_EQ(xChanges, 2);
}

TEST_F(PlotAxisEvents, AreRaisedWhilePaintingIsHeldAndTheBatchIsShownOnceAtItsEnd)
{
    plot.BeginUpdate();
    plot.xAxis().setSpan(50.0);
    plot.dataLine(0).addPoint(1.0, 2.0);
    EXPECT_EQ(xChanges, 1);
    EXPECT_EQ(repaints, 0);
    plot.EndUpdate();
    EXPECT_EQ(repaints, 1);
}

TEST_F(PlotAxisEvents, EndUpdateWithoutBeginUpdateRepaints)
{
    plot.EndUpdate();
    plot.EndUpdate();
    EXPECT_EQ(repaints, 2);
    EXPECT_FALSE(plot.updateHeld());
}

TEST_F(PlotAxisEvents, NotFiniteRangesAreAnErrorAndChangeNothing)
{
    for (const double bad : {kNaN, kInfinity, -kInfinity}) {
        EXPECT_EQ(caughtError([&] { plot.xAxis().setMinimum(bad); }).number(), com::errInvalidCall);
        EXPECT_EQ(caughtError([&] { plot.xAxis().setSpan(bad); }).number(), com::errInvalidCall);
    }
    EXPECT_EQ(xChanges, 0);
    EXPECT_EQ(plot.xAxis().minimum(), 0.0);
    EXPECT_EQ(plot.xAxis().span(), 100.0);
}

TEST_F(PlotAxisEvents, SpansOfZeroAndBelowAreKeptAndShownAroundTheMinimum)
{
    for (const double span : {0.0, -3.0}) {
        plot.yAxis().setRange(7.0, span);
        EXPECT_EQ(plot.yAxis().span(), span);
        EXPECT_EQ(plot.yAxis().shownMinimum(), 6.0);
        EXPECT_EQ(plot.yAxis().shownMaximum(), 8.0);
    }
}

using YRangeTracking = CountingPlot;

TEST_F(YRangeTracking, SwitchedOnFitsTheVisibleDrawnPoints)
{
    PlotDataLine& max = plot.dataLine(0);
    PlotDataLine& min = plot.dataLine(1);
    max.addPoint(0.0, 4.0);
    max.addEmptyPoint(1.0); // not drawn: its Y of 0 does not count
    max.addPoint(2.0, kNaN);
    min.addPoint(0.0, -2.0);
    plot.yAxis().setRangeTracking(true);
    EXPECT_EQ(yRanges, (std::vector<Range>{{-2.0, 6.0}}));

    plot.yAxis().setRangeTracking(false);
    min.setVisible(false);
    plot.yAxis().setRangeTracking(true);
    EXPECT_EQ(yRanges.back(), (Range{3.0, 2.0})) << "a flat trace is shown ± 1";
}

TEST_F(YRangeTracking, SwitchedOnWithoutDrawnPointsKeepsTheRange)
{
    plot.dataLine(0).addEmptyPoint(0.0);
    plot.yAxis().setRangeTracking(true);
    EXPECT_TRUE(yRanges.empty());
}

TEST_F(YRangeTracking, RefitsOnlyForPointsDrawnOutsideTheRangeAndForTheFirstAfterAClear)
{
    PlotDataLine& line = plot.dataLine(0);
    line.addPoint(0.0, 0.0);
    line.addPoint(1.0, 10.0);
    plot.yAxis().setRangeTracking(true);
    ASSERT_EQ(yRanges.size(), 1U);

    line.addPoint(2.0, 5.0); // inside
    line.addEmptyPoint(3.0);
    line.setY(3, 50.0); // still empty
    EXPECT_EQ(yRanges.size(), 1U);
    line.setEmpty(3, false); // drawn outside
    EXPECT_EQ(yRanges.back(), (Range{0.0, 50.0}));
    line.setY(0, -10.0);
    EXPECT_EQ(yRanges.back(), (Range{-10.0, 60.0}));

    line.clear();
    line.addPoint(0.0, 20.0); // inside the old range, but the first after the clear
    EXPECT_EQ(yRanges.back(), (Range{19.0, 2.0}));
    line.addPoint(1.0, 20.5);
    EXPECT_EQ(yRanges.size(), 4U);
}

TEST_F(YRangeTracking, KeepsARangeSetByCodeAndStaysOn)
{
    plot.dataLine(0).addPoint(0.0, 1.0);
    plot.yAxis().setRangeTracking(true);
    plot.yAxis().setRange(-100.0, 300.0);
    EXPECT_TRUE(plot.yAxis().rangeTracking());
    plot.dataLine(0).addPoint(1.0, 150.0);
    EXPECT_EQ(plot.yAxis().minimum(), -100.0);
    EXPECT_EQ(plot.yAxis().span(), 300.0);
}

TEST_F(YRangeTracking, IgnoresHiddenLinesAndLeavesTheXAxisAlone)
{
    plot.xAxis().setRangeTracking(true);
    plot.yAxis().setRangeTracking(true);
    plot.dataLine(1).setVisible(false);
    plot.dataLine(1).addPoint(500.0, 500.0);
    EXPECT_TRUE(yRanges.empty());
    EXPECT_EQ(xChanges, 0);
}

TEST_F(YRangeTracking, ReentersThroughTheYAxisEvent)
{
    // A handler that widens every range it is told of, as a caller's own fit does.
    plot.onYAxisChange = [this] {
        yRanges.push_back({plot.yAxis().minimum(), plot.yAxis().span()});
        if (plot.yAxis().span() < 100.0)
            plot.yAxis().setSpan(100.0);
    };
    plot.yAxis().setRangeTracking(true);
    plot.dataLine(0).addPoint(0.0, 200.0);
    EXPECT_EQ(yRanges, (std::vector<Range>{{199.0, 2.0}, {199.0, 100.0}}));
}

TEST(PlotDataLine, LowestAndHighestCoverTheDrawnPoints)
{
    PlotModel plot;
    PlotDataLine& line = plot.dataLine(0);
    EXPECT_EQ(line.lowest(), 0.0);
    EXPECT_EQ(line.highest(), 0.0);
    line.addPoint(0.0, -1.5);
    line.addPoint(1.0, kInfinity);
    line.addPoint(2.0, 3.0);
    line.addPoint(3.0, -9.0);
    line.setEmpty(3, true);
    line.setVisible(false);
    EXPECT_EQ(line.lowest(), -1.5);
    EXPECT_EQ(line.highest(), 3.0);
}

TEST(PlotDataLine, PointCountDropsPointsButNeverAddsAny)
{
    PlotModel plot;
    PlotDataLine& line = plot.dataLine(0);
    for (int x = 0; x < 5; ++x)
        line.addEmptyPoint(x);
    line.setPointCount(8);
    EXPECT_EQ(line.pointCount(), 5);
    line.setPointCount(2);
    EXPECT_EQ(line.pointCount(), 2);
    EXPECT_EQ(line.point(1).x, 1.0);
    EXPECT_TRUE(line.empty(1));
    EXPECT_EQ(caughtError([&] { line.setPointCount(-1); }).number(), com::errInvalidCall);
}

TEST(PlotIndices, OutOfRangeAreASubscriptError)
{
    PlotModel plot;
    plot.dataLine(0).addPoint(0.0, 0.0);
    const std::vector<std::function<void()>> calls{
        [&] { plot.dataLine(0).setY(1, 0.0); },
        [&] { plot.dataLine(0).setY(-1, 0.0); },
        [&] { plot.dataLine(0).setEmpty(1, true); },
        [&] { (void)plot.dataLine(0).empty(7); },
        [&] { (void)plot.dataLine(2); },
        [&] { (void)plot.xAxis(1); },
        [&] { (void)plot.yAxis(-1); },
        [&] { (void)plot.channel(0); },
        [&] { (void)plot.lineItem(0); },
    };
    for (size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(caughtError(calls[i]).number(), com::errSubscript) << "call " << i;
    EXPECT_EQ(plot.addChannel(), 0);
    EXPECT_EQ(plot.addLineItem(widgets::PlotLineItem::Orientation::Vertical), 0);
    EXPECT_EQ(plot.addLineItem(widgets::PlotLineItem::Orientation::Horizontal), 1);
    EXPECT_EQ(plot.lineItem(1).orientation(), widgets::PlotLineItem::Orientation::Horizontal);
}

TEST(PlotXLabels, ComeFromTheLabelRequest)
{
    PlotModel plot;
    EXPECT_EQ(plot.xLabel(2.5), "2.5");
    plot.onXLabelRequest = [](double value, QString& label) {
        label = QStringLiteral("%1 s (%2)").arg(value / 50.0).arg(label);
    };
    EXPECT_EQ(plot.xLabel(100.0), "2 s (100)");
}

struct TickCase {
    double minimum;
    double maximum;
    double labelStep;
    double length;
    double spacing;
    std::vector<double> expected;
};

class PlotTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(PlotTicks, FallOnWholeMultiplesOfTheThinnedStep)
{
    const TickCase& c = GetParam();
    EXPECT_EQ(widgets::tickValues(c.minimum, c.maximum, c.labelStep, c.length, c.spacing),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotTicks,
    ::testing::Values(
        // Every step fits: 50 samples a second over 500 samples, 1000 px, 80 px apart.
        TickCase{0, 250, 50, 1000, 80, {0, 50, 100, 150, 200, 250}},
        // Thinned to twice the step, from a minimum that is no multiple.
        TickCase{-30, 470, 50, 500, 80, {0, 100, 200, 300, 400}},
        // Thinned to three times the step.
        TickCase{0, 100, 10, 100, 25, {0, 30, 60, 90}},
        TickCase{0, 100, 0, 500, 20, {}},
        TickCase{0, 100, -10, 500, 20, {}},
        TickCase{0, 100, kNaN, 500, 20, {}},
        TickCase{0, 100, kInfinity, 500, 20, {}},
        TickCase{0, kInfinity, 10, 500, 20, {}},
        TickCase{kNaN, 100, 10, 500, 20, {}},
        TickCase{5, 5, 10, 500, 20, {}},
        TickCase{0, 100, 10, 0, 20, {}},
        // A step too fine to thin to a finite one.
        TickCase{0, 1e12, 1e-300, 3, 0, {}}));

TEST(PlotTicks, ManyTicksAtHugeValuesStayBounded)
{
    const auto ticks = widgets::tickValues(1e300, 1.0000001e300, 1.0, 400, 1);
    EXPECT_LE(ticks.size(), 401U);
}

TEST(PlotRoundStep, IsOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_EQ(widgets::roundStep(100.0, 5), 20.0);
    EXPECT_EQ(widgets::roundStep(0.7, 5), 0.2);
    EXPECT_EQ(widgets::roundStep(240.0, 5), 50.0);
    EXPECT_EQ(widgets::roundStep(0.0, 5), 0.0);
    EXPECT_EQ(widgets::roundStep(kNaN, 5), 0.0);
}

} // namespace
