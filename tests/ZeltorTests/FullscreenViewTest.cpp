#include "IgnoredTestGuideEvents.h"
#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "elements/CResultVentilator.h"
#include "data/CSnapshotColl.h"
#include "elements/CTestVentilator.h"
#include "data/CTrendParameter.h"
#include "elements/CZeltorLimitData.h"
#include "GMiscConverters.h"
#include "ui/XFullscreenView.h"

#include "FullscreenMenuState.h"
#include "FullscreenRecords.h"
#include "HostFixture.h"
#include "ScriptedTestGuideWindow.h"

#include "HostServices.h"
#include "Xml.h"
#include "standards/Limit.h"
#include "standards/Standard.h"

#include "GMTI.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <vector>

using namespace ZeltorTests;
using namespace FullscreenRecords;

namespace {


enum ScaleAction : int32_t { ZoomIn = 0 };

} // namespace

// The view of a ventilator test whose result is a fresh record of breath rate and tidal volume,
// in a stand-in window whose snapshot handler does what the test guide window's does.
class FullscreenViewTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ZeltorVTI::GMTI.ResetVTI();
        element = CTestVentilator::create();
        const auto configuration = std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
        configuration->LoadDefaultSettings();
        configuration->Parameters()->SelectKeys({QStringLiteral("BRRA"), QStringLiteral("TIVO")});
        auto record = std::make_shared<CResultVentilator>();
        record->InitializeResult(configuration, std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
        element->Load(record->Save(Nelvar::xmlService().CreateDocument()), nullptr);
        result = std::dynamic_pointer_cast<CResultVentilator>(element->Result());
        parameters = configuration->Parameters();

        window = std::make_unique<ScriptedTestGuideWindow>(std::make_shared<TestGuideWindowRecord>(), [] {});
        window->setEventHandler(&events);
        view = std::make_unique<XFullscreenView>();
        view->resize(1400, 900);
        view->show();
        QObject::connect(view.get(), &XFullscreenView::CreateSnapshot, [this](int32_t currentX) {
            snapshotsAt.push_back(currentX);
            result->TakeSnapshot(currentX);
            view->AddSnapshot(result->Snapshots()->LastSnapshot());
            view->UpdateWaveformReferences(result->WaveformData());
        });
    }
    void TearDown() override
    {
        view.reset();
        window.reset();
        ZeltorVTI::GMTI.ResetVTI();
        HostFixture::TearDown();
    }

    // The run starts: the menu lists the result and fills both panes with live waveforms.
    void start()
    {
        view->Initialize(element, *window, true);
        view->StartTest();
        window->setRunning(true);
    }

    XFullscreenViewMenu& menu() const { return view->menu(); }
    widgets::TreeListModel& list() const { return view->menu().model().list(); }
    ZeltorGraph::XGraph& pane(int32_t index) const { return view->pane(index); }
    int indexOf(const std::shared_ptr<com::Object>& record) const { return indexOfRecord(list(), record.get()); }
    int32_t bookmarkOf(const std::shared_ptr<com::Object>& record) const { return list().bookmark(indexOf(record)); }

    std::shared_ptr<CTrend> listedTrend(const QString& key)
    {
        auto added = addTrend(*result->Trends(), key, key, *parameters);
        menu().model().AddTrend(added);
        return added;
    }
    std::shared_ptr<CWaveformData> listedSnapshot(const QString& key, int32_t endTime)
    {
        auto taken = frozenSnapshot(key, *parameters, endTime);
        result->Snapshots()->Add(taken);
        menu().model().AddSnapshot(taken);
        return taken;
    }
    // A click on the entry of a table, drawn into that pane.
    void showIn(int32_t index, const std::shared_ptr<com::Object>& table) const
    {
        view->setCurrentPane(index);
        list().clickEntry(indexOf(table));
    }
    // A click on a trend's parameter row (1 breath rate, 2 tidal volume), drawn into that pane.
    void showIn(int32_t index, const std::shared_ptr<CTrend>& trend, int row) const
    {
        view->setCurrentPane(index);
        list().clickTableRow(indexOf(trend), row);
    }

    // Whether a zoom of one pane's time axis reaches the other pane.
    bool follows(int32_t from, int32_t to) const
    {
        const double before = pane(to).PlotControl().xAxis().span();
        pane(from).ScaleX().onScaleAction(ZoomIn);
        return pane(to).PlotControl().xAxis().span() != before;
    }
    bool coupled() const { return follows(0, 1) && follows(1, 0); }
    bool uncoupled() const { return !follows(0, 1) && !follows(1, 0); }

    bool noticeShown() const { return !view->notice().isHidden(); }
    QString question() const
    {
        if (view->query().isHidden())
            return {};
        return view->query().findChild<QLabel*>(QStringLiteral("lblMessage"))->text();
    }
    void answer(const char* button) const
    {
        view->query().findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    // A click on an entry as the tree list makes it: highlighted, then picked.
    void pick(const std::shared_ptr<com::Object>& record) const
    {
        const int index = indexOf(record);
        list().select(index);
        list().clickEntry(index);
    }
    // The texts of the highlighted entries.
    QStringList highlightedTexts() const
    {
        QStringList texts;
        for (int index = 0; index < list().count(); ++index)
            if (list().highlighted(index))
                texts << list().text(index);
        return texts;
    }

    IgnoredTestGuideEvents events;
    std::shared_ptr<CTestVentilator> element;
    std::shared_ptr<CResultVentilator> result;
    std::shared_ptr<CParameterList> parameters;
    std::unique_ptr<ScriptedTestGuideWindow> window;
    std::unique_ptr<XFullscreenView> view;
    std::vector<int32_t> snapshotsAt;
};

TEST_F(FullscreenViewTest, StartTestDrawsTheLiveFlowAboveTheLivePressure)
{
    start();
    const CWaveformData& live = *result->WaveformData();
    EXPECT_EQ(pane(0).GraphData(), live.FlowTable());
    EXPECT_EQ(pane(1).GraphData(), live.PressureTable());
    EXPECT_EQ(view->paneBookmark(0), bookmarkOf(live.FlowTable()));
    EXPECT_EQ(view->paneBookmark(1), bookmarkOf(live.PressureTable()));
    EXPECT_EQ(view->currentPane(), 0);
    EXPECT_TRUE(menu().SnapshotButton(0).isEnabled());
    EXPECT_TRUE(coupled()) << "two channels of the live set";

    view->StopTest();
    EXPECT_EQ(view->paneBookmark(0), 0);
    EXPECT_EQ(view->paneBookmark(1), 0);
}

TEST_F(FullscreenViewTest, ARowShownInAPaneIsRefusedWithANoticeUnlessForced)
{
    start();
    const auto volume = result->WaveformData()->VolumeTable();
    const auto flow = result->WaveformData()->FlowTable();
    showIn(1, flow);
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(pane(1).GraphData(), result->WaveformData()->PressureTable()) << "the panes are untouched";
    EXPECT_EQ(view->paneBookmark(1), bookmarkOf(result->WaveformData()->PressureTable()));
    loop->advance(2501);
    EXPECT_FALSE(noticeShown());

    showIn(1, volume);
    EXPECT_EQ(pane(1).GraphData(), volume);
    EXPECT_FALSE(noticeShown());

    // The menu replays a click on its own with forced display: the row is drawn again.
    const auto trend = listedTrend(QStringLiteral("Trend1"));
    trend->Start();
    showIn(0, trend, 1);
    const auto breathRate = trend->Parameter(QStringLiteral("BRRA"));
    EXPECT_EQ(pane(0).GraphData(), breathRate);
    trend->AddSample(std::vector<std::shared_ptr<CMeasurement>>{});
    EXPECT_FALSE(noticeShown()) << "drawn again, not refused";
    EXPECT_EQ(pane(0).GraphData(), breathRate);
    EXPECT_EQ(view->paneBookmark(0), bookmarkOf(trend));
    showIn(1, trend, 1);
    EXPECT_TRUE(noticeShown()) << "forced display ended with the replay";
}

TEST_F(FullscreenViewTest, PanesOfOneWaveformSetAreCoupledOthersNot)
{
    const auto first = frozenSnapshot(QStringLiteral("0S"), *parameters, 30);
    const auto second = frozenSnapshot(QStringLiteral("1S"), *parameters, 60);
    start();
    for (const auto& taken : {first, second}) {
        result->Snapshots()->Add(taken);
        menu().model().AddSnapshot(taken);
    }
    const auto night = listedTrend(QStringLiteral("Trend1"));
    const auto day = listedTrend(QStringLiteral("Trend2"));
    // Forty samples each, so that a trend pane's time axis has room to zoom.
    for (const auto& trend : {night, day})
        for (const auto& parameter : *trend)
            for (int sample = 0; sample < 40; ++sample)
                parameter->AddSample(10.0f, 12.0f);
    ASSERT_TRUE(coupled());

    showIn(0, first->FlowTable()); // the other pane is live: left as it was
    showIn(1, second->PressureTable());
    EXPECT_TRUE(uncoupled()) << "two snapshots";
    showIn(0, second->FlowTable());
    EXPECT_TRUE(coupled()) << "one snapshot";

    // Another graph type leaves the coupling as it is, coupled or not; trend panes show it.
    showIn(1, result->WaveformData()->PressureTable());
    showIn(0, night, 1);
    showIn(1, day, 1);
    EXPECT_TRUE(coupled());
    showIn(0, first->FlowTable());
    showIn(1, second->PressureTable());
    ASSERT_TRUE(uncoupled());
    showIn(1, result->WaveformData()->VolumeTable());
    showIn(0, night, 2);
    showIn(1, day, 2);
    EXPECT_TRUE(uncoupled());

    showIn(0, result->WaveformData()->FlowTable());
    showIn(1, result->WaveformData()->PressureTable());
    EXPECT_TRUE(coupled()) << "the live set";
}

TEST_F(FullscreenViewTest, StepFrameRateMovesEveryWaveformPaneFromTheFirstOnesRate)
{
    enum Shown { Live, Trend, Snapshot };
    struct Case {
        const char* name;
        Shown upper;
        Shown lower;
        int32_t rates[2];
        int32_t step;
        int32_t expected[2];
    };
    const std::vector<Case> cases{
        {"two waveforms", Live, Live, {10, 20}, +1, {11, 11}},
        {"waveform over trend", Live, Trend, {10, 20}, +1, {11, 20}},
        {"trend over waveform", Trend, Live, {30, 20}, -1, {30, 19}},
        {"snapshot over waveform", Snapshot, Live, {5, 7}, +1, {5, 8}},
        {"at the top", Live, Trend, {50, 20}, +1, {50, 20}},
        {"at the bottom", Live, Live, {1, 9}, -1, {1, 1}},
    };
    start();
    const auto trend = listedTrend(QStringLiteral("Trend1"));
    const auto taken = listedSnapshot(QStringLiteral("0S"), 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto show = [&](int32_t index, Shown shown) {
            const CWaveformData& live = *result->WaveformData();
            switch (shown) {
            case Live:
                showIn(index, index == 0 ? live.FlowTable() : live.PressureTable());
                break;
            case Trend:
                showIn(index, trend, 1);
                break;
            case Snapshot:
                showIn(index, taken->VolumeTable());
                break;
            }
        };
        // Out of the way first, so that neither pane shows the row the other is given.
        showIn(0, result->WaveformData()->VolumeTable());
        showIn(1, taken->FlowTable());
        show(0, c.upper);
        show(1, c.lower);
        pane(0).setUpdateFrameRate(c.rates[0]);
        pane(1).setUpdateFrameRate(c.rates[1]);
        view->StepFrameRate(c.step);
        EXPECT_EQ(pane(0).UpdateFrameRate(), c.expected[0]);
        EXPECT_EQ(pane(1).UpdateFrameRate(), c.expected[1]);
    }
}

TEST_F(FullscreenViewTest, APaneWithoutAnItemEndsTheFrameRateStep)
{
    view->Initialize(element, *window, true);
    showIn(1, result->WaveformData()->FlowTable());
    pane(1).setUpdateFrameRate(10);
    view->StepFrameRate(+1);
    EXPECT_EQ(pane(1).UpdateFrameRate(), 10);
}

TEST_F(FullscreenViewTest, TrendPanesShowTheLimitsOfTheStandardChosen)
{
    const auto standard = std::make_shared<host::Standard>();
    standard->Initialize(QStringLiteral("ISO"), QStringLiteral("ISO 80601"), 1);
    const auto limit = std::make_shared<host::Limit>();
    limit->Initialize(QStringLiteral("BRRA"), QString(), QStringLiteral("20"), QStringLiteral("10"));
    standard->Add(limit);
    view->Initialize(element, *window, true);
    const auto night = listedTrend(QStringLiteral("Trend1"));
    const auto day = listedTrend(QStringLiteral("Trend2"));
    const auto limitsShown = [&](int32_t index) { return pane(index).LegendItem(3).isVisibleTo(&pane(index)); };

    showIn(1, night, 1);
    view->SelectStandard(standard); // pane 0 has no item and is passed over
    EXPECT_TRUE(limitsShown(1));
    showIn(0, day, 1);
    EXPECT_TRUE(limitsShown(0)) << "a trend drawn later takes the standard chosen";
    showIn(0, result->WaveformData()->FlowTable());
    view->SelectStandard(nullptr);
    EXPECT_FALSE(limitsShown(1));
}

TEST_F(FullscreenViewTest, ASnapshotIsTakenFromTheLivePanesAndShownFrozen)
{
    start();
    const auto trend = listedTrend(QStringLiteral("Trend1"));
    const auto other = listedTrend(QStringLiteral("Trend2"));
    const auto liveFlow = result->WaveformData()->FlowTable();
    showIn(1, trend, 2);
    view->setCurrentPane(0);

    const int32_t sweep = pane(0).CurrentX();
    menu().SnapshotButton(0).click();
    ASSERT_EQ(result->Snapshots()->Count(), 1);
    const auto taken = result->Snapshots()->LastSnapshot();
    EXPECT_EQ(snapshotsAt, std::vector<int32_t>{sweep});
    EXPECT_EQ(taken->FlowTable(), liveFlow) << "the live tables were frozen";
    EXPECT_EQ(pane(0).GraphData(), liveFlow);
    EXPECT_EQ(pane(0).GraphData()->GraphType(), ZeltorGraph::egtSnapshotGraph);
    EXPECT_EQ(view->paneBookmark(0), bookmarkOf(taken->FlowTable()));
    EXPECT_EQ(pane(1).GraphData(), trend->Parameter(QStringLiteral("TIVO"))) << "the trend pane stays";
    EXPECT_EQ(view->paneBookmark(1), bookmarkOf(trend)) << "and keeps its row";
    EXPECT_FALSE(noticeShown()) << "the frozen rows are drawn again, not refused";
    EXPECT_EQ(list().data(1), result->WaveformData()->FlowTable()) << "the menu lists the new live tables";
    EXPECT_NE(result->WaveformData()->FlowTable(), liveFlow);
    EXPECT_FALSE(menu().SnapshotButton(0).isEnabled()) << "no live pane left";

    // With only trends shown the snapshot starts at 0; after the run nothing can be taken.
    showIn(0, other, 1);
    menu().model().setButtonEnabled(FullscreenMenuModel::EButtonRow::Snapshot, 0, true);
    menu().SnapshotButton(0).click();
    EXPECT_EQ(snapshotsAt.back(), 0);
    window->setRunning(false);
    showIn(0, result->WaveformData()->PressureTable());
    EXPECT_FALSE(menu().SnapshotButton(0).isEnabled());
}

TEST_F(FullscreenViewTest, AddSnapshotMovesOnlyWaveformAndSnapshotPanesThatHaveARow)
{
    start();
    // Titled like a channel, so that a row of that text is found under every snapshot.
    const auto trend = addTrend(*result->Trends(), QStringLiteral("Trend1"), QStringLiteral("Pressure"), *parameters);
    menu().model().AddTrend(trend);
    const auto earlier = listedSnapshot(QStringLiteral("0S"), 30);
    showIn(0, earlier->VolumeTable());
    showIn(1, trend, 1);
    const int32_t trendRow = view->paneBookmark(1);

    auto next = frozenSnapshot(QStringLiteral("1S"), *parameters, 60);
    result->Snapshots()->Add(next);
    view->AddSnapshot(next);
    EXPECT_EQ(view->paneBookmark(0), bookmarkOf(next->VolumeTable())) << "the same channel of the new snapshot";
    EXPECT_EQ(view->paneBookmark(1), trendRow) << "a trend pane has no row there";

    // Once the row a pane shows is gone, a new snapshot has no row for it: the pane keeps its own.
    const int32_t before = view->paneBookmark(0);
    list().remove(indexOf(next));
    view->AddSnapshot(frozenSnapshot(QStringLiteral("2S"), *parameters, 95));
    EXPECT_EQ(view->paneBookmark(0), before);
    EXPECT_EQ(view->paneBookmark(1), trendRow);
}

TEST_F(FullscreenViewTest, ForcedDisplayEndsWhenTheSnapshotCannotBeShown)
{
    start();
    // The window's snapshot handler loses the snapshot: the panes' tables have no set any more.
    QObject::disconnect(view.get(), &XFullscreenView::CreateSnapshot, nullptr, nullptr);
    QObject::connect(view.get(), &XFullscreenView::CreateSnapshot, [this](int32_t currentX) {
        result->TakeSnapshot(currentX);
        result->Snapshots()->Clear();
    });
    const auto oldFlow = pane(0).GraphData();
    const auto oldPressure = pane(1).GraphData();
    menu().SnapshotButton(0).click();

    view->setCurrentPane(1);
    list().clickEntry(1); // the row pane 0 still has
    EXPECT_TRUE(noticeShown()) << "forced display was cleared";
    EXPECT_EQ(pane(1).GraphData(), oldPressure);
    EXPECT_EQ(pane(0).GraphData(), oldFlow);
}

TEST_F(FullscreenViewTest, StartingATrendFromTheDialog)
{
    start();
    view->setElapsedTime(75);
    menu().TrendButton(0).click();
    XStartTrendDialog& dialog = view->startTrendDialog();
    ASSERT_TRUE(dialog.isVisible());
    auto* description = dialog.findChild<QLineEdit*>(QStringLiteral("txtDescription"));
    EXPECT_EQ(description->text(), ZeltorConverter::GMiscConverters::SecondsToTimeString(element->ElapsedTime()));

    description->clear();
    dialog.findChild<QLineEdit*>(QStringLiteral("txtInterval"))->setText(QStringLiteral("5"));
    dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    ASSERT_EQ(result->Trends()->Count(), 1);
    const auto trend = result->Trends()->LastTrend();
    EXPECT_EQ(trend->Key(), QStringLiteral("Trend1"));
    EXPECT_EQ(trend->Title(), ZeltorConverter::GMiscConverters::SecondsToTimeString(75));
    EXPECT_EQ(trend->Interval(), 5);
    EXPECT_EQ(trend->StartTime(), 75);
    EXPECT_TRUE(trend->Active());
    EXPECT_NE(indexOf(trend), -1);
    EXPECT_FALSE(menu().TrendButton(0).isEnabled());
    EXPECT_FALSE(dialog.isVisible());

    // An interval below one second is refused: it would stop every later tick of the run.
    dialog.show();
    emit dialog.StartNewTrend(QStringLiteral("Zero"), 0);
    EXPECT_EQ(result->Trends()->Count(), 1);
    EXPECT_TRUE(dialog.isVisible());

    // A locked collection gives no trend: the dialog stays open, the counter has moved on.
    result->Trends()->setLocked(true);
    emit dialog.StartNewTrend(QStringLiteral("Locked"), 15);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(result->Trends()->Count(), 1);
    result->Trends()->setLocked(false);
    emit dialog.StartNewTrend(QStringLiteral("Night"), 15);
    EXPECT_EQ(result->Trends()->LastTrend()->Key(), QStringLiteral("Trend3"));
    EXPECT_EQ(result->Trends()->LastTrend()->Title(), QStringLiteral("Night"));
}

TEST_F(FullscreenViewTest, QuestionsBeforeStopDeleteAndTruncate)
{
    start();
    const auto trend = listedTrend(QStringLiteral("Trend1"));
    trend->Start();
    const auto taken = listedSnapshot(QStringLiteral("0S"), 30);
    taken->setTitle(QStringLiteral("Leak"));
    const QString confirm = QStringLiteral("Please confirm");
    struct Case {
        const char* name;
        std::function<void()> ask;
        const char* expectedQuestion;
        const char* button;
        std::function<bool()> done;
    };
    const std::vector<Case> cases{
        {"stop, No", [&] { emit menu().StopTrend(trend); }, "Stop current trend?", "cmdNo", [&] { return trend->Active(); }},
        {"stop, Yes", [&] { emit menu().StopTrend(trend); }, "Stop current trend?", "cmdYes",
         [&] { return !trend->Active() && menu().TrendButton(0).isEnabled() && menu().TrendButton(2).isEnabled()
                      && !menu().TrendButton(1).isEnabled(); }},
        {"truncate, No", [&] { emit menu().Truncate(taken); },
         "Warning! Truncating a snapshot cannot be undone.\r\nProceed?", "cmdNo",
         [&] { return taken->FlowTable()->Count() == 100; }},
        {"truncate, Yes",
         [&] {
             for (const auto& table : {taken->FlowTable(), taken->PressureTable(), taken->VolumeTable()})
                 table->Settings()->setXmax(60.0f);
             emit menu().Truncate(taken);
         },
         "Warning! Truncating a snapshot cannot be undone.\r\nProceed?", "cmdYes",
         [&] { return taken->FlowTable()->Count() < 100 && taken->VolumeTable()->Count() < 100; }},
        {"delete snapshot, No", [&] { emit menu().DeleteGraphDataParent(taken); },
         "Are you sure you wish to delete the snapshot\r\n'Leak'", "cmdNo",
         [&] { return result->Snapshots()->Count() == 1 && indexOf(taken) != -1; }},
        {"delete trend, Yes", [&] { emit menu().DeleteGraphDataParent(trend); },
         "Are you sure you wish to delete the trend\r\n'Trend1'", "cmdYes",
         [&] {
             return result->Trends()->Count() == 0 && indexOf(trend) == -1
                    && list().findText(QStringLiteral("Trends"), 0, list().count()) == -1;
         }},
        {"delete snapshot, Yes", [&] { emit menu().DeleteGraphDataParent(taken); },
         "Are you sure you wish to delete the snapshot\r\n'Leak'", "cmdYes",
         [&] { return result->Snapshots()->Count() == 0 && list().count() == 4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.ask();
        EXPECT_EQ(question(), QString::fromLatin1(c.expectedQuestion));
        EXPECT_EQ(view->query().findChild<QLabel*>(QStringLiteral("lblTitleBar"))->text(), confirm);
        answer(c.button);
        EXPECT_TRUE(c.done());
    }

    // A request for an item of the wrong kind asks nothing.
    emit menu().StopTrend(result->WaveformData());
    emit menu().Truncate(result->WaveformData());
    emit menu().DeleteGraphDataParent(result->WaveformData());
    EXPECT_EQ(question(), QString());
}

TEST_F(FullscreenViewTest, EscLeavesTheViewExceptFromTheStartTrendDialog)
{
    start();
    int exits = 0;
    QObject::connect(view.get(), &XFullscreenView::ExitFullScreen, [&] { ++exits; });
    menu().TrendButton(0).click();
    XStartTrendDialog& dialog = view->startTrendDialog();
    QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("txtDescription")), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible()) << "Esc cancels the dialog";
    EXPECT_EQ(exits, 0);

    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::keyClick(&menu(), Qt::Key_Escape);
    EXPECT_EQ(exits, 2);
}

TEST_F(FullscreenViewTest, AResultRunBeforeListsItsTrendsAndSnapshots)
{
    const auto night = addTrend(*result->Trends(), QStringLiteral("Trend1"), QStringLiteral("Night"), *parameters);
    const auto taken = frozenSnapshot(QStringLiteral("0S"), *parameters, 30);
    result->Snapshots()->Add(taken);
    view->Initialize(element, *window, false);
    view->DisplayResults(*result, *window);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Trends", "1 Night", "0 Snapshots", "1 " + taken->Title(), "2 Flow",
                                              "2 Pressure", "2 Volume"}));
    EXPECT_EQ(list().data(1), night);
}

// A confirmed deletion moves the pick to the first entry left under the record's heading, or
// to nothing once the heading has gone with its last entry; the panel and the buttons follow.
TEST_F(FullscreenViewTest, ADeletionPicksTheHeadingsFirstEntryOrNothing)
{
    start();
    const auto day = listedTrend(QStringLiteral("Trend1"));
    const auto night = listedTrend(QStringLiteral("Trend2"));
    const auto leak = listedSnapshot(QStringLiteral("0S"), 30);
    const auto peak = listedSnapshot(QStringLiteral("1S"), 60);
    struct Case {
        const char* name;
        std::shared_ptr<com::Object> picked; // an entry of the record to delete
        QPushButton& deleteButton;
        QStringList highlighted;
        QString panel;
        QString buttons;
        QString nextQuestion; // what the delete button asks next; empty: it is disabled
    };
    const std::vector<Case> cases{
        {"the second of two trends", night, menu().TrendButton(2), {"Trend1"}, "Trend1", "T0 T2",
         "Are you sure you wish to delete the trend\r\n'Trend1'"},
        {"the only trend", day, menu().TrendButton(2), {}, {}, "T0", {}},
        {"the first of two snapshots, by a channel", leak->PressureTable(), menu().SnapshotButton(2),
         {peak->Title()}, peak->Title(), "T0 S0 S1 S2",
         "Are you sure you wish to delete the snapshot\r\n'" + peak->Title() + "'"},
        {"the only snapshot", peak, menu().SnapshotButton(2), {}, {}, "T0 S0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pick(c.picked);
        c.deleteButton.click();
        answer("cmdYes");
        EXPECT_EQ(highlightedTexts(), c.highlighted);
        EXPECT_EQ(FullscreenMenuState::infoShown(menu()), c.panel);
        EXPECT_EQ(FullscreenMenuState::enabledButtons(menu()), c.buttons);
        c.deleteButton.click();
        EXPECT_EQ(question(), c.nextQuestion);
        if (!c.nextQuestion.isEmpty())
            answer("cmdNo");
    }
    EXPECT_EQ(result->Trends()->Count(), 0);
    EXPECT_EQ(result->Snapshots()->Count(), 0);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume"}));
}

// A trend is sampled only while the test runs: the view of a test run before offers no start,
// and a run's view closes the dialog when the run stops and starts nothing after it.
TEST_F(FullscreenViewTest, NoTrendStartsOutsideARun)
{
    addTrend(*result->Trends(), QStringLiteral("Trend1"), QStringLiteral("Night"), *parameters);
    const auto day = addTrend(*result->Trends(), QStringLiteral("Trend2"), QStringLiteral("Day"), *parameters);
    view->Initialize(element, *window, false);
    view->DisplayResults(*result, *window);
    pick(day);
    EXPECT_EQ(FullscreenMenuState::enabledButtons(menu()), QStringLiteral("T2"));
    emit view->startTrendDialog().StartNewTrend(QStringLiteral("Late"), 15);
    EXPECT_EQ(result->Trends()->Count(), 2);

    result->Trends()->Clear();
    start();
    menu().TrendButton(0).click();
    ASSERT_TRUE(view->startTrendDialog().isVisible());
    window->setRunning(false);
    view->StopTest();
    EXPECT_FALSE(view->startTrendDialog().isVisible());
    emit view->startTrendDialog().StartNewTrend(QStringLiteral("Late"), 15);
    EXPECT_EQ(result->Trends()->Count(), 0) << "the run's result has no trend";
}

// The keys of trends started from the view pass over those the result holds.
TEST_F(FullscreenViewTest, ANewTrendKeyNeverTakesAStoredOne)
{
    start();
    for (const char* stored : {"Trend1", "Trend2"})
        listedTrend(QString::fromLatin1(stored));
    menu().TrendButton(0).click();
    view->startTrendDialog().findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    ASSERT_EQ(result->Trends()->Count(), 3);
    const auto started = result->Trends()->LastTrend();
    EXPECT_EQ(started->Key(), QStringLiteral("Trend3"));
    EXPECT_TRUE(started->Active());
    EXPECT_NE(indexOf(started), -1);
    EXPECT_FALSE(view->startTrendDialog().isVisible());
}
