#include "GraphFixture.h"

#include "CSnapshotPipeline.h"

#include "CaughtError.h"

#include "com/Error.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using ZeltorGraph::CSnapshotPipeline;

namespace {

constexpr int32_t kScrollLeft = 1;
constexpr int32_t kScrollRight = 3;
constexpr int32_t kZoomIn = 0;
const QColor kWhite(255, 255, 255);
const QColor kCyan(0, 0xFF, 0xFF);

// Snapshot graphs of 500 samples (ten seconds, from 100 s to 110 s), driven through the real
// channel tables of a stored snapshot.
class SnapshotPipelineTest : public GraphFixture {
protected:
    static constexpr int32_t kSamples = 500;

    void SetUp() override
    {
        GraphFixture::SetUp();
        snapshot = newSnapshot(kSamples, 0.0f, 110);
    }

    // A stored snapshot whose channels hold `count` samples of one value.
    std::shared_ptr<ZeltorTests::CWaveformData> flatSnapshot(int32_t count, float value) const
    {
        auto flat = newWaveform(QStringLiteral("S2"));
        for (const auto& table : {flat->FlowTable(), flat->PressureTable(), flat->VolumeTable()})
            for (int32_t k = 0; k < count; ++k)
                table->AddValue(value);
        flat->Freeze(110, 0);
        return flat;
    }

    // Shows the table with the X window [minimum, maximum].
    void showWindow(const std::shared_ptr<ZeltorTests::CZeltorMeasurementTable>& table, float minimum,
                    float maximum) const
    {
        ZeltorGraph::IGraphSettings& settings = *table->Settings();
        settings.setAutoScaleX(false);
        settings.setXmin(minimum);
        settings.setXmax(maximum);
        graph->CreatePipeLine(table, 0);
    }

    void setXScale(int32_t minimum, int32_t span, bool autoScale) const
    {
        graph->ApplySyncXScale(ZeltorGraph::egtSnapshotGraph, minimum, span, autoScale);
    }
    void pressX(int32_t button) const { graph->ScaleX().button(button).onClick(); }

    widgets::PlotAxis& x() const { return plot().xAxis(); }
    widgets::PlotAxis& y() const { return plot().yAxis(); }
    ZeltorGraph::XGraphLegend& legend(int32_t index) const { return graph->LegendItem(index); }
    bool legendShown(int32_t index) const { return legend(index).isVisibleTo(graph.get()); }
    const widgets::PlotChannel& detectBand() const { return plot().channel(kDetectLevelBand); }

    std::shared_ptr<ZeltorTests::CWaveformData> snapshot;
};

TEST_F(SnapshotPipelineTest, InitializeShowsOneWhiteLineEvenAfterATrendWithItsMaximumHidden)
{
    const auto trend = newTrend();
    const auto& rate = trend->Parameter(QStringLiteral("BRRA"));
    rate->AddSample(10.0f, 20.0f);
    graph->CreatePipeLine(rate, 0);
    graph->LegendItem(ZeltorGraph::eleMaximum).setValue(0);
    ASSERT_FALSE(plot().dataLine(0).visible());
    graph->ScaleX().setEnableButton(kScrollLeft, false);
    graph->ScaleX().setEnableButton(kScrollRight, false);

    const auto& pressure = snapshot->PressureTable();
    pressure->Settings()->setAutoScaleX(true);
    graph->CreatePipeLine(pressure, 0);

    const widgets::PlotDataLine& line = plot().dataLine(0);
    EXPECT_TRUE(line.visible());
    EXPECT_EQ(line.color(), 0xFFFFFFu);
    ASSERT_EQ(line.pointCount(), kSamples);
    EXPECT_EQ(line.point(0).x, 0.0);
    EXPECT_EQ(line.point(kSamples - 1).x, 499.0);
    EXPECT_FALSE(plot().dataLine(1).visible());
    EXPECT_EQ(plot().dataLine(1).pointCount(), 0);
    EXPECT_EQ(plot().frameRate(), 0);
    EXPECT_TRUE(graph->ScaleX().EnableButton(kScrollLeft));
    EXPECT_TRUE(graph->ScaleX().EnableButton(kScrollRight));
    EXPECT_FALSE(plot().channel(kLimitBand).visible());
    EXPECT_FALSE(detectBand().visible()) << "no detect level on the pressure";
    for (const int item : {0, 1, 2})
        EXPECT_FALSE(plot().lineItem(item).visible()) << "line item " << item;
    for (const int32_t entry : {ZeltorGraph::eleDetectLevel, ZeltorGraph::eleMaximum, ZeltorGraph::eleMinimum,
                                ZeltorGraph::eleLimits})
        EXPECT_FALSE(legendShown(entry)) << "legend entry " << entry;
    EXPECT_EQ(x().minimum(), 0.0);
    EXPECT_EQ(x().span(), 500.0);
    EXPECT_EQ(x().labelStep(), 50.0);
    EXPECT_EQ(y().title(), QLatin1Char('[') + pressure->Unit() + QLatin1Char(']'));
    EXPECT_TRUE(colourNear(render(), at(250, line.point(250).y), kWhite));
}

TEST_F(SnapshotPipelineTest, TheTablesRedrawKeepsTheGraphAndStartsAgainAtXZero)
{
    const auto& volume = snapshot->VolumeTable();
    volume->Settings()->setAutoScaleX(true);
    graph->CreatePipeLine(volume, 0);
    ASSERT_EQ(plot().dataLine(0).pointCount(), kSamples);

    for (int k = 0; k < 100; ++k)
        volume->AddValue(0.0f);
    ZeltorGraph::IGraphSettings& settings = *volume->Settings();
    settings.setAutoScaleX(false);
    settings.setXmin(100.0f);
    settings.setXmax(300.0f);
    settings.setAutoScaleY(false);
    settings.setYmin(-10.0f);
    settings.setYmax(40.0f);
    volume->Redraw();

    const widgets::PlotDataLine& line = plot().dataLine(0);
    ASSERT_EQ(line.pointCount(), kSamples + 100);
    EXPECT_EQ(line.point(0).x, 0.0);
    EXPECT_EQ(line.point(kSamples + 99).x, 599.0);
    EXPECT_EQ(x().minimum(), 100.0);
    EXPECT_EQ(x().maximum(), 300.0);
    EXPECT_FALSE(graph->ScaleX().AutoScale());
    EXPECT_EQ(y().minimum(), -10.0);
    EXPECT_EQ(y().maximum(), 40.0);
    EXPECT_FALSE(y().rangeTracking());
}

TEST_F(SnapshotPipelineTest, InitializeWithoutAnyGraphRaises)
{
    CSnapshotPipeline pipeline;
    const com::Error error = caughtError([&] { pipeline.Initialize(nullptr, snapshot->VolumeTable()); });
    EXPECT_EQ(error.number(), com::errObjectNotSet);
}

TEST_F(SnapshotPipelineTest, SetXScaleShowsAtLeastOneSecondInsideTheScrollRange)
{
    struct Case {
        int32_t minimum;
        int32_t span;
        bool autoScale;
        double shownMinimum;
        double shownSpan;
    };
    // 500 samples and no X offset: the scroll range is [0, 500].
    const std::vector<Case> cases{
        {100, 120, false, 100, 120}, // inside: as asked
        {100, 49, false, 100, 50},   // 49 samples or fewer: one second
        {100, 0, false, 100, 50},
        {100, 50, false, 100, 50},
        {0, 600, false, 0, 500},     // beyond the scroll bound: the bound
        {-20, 100, false, 0, 100},   // below the lower bound: the lower bound
        {450, 100, false, 400, 100}, // past the end: ends at the bound
        {460, 30, false, 450, 50},   // past the end by the new span
        {70, 20, true, 0, 500},      // auto: all samples
    };
    showWindow(snapshot->VolumeTable(), 100.0f, 200.0f);
    ASSERT_EQ(x().upperScrollBound(), 500.0);
    for (const Case& each : cases) {
        setXScale(each.minimum, each.span, each.autoScale);
        EXPECT_EQ(x().minimum(), each.shownMinimum) << each.minimum << ", " << each.span;
        EXPECT_EQ(x().span(), each.shownSpan) << each.minimum << ", " << each.span;
        EXPECT_EQ(x().labelStep(), 50.0);
    }
}

TEST_F(SnapshotPipelineTest, TheScaleButtonsStopAtTheEndsAndAtOneSecond)
{
    showWindow(snapshot->VolumeTable(), 100.0f, 200.0f);
    for (int press = 0; press < 4; ++press)
        pressX(kScrollRight);
    EXPECT_EQ(x().minimum(), 400.0);
    EXPECT_EQ(x().maximum(), x().upperScrollBound()) << "the last samples end at the bound";
    for (int press = 0; press < 6; ++press)
        pressX(kScrollLeft);
    EXPECT_EQ(x().minimum(), 0.0);
    EXPECT_EQ(x().span(), 100.0);
    for (int press = 0; press < 10; ++press)
        pressX(kZoomIn);
    EXPECT_EQ(x().span(), 50.0);
    EXPECT_FALSE(graph->ScaleX().AutoScale());
}

TEST_F(SnapshotPipelineTest, ASweepFrozenMidWayKeepsItsWindowBeyondTheNewestSample)
{
    // 600 samples of a live sweep shown as [0, 500] and frozen with the cursor at 100: the window
    // moves to the newest samples and reaches 400 samples beyond them.
    auto live = newWaveform(QStringLiteral("S3"));
    const auto& volume = live->VolumeTable();
    for (int k = 0; k < 600; ++k)
        volume->AddValue(static_cast<float>(k));
    volume->Settings()->setXmin(0.0f);
    volume->Settings()->setXmax(500.0f);
    live->Freeze(110, 100);
    graph->CreatePipeLine(volume, 0);
    EXPECT_EQ(x().minimum(), 500.0);
    EXPECT_EQ(x().maximum(), 1000.0);
    EXPECT_EQ(x().upperScrollBound(), 1000.0);
    pressX(kScrollRight);
    EXPECT_EQ(x().minimum(), 500.0);
    pressX(kScrollLeft);
    EXPECT_EQ(x().minimum(), 0.0);
    EXPECT_EQ(x().span(), 500.0);
}

TEST_F(SnapshotPipelineTest, YAutoFitsTheTraceWithRoomOrOneUnitAroundAFlatOne)
{
    // A ramp: 20 % of room, a tenth of it below.
    const auto& pressure = snapshot->PressureTable();
    ASSERT_TRUE(pressure->Settings()->AutoScaleY()) << "a frozen table without a Y range fits";
    showWindow(pressure, 0.0f, 500.0f);
    const widgets::PlotDataLine& line = plot().dataLine(0);
    const double lo = line.lowest();
    const double hi = line.highest();
    ASSERT_LT(lo, hi);
    EXPECT_DOUBLE_EQ(y().minimum(), lo - 0.12 * (hi - lo));
    EXPECT_DOUBLE_EQ(y().maximum(), hi + 0.08 * (hi - lo));
    EXPECT_TRUE(y().rangeTracking());
    EXPECT_TRUE(graph->ScaleY().AutoScale());

    const auto flat = flatSnapshot(kSamples, 7.0f);
    showWindow(flat->PressureTable(), 0.0f, 500.0f);
    const double value = plot().dataLine(0).point(0).y;
    EXPECT_DOUBLE_EQ(y().minimum(), value - 1.0);
    EXPECT_DOUBLE_EQ(y().maximum(), value + 1.0);
}

TEST_F(SnapshotPipelineTest, TheDetectLevelEntryWorksOnlyOnceALevelIsSet)
{
    // The pressure table hands over no detect level: its entry is hidden and does nothing.
    showWindow(snapshot->PressureTable(), 0.0f, 500.0f);
    EXPECT_FALSE(legendShown(ZeltorGraph::eleDetectLevel));
    legend(ZeltorGraph::eleDetectLevel).setValue(1);
    EXPECT_FALSE(detectBand().visible());

    // The flow table does: the band at plus and minus the level, shown as its settings say.
    const auto& flow = snapshot->FlowTable();
    ASSERT_TRUE(flow->Settings()->ShowDetectLevel());
    flow->Settings()->setAutoScaleY(false);
    flow->Settings()->setYmin(-2000.0f);
    flow->Settings()->setYmax(2000.0f);
    showWindow(flow, 0.0f, 500.0f);
    EXPECT_TRUE(legendShown(ZeltorGraph::eleDetectLevel));
    EXPECT_EQ(legend(ZeltorGraph::eleDetectLevel).Value(), 1);
    const double level = detectBand().firstReference();
    EXPECT_GT(level, 0.0);
    EXPECT_LT(level, 2000.0);
    EXPECT_EQ(detectBand().secondReference(), -level);
    EXPECT_TRUE(detectBand().visible());
    const QImage shown = render();
    EXPECT_TRUE(colourNear(shown, at(250, level), kCyan));
    EXPECT_TRUE(colourNear(shown, at(250, -level), kCyan));

    legend(ZeltorGraph::eleDetectLevel).setValue(0);
    EXPECT_FALSE(detectBand().visible());
    const QImage hidden = render();
    EXPECT_FALSE(colourNear(hidden, at(250, level), kCyan));
    EXPECT_FALSE(colourNear(hidden, at(250, -level), kCyan));
    legend(ZeltorGraph::eleDetectLevel).setValue(1);
    EXPECT_TRUE(detectBand().visible());
}

TEST_F(SnapshotPipelineTest, XLabelsCountWholeSecondsFromTheStartTime)
{
    showWindow(snapshot->VolumeTable(), 0.0f, 500.0f);
    const std::vector<std::pair<double, QString>> cases{
        {0.0, QStringLiteral("00:01:40")},  {49.0, QStringLiteral("00:01:40")},
        {49.4, QStringLiteral("00:01:40")}, {49.6, QStringLiteral("00:01:41")},
        {50.0, QStringLiteral("00:01:41")}, {99.0, QStringLiteral("00:01:41")},
        {100.0, QStringLiteral("00:01:42")}, {499.0, QStringLiteral("00:01:49")},
    };
    for (const auto& [value, label] : cases)
        EXPECT_EQ(plot().xLabel(value), label) << value;
}

TEST_F(SnapshotPipelineTest, TheXWindowGoesToAllThreeTablesAndTheViewIsStored)
{
    const auto& flow = snapshot->FlowTable();
    flow->Settings()->setShowLimits(true);
    showWindow(flow, 100.0f, 200.0f);
    pressX(kScrollRight);
    ASSERT_EQ(x().minimum(), 200.0);
    for (const auto& table : {snapshot->PressureTable(), snapshot->VolumeTable()}) {
        const ZeltorGraph::IGraphSettings& settings = *table->Settings();
        EXPECT_FALSE(settings.AutoScaleX()) << table->Key().toStdString();
        EXPECT_EQ(settings.Xmin(), 200.0f) << table->Key().toStdString();
        EXPECT_EQ(settings.Xmax(), 300.0f) << table->Key().toStdString();
    }

    legend(ZeltorGraph::eleDetectLevel).setValue(0);
    graph->DestroyPipeline();
    const ZeltorGraph::IGraphSettings& stored = *flow->Settings();
    EXPECT_FALSE(stored.AutoScaleX());
    EXPECT_EQ(stored.Xmin(), 200.0f);
    EXPECT_EQ(stored.Xmax(), 300.0f);
    EXPECT_TRUE(stored.AutoScaleY());
    EXPECT_FLOAT_EQ(stored.Ymin(), static_cast<float>(y().minimum()));
    EXPECT_FLOAT_EQ(stored.Ymax(), static_cast<float>(y().maximum()));
    EXPECT_FALSE(stored.ShowDetectLevel());
    EXPECT_TRUE(stored.ShowLimits());

    // Each table shows the shared window; the flow table keeps its band hidden.
    graph->CreatePipeLine(snapshot->VolumeTable(), 0);
    EXPECT_EQ(x().minimum(), 200.0);
    EXPECT_EQ(x().maximum(), 300.0);
    graph->CreatePipeLine(flow, 0);
    EXPECT_EQ(x().minimum(), 200.0);
    EXPECT_FALSE(detectBand().visible());
    EXPECT_EQ(legend(ZeltorGraph::eleDetectLevel).Value(), 0);
    EXPECT_TRUE(legendShown(ZeltorGraph::eleDetectLevel));
    EXPECT_EQ(legend(ZeltorGraph::eleLimits).Value(), 1);
}

TEST_F(SnapshotPipelineTest, SetGraphSettingsSetsTheScrollRangeAndRaisesOnOverflow)
{
    showWindow(snapshot->VolumeTable(), 0.0f, 500.0f);
    CSnapshotPipeline pipeline;
    pipeline.Initialize(graph.get(), snapshot->VolumeTable());
    pipeline.SetGraphSettings(100, 400, 100);
    EXPECT_EQ(x().upperScrollBound(), 500.0);
    pipeline.SetGraphSettings(100, 400, -50);
    EXPECT_EQ(x().upperScrollBound(), 350.0);

    for (const auto& [length, offset] : {std::pair{std::numeric_limits<int32_t>::max(), 1},
                                         std::pair{std::numeric_limits<int32_t>::min(), -1}}) {
        const com::Error error = caughtError([&] { pipeline.SetGraphSettings(0, length, offset); });
        EXPECT_EQ(error.number(), com::errOverflow);
        EXPECT_EQ(x().upperScrollBound(), 350.0);
    }
}

} // namespace
