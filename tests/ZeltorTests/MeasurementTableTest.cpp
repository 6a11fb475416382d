#include "WaveformFixture.h"

#include "data/CGraphSettings.h"
#include "data/CParameterDef.h"

#include "CaughtError.h"
#include "CompactXml.h"

#include <algorithm>
#include <vector>

using namespace ZeltorTests;
using ZeltorGraph::egtSnapshotGraph;
using ZeltorGraph::egtWaveformGraph;

class MeasurementTableTest : public WaveformFixture {
protected:
    CZeltorMeasurementTable& flow() const { return *waveform->FlowTable(); }
    CZeltorMeasurementTable& pressure() const { return *waveform->PressureTable(); }

    // A channel table of its own, without a waveform.
    std::shared_ptr<CZeltorMeasurementTable> newTable(const QString& key) const
    {
        auto table = CZeltorMeasurementTable::create();
        table->Initialize(parameters.Item(key), {});
        return table;
    }

    // Packets 0 to `lastSequence` in order (no loss); the last one's second sample is `lastSecond`.
    static void feedUpTo(CZeltorMeasurementTable& table, int32_t lastSequence, float lastSecond)
    {
        for (int32_t sequence = 0; sequence <= lastSequence; ++sequence)
            table.AddPacket(sequence, 50, sequence == lastSequence ? static_cast<int32_t>(lastSecond * 10) : 50, 2);
    }

    // The samples stored from position `from` on.
    static std::vector<float> samplesFrom(const CZeltorMeasurementTable& table, int32_t from)
    {
        const std::vector<float> values = table.Values(false);
        return {values.begin() + from, values.end()};
    }

    static std::vector<float> range(float first, float last)
    {
        std::vector<float> values;
        for (float v = first; v <= last; v += 1.0f)
            values.push_back(v);
        return values;
    }
};

TEST_F(MeasurementTableTest, RingHoldsTheNewestSixtySeconds)
{
    // 60 seconds of packets fill the ring exactly; the next packet drops the two oldest samples.
    for (int32_t k = 0; k < 1500; ++k)
        pressure().AddPacket(k % 10, 20 * k, 20 * k + 10, 2);
    EXPECT_EQ(pressure().Count(), 3000);
    EXPECT_EQ(pressure().Values(false), range(0, 2999));
    pressure().AddPacket(0, 30000, 30010, 2);
    EXPECT_EQ(pressure().Count(), 3000);
    EXPECT_EQ(pressure().Values(false), range(2, 3001));

    const auto table = newTable(QStringLiteral("VOLU"));
    for (int32_t v = 1; v <= 3001; ++v)
        table->AddValue(static_cast<float>(v));
    EXPECT_EQ(table->Count(), 3000);
    EXPECT_EQ(table->Values(false), range(2, 3001));
    EXPECT_EQ(table->LastValue(), 3001.0f);
    EXPECT_TRUE(newTable(QStringLiteral("VOLU"))->Values(true).empty());
}

TEST_F(MeasurementTableTest, PacketsAreScaledByTheResolution)
{
    const struct {
        int32_t raw1, raw2;
        int16_t resolution;
        std::vector<float> stored;
    } cases[] = {
        {123, 456, 2, {12.3f, 45.6f}},  // tenths before firmware 3
        {123, 456, 0, {12.3f, 45.6f}},
        {123, 456, 3, {1.23f, 4.56f}},  // hundredths from firmware 3 on
        {-25, 7, 4, {-0.25f, 0.07f}},
        {0, 0, 3, {0.0f, 0.0f}},
    };
    for (const auto& c : cases) {
        const auto table = newTable(QStringLiteral("PRES"));
        table->AddPacket(0, c.raw1, c.raw2, c.resolution);
        EXPECT_EQ(table->Values(false), c.stored) << c.raw1 << " " << c.resolution;
        EXPECT_EQ(table->LastValue(), c.stored.back());
        // The next packet is expected with sequence 1: it fills nothing.
        table->AddPacket(1, 10, 10, 2);
        EXPECT_EQ(table->Count(), 4);
    }
}

TEST_F(MeasurementTableTest, LostPacketsAreFilledFromThePreviousPacket)
{
    const struct {
        const char* name;
        int32_t lastSequence; // of the packets before; -1 for a fresh table
        int32_t sequence;
        float first, second;
        std::vector<float> stored;
    } cases[] = {
        {"three packets lost", 4, 8, 16, 17, {11, 12, 13, 14, 15, 16, 16, 17}},
        {"sequence wraps after 9", 9, 0, 16, 17, {16, 17}},
        {"loss across the wrap", 8, 1, 14, 15, {11, 12, 13, 14, 14, 15}},
        {"repeated sequence: nine lost", 4, 4, 28, 29, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
                                                        27, 28, 28, 29}},
        {"fresh table ramps up from 0", -1, 2, 8, 9, {2, 4, 6, 8, 8, 9}},
    };
    for (const auto& c : cases) {
        const auto table = newTable(QStringLiteral("PRES"));
        feedUpTo(*table, c.lastSequence, 10.0f);
        const int32_t before = table->Count();
        table->AddPacket(c.sequence, static_cast<int32_t>(c.first * 10), static_cast<int32_t>(c.second * 10), 2);
        EXPECT_EQ(samplesFrom(*table, before), c.stored) << c.name;
    }
}

TEST_F(MeasurementTableTest, CorruptSequenceNumbersInventNoSamples)
{
    feedUpTo(pressure(), 3, 10.0f);
    const int32_t before = pressure().Count();
    pressure().AddPacket(42, 110, 120, 2);  // expected 4: taken as if it were
    pressure().AddPacket(-3, 130, 140, 2);  // expected 5
    pressure().AddPacket(6, 150, 160, 2);   // matches
    EXPECT_EQ(samplesFrom(pressure(), before), (std::vector<float>{11, 12, 13, 14, 15, 16}));
}

TEST_F(MeasurementTableTest, DrawLatestSendsTheTwoNewestSamplesInTheDisplayUnit)
{
    const auto pipeline = hooked(flow());
    flow().AddValue(1000.0f);
    flow().DrawLatest(); // one sample: nothing to draw
    EXPECT_TRUE(pipeline->calls.isEmpty());
    flow().AddValue(2000.0f);
    flow().AddValue(-500.0f);
    flow().DrawLatest();
    EXPECT_EQ(pipeline->calls, (QStringList{"DrawValue(2, 0)", "DrawValue(-0.5, 0)"}));

    // A full ring draws the two newest across its wrap.
    const auto ringPipeline = hooked(pressure());
    fill(pressure(), 3500, 1.0f);
    pressure().DrawLatest();
    EXPECT_EQ(ringPipeline->calls, (QStringList{"DrawValue(3499, 0)", "DrawValue(3500, 0)"}));

    // Once released, the table draws nothing more.
    flow().ReleasePipeline(false);
    flow().DrawLatest();
    EXPECT_EQ(pipeline->calls.size(), 2);
}

TEST_F(MeasurementTableTest, HookingALiveChannelSetsItsScaleBoundaries)
{
    const struct {
        const char* key;
        QStringList calls;
    } cases[] = {
        {"FLOW", {"SetDetectLevel(1)", "SetScaleBoundaries(-1, 2)"}},
        {"PRES", {"SetScaleBoundaries(-1, 2)"}},
        {"VOLU", {"SetScaleBoundaries(-1, 2)"}},
    };
    for (const auto& c : cases) {
        const QString key = QString::fromLatin1(c.key);
        const auto live = newWaveform(QStringLiteral("1S"));
        const auto table = key == QLatin1String("FLOW")   ? live->FlowTable()
                           : key == QLatin1String("PRES") ? live->PressureTable()
                                                          : live->VolumeTable();
        auto pipeline = std::make_shared<RecordingPipeline>();
        table->HookPipeline(pipeline);
        EXPECT_EQ(pipeline->calls, c.calls) << c.key;
    }
}

TEST_F(MeasurementTableTest, HookingASnapshotChannelRedrawsItWithItsScales)
{
    flow().AddValue(1000.0f);
    flow().AddValue(2000.0f);
    flow().AddValue(-500.0f);
    flow().Settings()->setXmax(2.0f);
    waveform->Freeze(130, 3);
    auto pipeline = std::make_shared<RecordingPipeline>();
    flow().HookPipeline(pipeline);
    EXPECT_EQ(pipeline->calls,
              (QStringList{"SetDetectLevel(1)", "SetGraphSettings(130, 3, -1)", "Clear()", "Initialize(none, 0)",
                           "BeginUpdate()", "DrawValue(1, 0)", "DrawValue(2, 0)", "DrawValue(-0.5, 0)",
                           "SetXScale(0, 2, false)", "SetYScale(0, 0, true)", "EndUpdate()"}));
    EXPECT_EQ(pipeline->initializedWith.lock(), waveform->FlowTable());
}

TEST_F(MeasurementTableTest, ReleasingThePipelineStoresTheViewWhenAskedAndLetsItGo)
{
    for (const bool store : {true, false}) {
        const auto table = newWaveform(QStringLiteral("1S"))->PressureTable();
        auto pipeline = hooked(*table);
        table->ReleasePipeline(store);
        EXPECT_EQ(pipeline->calls, store ? QStringList{"StoreSettings()"} : QStringList{});
        EXPECT_EQ(table->Settings()->Xmax(), store ? pipeline->storedView.xmax : 0.0f);
        EXPECT_EQ(table->Settings()->AutoScaleX(), !store);
        EXPECT_EQ(pipeline.use_count(), 1) << "the table still holds the pipeline";
    }

    // A second pipeline replaces the first.
    auto first = hooked(pressure());
    auto second = hooked(pressure());
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_EQ(second.use_count(), 2);
}

TEST_F(MeasurementTableTest, TruncateKeepsTheSamplesInsideTheWindow)
{
    const struct {
        const char* name;
        int32_t stored; // samples 0, 1, ... of which the ring keeps the newest 3000
        float xmin, xmax;
        bool cut;
        float firstKept, lastKept;
        float newXmax;
    } cases[] = {
        {"window inside", 3000, 100, 199, true, 100, 199, 98},
        {"window reaching beyond", 3000, 2900, 5000, true, 2900, 2999, 98},
        {"window end rounding past the data", 3000, 2900, 2999.6f, true, 2900, 2999, 98},
        {"ring wrapped", 3500, 100, 199, true, 600, 699, 98},
        {"one sample", 3000, 7, 7, true, 7, 7, -1},
        {"window after the data", 3000, 3000, 3100, false, 0, 2999, 3100},
        {"window upside down", 3000, 500, 400, false, 0, 2999, 400},
        {"window before the data", 3000, -5, 100, false, 0, 2999, 100},
        {"empty table", 0, 0, 10, false, 0, 0, 10},
    };
    for (const auto& c : cases) {
        const auto table = newTable(QStringLiteral("PRES"));
        fill(*table, c.stored);
        const float before = table->LastValue();
        table->Settings()->setXmin(c.xmin);
        table->Settings()->setXmax(c.xmax);
        EXPECT_EQ(table->Truncate(), c.cut) << c.name;
        EXPECT_EQ(table->Settings()->Xmax(), c.newXmax) << c.name;
        if (c.cut) {
            EXPECT_EQ(table->Values(false), range(c.firstKept, c.lastKept)) << c.name;
            EXPECT_EQ(table->Settings()->Xmin(), 0.0f) << c.name;
            EXPECT_EQ(table->LastValue(), c.lastKept) << c.name;
        } else {
            EXPECT_EQ(table->Count(), std::min(c.stored, 3000)) << c.name;
            EXPECT_EQ(table->Settings()->Xmin(), c.xmin) << c.name;
            EXPECT_EQ(table->LastValue(), before) << c.name;
        }
    }

    // The cut ring fills on from its new end.
    const auto table = newTable(QStringLiteral("PRES"));
    fill(*table, 3500);
    table->Settings()->setXmin(100);
    table->Settings()->setXmax(101);
    ASSERT_TRUE(table->Truncate());
    table->AddValue(-1.0f);
    EXPECT_EQ(table->Values(false), (std::vector<float>{600, 601, -1}));
}

TEST_F(MeasurementTableTest, TruncateTellsAHookedGraphTheNewLengthAndDrawsNothing)
{
    fill(flow(), 3000);
    flow().Settings()->setXmax(500.0f);
    waveform->Freeze(130, 1000); // X window 2000 to 2500, reaching 500 samples short of the end
    const auto pipeline = hooked(flow());
    flow().Settings()->setXmin(100.0f);
    flow().Settings()->setXmax(199.0f);
    EXPECT_TRUE(flow().Truncate());
    EXPECT_EQ(pipeline->calls, (QStringList{"SetGraphSettings(128, 100, 0)"}));

    // An unhooked channel leaves its frozen reach behind with the cut data too.
    fill(pressure(), 3000);
    pressure().Freeze(1000);
    pressure().Settings()->setXmin(100.0f);
    pressure().Settings()->setXmax(199.0f);
    EXPECT_TRUE(pressure().Truncate());
    auto later = std::make_shared<RecordingPipeline>();
    pressure().HookPipeline(later);
    EXPECT_EQ(later->callsTo(QStringLiteral("SetGraphSettings")), (QStringList{"SetGraphSettings(128, 100, 0)"}));
}

TEST_F(MeasurementTableTest, FreezeMovesTheWindowWithTheData)
{
    fill(flow(), 3000);
    flow().Settings()->setXmax(500.0f);
    flow().Settings()->setYmax(5.0f);
    fill(pressure(), 3000);
    pressure().Settings()->setXmax(500.0f);
    pressure().Settings()->setAutoScaleY(false);
    waveform->Freeze(130, 1000);

    for (CZeltorMeasurementTable* table : {&flow(), &pressure()}) {
        EXPECT_EQ(table->GraphType(), egtSnapshotGraph);
        EXPECT_FALSE(table->Settings()->AutoScaleX());
        EXPECT_EQ(table->Settings()->Xmin(), 2000.0f);
        EXPECT_EQ(table->Settings()->Xmax(), 2500.0f);
        auto pipeline = std::make_shared<RecordingPipeline>();
        table->HookPipeline(pipeline);
        EXPECT_EQ(pipeline->callsTo(QStringLiteral("SetGraphSettings")), QStringList{"SetGraphSettings(70, 3000, -500)"});
    }
    // The Y axis scales itself when no fixed range was set.
    EXPECT_FALSE(flow().Settings()->AutoScaleY());
    EXPECT_TRUE(pressure().Settings()->AutoScaleY());
}

TEST_F(MeasurementTableTest, SyncXScaleSetsTheWindowOfEveryChannelOfTheWaveform)
{
    const auto pipeline = hooked(pressure());
    pressure().SyncXScale(10, 60, false);
    for (const auto& table : {waveform->FlowTable(), waveform->PressureTable(), waveform->VolumeTable()}) {
        EXPECT_FALSE(table->Settings()->AutoScaleX());
        EXPECT_EQ(table->Settings()->Xmin(), 10.0f);
        EXPECT_EQ(table->Settings()->Xmax(), 60.0f);
    }
    EXPECT_TRUE(pipeline->calls.isEmpty());

    // A table without a waveform keeps the window for itself.
    const auto alone = newTable(QStringLiteral("VOLU"));
    alone->SyncXScale(1, 2, false);
    EXPECT_EQ(alone->Settings()->Xmax(), 2.0f);
    EXPECT_EQ(waveform->VolumeTable()->Settings()->Xmax(), 60.0f);
}

TEST_F(MeasurementTableTest, DescribesItsChannelToTheGraph)
{
    EXPECT_EQ(flow().Key(), QStringLiteral("FLOW"));
    EXPECT_EQ(flow().Caption(false), QStringLiteral("20616::Flow"));
    EXPECT_EQ(flow().Caption(true), QStringLiteral("Flow"));
    EXPECT_EQ(flow().Title(), QStringLiteral("Flow "));
    EXPECT_EQ(flow().Unit(), QStringLiteral("l/sec"));
    EXPECT_EQ(flow().Parent(), waveform);
    EXPECT_EQ(flow().GraphType(), egtWaveformGraph);
    EXPECT_TRUE(flow().Settings()->ShowDetectLevel());
    EXPECT_FALSE(pressure().Settings()->ShowDetectLevel());
    EXPECT_EQ(pressure().Unit(), QStringLiteral("cmH2O"));

    // A table whose channel is not bound answers with empty texts and still has settings.
    const auto unbound = CZeltorMeasurementTable::create();
    EXPECT_EQ(unbound->Key(), QString());
    EXPECT_EQ(unbound->Title(), QStringLiteral(" "));
    EXPECT_EQ(unbound->Parent(), nullptr);
    EXPECT_NE(unbound->Settings(), nullptr);
}

TEST_F(MeasurementTableTest, CopySettingsFromTakesAllTenValues)
{
    const auto source = newTable(QStringLiteral("PRES"));
    auto& s = *source->Settings();
    s.setAutoScaleX(false);
    s.setAutoScaleY(false);
    s.setShowDetectLevel(true);
    s.setShowLimits(true);
    s.setShowMax(false);
    s.setShowMin(false);
    s.setXmax(4.0f);
    s.setXmin(3.0f);
    s.setYmax(2.0f);
    s.setYmin(1.0f);
    pressure().CopySettingsFrom(source);
    pressure().CopySettingsFrom(nullptr);
    const auto xmlOfSettings = [&](ZeltorGraph::IGraphSettings& settings) {
        return compactXml(xmlOf([&](const auto& doc) { return settings.Save(doc); }));
    };
    EXPECT_EQ(xmlOfSettings(*pressure().Settings()), xmlOfSettings(s));
}

TEST_F(MeasurementTableTest, RecordRoundTripsToTheSameBytes)
{
    for (const float sample : {1.5f, -0.25f, 12.0f})
        flow().AddValue(sample);
    flow().setPrintOnReport(true);
    const QString saved = xmlOf([&](const auto& document) { return flow().Save(document); });
    EXPECT_EQ(compactXml(saved),
              QStringLiteral("<MeasurementTable Key=\"FLOW\"><PrintOnReport>True</PrintOnReport><GraphSettings>"
                             "<ShowDetectLevel>True</ShowDetectLevel><XMin>0</XMin><XMax>0</XMax><YMin>0</YMin>"
                             "<YMax>0</YMax></GraphSettings><Data>150;-25;1200</Data></MeasurementTable>"));

    const auto loaded = newTable(QStringLiteral("FLOW"));
    loaded->Load(parsed(saved));
    EXPECT_EQ(loaded->GraphType(), egtSnapshotGraph);
    EXPECT_TRUE(loaded->PrintOnReport());
    EXPECT_EQ(loaded->Values(false), flow().Values(false));
    EXPECT_EQ(xmlOf([&](const auto& document) { return loaded->Save(document); }), saved);

    // Samples whose hundredths leave the 32-bit range are written whole; interpolated ones round.
    const auto large = newTable(QStringLiteral("PRES"));
    for (const float sample : {3.0e7f, -3.0e7f, 1.0f / 3.0f, 0.125f, 0.135f})
        large->AddValue(sample);
    const QString largeSaved = xmlOf([&](const auto& document) { return large->Save(document); });
    EXPECT_TRUE(largeSaved.contains(QStringLiteral("<Data>3000000000;-3000000000;33;12;14</Data>"))) << largeSaved.toStdString();
    const auto largeLoaded = newTable(QStringLiteral("PRES"));
    largeLoaded->Load(parsed(largeSaved));
    EXPECT_EQ(xmlOf([&](const auto& document) { return largeLoaded->Save(document); }), largeSaved);

    // An empty table writes empty data and loads no samples.
    const auto empty = newTable(QStringLiteral("VOLU"));
    const QString emptySaved = xmlOf([&](const auto& document) { return empty->Save(document); });
    EXPECT_TRUE(compactXml(emptySaved).endsWith(QStringLiteral("</GraphSettings><Data /></MeasurementTable>")))
        << emptySaved.toStdString();
    const auto emptyLoaded = newTable(QStringLiteral("VOLU"));
    emptyLoaded->Load(parsed(emptySaved));
    EXPECT_EQ(emptyLoaded->Count(), 0);
    EXPECT_EQ(xmlOf([&](const auto& document) { return emptyLoaded->Save(document); }), emptySaved);

    // Without its channel a table cannot say which one it is: it writes no record.
    EXPECT_EQ(xmlOf([&](const auto& document) { return CZeltorMeasurementTable::create()->Save(document); }), QString());
}

TEST_F(MeasurementTableTest, MalformedRecordsLoadWhatTheyHold)
{
    const struct {
        const char* xml;
        std::vector<float> samples;
        bool printOnReport;
        ZeltorGraph::EZeltorGraphType type;
    } cases[] = {
        {"<measurementtable><Data>100</Data></measurementtable>", {5}, false, egtWaveformGraph},
        {"<MeasurementTable/>", {5}, false, egtSnapshotGraph},
        {"<MeasurementTable><Data>100;200;</Data></MeasurementTable>", {5, 1, 2}, false, egtSnapshotGraph},
        {"<MeasurementTable><Data>12.5; -300 </Data></MeasurementTable>", {5, 0.125f, -3}, false, egtSnapshotGraph},
        {"<MeasurementTable Key=\"PRES\"><PrintOnReport>true</PrintOnReport><Other>1</Other><Data>100</Data>"
         "</MeasurementTable>",
         {5, 1}, false, egtSnapshotGraph},
        {"<MeasurementTable><PrintOnReport>True</PrintOnReport><GraphSettings><XMax>abc</XMax></GraphSettings>"
         "</MeasurementTable>",
         {5}, true, egtSnapshotGraph},
    };
    for (const auto& c : cases) {
        const auto table = newTable(QStringLiteral("FLOW"));
        table->AddValue(5.0f); // loaded samples come after those held
        table->Load(parsed(QString::fromLatin1(c.xml)));
        EXPECT_EQ(table->Values(false), c.samples) << c.xml;
        EXPECT_EQ(table->PrintOnReport(), c.printOnReport) << c.xml;
        EXPECT_EQ(table->GraphType(), c.type) << c.xml;
    }
    const auto table = newTable(QStringLiteral("FLOW"));
    table->Load(nullptr);
    EXPECT_EQ(table->GraphType(), egtWaveformGraph);
}

TEST_F(MeasurementTableTest, DataThatCannotBeReadRaisesNamingTheChannelAndKeepsTheSamplesBeforeIt)
{
    const struct {
        const char* data;
        int32_t number;
        const char* description;
        std::vector<float> samples;
    } cases[] = {
        {"100;250;x;400", com::errTypeMismatch, "channel FLOW: Data piece 3 is \"x\", not a number", {5, 1, 2.5f}},
        {"100;;300", com::errTypeMismatch, "channel FLOW: Data piece 2 is \"\", not a number", {5, 1}},
        {"NaN", com::errTypeMismatch, "channel FLOW: Data piece 1 is \"NaN\", not a number", {5}},
        {"100;1e400", com::errOverflow, "channel FLOW: Data piece 2 is \"1e400\", out of range", {5, 1}},
        {"1e41", com::errOverflow, "channel FLOW: Data piece 1 is \"1e41\", out of range", {5}},
    };
    for (const auto& c : cases) {
        const auto table = newTable(QStringLiteral("FLOW"));
        table->AddValue(5.0f);
        const com::Error error = caughtError([&] {
            table->Load(parsed(QStringLiteral("<MeasurementTable><Data>%1</Data><PrintOnReport>True</PrintOnReport>"
                                              "</MeasurementTable>")
                                   .arg(QString::fromLatin1(c.data))));
        });
        EXPECT_EQ(error.number(), c.number) << c.data;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description)) << c.data;
        EXPECT_EQ(table->Values(false), c.samples) << c.data;
        EXPECT_EQ(table->GraphType(), egtSnapshotGraph) << c.data;
    }

    // Settings that cannot be read are reported as the channel's too.
    const auto table = newTable(QStringLiteral("PRES"));
    const com::Error error = caughtError([&] {
        table->Load(parsed(QStringLiteral("<MeasurementTable><GraphSettings><YMax>1e39</YMax></GraphSettings>"
                                          "<Data>100</Data></MeasurementTable>")));
    });
    EXPECT_EQ(error.number(), com::errOverflow);
    EXPECT_TRUE(error.description().startsWith(QStringLiteral("channel PRES: "))) << error.description().toStdString();
}
