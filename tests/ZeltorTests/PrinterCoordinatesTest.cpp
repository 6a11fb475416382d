#include "data/CPrinterCoordinates.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace ZeltorTests;

namespace {

// An area of 1000 x 1000 twips from (1000, 1000).
CPrinterCoordinates coordinatesOver(const std::vector<std::vector<float>>& fits, int32_t factor, int32_t division)
{
    CPrinterCoordinates coordinates;
    coordinates.SetArea(1000, 1000, 2000, 2000);
    for (const auto& values : fits)
        coordinates.FitY(values, factor);
    coordinates.ComputeScale(division);
    return coordinates;
}

CPrinterCoordinates coordinatesOverRange(float xMin, float yMin, float xMax, float yMax, int32_t division)
{
    CPrinterCoordinates coordinates;
    coordinates.SetArea(1000, 1000, 2000, 2000);
    coordinates.SetRange(xMin, yMin, xMax, yMax);
    coordinates.ComputeScale(division);
    return coordinates;
}

} // namespace

TEST(PrinterCoordinatesTest, FittingPullsInZeroAndAddsTenPercentOfTheSpanOnEachSide)
{
    struct Case {
        std::vector<std::vector<float>> fits;
        float yMin, yMax;
    };
    const std::vector<Case> cases{
        {{{10, 20, 30}}, -3.0f, 33.0f},
        // A second fit widens the first, margin included, and adds 10 % of the widened span.
        {{{10, 20, 30}, {5, 8, 12}}, -6.6f, 36.6f},
        {{{-10, -20, -30}}, -33.0f, 3.0f},
        {{{0, 0, 0}}, 0.0f, 0.0f},
        {{{-5, 15}}, -7.0f, 17.0f},
    };
    for (const Case& c : cases) {
        const CPrinterCoordinates coordinates = coordinatesOver(c.fits, 10, 1);
        EXPECT_FLOAT_EQ(coordinates.YMin(), c.yMin) << c.yMax;
        EXPECT_FLOAT_EQ(coordinates.YMax(), c.yMax) << c.yMin;
    }
    const CPrinterCoordinates fitted = coordinatesOver({{10, 20, 30}}, 10, 1);
    EXPECT_FLOAT_EQ(fitted.XMin(), 0.0f);
    EXPECT_FLOAT_EQ(fitted.XMax(), 30.0f);
}

TEST(PrinterCoordinatesTest, RangeEdgesMapToTheAreaEdges)
{
    const CPrinterCoordinates coordinates = coordinatesOver({{10, 20, 30}, {5, 8, 12}}, 10, 1);
    EXPECT_EQ(coordinates.ToPageX(0.0f), 1000);
    EXPECT_EQ(coordinates.ToPageX(30.0f), 2000);
    EXPECT_EQ(coordinates.ToPageX(15.0f), 1500);
    EXPECT_EQ(coordinates.ToPageY(-6.6f), 2000);
    EXPECT_EQ(coordinates.ToPageY(36.6f), 1000);
    EXPECT_EQ(coordinates.ToPageY(0.0f), 1847); // 1000 + 1000 x 36.6 / 43.2

    const AxisRecord x = coordinates.XAxis();
    EXPECT_EQ((std::vector<int32_t>{x.x1, x.y1, x.x2, x.y2}), (std::vector<int32_t>{1000, 2000, 2000, 2000}));
    EXPECT_EQ(x.offset, 1000);
    EXPECT_FLOAT_EQ(x.scale, 1000.0f / 30.0f);
    const AxisRecord y = coordinates.YAxis();
    EXPECT_EQ((std::vector<int32_t>{y.x1, y.y1, y.x2, y.y2}), (std::vector<int32_t>{1000, 1000, 1000, 2000}));
    EXPECT_EQ(y.offset, 1847);
}

TEST(PrinterCoordinatesTest, ValueAxisStepsAreOneTwoOrFiveTimesAPowerOfTenWithAtMostElevenIntervals)
{
    struct Case {
        float yMin, yMax;
        int32_t first, last, step, multiplier;
    };
    for (const Case& c : std::vector<Case>{
             {-6.6f, 36.6f, -50, 350, 50, 10},
             {-0.1f, 0.25f, -10, 25, 5, 100},
             {0.0f, 11.0f, 0, 11, 1, 1},
             {0.0f, 12.0f, 0, 12, 2, 1},
             {-3.0f, 33.0f, 0, 30, 5, 1},
             {0.0f, 0.0f, 0, 0, 1, 1},
             {-0.5f, 5.5f, 0, 6, 1, 1},
             {0.0f, 1000000.0f, 0, 1000000, 100000, 1},
         }) {
        const AxisRecord y = coordinatesOverRange(0, c.yMin, 10, c.yMax, 1).YAxis();
        EXPECT_EQ((std::vector<int32_t>{y.firstTick, y.lastTick, y.step, y.unit}),
                  (std::vector<int32_t>{c.first, c.last, c.step, c.multiplier}))
            << c.yMin << " to " << c.yMax;
    }
}

TEST(PrinterCoordinatesTest, TimeAxisGetsAtMostEightLabelIntervalsOnWholeDivisions)
{
    struct Case {
        float xMin, xMax;
        int32_t division, first, last, labelStep;
    };
    for (const Case& c : std::vector<Case>{
             {0, 600, 1, 0, 600, 75},
             {0, 70, 1, 0, 70, 10},
             {0, 13, 1, 0, 13, 13},
             {0, 1, 1, 0, 1, 1},
             {0, 3000, 50, 0, 3000, 500},
             {7, 23, 5, 10, 20, 5},
             {0, 0, 1, 0, 0, 0},
         }) {
        const AxisRecord x = coordinatesOverRange(c.xMin, 0, c.xMax, 10, c.division).XAxis();
        EXPECT_EQ((std::vector<int32_t>{x.firstTick, x.lastTick, x.step, x.unit}),
                  (std::vector<int32_t>{c.first, c.last, c.labelStep, c.division}))
            << c.xMin << " to " << c.xMax;
    }
}

TEST(PrinterCoordinatesTest, ZeroWidthRangesKeepAScaleOfZeroAndMapToOneEdge)
{
    const CPrinterCoordinates flat = coordinatesOver({{0, 0, 0}}, 1, 1);
    EXPECT_EQ(flat.YAxis().scale, 0.0f);
    EXPECT_EQ(flat.ToPageY(0.0f), 2000);
    EXPECT_EQ(flat.ToPageY(25.0f), 2000);

    // An empty curve: X 0 to 0, Y untouched; nothing is read from the array.
    const CPrinterCoordinates empty = coordinatesOver({{}, {}}, 10, 1);
    EXPECT_EQ(empty.XMax(), 0.0f);
    EXPECT_EQ(empty.XAxis().scale, 0.0f);
    EXPECT_EQ(empty.ToPageX(100.0f), 1000);
    EXPECT_EQ(empty.ToPageY(1.0f), 2000);
    const AxisRecord y = empty.YAxis();
    EXPECT_EQ((std::vector<int32_t>{y.firstTick, y.lastTick, y.step, y.unit}), (std::vector<int32_t>{0, 0, 1, 1}));
}

TEST(PrinterCoordinatesTest, PositionsBeyondThirtyTwoBitsRaiseOverflowAndRangesBeyondThemLeaveTheAxisUndivided)
{
    const CPrinterCoordinates coordinates = coordinatesOverRange(0, -3e9f, 10, 3e9f, 1);
    EXPECT_THROW(coordinates.ToPageX(1e12f), com::Error);
    EXPECT_THROW(coordinates.ToPageY(std::nanf("")), com::Error);
    // The Y ticks need more than 32 bits: the axis keeps its empty record.
    EXPECT_EQ(coordinates.YAxis().step, 0);
    EXPECT_EQ(coordinates.ToPageY(0.0f), 1500);
}
