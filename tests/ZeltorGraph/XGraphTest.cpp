#include "GraphFixture.h"
#include "RecordingGraphItem.h"

#include "CaughtError.h"

#include "com/Error.h"
#include "widgets/Colors.h"
#include "widgets/Twips.h"

#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace {

using ZeltorGraph::XGraph;
using ZeltorGraph::egtSnapshotGraph;
using ZeltorGraph::egtTrendGraph;
using ZeltorGraph::egtWaveformGraph;

enum Action : int32_t { ZoomIn = 0, ScrollMinus = 1, ToggleAuto = 2, ScrollPlus = 3, ZoomOut = 4 };

void click(QWidget& widget)
{
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(1, 1));
}

class XGraphTest : public GraphFixture {
protected:
    // A graph showing a recording item of the given type on its real pipeline.
    std::shared_ptr<RecordingGraphItem> showItem(XGraph& on, ZeltorGraph::EZeltorGraphType type = egtWaveformGraph)
    {
        auto item = std::make_shared<RecordingGraphItem>(type);
        on.CreatePipeLine(item, 0);
        item->xReports.clear();
        return item;
    }

    static std::unique_ptr<XGraph> newGraph()
    {
        auto other = std::make_unique<XGraph>();
        other->resize(640, 400);
        return other;
    }

    QPoint plotTopLeftTwips() const
    {
        const QPoint pos = graph->plotWidget().pos();
        return {widgets::pixelsToTwips(pos.x()), widgets::pixelsToTwips(pos.y())};
    }
};

TEST_F(XGraphTest, PublicMembersWithoutAPipeline)
{
    EXPECT_EQ(graph->CurrentX(), 0);
    EXPECT_EQ(graph->GraphData(), nullptr);
    EXPECT_FALSE(graph->HandleEvents());

    EXPECT_TRUE(graph->Border());
    EXPECT_EQ(graph->plotWidget().pos(), QPoint(widgets::twipsToPixels(30), widgets::twipsToPixels(255)));
    graph->setBorder(false);
    EXPECT_FALSE(graph->Border());
    EXPECT_FALSE(graph->title().isVisibleTo(graph.get()));
    EXPECT_EQ(graph->plotWidget().pos(), QPoint(0, 0)) << "no title, no margin";
    graph->setBorder(true);
    EXPECT_EQ(graph->plotWidget().pos(), QPoint(widgets::twipsToPixels(30), widgets::twipsToPixels(255)));

    const QColor activeText = graph->title().palette().color(QPalette::WindowText);
    graph->setHighLight(false);
    EXPECT_FALSE(graph->HighLight());
    EXPECT_EQ(graph->palette().color(QPalette::Window), widgets::colorOf(widgets::kSystemInactiveTitle));
    EXPECT_EQ(graph->title().palette().color(QPalette::WindowText),
              widgets::colorOf(widgets::kSystemInactiveTitleText));
    graph->setHighLight(true);
    EXPECT_TRUE(graph->HighLight());
    EXPECT_EQ(graph->palette().color(QPalette::Window), widgets::colorOf(widgets::kSystemActiveTitle));
    EXPECT_EQ(graph->title().palette().color(QPalette::WindowText), activeText);

    graph->setUpdateFrameRate(25);
    EXPECT_EQ(graph->UpdateFrameRate(), 25);
    EXPECT_EQ(graph->frameRateLabel().text(), QStringLiteral("25 FPS"));
    EXPECT_TRUE(graph->frameRateLabel().isVisibleTo(graph.get()));

    // The strips and the legend act on nothing.
    click(graph->ScaleX().button(ZoomIn));
    click(graph->LegendItem(0));
    EXPECT_EQ(graph->CurrentX(), 0);
    EXPECT_EQ(caughtError([&] { graph->LegendItem(4); }).number(), 9);
}

TEST_F(XGraphTest, DestroyPipelineStoresTheViewByDefaultAndKeepsTheItem)
{
    const auto pressure = newWaveform()->PressureTable();
    graph->CreatePipeLine(pressure, 7);
    EXPECT_EQ(graph->CurrentX(), 7);
    EXPECT_EQ(graph->title().text(), pressure->Title());
    ASSERT_TRUE(pressure->Settings()->AutoScaleY());
    click(graph->ScaleY().button(ZoomIn)); // the Y axis leaves auto-scaling

    graph->DestroyPipeline();
    EXPECT_EQ(graph->GraphData(), pressure);
    EXPECT_EQ(graph->CurrentX(), 0);
    EXPECT_FALSE(pressure->Settings()->AutoScaleY()) << "the view was stored";
    EXPECT_EQ(plot().xLabel(50.0), QStringLiteral("50")) << "no pipeline answers label requests";

    const auto item = showItem(*graph);
    graph->DestroyPipeline(false);
    EXPECT_EQ(item->releases, std::vector<bool>{false});
    EXPECT_EQ(item->pipeline, nullptr);
}

TEST_F(XGraphTest, ShowingASecondItemStoresTheFirstItemsView)
{
    const auto first = showItem(*graph);
    click(graph->ScaleY().button(ZoomOut));
    const auto second = showItem(*graph);
    EXPECT_EQ(first->releases, std::vector<bool>{true});
    EXPECT_FALSE(first->settings->AutoScaleY());
    EXPECT_EQ(graph->GraphData(), second);
}

TEST_F(XGraphTest, AFailingReleaseStillDropsThePipelineAndClearsReady)
{
    const auto item = showItem(*graph);
    EXPECT_EQ(plot().xLabel(50.0), QStringLiteral("00:00:01"));
    item->failRelease = true;
    EXPECT_NO_THROW(graph->DestroyPipeline());
    EXPECT_EQ(graph->CurrentX(), 0);
    EXPECT_EQ(plot().xLabel(50.0), QStringLiteral("50")) << "not ready";
    click(graph->ScaleX().button(ZoomIn));
    EXPECT_EQ(plot().xAxis().span(), 500.0) << "no pipeline to act on";
}

TEST_F(XGraphTest, AGraphTypeOutsideTheThreeFailsCreatePipeLine)
{
    for (const int32_t type : {-1, 3}) {
        const auto item = std::make_shared<RecordingGraphItem>(static_cast<ZeltorGraph::EZeltorGraphType>(type));
        const com::Error error = caughtError([&] { graph->CreatePipeLine(item, 0); });
        EXPECT_NE(error.number(), 0);
        EXPECT_EQ(graph->GraphData(), item) << "what was done before the failure stays";
        EXPECT_EQ(item->pipeline, nullptr);
        EXPECT_EQ(graph->CurrentX(), 0);
    }
    EXPECT_NE(caughtError([&] { graph->CreatePipeLine(nullptr, 0); }).number(), 0);
}

TEST_F(XGraphTest, ALegendClickReachesThePipeline)
{
    const auto flow = newWaveform()->FlowTable();
    graph->CreatePipeLine(flow, 0);
    ZeltorGraph::XGraphLegend& detectLevel = graph->LegendItem(0);
    ASSERT_FALSE(detectLevel.isHidden());
    ASSERT_EQ(detectLevel.Value(), 1);
    ASSERT_TRUE(plot().channel(1).visible());

    click(detectLevel);
    EXPECT_EQ(detectLevel.Value(), 0);
    EXPECT_FALSE(plot().channel(1).visible());
    detectLevel.setValue(1); // from code, as a click
    EXPECT_TRUE(plot().channel(1).visible());
}

struct XActionCase {
    int32_t action;
    double minimum;
    double span;
    bool autoScale;
};

TEST_F(XGraphTest, XStripActionsMoveTheWindowAndReportIt)
{
    // A snapshot of 3000 samples shown from 1000 to 1500.
    const auto volume = newSnapshot(3000)->VolumeTable();
    const XActionCase cases[] = {
        {ZoomIn, 1000, 450, false},    {ScrollMinus, 500, 500, false}, {ToggleAuto, 0, 3000, true},
        {ScrollPlus, 1500, 500, false}, {ZoomOut, 1000, 550, false},
    };
    for (const XActionCase& c : cases) {
        SCOPED_TRACE(c.action);
        const auto settings = volume->Settings();
        settings->setAutoScaleX(false);
        settings->setXmin(1000);
        settings->setXmax(1500);
        graph->CreatePipeLine(volume, 0);
        graph->ScaleX().setAutoScale(false);
        ASSERT_EQ(plot().xAxis().minimum(), 1000.0);

        click(graph->ScaleX().button(c.action));
        EXPECT_EQ(plot().xAxis().minimum(), c.minimum);
        EXPECT_EQ(plot().xAxis().span(), c.span);
        EXPECT_EQ(graph->ScaleX().AutoScale(), c.autoScale);
        // The item hears of the new window.
        EXPECT_EQ(settings->Xmin(), c.minimum);
        EXPECT_EQ(settings->Xmax(), c.minimum + c.span);
        EXPECT_EQ(settings->AutoScaleX(), c.autoScale);
        graph->DestroyPipeline(false);
    }
}

TEST_F(XGraphTest, XActionTwoTwiceTogglesAutoScalingOffAndOn)
{
    const auto item = showItem(*graph);
    ASSERT_TRUE(graph->ScaleX().AutoScale());
    click(graph->ScaleX().button(ToggleAuto));
    EXPECT_FALSE(graph->ScaleX().AutoScale());
    ASSERT_FALSE(item->xReports.empty());
    EXPECT_FALSE(item->xReports.back().autoScale);
    click(graph->ScaleX().button(ToggleAuto));
    EXPECT_TRUE(graph->ScaleX().AutoScale());
    EXPECT_TRUE(item->xReports.back().autoScale);
    EXPECT_EQ(item->xReports.back().maximum, 500);
}

TEST_F(XGraphTest, ZoomingOutGrowsEvenASpanOfOne)
{
    // A trend sampled every second can be zoomed in to a span of a few seconds.
    const auto trend = newTrend(1);
    const auto& rate = trend->Parameter(QStringLiteral("BRRA"));
    for (int k = 0; k < 100; ++k)
        rate->AddSample(10.0f, 20.0f);
    graph->CreatePipeLine(rate, 0);
    for (const int32_t span : {1, 4}) {
        SCOPED_TRACE(span);
        graph->ApplySyncXScale(egtTrendGraph, 0, span, false);
        ASSERT_EQ(plot().xAxis().span(), span);
        click(graph->ScaleX().button(ZoomOut));
        EXPECT_EQ(plot().xAxis().span(), span + 1);
    }
}

struct YActionCase {
    int32_t action;
    double minimum;
    double span;
    bool autoScale;
};

TEST_F(XGraphTest, YStripActionsZoomAboutTheCentreAndScroll)
{
    const YActionCase cases[] = {
        {ZoomIn, 10, 80, false},      {ScrollMinus, -100, 100, false}, {ToggleAuto, 0, 100, true},
        {ScrollPlus, 100, 100, false}, {ZoomOut, -10, 120, false},
    };
    for (const YActionCase& c : cases) {
        SCOPED_TRACE(c.action);
        const auto item = std::make_shared<RecordingGraphItem>();
        item->settings->setAutoScaleY(false);
        item->settings->setYmin(0);
        item->settings->setYmax(100);
        graph->CreatePipeLine(item, 0);
        item->xReports.clear();
        ASSERT_FALSE(graph->ScaleY().AutoScale());

        click(graph->ScaleY().button(c.action));
        EXPECT_DOUBLE_EQ(plot().yAxis().minimum(), c.minimum);
        EXPECT_DOUBLE_EQ(plot().yAxis().span(), c.span);
        EXPECT_EQ(plot().yAxis().rangeTracking(), c.autoScale);
        EXPECT_EQ(graph->ScaleY().AutoScale(), c.autoScale);
        EXPECT_TRUE(item->xReports.empty()) << "a Y action is not synchronised";
        graph->DestroyPipeline(false);
    }
}

TEST(XGraphScaleStrip, AClickFromInsideTheActionHandlerIsDropped)
{
    ZeltorGraph::XGraphScaleX strip(nullptr);
    std::vector<int32_t> actions;
    bool fail = true;
    strip.onScaleAction = [&](int32_t action) {
        actions.push_back(action);
        click(strip.button(ZoomOut));
        if (fail)
            throw com::Error(5, QStringLiteral("test"), QStringLiteral("handler failed"));
    };
    click(strip.button(ZoomIn));
    EXPECT_EQ(actions, std::vector<int32_t>{ZoomIn});
    fail = false;
    // A failing handler leaves the strip ready for the next click.
    click(strip.button(ToggleAuto));
    EXPECT_EQ(actions, (std::vector<int32_t>{ZoomIn, ToggleAuto}));
    EXPECT_FALSE(strip.AutoScale());
}

TEST_F(XGraphTest, TwoSyncPartnersExchangeOneXChangeOnce)
{
    const auto other = newGraph();
    const auto mine = showItem(*graph);
    const auto theirs = showItem(*other);
    graph->SetSyncMaster(other.get());
    other->SetSyncMaster(graph.get());

    click(graph->ScaleX().button(ZoomIn));
    EXPECT_EQ(other->PlotControl().xAxis().span(), 450.0);
    EXPECT_FALSE(other->ScaleX().AutoScale());
    EXPECT_TRUE(theirs->xReports.empty()) << "the partner does not report the applied change back";
    ASSERT_FALSE(mine->xReports.empty());
    EXPECT_LE(mine->xReports.size(), 2u);
    EXPECT_EQ(mine->xReports.back().maximum, 450);

    // The other way round.
    mine->xReports.clear();
    click(other->ScaleX().button(ZoomOut));
    EXPECT_EQ(plot().xAxis().span(), 495.0);
    EXPECT_TRUE(mine->xReports.empty());

    // Without Synchronize a graph keeps its changes to itself.
    graph->setSynchronize(false);
    click(graph->ScaleX().button(ZoomIn));
    EXPECT_EQ(other->PlotControl().xAxis().span(), 495.0);
}

TEST_F(XGraphTest, APartnerOfAnotherTypeIgnoresTheXChange)
{
    const auto other = newGraph();
    showItem(*graph);
    showItem(*other, egtTrendGraph);
    const double before = other->PlotControl().xAxis().span();
    graph->SetSyncMaster(other.get());
    click(graph->ScaleX().button(ZoomIn));
    EXPECT_EQ(plot().xAxis().span(), 450.0);
    EXPECT_EQ(other->PlotControl().xAxis().span(), before);
}

TEST_F(XGraphTest, TheApplyingSyncFlagClearsWhenThePartnersPipelineFails)
{
    const auto other = newGraph();
    showItem(*graph);
    showItem(*other);
    graph->SetSyncMaster(other.get());
    other->SetSyncMaster(graph.get());
    // The partner's plot fails once, inside its pipeline's SetXScale.
    widgets::PlotModel& partnerPlot = other->PlotControl();
    bool fail = true;
    partnerPlot.onXAxisChange = [&, original = partnerPlot.onXAxisChange] {
        if (std::exchange(fail, false))
            throw com::Error(5, QStringLiteral("test"), QStringLiteral("plot failed"));
        original();
    };
    click(graph->ScaleX().button(ZoomIn));
    ASSERT_FALSE(fail);

    click(other->ScaleX().button(ZoomIn));
    EXPECT_EQ(plot().xAxis().span(), 405.0) << "the partner reports its own changes again";
}

TEST_F(XGraphTest, LegendEntriesCloseUpWhenOneShowsOrHides)
{
    const auto flow = newWaveform()->FlowTable();
    graph->CreatePipeLine(flow, 0);
    const auto leftTwips = [&](int32_t index) { return widgets::pixelsToTwips(graph->LegendItem(index).x()); };
    const int start = widgets::pixelsToTwips(widgets::twipsToPixels(1000));
    EXPECT_EQ(leftTwips(0), start);

    graph->LegendItem(3).setVisible(true);
    const int afterFirst = widgets::pixelsToTwips(
        widgets::twipsToPixels(1000 + widgets::pixelsToTwips(graph->LegendItem(0).width()) + 225));
    EXPECT_EQ(leftTwips(3), afterFirst);

    graph->LegendItem(0).setVisible(false);
    EXPECT_EQ(leftTwips(3), start);
}

TEST_F(XGraphTest, DestroyingTheGraphReleasesItsItemWithoutStoring)
{
    const auto pressure = newWaveform()->PressureTable();
    graph->show();
    graph->CreatePipeLine(pressure, 0);
    click(graph->ScaleY().button(ZoomIn)); // a view that a store would keep
    const auto partner = newGraph();
    const auto partnerItem = showItem(*partner);
    partner->SetSyncMaster(graph.get());

    graph.reset();
    EXPECT_TRUE(pressure->Settings()->AutoScaleY()) << "nothing stored";
    pressure->AddValue(1.0f);
    pressure->AddValue(2.0f);
    pressure->DrawLatest(); // no pipeline left to draw on
    click(partner->ScaleX().button(ZoomIn)); // its sync master is gone
    EXPECT_EQ(partner->PlotControl().xAxis().span(), 450.0);
}

TEST_F(XGraphTest, APipelineWhoseGraphIsGoneRaisesAnError)
{
    const auto item = showItem(*graph);
    graph.reset();
    EXPECT_EQ(item->releases, std::vector<bool>{false});
    EXPECT_EQ(item->pipeline, nullptr);
    const auto& pipeline = item->lastPipeline;
    ASSERT_NE(pipeline, nullptr);
    EXPECT_EQ(caughtError([&] { pipeline->DrawValue(1.0f); }).number(), 91);
    EXPECT_EQ(caughtError([&] { pipeline->SetXScale(0, 100, false); }).number(), 91);
    EXPECT_EQ(caughtError([&] { pipeline->StoreSettings(item->settings); }).number(), 91);
}

} // namespace
