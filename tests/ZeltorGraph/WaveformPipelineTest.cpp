#include "GraphFixture.h"
#include "RecordingGraphItem.h"

#include "CWaveformPipeline.h"

#include "CaughtError.h"

#include "standards/Limit.h"
#include "widgets/Twips.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using ZeltorGraph::IGraphPipeline;

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kDarkRed(0xC0, 0, 0);

class WaveformPipelineTest : public GraphFixture {
protected:
    // A waveform item with a fixed X window of `span` slots and a fixed Y range, or auto Y.
    std::shared_ptr<RecordingGraphItem> newItem(float span = 50.0f, bool autoY = false)
    {
        auto item = std::make_shared<RecordingGraphItem>();
        item->settings->setAutoScaleX(false);
        item->settings->setXmin(0.0f);
        item->settings->setXmax(span);
        item->settings->setAutoScaleY(autoY);
        item->settings->setYmin(0.0f);
        item->settings->setYmax(100.0f);
        return item;
    }

    IGraphPipeline& show(const std::shared_ptr<RecordingGraphItem>& item, int32_t startPos = 0)
    {
        graph->CreatePipeLine(item, startPos);
        return *item->pipeline;
    }

    const widgets::PlotDataLine& sweep() const { return plot().dataLine(0); }

    // The slots that are not empty, as (slot, Y).
    std::vector<std::pair<int, double>> drawnSlots() const
    {
        std::vector<std::pair<int, double>> drawn;
        for (int slot = 0; slot < sweep().pointCount(); ++slot)
            if (!sweep().empty(slot))
                drawn.emplace_back(slot, sweep().point(slot).y);
        return drawn;
    }
};

TEST_F(WaveformPipelineTest, InitializeSetsUpASweepEvenAfterATrendWithItsMaximumHidden)
{
    const auto trend = newTrend();
    const auto& rate = trend->Parameter(QStringLiteral("BRRA"));
    rate->Settings()->setShowMax(false);
    rate->AddSample(10.0f, 20.0f);
    graph->CreatePipeLine(rate, 0);
    ASSERT_FALSE(sweep().visible());

    const auto pressure = newWaveform()->PressureTable();
    graph->CreatePipeLine(pressure, 0);
    EXPECT_TRUE(sweep().visible());
    EXPECT_EQ(sweep().color(), 0xFFFFFFu);
    EXPECT_EQ(sweep().pointCount(), 500);
    EXPECT_TRUE(drawnSlots().empty());
    EXPECT_FALSE(plot().dataLine(1).visible());
    EXPECT_EQ(plot().dataLine(1).pointCount(), 0);
    EXPECT_TRUE(plot().lineItem(0).visible()) << "the cursor";
    EXPECT_FALSE(plot().lineItem(1).visible());
    EXPECT_FALSE(plot().lineItem(2).visible());
    EXPECT_FALSE(plot().channel(0).visible());
    EXPECT_FALSE(plot().channel(1).visible()) << "no detect level on pressure";
    EXPECT_EQ(graph->UpdateFrameRate(), 10);
    EXPECT_TRUE(graph->HandleEvents());

    for (int32_t entry = 0; entry < 4; ++entry)
        EXPECT_TRUE(graph->LegendItem(entry).isHidden()) << entry;
    for (int32_t button = 0; button < 5; ++button)
        EXPECT_EQ(graph->ScaleX().EnableButton(button), button != 1 && button != 3) << button;
    for (int32_t button = 0; button < 5; ++button)
        EXPECT_TRUE(graph->ScaleY().EnableButton(button)) << button;
    // Zoom out, auto and zoom in side by side in a narrower strip.
    const auto& strip = graph->ScaleX();
    EXPECT_LT(strip.button(4).x(), strip.button(2).x());
    EXPECT_EQ(strip.button(2).x(), strip.button(4).x() + strip.button(4).width());
    EXPECT_EQ(strip.button(0).x(), strip.button(2).x() + strip.button(2).width());
    EXPECT_EQ(strip.width(), 3 * strip.button(0).width() + widgets::twipsToPixels(30));

    const widgets::PlotAxis& x = plot().xAxis();
    EXPECT_EQ(x.minimum(), 0.0);
    EXPECT_EQ(x.span(), 500.0);
    EXPECT_FALSE(x.rangeTracking());
    EXPECT_EQ(x.labelStep(), 50.0);
    EXPECT_TRUE(graph->ScaleX().AutoScale());
    EXPECT_TRUE(plot().yAxis().rangeTracking());
    EXPECT_TRUE(graph->ScaleY().AutoScale());
    EXPECT_EQ(plot().yAxis().title(), QLatin1Char('[') + pressure->Unit() + QLatin1Char(']'));
}

TEST_F(WaveformPipelineTest, TheFlowChannelShowsItsDetectLevel)
{
    const auto flow = newWaveform()->FlowTable();
    graph->CreatePipeLine(flow, 0);
    EXPECT_FALSE(graph->LegendItem(0).isHidden());
    EXPECT_EQ(graph->LegendItem(0).Value(), 1);
    const widgets::PlotChannel& band = plot().channel(1);
    EXPECT_TRUE(band.visible());
    EXPECT_GT(band.firstReference(), 0.0);
    EXPECT_EQ(band.secondReference(), -band.firstReference());
}

TEST_F(WaveformPipelineTest, TheXWindowIsClampedTo50To3000Slots)
{
    struct Case {
        bool autoScale;
        float requested;
        int windowSlots;
    };
    for (const Case c : {Case{true, 10.0f, 500}, Case{false, 10.0f, 50}, Case{false, 1000.0f, 1000},
                         Case{false, 5000.0f, 3000}, Case{false, -20.0f, 50}}) {
        SCOPED_TRACE(c.requested);
        const auto item = newItem(c.requested);
        item->settings->setAutoScaleX(c.autoScale);
        IGraphPipeline& pipeline = show(item);
        EXPECT_EQ(plot().xAxis().span(), c.windowSlots) << "from the settings";
        EXPECT_EQ(sweep().pointCount(), c.windowSlots);

        pipeline.SetXScale(0, 200, false);
        ASSERT_EQ(plot().xAxis().span(), 200.0);
        pipeline.SetXScale(700, static_cast<int32_t>(c.requested), c.autoScale);
        EXPECT_EQ(plot().xAxis().span(), c.windowSlots);
        EXPECT_EQ(plot().xAxis().minimum(), 0.0) << "the window starts at 0";
        EXPECT_EQ(sweep().pointCount(), c.windowSlots);
        EXPECT_TRUE(drawnSlots().empty());
        for (int slot = 0; slot < sweep().pointCount(); ++slot)
            ASSERT_EQ(sweep().point(slot).x, slot);
    }
}

TEST_F(WaveformPipelineTest, TheSweepWrapsWithAGapAheadAndTheCursorAtTheWritePosition)
{
    IGraphPipeline& pipeline = show(newItem(50.0f), 48);
    pipeline.DrawValue(40.0f);
    EXPECT_EQ(drawnSlots(), (std::vector<std::pair<int, double>>{{48, 40.0}}));
    EXPECT_TRUE(sweep().empty(49));
    EXPECT_EQ(plot().lineItem(0).xPosition(), 49.0);
    pipeline.DrawValue(41.0f); // the last slot: nothing ahead of it to blank
    EXPECT_EQ(graph->CurrentX(), 50);

    for (int k = 0; k < 60; ++k)
        pipeline.DrawValue(50.0f);
    // 0 to 49 once, then 0 to 9 again.
    EXPECT_EQ(graph->CurrentX(), 10);
    EXPECT_EQ(plot().lineItem(0).xPosition(), 10.0);
    EXPECT_TRUE(sweep().empty(10)) << "the gap ahead of the sweep";
    EXPECT_EQ(drawnSlots().size(), 49u);

    const QImage image = render();
    EXPECT_TRUE(colourNear(image, at(5, 50.0), kWhite)) << "the newest trace";
    EXPECT_TRUE(colourNear(image, at(30, 50.0), kWhite)) << "the oldest trace";
    EXPECT_FALSE(colourNear(image, at(9.6, 50.0), kWhite)) << "no line into the gap";
    EXPECT_FALSE(colourNear(image, at(10.4, 50.0), kWhite)) << "no line out of the gap";
    EXPECT_TRUE(colourNear(image, at(10, 20.0), kBlue)) << "the cursor";
}

TEST_F(WaveformPipelineTest, AStartPositionOutsideTheWindowStartsTheSweepAtTheLeft)
{
    for (const int32_t start : {-5, 50, 70}) {
        SCOPED_TRACE(start);
        IGraphPipeline& pipeline = show(newItem(50.0f), start);
        EXPECT_EQ(graph->CurrentX(), start);
        pipeline.DrawValue(40.0f);
        EXPECT_EQ(drawnSlots(), (std::vector<std::pair<int, double>>{{0, 40.0}}));
        EXPECT_EQ(graph->CurrentX(), 1);
    }
}

TEST_F(WaveformPipelineTest, NarrowingTheWindowBehindTheWritePositionWrapsAtTheNextSample)
{
    IGraphPipeline& pipeline = show(newItem(500.0f));
    for (int k = 0; k < 300; ++k)
        pipeline.DrawValue(static_cast<float>(k % 100));
    pipeline.SetXScale(0, 100, false);
    EXPECT_EQ(sweep().pointCount(), 100);
    EXPECT_EQ(graph->CurrentX(), 300) << "the write position stays until the next sample";
    pipeline.DrawValue(77.0f);
    EXPECT_EQ(sweep().point(0).y, 77.0);
    EXPECT_TRUE(sweep().empty(1));
    EXPECT_EQ(graph->CurrentX(), 1);

    pipeline.SetXScale(0, 200, false);
    EXPECT_EQ(sweep().pointCount(), 200);
    for (int slot = 100; slot < 200; ++slot)
        ASSERT_TRUE(sweep().empty(slot)) << slot;
    EXPECT_EQ(sweep().point(0).y, 77.0) << "widening keeps the trace";
}

TEST_F(WaveformPipelineTest, InitializedAgainWithoutAGraphItKeepsItsGraph)
{
    const auto item = newItem(50.0f);
    IGraphPipeline& pipeline = show(item);
    pipeline.DrawValue(10.0f);
    pipeline.Clear();
    EXPECT_EQ(sweep().pointCount(), 0);
    pipeline.Initialize(nullptr, item, 5);
    EXPECT_EQ(sweep().pointCount(), 50);
    pipeline.DrawValue(20.0f);
    EXPECT_EQ(drawnSlots(), (std::vector<std::pair<int, double>>{{5, 20.0}}));

    ZeltorGraph::CWaveformPipeline unbound;
    EXPECT_EQ(caughtError([&] { unbound.Initialize(nullptr, item, 0); }).number(), 91);
}

TEST_F(WaveformPipelineTest, XLabelsAreElapsedSeconds)
{
    show(newItem(500.0f));
    for (const double x : {0.0, 49.0})
        EXPECT_EQ(plot().xLabel(x), QStringLiteral("00:00:00")) << x;
    for (const double x : {50.0, 99.0})
        EXPECT_EQ(plot().xLabel(x), QStringLiteral("00:00:01")) << x;
    EXPECT_EQ(plot().xLabel(3000.0), QStringLiteral("00:01:00"));
}

TEST_F(WaveformPipelineTest, AutoYFollowsTheDataInsideTheBoundaries)
{
    struct Case {
        std::vector<float> values;
        double minimum;
        double span;
    };
    const Case cases[] = {
        {{15, 10, 20, 12}, 0, 100},        // inside the window: the window
        {{-50, 150, 50, 0}, -74, 240},     // wider than the window: the data's own range
        {{140, 142, 141}, 91, 100},        // narrower and outside: the window's size, centred
        {{10, 20, 15}, 8.8, 12},           // no boundaries: 0.12 of the range below, 0.08 above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.front());
        IGraphPipeline& pipeline = show(newItem(500.0f, true));
        if (&c != &cases[3])
            pipeline.SetScaleBoundaries(0.0f, 100.0f);
        for (const float value : c.values)
            pipeline.DrawValue(value);
        EXPECT_DOUBLE_EQ(plot().yAxis().minimum(), c.minimum);
        EXPECT_DOUBLE_EQ(plot().yAxis().span(), c.span);
    }
}

TEST_F(WaveformPipelineTest, ANonFiniteSampleIsAGapAndLeavesTheYRange)
{
    IGraphPipeline& pipeline = show(newItem(50.0f, true));
    for (const float value : {10.0f, 20.0f, std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(), 15.0f})
        pipeline.DrawValue(value);
    EXPECT_EQ(drawnSlots(), (std::vector<std::pair<int, double>>{{0, 10.0}, {1, 20.0}, {4, 15.0}}));
    EXPECT_EQ(graph->CurrentX(), 5);
    EXPECT_DOUBLE_EQ(plot().yAxis().minimum(), 8.8);
    EXPECT_DOUBLE_EQ(plot().yAxis().span(), 12.0);
    const QImage image = render();
    EXPECT_FALSE(colourNear(image, at(2.5, 17.5), kWhite)) << "no line across the gap";
}

TEST_F(WaveformPipelineTest, LimitLinesAtTheEnabledLimits)
{
    struct Case {
        bool highEnabled;
        bool lowEnabled;
        int mode;
        double first;
        double second;
    };
    for (const Case c : {Case{true, false, 1, 80, 0}, Case{false, true, 1, 20, 0}, Case{true, true, 3, 80, 20}}) {
        SCOPED_TRACE(testing::Message() << c.highEnabled << c.lowEnabled);
        IGraphPipeline& pipeline = show(newItem(50.0f));
        const auto limit = std::make_shared<host::Limit>();
        limit->Initialize(QStringLiteral("PRES"), QStringLiteral("mbar"), QString(), QString());
        limit->setValue(0, 80.0f);
        limit->setEnabled(0, c.highEnabled);
        limit->setValue(1, 20.0f);
        limit->setEnabled(1, c.lowEnabled);
        pipeline.SetLimit(limit);
        const widgets::PlotChannel& band = plot().channel(0);
        EXPECT_EQ(band.referenceMode(), c.mode);
        EXPECT_EQ(band.firstReference(), c.first);
        if (c.mode == 3) {
            EXPECT_EQ(band.secondReference(), c.second);
        }
        EXPECT_FALSE(band.visible()) << "shown through the legend";
        EXPECT_FALSE(graph->LegendItem(3).isHidden());

        graph->LegendItem(3).setValue(1);
        EXPECT_TRUE(band.visible());
        const QImage image = render();
        EXPECT_TRUE(colourNear(image, at(25, c.first), kDarkRed));
        EXPECT_EQ(colourNear(image, at(25, 20.0), kDarkRed), c.lowEnabled) << "the low line";
        EXPECT_EQ(colourNear(image, at(25, 80.0), kDarkRed), c.highEnabled) << "the high line";
        graph->LegendItem(3).setValue(0);
        EXPECT_FALSE(band.visible());
    }
}

TEST_F(WaveformPipelineTest, LegendChangesWaitForTheirLines)
{
    IGraphPipeline& pipeline = show(newItem(50.0f));
    pipeline.LegendChange(0, true);
    EXPECT_FALSE(plot().channel(1).visible()) << "no detect level yet";
    pipeline.LegendChange(3, true);
    EXPECT_FALSE(plot().channel(0).visible()) << "no limit yet";
    pipeline.SetLimit(nullptr);
    pipeline.LegendChange(3, true);
    EXPECT_FALSE(plot().channel(0).visible()) << "none is no limit";

    pipeline.SetDetectLevel(30.0f);
    EXPECT_FALSE(graph->LegendItem(0).isHidden());
    pipeline.LegendChange(0, true);
    EXPECT_TRUE(plot().channel(1).visible());
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, at(25, 30.0), QColor(0, 255, 255))) << "the detect-level row";
    pipeline.LegendChange(1, false);
    pipeline.LegendChange(2, false);
    EXPECT_TRUE(plot().channel(1).visible());
    EXPECT_TRUE(sweep().visible());
}

TEST_F(WaveformPipelineTest, StoreSettingsWritesTheViewAsLeft)
{
    const auto item = newItem(1000.0f);
    item->settings->setShowDetectLevel(true);
    item->settings->setShowMax(false);
    item->settings->setShowMin(false);
    IGraphPipeline& pipeline = show(item);
    graph->ScaleX().setAutoScale(false);
    pipeline.SetYScale(-5.0, 20.0, false);
    graph->LegendItem(3).setValue(1);
    graph->LegendItem(0).setValue(0);
    item->settings->setXmin(33.0f);

    graph->DestroyPipeline();
    const auto& stored = *item->settings;
    EXPECT_FALSE(stored.AutoScaleX());
    EXPECT_EQ(stored.Xmin(), 0.0f);
    EXPECT_EQ(stored.Xmax(), 1000.0f);
    EXPECT_FALSE(stored.AutoScaleY());
    EXPECT_EQ(stored.Ymin(), -5.0f);
    EXPECT_EQ(stored.Ymax(), 15.0f);
    EXPECT_FALSE(stored.ShowDetectLevel());
    EXPECT_TRUE(stored.ShowLimits());
    EXPECT_FALSE(stored.ShowMax()) << "not written";
    EXPECT_FALSE(stored.ShowMin()) << "not written";

    // Shown again, the graph comes back as it was left.
    graph->CreatePipeLine(item, 0);
    EXPECT_FALSE(graph->ScaleX().AutoScale());
    EXPECT_EQ(plot().xAxis().span(), 1000.0);
    EXPECT_FALSE(plot().yAxis().rangeTracking());
    EXPECT_EQ(plot().yAxis().minimum(), -5.0);
    EXPECT_EQ(plot().yAxis().span(), 20.0);
    EXPECT_EQ(graph->LegendItem(3).Value(), 1);
}

TEST_F(WaveformPipelineTest, ALiveTableSweepsItsPackets)
{
    const auto pressure = newWaveform()->PressureTable();
    graph->CreatePipeLine(pressure, 0);
    for (int k = 0; k < 10; ++k) {
        pressure->AddValue(static_cast<float>(k));
        if (k % 2 == 1)
            pressure->DrawLatest();
    }
    EXPECT_EQ(graph->CurrentX(), 10);
    ASSERT_EQ(drawnSlots().size(), 10u);
    EXPECT_TRUE(sweep().empty(10));
    EXPECT_LE(plot().yAxis().minimum(), drawnSlots().front().second);
    EXPECT_GE(plot().yAxis().maximum(), drawnSlots().back().second);
}

} // namespace
