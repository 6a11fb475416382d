#include "WaveformFixture.h"

#include "data/CSnapshotColl.h"
#include "DocumentWithoutElements.h"

#include "CaughtError.h"
#include "CompactXml.h"

#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "services/UtilityService.h"
#include "xml/XmlService.h"

#include <limits>
#include <vector>

using namespace ZeltorTests;
using ZeltorGraph::egtSnapshotGraph;
using ZeltorGraph::egtWaveformGraph;

namespace {

// The host's error service, noting every application error raised through it.
class RecordingErrorService final : public host::ErrorService {
public:
    QStringList raised;
    [[noreturn]] void RaiseError(const QString& product, int32_t number, const QString& source, int32_t flags) override
    {
        raised << QStringLiteral("%1 %2 %3 %4").arg(product, com::errorNumberText(number), source).arg(flags);
        host::ErrorService::RaiseError(product, number, source, flags);
    }
};

} // namespace

class SnapshotTest : public WaveformFixture {
protected:
    // A frozen snapshot under `key` whose channels hold 3000 samples (FLOW 0..2999, PRES from
    // 10000, VOLU from 20000) and end at second 130.
    std::shared_ptr<CWaveformData> fullSnapshot(const QString& key) const
    {
        const auto snapshot = newWaveform(key);
        fill(*snapshot->FlowTable(), 3000);
        fill(*snapshot->PressureTable(), 3000, 10000.0f);
        fill(*snapshot->VolumeTable(), 3000, 20000.0f);
        snapshot->Freeze(130, 3000);
        return snapshot;
    }

    static std::vector<int32_t> counts(const CWaveformData& data)
    {
        return {data.FlowTable()->Count(), data.PressureTable()->Count(), data.VolumeTable()->Count()};
    }

    static std::vector<ZeltorGraph::EZeltorGraphType> graphTypes(const CWaveformData& data)
    {
        return {data.FlowTable()->GraphType(), data.PressureTable()->GraphType(), data.VolumeTable()->GraphType()};
    }
};

TEST_F(SnapshotTest, InitializeBindsTheChannelsAndTakesOverTheReferenceSettings)
{
    EXPECT_EQ(waveform->Key(), QStringLiteral("0S"));
    const auto tables = {waveform->FlowTable(), waveform->PressureTable(), waveform->VolumeTable()};
    QStringList keys;
    for (const auto& table : tables) {
        keys << table->Key();
        EXPECT_EQ(table->Parent(), waveform);
        EXPECT_EQ(table->GraphType(), egtWaveformGraph);
    }
    EXPECT_EQ(keys, (QStringList{"FLOW", "PRES", "VOLU"}));

    // The next live waveform keeps the scales and show flags of the one it replaces.
    waveform->FlowTable()->Settings()->setYmax(7.0f);
    waveform->PressureTable()->Settings()->setShowLimits(true);
    waveform->VolumeTable()->Settings()->setAutoScaleY(false);
    const auto next = newWaveform(QStringLiteral("1S"), waveform);
    EXPECT_EQ(next->FlowTable()->Settings()->Ymax(), 7.0f);
    EXPECT_TRUE(next->FlowTable()->Settings()->ShowDetectLevel());
    EXPECT_TRUE(next->PressureTable()->Settings()->ShowLimits());
    EXPECT_FALSE(next->VolumeTable()->Settings()->AutoScaleY());
    EXPECT_EQ(next->FlowTable()->Parent(), next);

    // A list without a channel leaves that table unbound; the others work.
    CParameterList flowOnly;
    flowOnly.Add(QStringLiteral("FLOW"));
    const auto partial = CWaveformData::create();
    partial->Initialize(QStringLiteral("2S"), flowOnly, kDetectLevel);
    EXPECT_EQ(partial->FlowTable()->Key(), QStringLiteral("FLOW"));
    EXPECT_EQ(partial->PressureTable()->Key(), QString());
    EXPECT_EQ(partial->PressureTable()->Parent(), partial);
    const QString saved = compactXml(xmlOf([&](const auto& document) { return partial->Save(document); }));
    EXPECT_EQ(saved.count(QStringLiteral("<MeasurementTable")), 1) << saved.toStdString();
}

TEST_F(SnapshotTest, FreezeMakesASnapshotTitledWithItsTimeSpan)
{
    fill(*waveform->FlowTable(), 3000);
    EXPECT_EQ(waveform->ParentType(), egtWaveformGraph);
    EXPECT_EQ(waveform->DisplayTitle(), QString());
    EXPECT_EQ(waveform->FlowTable()->Title(), QStringLiteral("Flow "));

    waveform->Freeze(130, 3000);
    EXPECT_EQ(waveform->CreationTime(), 130);
    EXPECT_EQ(waveform->StartTime(), 70);
    EXPECT_EQ(waveform->Length(), 60);
    EXPECT_EQ(waveform->Title(), QStringLiteral("00:01:10 - 00:02:10"));
    EXPECT_EQ(waveform->DisplayTitle(), QStringLiteral("[Snapshot: 00:01:10 - 00:02:10]"));
    EXPECT_EQ(waveform->ParentType(), egtSnapshotGraph);
    EXPECT_EQ(graphTypes(*waveform), std::vector(3, egtSnapshotGraph));
    EXPECT_EQ(waveform->PressureTable()->Title(), QStringLiteral("Pressure [Snapshot: 00:01:10 - 00:02:10]"));

    // Title and comment are the user's to edit.
    waveform->setTitle(QStringLiteral("Leak at PEEP"));
    waveform->setComment(QStringLiteral("after the filter change"));
    EXPECT_EQ(waveform->DisplayTitle(), QStringLiteral("[Snapshot: Leak at PEEP]"));
    EXPECT_EQ(waveform->Comment(), QStringLiteral("after the filter change"));
}

TEST_F(SnapshotTest, DrawLatestDrawsFlowPressureAndVolumeInThatOrder)
{
    const auto pipeline = std::make_shared<RecordingPipeline>();
    for (const auto& table : {waveform->FlowTable(), waveform->PressureTable(), waveform->VolumeTable()})
        table->HookPipeline(pipeline);
    pipeline->calls.clear();
    waveform->FlowTable()->AddPacket(0, 10000, 20000, 2); // 1000 and 2000 ml/s
    waveform->PressureTable()->AddPacket(0, 30, 40, 2);
    waveform->VolumeTable()->AddPacket(0, 500, 250, 0); // 500 and 250 ml
    waveform->DrawLatest();
    EXPECT_EQ(pipeline->calls,
              (QStringList{"DrawValue(1, 0)", "DrawValue(2, 0)", "DrawValue(3, 0)", "DrawValue(4, 0)",
                           "DrawValue(0.5, 0)", "DrawValue(0.25, 0)"}));
}

TEST_F(SnapshotTest, TruncateCutsEveryChannelAndRedrawsIt)
{
    const auto snapshot = fullSnapshot(QStringLiteral("A"));
    const auto pipeline = hooked(*snapshot->PressureTable());
    snapshot->FlowTable()->SyncXScale(500, 1000, false);
    snapshot->Truncate();
    EXPECT_EQ(snapshot->CreationTime(), 90);
    EXPECT_EQ(snapshot->StartTime(), 80); // the first kept sample was taken 10 s after the old start
    EXPECT_EQ(counts(*snapshot), std::vector<int32_t>(3, 501));
    EXPECT_EQ(snapshot->PressureTable()->Values(false).front(), 10500.0f);

    QStringList expected{"SetGraphSettings(80, 501, 0)", "Clear()", "Initialize(none, 0)", "BeginUpdate()"};
    for (int32_t k = 0; k <= 500; ++k)
        expected << QStringLiteral("DrawValue(%1, 0)").arg(10500 + k);
    expected << "SetXScale(0, 499, false)"
             << "SetYScale(0, 0, true)"
             << "EndUpdate()";
    EXPECT_EQ(pipeline->calls, expected);
}

TEST_F(SnapshotTest, TruncateKeepsTheTrueTimesOfTheKeptSamples)
{
    const struct {
        const char* name;
        int32_t xmin, xmax;
        int32_t creationTime, startTime, count;
    } cases[] = {
        {"window inside", 500, 1000, 90, 80, 501},
        {"window from the start", 0, 1000, 90, 70, 1001},
        {"window reaching beyond the data", 100, 5000, 130, 72, 2900},
        {"window after the data", 3100, 3200, 130, 70, 3000},
        {"window upside down", 600, 400, 130, 70, 3000},
    };
    for (const auto& c : cases) {
        const auto snapshot = fullSnapshot(QStringLiteral("A"));
        snapshot->FlowTable()->SyncXScale(c.xmin, c.xmax, false);
        snapshot->Truncate();
        EXPECT_EQ(snapshot->CreationTime(), c.creationTime) << c.name;
        EXPECT_EQ(snapshot->StartTime(), c.startTime) << c.name;
        EXPECT_EQ(counts(*snapshot), std::vector<int32_t>(3, c.count)) << c.name;
    }
}

TEST_F(SnapshotTest, RecordRoundTripsToTheSameBytes)
{
    const auto snapshot = newWaveform(QStringLiteral("3S"));
    for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
        fill(*table, 4, 1.0f);
    snapshot->Freeze(130, 4);
    snapshot->setComment(QStringLiteral("Before & after"));
    snapshot->PressureTable()->setPrintOnReport(true);
    const QString saved = xmlOf([&](const auto& document) { return snapshot->Save(document); });
    const QString compact = compactXml(saved);
    EXPECT_TRUE(compact.startsWith(QStringLiteral("<Snapshot Key=\"3S\"><Title>00:02:10 - 00:02:10</Title>"
                                                  "<Comment>Before &amp; after</Comment><CreationTime>130</CreationTime>"
                                                  "<MeasurementTable Key=\"FLOW\">")))
        << compact.toStdString();
    const qsizetype flowAt = compact.indexOf(QStringLiteral("Key=\"FLOW\""));
    const qsizetype pressureAt = compact.indexOf(QStringLiteral("Key=\"PRES\""));
    EXPECT_TRUE(flowAt < pressureAt && pressureAt < compact.indexOf(QStringLiteral("Key=\"VOLU\"")));

    const auto loaded = CWaveformData::create();
    loaded->Initialize(QStringLiteral("ignored"), parameters, kDetectLevel);
    loaded->Load(parsed(saved));
    EXPECT_EQ(loaded->Key(), QStringLiteral("3S"));
    EXPECT_EQ(loaded->ParentType(), egtSnapshotGraph);
    EXPECT_EQ(loaded->Title(), snapshot->Title());
    EXPECT_EQ(loaded->Comment(), snapshot->Comment());
    EXPECT_EQ(loaded->CreationTime(), 130);
    EXPECT_EQ(loaded->PressureTable()->Values(false), snapshot->PressureTable()->Values(false));
    EXPECT_TRUE(loaded->PressureTable()->PrintOnReport());
    EXPECT_EQ(xmlOf([&](const auto& document) { return loaded->Save(document); }), saved);

    // Empty title and comment are left out, and load back empty.
    const auto plain = newWaveform(QStringLiteral("4S"));
    const QString plainSaved = xmlOf([&](const auto& document) { return plain->Save(document); });
    EXPECT_FALSE(plainSaved.contains(QStringLiteral("<Title")));
    EXPECT_FALSE(plainSaved.contains(QStringLiteral("<Comment")));
    const auto plainLoaded = newWaveform(QStringLiteral("x"));
    plainLoaded->Load(parsed(plainSaved));
    EXPECT_EQ(plainLoaded->Title(), QString());
    EXPECT_EQ(plainLoaded->DisplayTitle(), QStringLiteral("[Snapshot: ]"));
    EXPECT_EQ(xmlOf([&](const auto& document) { return plainLoaded->Save(document); }), plainSaved);
}

TEST_F(SnapshotTest, MalformedRecordsLoadWhatTheyHold)
{
    const struct {
        const char* name;
        const char* xml;
        QString key, title, comment;
        int32_t creationTime;
        std::vector<int32_t> counts;
        bool stored;
    } cases[] = {
        {"other tag", "<snapshot Key=\"B\"><Title>T</Title></snapshot>", "0S", "", "", 0, {0, 0, 0}, false},
        {"only a PRES channel",
         "<Snapshot Key=\"B\"><MeasurementTable Key=\"PRES\"><Data>100;200</Data></MeasurementTable></Snapshot>", "B", "",
         "", 0, {0, 2, 0}, true},
        {"channels of other keys",
         "<Snapshot Key=\"B\"><MeasurementTable Key=\"TEMP\"><Data>1</Data></MeasurementTable>"
         "<MeasurementTable Key=\"flow\"><Data>1</Data></MeasurementTable><MeasurementTable><Data>1</Data>"
         "</MeasurementTable><Unknown/></Snapshot>",
         "B", "", "", 0, {0, 0, 0}, true},
        {"no key", "<Snapshot><CreationTime>12</CreationTime></Snapshot>", "", "", "", 12, {0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        const auto data = newWaveform(QStringLiteral("0S"));
        data->Load(parsed(QString::fromLatin1(c.xml)));
        EXPECT_EQ(data->Key(), c.key) << c.name;
        EXPECT_EQ(data->Title(), c.title) << c.name;
        EXPECT_EQ(data->Comment(), c.comment) << c.name;
        EXPECT_EQ(data->CreationTime(), c.creationTime) << c.name;
        EXPECT_EQ(counts(*data), c.counts) << c.name;
        EXPECT_EQ(data->ParentType(), c.stored ? egtSnapshotGraph : egtWaveformGraph) << c.name;
        // A loaded snapshot's channels are all snapshot channels, also those the record lacks.
        EXPECT_EQ(graphTypes(*data), std::vector(3, c.stored ? egtSnapshotGraph : egtWaveformGraph)) << c.name;
    }

    // A creation time at the bottom of the range still gives a start time.
    const auto early = newWaveform(QStringLiteral("0S"));
    early->Load(parsed(QStringLiteral("<Snapshot><CreationTime>-2147483648</CreationTime><MeasurementTable Key=\"FLOW\">"
                                      "<Data>%1</Data></MeasurementTable></Snapshot>")
                           .arg(QStringList(100, QStringLiteral("1")).join(QLatin1Char(';')))));
    EXPECT_EQ(early->FlowTable()->Count(), 100);
    EXPECT_EQ(early->StartTime(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(early->Length(), 0);
}

TEST_F(SnapshotTest, AnUnreadableSnapshotRaisesNamingItAndKeepsWhatCameBefore)
{
    const struct {
        const char* name;
        const char* children;
        int32_t number;
        const char* description;
    } cases[] = {
        {"creation time not a number", "<CreationTime>soon</CreationTime>", com::errTypeMismatch,
         "Snapshot \"B\": CreationTime is \"soon\", not a number"},
        {"creation time empty", "<CreationTime/>", com::errTypeMismatch,
         "Snapshot \"B\": CreationTime is \"\", not a number"},
        {"creation time beyond 32 bits", "<CreationTime>4294967296</CreationTime>", com::errOverflow,
         "Snapshot \"B\": CreationTime is \"4294967296\", out of range"},
        {"channel data not a number",
         "<CreationTime>130</CreationTime><MeasurementTable Key=\"PRES\"><Data>100;x</Data></MeasurementTable>",
         com::errTypeMismatch, "Snapshot \"B\": channel PRES: Data piece 2 is \"x\", not a number"},
    };
    for (const auto& c : cases) {
        const auto data = newWaveform(QStringLiteral("0S"));
        const com::Error error = caughtError([&] {
            data->Load(parsed(QStringLiteral("<Snapshot Key=\"B\"><Title>T</Title>%1<Comment>C</Comment></Snapshot>")
                                  .arg(QString::fromLatin1(c.children))));
        });
        EXPECT_EQ(error.number(), c.number) << c.name;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description)) << c.name;
        EXPECT_EQ(data->Title(), QStringLiteral("T")) << c.name;
        EXPECT_EQ(data->ParentType(), egtSnapshotGraph) << c.name;
    }

    // In a collection the snapshots before the damaged one stay; a second snapshot under a key
    // already read is damage too.
    const struct {
        const char* damaged;
        int32_t number;
        const char* description;
    } inCollection[] = {
        {"<Snapshot Key=\"B\"><CreationTime>x</CreationTime></Snapshot>", com::errTypeMismatch,
         "Snapshot \"B\": CreationTime is \"x\", not a number"},
        {"<Snapshot Key=\"A\"/>", com::errDuplicateKey, "Snapshots: two snapshots have the key \"A\""},
    };
    for (const auto& c : inCollection) {
        CSnapshotColl snapshots;
        const com::Error error = caughtError([&] {
            snapshots.Load(parsed(QStringLiteral("<Snapshots><Snapshot Key=\"A\"/>%1<Snapshot Key=\"C\"/></Snapshots>")
                                      .arg(QString::fromLatin1(c.damaged))),
                           parameters, kDetectLevel);
        });
        EXPECT_EQ(error.number(), c.number) << c.damaged;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description)) << c.damaged;
        ASSERT_EQ(snapshots.Count(), 1) << c.damaged;
        EXPECT_EQ(snapshots.Item(1)->Key(), QStringLiteral("A")) << c.damaged;
    }
}

TEST_F(SnapshotTest, CollectionKeepsSnapshotsByKeyInTheOrderAdded)
{
    CSnapshotColl snapshots;
    EXPECT_EQ(snapshots.LastSnapshot(), nullptr);
    const auto a = newWaveform(QStringLiteral("A"));
    const auto b = newWaveform(QStringLiteral("B"));
    snapshots.Add(a);
    snapshots.Add(b);
    EXPECT_EQ(snapshots.Count(), 2);
    EXPECT_EQ(snapshots.Item(1), a);
    EXPECT_EQ(snapshots.Item(QStringLiteral("B")), b);
    EXPECT_EQ(snapshots.Item(QStringLiteral("C")), nullptr);
    EXPECT_EQ(snapshots.Item(3), nullptr);
    EXPECT_EQ(snapshots.LastSnapshot(), b);

    // A key already held refuses the newcomer.
    snapshots.Add(newWaveform(QStringLiteral("A")));
    EXPECT_EQ(snapshots.Count(), 2);
    EXPECT_EQ(snapshots.Item(QStringLiteral("A")), a);
    EXPECT_EQ(snapshots.LastSnapshot(), b);

    std::vector<std::shared_ptr<CWaveformData>> inOrder;
    for (const auto& snapshot : snapshots)
        inOrder.push_back(snapshot);
    EXPECT_EQ(inOrder, (std::vector{a, b}));

    snapshots.Remove(QStringLiteral("C"));
    snapshots.Remove(0);
    EXPECT_EQ(snapshots.Count(), 2);
    snapshots.Remove(QStringLiteral("A"));
    EXPECT_EQ(snapshots.Item(1), b);
    snapshots.Remove(1);
    EXPECT_EQ(snapshots.Count(), 0);
    snapshots.Add(a);
    snapshots.Clear();
    EXPECT_EQ(snapshots.Count(), 0);
}

TEST_F(SnapshotTest, CollectionRecordRoundTripsToTheSameBytes)
{
    CSnapshotColl snapshots;
    EXPECT_EQ(xmlOf([&](const auto& document) { return snapshots.Save(document); }), QString());

    snapshots.Add(fullSnapshot(QStringLiteral("A")));
    snapshots.Add(fullSnapshot(QStringLiteral("B")));
    const QString saved = xmlOf([&](const auto& document) { return snapshots.Save(document); });
    const QString compact = compactXml(saved);
    EXPECT_TRUE(compact.startsWith(QStringLiteral("<Snapshots><Snapshot Key=\"A\">"))) << compact.left(200).toStdString();
    EXPECT_EQ(compact.count(QStringLiteral("<Snapshot ")), 2);

    CSnapshotColl loaded;
    loaded.Add(newWaveform(QStringLiteral("old")));
    loaded.Load(parsed(saved), parameters, kDetectLevel);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Item(QStringLiteral("B")), loaded.Item(2));
    EXPECT_EQ(loaded.LastSnapshot(), loaded.Item(2));
    EXPECT_EQ(loaded.Item(QStringLiteral("old")), nullptr);
    EXPECT_EQ(counts(*loaded.Item(1)), std::vector<int32_t>(3, 3000));
    EXPECT_EQ(xmlOf([&](const auto& document) { return loaded.Save(document); }), saved);

    // Loaded channels are bound to the test's definitions and detect level.
    const auto flow = loaded.Item(1)->FlowTable();
    EXPECT_EQ(flow->Unit(), QStringLiteral("l/sec"));
    auto pipeline = std::make_shared<RecordingPipeline>();
    flow->HookPipeline(pipeline);
    EXPECT_EQ(pipeline->calls.value(0), QStringLiteral("SetDetectLevel(1)"));
}

TEST_F(SnapshotTest, CollectionLoadReadsOnlyItsOwnRecord)
{
    const struct {
        const char* name;
        const char* xml;
        QStringList keys;
    } cases[] = {
        {"other tag keeps what is held", "<snapshots><Snapshot Key=\"A\"/></snapshots>", {"held"}},
        {"no children", "<Snapshots/>", {}},
        {"other children skipped", "<Snapshots><Trend Key=\"T\"/><Snapshot Key=\"A\"/><Other/><Snapshot Key=\"B\"/>"
                                   "</Snapshots>",
         {"A", "B"}},
    };
    for (const auto& c : cases) {
        CSnapshotColl snapshots;
        snapshots.Add(newWaveform(QStringLiteral("held")));
        snapshots.Load(parsed(QString::fromLatin1(c.xml)), parameters, kDetectLevel);
        QStringList keys;
        for (const auto& snapshot : snapshots)
            keys << snapshot->Key();
        EXPECT_EQ(keys, c.keys) << c.name;
    }
}

TEST_F(SnapshotTest, CollectionThatCannotMakeItsRecordTellsTheHostAndReturnsNone)
{
    const auto errors = std::make_shared<RecordingErrorService>();
    Nelvar::installHostServices({errors, std::make_shared<host::LanguageService>(),
                                 std::make_shared<host::UtilityService>(), std::make_shared<host::XmlService>()});
    CSnapshotColl snapshots;
    snapshots.Add(newWaveform(QStringLiteral("A")));
    EXPECT_EQ(snapshots.Save(std::make_shared<DocumentWithoutElements>()), nullptr);
    EXPECT_EQ(errors->raised, QStringList{"Zeltor 0x8004A400 Component.Module 4"});
    EXPECT_EQ(snapshots.Save(nullptr), nullptr);
}
