#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "elements/CResultVentilator.h"
#include "data/CSnapshotColl.h"
#include "data/CTrendParameter.h"
#include "elements/CZeltorLimitData.h"
#include "ui/XFullscreenViewMenu.h"

#include "FullscreenMenuState.h"
#include "FullscreenRecords.h"
#include "HostFixture.h"

#include <QTest>

#include <array>
#include <utility>
#include <vector>

using namespace ZeltorTests;
using namespace FullscreenRecords;

namespace {

struct Selection {
    std::shared_ptr<ZeltorGraph::IGraphData> item;
    int32_t bookmark = 0;
    bool operator==(const Selection&) const = default;
};

} // namespace

// The menu on its own, listing a ventilator result of breath rate and tidal volume, with every
// selection it raises recorded.
class FullscreenViewMenuTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        configuration->LoadDefaultSettings();
        configuration->Parameters()->SelectKeys({QStringLiteral("BRRA"), QStringLiteral("TIVO")});
        result->InitializeResult(configuration, limits);
        menu = std::make_unique<XFullscreenViewMenu>();
        menu->resize(300, 900);
        model().setAllowInfoBox(true);
        QObject::connect(menu.get(), &XFullscreenViewMenu::ItemSelected,
                         [this](const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark) {
                             selections.push_back({item, bookmark});
                         });
    }
    void TearDown() override
    {
        menu.reset();
        HostFixture::TearDown();
    }

    FullscreenMenuModel& model() const { return menu->model(); }
    widgets::TreeListModel& list() const { return model().list(); }
    std::shared_ptr<CTrend> trend(const QString& key, const QString& title) const
    {
        return addTrend(*result->Trends(), key, title, *configuration->Parameters());
    }
    std::shared_ptr<CWaveformData> snapshot(const QString& key, int32_t endTime = 60) const
    {
        auto taken = frozenSnapshot(key, *configuration->Parameters(), endTime);
        result->Snapshots()->Add(taken);
        return taken;
    }
    int indexOf(const std::shared_ptr<com::Object>& record) const { return indexOfRecord(list(), record.get()); }
    int32_t bookmarkOf(const std::shared_ptr<com::Object>& record) const { return list().bookmark(indexOf(record)); }
    widgets::TreeListTable& tableOf(const std::shared_ptr<CTrend>& shown) const { return list().table(indexOf(shown)); }
    void startTest() const
    {
        model().StartTest([](int32_t) {});
    }

    QString infoShown() const { return FullscreenMenuState::infoShown(*menu); }
    QString enabledButtons() const { return FullscreenMenuState::enabledButtons(*menu); }
    void enableAllButtons() const
    {
        for (const auto row : {FullscreenMenuModel::EButtonRow::Trend, FullscreenMenuModel::EButtonRow::Snapshot})
            for (int32_t index = 0; index < 3; ++index)
                model().setButtonEnabled(row, index, true);
    }
    QString liveCaption(int channel) const
    {
        const CWaveformData& live = *result->WaveformData();
        const std::array tables{live.FlowTable(), live.PressureTable(), live.VolumeTable()};
        return tables[static_cast<size_t>(channel)]->Caption(true);
    }

    const std::shared_ptr<CConfigVentilator> configuration = std::make_shared<CConfigVentilator>();
    const std::shared_ptr<CZeltorLimitData> limits = std::make_shared<CZeltorLimitData>();
    const std::shared_ptr<CResultVentilator> result = std::make_shared<CResultVentilator>();
    std::unique_ptr<XFullscreenViewMenu> menu;
    std::vector<Selection> selections;
};

TEST_F(FullscreenViewMenuTest, AResultWithoutTrendsListsItsLiveWaveformsAndStartTestFillsBothPanes)
{
    EXPECT_EQ(enabledButtons(), QString()) << "nothing to do before a run";
    model().Initialize(*result);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume"}));
    EXPECT_EQ(list().data(0), nullptr);
    EXPECT_EQ(list().fontSize(0), 12.0);
    const CWaveformData& live = *result->WaveformData();
    EXPECT_EQ(list().data(1), live.FlowTable());
    EXPECT_EQ(list().data(2), live.PressureTable());
    EXPECT_EQ(list().data(3), live.VolumeTable());
    for (int index = 1; index <= 3; ++index) {
        EXPECT_EQ(list().fontSize(index), 10.0);
        EXPECT_EQ(list().textColor(index), 0xFFFFFFu);
    }

    // The pressure goes to the lower pane first, then the flow to the upper one.
    std::vector<std::pair<int32_t, int>> panesAndSelections;
    model().StartTest(
        [&](int32_t pane) { panesAndSelections.emplace_back(pane, static_cast<int>(selections.size())); });
    EXPECT_EQ(panesAndSelections, (std::vector<std::pair<int32_t, int>>{{1, 0}, {0, 1}}));
    EXPECT_EQ(selections, (std::vector<Selection>{{live.PressureTable(), list().bookmark(2)},
                                                  {live.FlowTable(), list().bookmark(1)}}));
    EXPECT_EQ(enabledButtons(), QStringLiteral("T0 S0")) << "trends were not loaded: a trend can be started";
}

TEST_F(FullscreenViewMenuTest, AResultWithTrendsListsEachWithItsParameterTable)
{
    const auto day = trend(QStringLiteral("T1"), QStringLiteral("Day"));
    const auto night = trend(QStringLiteral("T2"), QStringLiteral("Night"));
    day->Parameter(QStringLiteral("BRRA"))->AddSample(12.5f, 16.25f);
    model().Initialize(*result);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume", "0 Trends", "1 Day",
                                              "1 Night"}));
    EXPECT_EQ(list().data(5), day);
    EXPECT_EQ(list().data(6), night);
    EXPECT_TRUE(list().expanded(0));
    EXPECT_TRUE(list().expanded(4));

    const widgets::TreeListTable& table = tableOf(day);
    ASSERT_EQ(table.columnCount(), 4);
    ASSERT_EQ(table.rowCount(), 3);
    QStringList header;
    for (int column = 1; column <= 3; ++column)
        header << QStringLiteral("%1/%2/%3")
                      .arg(table.cell(0, column).text)
                      .arg(table.column(column).width)
                      .arg(table.cell(0, column).alignment);
    EXPECT_EQ(header, (QStringList{"Parameter/1900/2", "Min/700/8", "Max/700/8"}));
    const auto row = [&](int index) {
        return QStringList{table.cell(index, 0).text, table.cell(index, 1).text, table.cell(index, 2).text,
                           table.cell(index, 3).text};
    };
    EXPECT_EQ(row(1), (QStringList{"BRRA", "Breath rate", "12.50", "16.25"}));
    EXPECT_EQ(row(2), (QStringList{"TIVO", "Tidal volume", "0.000", "0.000"}));
    EXPECT_EQ(table.cell(1, 0).data.toObject(), day->Parameter(QStringLiteral("BRRA")));
    EXPECT_EQ(table.cell(2, 1).data.toInt32(), bookmarkOf(day));
    EXPECT_EQ(tableOf(night).cell(1, 1).data.toInt32(), bookmarkOf(night));

    startTest();
    EXPECT_FALSE(menu->TrendButton(0).isEnabled()) << "loaded trends: the start button stays as it was";
}

TEST_F(FullscreenViewMenuTest, SnapshotsAndTrendsGoUnderHeadingsMadeWhenFirstNeeded)
{
    model().Initialize(*result);
    startTest();
    const auto first = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(first);
    EXPECT_FALSE(menu->SnapshotButton(0).isEnabled());
    const auto added = trend(QStringLiteral("Trend1"), QStringLiteral("00:01:15"));
    model().AddTrend(added);
    const auto second = snapshot(QStringLiteral("1S"), 90);
    model().AddSnapshot(second);

    EXPECT_EQ(treeLines(list()),
              (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume", "0 Snapshots", "1 " + first->Title(),
                           "2 Flow", "2 Pressure", "2 Volume", "1 " + second->Title(), "2 Flow", "2 Pressure",
                           "2 Volume", "0 Trends", "1 00:01:15"}));
    EXPECT_EQ(list().data(5), first);
    EXPECT_EQ(list().data(6), first->FlowTable());
    EXPECT_EQ(list().data(11), second->PressureTable());
    EXPECT_EQ(list().data(14), added);
    for (const int heading : {0, 4, 13})
        EXPECT_TRUE(list().expanded(heading)) << heading;
    EXPECT_EQ(tableOf(added).rowCount(), 3);
}

TEST_F(FullscreenViewMenuTest, ClicksRaiseTheSelectionAndShowTheRecordInThePanel)
{
    const auto night = trend(QStringLiteral("T1"), QStringLiteral("Night"));
    model().Initialize(*result);
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);

    list().clickEntry(2);
    EXPECT_EQ(selections, (std::vector<Selection>{{result->WaveformData()->PressureTable(), list().bookmark(2)}}));
    EXPECT_EQ(infoShown(), QString()) << "a live waveform has no details";

    const int pressure = indexOf(taken->PressureTable());
    list().clickEntry(pressure);
    EXPECT_EQ(selections.back(), (Selection{taken->PressureTable(), list().bookmark(pressure)}));
    EXPECT_EQ(infoShown(), taken->Title());

    list().clickTableRow(indexOf(night), 2);
    EXPECT_EQ(selections.back(), (Selection{night->Parameter(QStringLiteral("TIVO")), bookmarkOf(night)}));
    EXPECT_EQ(infoShown(), QStringLiteral("Night"));

    selections.clear();
    list().clickTableRow(indexOf(night), 0);
    list().clickEntry(indexOf(taken));
    EXPECT_TRUE(selections.empty()) << "the header row and a record's own entry select no data item";
    EXPECT_EQ(infoShown(), taken->Title());
    list().clickEntry(0);
    EXPECT_TRUE(selections.empty());
    EXPECT_EQ(infoShown(), QString()) << "a heading has no details";

    // While the view refuses a selection, the panel is not filled.
    model().setAllowInfoBox(false);
    list().clickEntry(indexOf(night));
    EXPECT_EQ(infoShown(), QString());
}

TEST_F(FullscreenViewMenuTest, ButtonStatesFollowTheRecordPicked)
{
    struct Case {
        const char* name;
        bool loaded;  // the trend was in the result when the menu was initialised
        bool running; // StartTest came
        bool stopped; // the trend no longer records
        const char* pick;
        const char* expected; // after every button was enabled
    };
    const std::vector<Case> cases{
        {"live waveform", false, true, false, "live", "T0 S0"},
        {"trend recording", false, true, false, "trend", "T1 S0"},
        {"trend stopped", false, true, true, "trend", "T0 T2 S0"},
        {"trend loaded", true, true, false, "trend", "S0"},
        {"trend before the run", false, false, false, "trend", "S0"},
        {"snapshot", false, true, false, "snapshot", "T0 S0 S1 S2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model().StopTest();
        result->Trends()->Clear();
        result->Snapshots()->Clear();
        std::shared_ptr<CTrend> recording;
        if (c.loaded)
            recording = trend(QStringLiteral("T1"), QStringLiteral("Loaded"));
        model().Initialize(*result);
        if (c.running)
            startTest();
        if (!c.loaded) {
            recording = trend(QStringLiteral("T1"), QStringLiteral("Started"));
            model().AddTrend(recording);
        }
        recording->Start();
        if (c.stopped)
            recording->Stop();
        const auto taken = snapshot(QStringLiteral("0S"));
        model().AddSnapshot(taken);

        enableAllButtons();
        const QString pick = QString::fromLatin1(c.pick);
        if (pick == QLatin1String("live"))
            list().clickEntry(1);
        else if (pick == QLatin1String("trend"))
            list().clickEntry(indexOf(recording));
        else
            list().clickEntry(indexOf(taken));
        EXPECT_EQ(enabledButtons(), QString::fromLatin1(c.expected));
    }
}

TEST_F(FullscreenViewMenuTest, ButtonsRaiseTheirCommandsForTheRecordPicked)
{
    model().Initialize(*result);
    startTest();
    const auto taken = snapshot(QStringLiteral("0S"));
    QStringList raised;
    QObject::connect(menu.get(), &XFullscreenViewMenu::StartTrend, [&] { raised << QStringLiteral("StartTrend"); });
    QObject::connect(menu.get(), &XFullscreenViewMenu::CreateSnapshot,
                     [&] { raised << QStringLiteral("CreateSnapshot"); });
    QObject::connect(menu.get(), &XFullscreenViewMenu::Truncate,
                     [&](const auto& item) { raised << "Truncate " + item->Key(); });
    QObject::connect(menu.get(), &XFullscreenViewMenu::DeleteGraphDataParent,
                     [&](const auto& item) { raised << "Delete " + item->Key(); });
    QObject::connect(menu.get(), &XFullscreenViewMenu::ExitFullScreen, [&] { raised << QStringLiteral("Exit"); });

    menu->TrendButton(0).click();
    menu->SnapshotButton(0).click();
    EXPECT_TRUE(menu->SnapshotButton(2).isEnabled()) << "the new snapshot can be deleted";
    model().AddSnapshot(taken);
    list().clickEntry(indexOf(taken));
    menu->SnapshotButton(1).click();
    menu->SnapshotButton(2).click();
    menu->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    EXPECT_EQ(raised, (QStringList{"StartTrend", "CreateSnapshot", "Truncate 0S", "Delete 0S", "Exit", "Exit"}));
}

TEST_F(FullscreenViewMenuTest, SnapshotBookmarksAreFoundUnderTheirSnapshot)
{
    model().Initialize(*result);
    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Pressure"), QStringLiteral("0S")), 0)
        << "no snapshots heading";
    const auto first = snapshot(QStringLiteral("0S"));
    const auto second = snapshot(QStringLiteral("1S"), 90);
    model().AddSnapshot(first);
    model().AddSnapshot(second);

    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Pressure"), QStringLiteral("1S")),
              bookmarkOf(second->PressureTable()));
    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Flow"), QStringLiteral("0S")),
              bookmarkOf(first->FlowTable()));
    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Flow"), QStringLiteral("9S")), list().bookmark(0))
        << "an unknown snapshot gives the first entry";
    EXPECT_EQ(model().GetItemText(bookmarkOf(second)), second->Title());
    EXPECT_EQ(model().GetItemText(-5), QString());
}

TEST_F(FullscreenViewMenuTest, NewLiveTablesTakeThePlaceOfTheOldOnesOnly)
{
    model().Initialize(*result);
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);
    const auto fresh = CWaveformData::create();
    fresh->Initialize(QStringLiteral("1S"), *configuration->Parameters(), 9000);

    model().UpdateWaveformReferences(nullptr);
    EXPECT_EQ(list().data(1), result->WaveformData()->FlowTable());
    model().UpdateWaveformReferences(fresh);
    EXPECT_EQ(list().data(1), fresh->FlowTable());
    EXPECT_EQ(list().data(2), fresh->PressureTable());
    EXPECT_EQ(list().data(3), fresh->VolumeTable());
    EXPECT_EQ(list().data(indexOf(taken) + 1), taken->FlowTable()) << "the snapshot keeps its own tables";
}

TEST_F(FullscreenViewMenuTest, RemovingTrendsSnapshotsAndHeadings)
{
    const auto day = trend(QStringLiteral("T1"), QStringLiteral("Day"));
    const auto night = trend(QStringLiteral("T2"), QStringLiteral("Night"));
    model().Initialize(*result);
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);

    model().RemoveTrend(QStringLiteral("T9"));
    model().RemoveSnapshot(QStringLiteral("9S"));
    EXPECT_EQ(list().count(), 12) << "unknown keys change nothing";
    model().RemoveTrend(QStringLiteral("T1"));
    EXPECT_EQ(indexOf(day), -1);
    EXPECT_NE(indexOf(night), -1);
    model().RemoveSnapshot(QStringLiteral("0S"));
    EXPECT_EQ(treeLines(list()),
              (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume", "0 Trends", "1 Night", "0 Snapshots"}));

    model().RemoveHeader(FullscreenMenuModel::ehSnapshots);
    model().RemoveHeader(FullscreenMenuModel::ehTrends);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume"}));
    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Flow"), QStringLiteral("0S")), 0);
    model().AddSnapshot(taken);
    EXPECT_EQ(list().text(4), QStringLiteral("Snapshots")) << "a new heading";
}

TEST_F(FullscreenViewMenuTest, TheHighlightedEntryOrItsFirstChildIsPicked)
{
    model().Initialize(*result);
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);

    list().setAllExpanded(false);
    model().SelectHighLightedItem();
    EXPECT_TRUE(selections.empty()) << "nothing highlighted";

    list().select(indexOf(taken) - 1);
    model().SelectHighLightedItem();
    EXPECT_TRUE(list().expanded(indexOf(taken) - 1));
    EXPECT_TRUE(list().highlighted(indexOf(taken)));
    EXPECT_EQ(infoShown(), taken->Title()) << "the heading's first entry, the snapshot";

    list().select(2);
    model().SelectHighLightedItem();
    EXPECT_EQ(selections, (std::vector<Selection>{{result->WaveformData()->PressureTable(), list().bookmark(2)}}));
}

TEST_F(FullscreenViewMenuTest, TheActiveItemIsHighlightedWithItsRecordsDetails)
{
    const auto night = trend(QStringLiteral("T1"), QStringLiteral("Night"));
    model().Initialize(*result);
    startTest();
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);

    model().SetActiveItem(bookmarkOf(night));
    EXPECT_TRUE(list().highlighted(indexOf(night)));
    EXPECT_EQ(infoShown(), QStringLiteral("Night"));

    model().SetActiveItem(bookmarkOf(taken->VolumeTable()));
    EXPECT_TRUE(list().highlighted(indexOf(taken->VolumeTable())));
    EXPECT_FALSE(list().highlighted(indexOf(night)));
    EXPECT_EQ(infoShown(), taken->Title()) << "a snapshot channel shows its snapshot";
    EXPECT_EQ(enabledButtons(), QStringLiteral("T0 S1 S2")) << "the loaded trend is not recording";

    model().SetActiveItem(list().bookmark(1));
    EXPECT_EQ(infoShown(), QString()) << "a live waveform shows no details";
    EXPECT_EQ(enabledButtons(), QStringLiteral("T0")) << "nor can the snapshot be truncated or deleted from it";

    model().SetActiveItem(0);
    EXPECT_TRUE(list().highlighted(1)) << "no entry has bookmark 0: nothing changes";
    model().SetActiveItem(list().bookmark(0));
    EXPECT_EQ(infoShown(), QString());
}

TEST_F(FullscreenViewMenuTest, ASampleRefreshesTheActiveTrendsOwnTableEvenWhenAnotherHasItsTitle)
{
    const auto earlier = trend(QStringLiteral("T1"), QStringLiteral("Night"));
    earlier->Parameter(QStringLiteral("BRRA"))->AddSample(10.0f, 11.0f);
    model().Initialize(*result);
    const auto running = trend(QStringLiteral("Trend1"), QStringLiteral("Night"));
    model().AddTrend(running);
    running->Start();

    running->Parameter(QStringLiteral("BRRA"))->AddSample(14.0f, 18.5f);
    running->Parameter(QStringLiteral("TIVO"))->AddSample(0.5f, 0.75f);
    running->AddSample(std::vector<std::shared_ptr<CMeasurement>>{});
    const auto minMax = [&](const std::shared_ptr<CTrend>& shown, int row) {
        const widgets::TreeListTable& table = tableOf(shown);
        return table.cell(row, 2).text + QLatin1Char('/') + table.cell(row, 3).text;
    };
    EXPECT_EQ(minMax(running, 1), QStringLiteral("14.00/18.50"));
    EXPECT_EQ(minMax(running, 2), QStringLiteral("0.500/0.750"));
    EXPECT_EQ(minMax(earlier, 1), QStringLiteral("10.00/11.00")) << "the earlier trend keeps its own figures";

    // Only a parameter whose minimum or maximum moved is written again.
    tableOf(running).cell(1, 2).text = QStringLiteral("kept");
    tableOf(running).cell(2, 2).text = QStringLiteral("rewritten");
    running->Parameter(QStringLiteral("BRRA"))->AddSample(15.0f, 16.0f);
    running->Parameter(QStringLiteral("TIVO"))->AddSample(0.25f, 0.5f);
    running->AddSample(std::vector<std::shared_ptr<CMeasurement>>{});
    EXPECT_EQ(minMax(running, 1), QStringLiteral("kept/18.50"));
    EXPECT_EQ(minMax(running, 2), QStringLiteral("0.250/0.750"));
}

TEST_F(FullscreenViewMenuTest, AfterTheRunADeletedRecordTakesItsEmptiedHeadingWithIt)
{
    model().Initialize(*result);
    startTest();
    const auto added = trend(QStringLiteral("Trend1"), QStringLiteral("Night"));
    model().AddTrend(added);
    const auto taken = snapshot(QStringLiteral("0S"));
    model().AddSnapshot(taken);
    model().StopTest();
    EXPECT_EQ(enabledButtons(), QString());

    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Flow"), QStringLiteral("0S")),
              bookmarkOf(taken->FlowTable()));
    model().RemoveTrend(QStringLiteral("Trend1"));
    model().RemoveHeader(FullscreenMenuModel::ehTrends);
    model().RemoveSnapshot(QStringLiteral("0S"));
    model().RemoveHeader(FullscreenMenuModel::ehSnapshots);
    EXPECT_EQ(treeLines(list()), (QStringList{"0 Waveforms", "1 Flow", "1 Pressure", "1 Volume"}));

    // Initialize forgets the headings of the list it replaces.
    model().AddSnapshot(taken);
    model().Initialize(*result);
    EXPECT_EQ(model().GetSnapshotBookmark(QStringLiteral("Flow"), QStringLiteral("0S")), 0);
}

// The first sample of the active trend shows the trend row clicked last once more, drawn again
// by the view (BeforeItemClick(true) ... AfterItemClick), once in the menu's life.
class FirstSampleReplayTest : public FullscreenViewMenuTest {
protected:
    void SetUp() override
    {
        FullscreenViewMenuTest::SetUp();
        QObject::connect(menu.get(), &XFullscreenViewMenu::BeforeItemClick,
                         [this](bool fOverride) { events << (fOverride ? "Before(true)" : "Before(false)"); });
        QObject::connect(menu.get(), &XFullscreenViewMenu::AfterItemClick, [this] { events << "After"; });
        QObject::connect(menu.get(), &XFullscreenViewMenu::ItemSelected,
                         [this](const auto& item, int32_t) { events << "Selected " + item->Title(); });
    }
    std::shared_ptr<CTrend> started(const QString& key)
    {
        auto added = trend(key, key);
        model().AddTrend(added);
        added->Start();
        return added;
    }
    static void sample(CTrend& trend) { trend.AddSample(std::vector<std::shared_ptr<CMeasurement>>{}); }

    QStringList events;
};

TEST_F(FirstSampleReplayTest, TheRowClickedLastIsShownAgainOnTheFirstSampleOnly)
{
    model().Initialize(*result);
    const auto first = started(QStringLiteral("Trend1"));
    list().clickTableRow(indexOf(first), 1);
    const QString selected = "Selected " + first->Parameter(QStringLiteral("BRRA"))->Title();
    EXPECT_EQ(events, QStringList{selected});

    events.clear();
    sample(*first);
    EXPECT_EQ(events, (QStringList{"Before(true)", selected, "After"}));
    events.clear();
    sample(*first);
    list().clickTableRow(indexOf(first), 2);
    events.clear();
    sample(*first);
    const auto second = started(QStringLiteral("Trend2"));
    sample(*second);
    EXPECT_TRUE(events.isEmpty()) << "once per menu";
}

TEST_F(FirstSampleReplayTest, AClickIsForgottenByInitializeAndWithItsTrend)
{
    model().Initialize(*result);
    const auto gone = started(QStringLiteral("Trend1"));
    list().clickTableRow(indexOf(gone), 1);
    model().RemoveTrend(QStringLiteral("Trend1"));
    result->Trends()->Remove(QStringLiteral("Trend1"));
    const auto second = started(QStringLiteral("Trend2"));
    events.clear();
    sample(*second);
    EXPECT_TRUE(events.isEmpty()) << "the click on a deleted trend is not replayed";

    list().clickTableRow(indexOf(second), 2);
    model().Initialize(*result);
    const auto third = started(QStringLiteral("Trend3"));
    events.clear();
    sample(*third);
    EXPECT_TRUE(events.isEmpty()) << "nor a click before Initialize";

    // Neither used up the one replay.
    list().clickTableRow(indexOf(third), 1);
    events.clear();
    sample(*third);
    EXPECT_EQ(events.first(), QStringLiteral("Before(true)"));
}

namespace {

// What the model tells the side that shows it, as one line per call.
class RecordingListener final : public FullscreenMenuModel::Listener {
public:
    QStringList calls;

private:
    void buttonEnabledChanged(FullscreenMenuModel::EButtonRow row, int32_t index, bool enabled) override
    {
        calls << QStringLiteral("%1%2=%3")
                     .arg(row == FullscreenMenuModel::EButtonRow::Trend ? 'T' : 'S')
                     .arg(index)
                     .arg(enabled ? "on" : "off");
    }
    void infoBoxEnabled(bool enabled) override { calls << (enabled ? "panel enabled" : "panel disabled"); }
    void infoBoxOpened(bool open) override { calls << (open ? "panel open" : "panel closed"); }
    void infoBoxFilled(std::shared_ptr<ZeltorGraph::IGraphDataParent>& record, int32_t bookmark) override
    {
        calls << QStringLiteral("panel shows %1 of %2").arg(record->Title()).arg(bookmark);
    }
    void trendSampled() override { calls << "sampled"; }
    void itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark) override
    {
        calls << QStringLiteral("selected %1 of %2").arg(item->Title()).arg(bookmark);
    }
    void startTrend() override { calls << "start trend"; }
    void stopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override
    {
        calls << "stop " + record->Key();
    }
    void createSnapshot() override { calls << "create snapshot"; }
    void truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override
    {
        calls << "truncate " + record->Key();
    }
    void deleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override
    {
        calls << "delete " + record->Key();
    }
    void titleChanged() override { calls << "title changed"; }
    void beforeItemClick(bool fOverride) override { calls << (fOverride ? "before(true)" : "before(false)"); }
    void afterItemClick() override { calls << "after"; }
};

} // namespace

// Without any widget: the model tells its listener what the panel and the buttons show.
TEST_F(FullscreenViewMenuTest, TheModelAloneTellsItsListenerWhatThePanelAndTheButtonsShow)
{
    widgets::TreeListModel tree;
    RecordingListener listener;
    FullscreenMenuModel alone(tree, listener);
    alone.Initialize(*result);
    alone.StartTest([](int32_t) {});
    const auto recording = trend(QStringLiteral("Trend1"), QStringLiteral("Night"));
    alone.AddTrend(recording);
    recording->Start();
    const int32_t bookmark = tree.bookmark(indexOfRecord(tree, recording.get()));

    listener.calls.clear();
    alone.setAllowInfoBox(false); // as the view answers a selection that is on show already
    tree.clickEntry(indexOfRecord(tree, recording.get()));
    EXPECT_EQ(
        listener.calls,
        (QStringList{"panel enabled", "panel enabled", "panel open", "T2=off", "T1=on", "T0=off", "S2=off", "S1=off"}))
        << "a refused selection opens the panel without filling it";

    listener.calls.clear();
    alone.setAllowInfoBox(true);
    tree.clickEntry(indexOfRecord(tree, recording.get()));
    alone.buttonClicked(FullscreenMenuModel::EButtonRow::Trend, 1);
    alone.buttonClicked(FullscreenMenuModel::EButtonRow::Snapshot, 0);
    EXPECT_EQ(listener.calls,
              (QStringList{"panel enabled", "panel enabled", "panel open",
                           QStringLiteral("panel shows Night of %1").arg(bookmark), "T2=off", "T1=on", "T0=off",
                           "S2=off", "S1=off", "stop Trend1", "create snapshot", "S2=on"}));
    EXPECT_TRUE(alone.buttonEnabled(FullscreenMenuModel::EButtonRow::Snapshot, 2));

    listener.calls.clear();
    tree.clickEntry(0);
    EXPECT_EQ(listener.calls, (QStringList{"panel enabled", "panel disabled", "panel closed"}))
        << "a heading closes the panel and leaves the buttons";
}
