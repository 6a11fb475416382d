#include "VentilatorRunFixture.h"
#include "WaveformFixture.h"

#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "data/CSnapshotColl.h"
#include "data/CZeltorCalculationSet.h"

#include "CompactXml.h"
#include "RecordingReport.h"

#include "HostServices.h"
#include "LungModel.h"
#include "Xml.h"
#include "XGraph.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <vector>

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

namespace {

// The highest value of a printed snapshot curve, read against the labels of its printed value
// axis: the topmost point of the curve placed between the two outermost labelled ticks.
double printedPeak(const RecordingReport& report)
{
    // Value labels stand right-aligned left of the Y axis, 550 twips wide and 50 twips above
    // their tick.
    static const QRegularExpression label(QStringLiteral("^PrintText\\(([^,]+),\\d+,(-?\\d+),550,200,"));
    static const QRegularExpression line(QStringLiteral("^DrawLine\\((-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)\\)$"));
    struct Tick {
        double value;
        double y;
    };
    std::vector<Tick> ticks;
    int topmost = std::numeric_limits<int>::max();
    for (const QString& call : report.calls) {
        if (const auto match = label.match(call); match.hasMatch())
            ticks.push_back({match.captured(1).remove(QLatin1Char(' ')).toDouble(), match.captured(2).toDouble() + 50});
        else if (const auto drawn = line.match(call); drawn.hasMatch())
            topmost = std::min({topmost, drawn.captured(2).toInt(), drawn.captured(4).toInt()});
    }
    if (ticks.size() < 2 || topmost == std::numeric_limits<int>::max())
        return std::numeric_limits<double>::quiet_NaN();
    const Tick& low = ticks.front();
    const Tick& high = ticks.back();
    return low.value + (topmost - low.y) * (high.value - low.value) / (high.y - low.y);
}

// The snapshot's channels that print, on a report of their own.
void print(const std::shared_ptr<CWaveformData>& snapshot, RecordingReport& report)
{
    CSnapshotColl snapshots;
    snapshots.Add(snapshot);
    snapshots.PrintReport(report);
}

} // namespace

// One breath of the simulated lung, from the instrument's frames to the volume channel: drawn
// live, frozen in a snapshot, printed and stored.
class VolumeChannelRunTest : public VentilatorRunFixture {};

TEST_F(VolumeChannelRunTest, OneBreathDrawsTheTidalVolumeInLitresLiveInASnapshotAndOnPaper)
{
    useSimulator();
    ZeltorGraph::XGraph liveGraph;
    liveGraph.resize(640, 400);
    ZeltorGraph::XGraph snapshotGraph;
    snapshotGraph.resize(640, 400);
    double livePeak = 0.0;
    double liveAxisMin = 0.0;
    double liveAxisSpan = 0.0;
    std::shared_ptr<CWaveformData> snapshot;

    raiseAt(10, &Events::StartTest);
    loop->at(20, [&] { liveGraph.CreatePipeLine(result()->WaveformData()->VolumeTable(), 0); });
    // A little over one breath (4 s at 15 per minute) has been drawn.
    loop->at(4900, [&] {
        const widgets::PlotModel& plot = liveGraph.PlotControl();
        livePeak = plot.dataLine(0).highest();
        liveAxisMin = plot.yAxis().minimum();
        liveAxisSpan = plot.yAxis().span();
        // The operator leaves the pane, which keeps the live view in the channel's settings, and
        // takes a snapshot; the sweep has not wrapped, so it stands at the newest sample.
        liveGraph.DestroyPipeline(true);
        result()->TakeSnapshot(result()->WaveformData()->VolumeTable()->Count());
        snapshot = result()->Snapshots()->LastSnapshot();
    });
    raiseAt(5000, &Events::StopTest);
    raiseAt(6000, &Events::NextTest);
    perform();

    const double tidalVolume = result()->CalculationSet()->Item(QStringLiteral("TIVO"))->AverageValue();
    EXPECT_NEAR(tidalVolume, simulator::LungModel(simulator::LungSettings{}).breath().TIVO, 0.001);
    constexpr double kTolerance = 0.005; // l: the flow's tenths of ml/s summed, the volume in whole ml

    // Live: the curve and the Y axis that shows it are in litres.
    EXPECT_NEAR(livePeak, tidalVolume, kTolerance);
    EXPECT_LE(liveAxisMin, 0.0);
    EXPECT_GE(liveAxisMin + liveAxisSpan, livePeak);
    EXPECT_LT(liveAxisSpan, 10 * tidalVolume) << "the axis fits the breath";

    // The snapshot draws the same curve on the live view's Y range.
    ASSERT_NE(snapshot, nullptr);
    CZeltorMeasurementTable& volume = *snapshot->VolumeTable();
    snapshotGraph.CreatePipeLine(snapshot->VolumeTable(), 0);
    const widgets::PlotModel& frozen = snapshotGraph.PlotControl();
    EXPECT_NEAR(frozen.dataLine(0).highest(), tidalVolume, kTolerance);
    EXPECT_NEAR(frozen.yAxis().minimum(), liveAxisMin, 1e-6);
    EXPECT_NEAR(frozen.yAxis().span(), liveAxisSpan, 1e-6);
    snapshotGraph.DestroyPipeline(false);

    // Printed: the curve's peak read on the printed value axis.
    volume.setPrintOnReport(true);
    RecordingReport report;
    print(snapshot, report);
    EXPECT_NEAR(printedPeak(report), tidalVolume, 2 * kTolerance);

    // Stored in the form records have always had: hundredths of centilitres, and the Y range in
    // centilitres.
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(result()->Save(document));
    const QString saved = compactXml(document->Xml());
    static const QRegularExpression volumeRecord(QStringLiteral(
        "<MeasurementTable Key=\"VOLU\">.*<YMin>([^<]*)</YMin><YMax>([^<]*)</YMax>.*<Data>([^<]*)</Data>"));
    const auto stored = volumeRecord.match(saved);
    ASSERT_TRUE(stored.hasMatch()) << saved.toStdString();
    EXPECT_NEAR(stored.captured(1).toDouble(), 100 * liveAxisMin, 1e-3);
    EXPECT_NEAR(stored.captured(2).toDouble(), 100 * (liveAxisMin + liveAxisSpan), 1e-3);
    double storedPeak = 0.0;
    for (const QString& piece : stored.captured(3).split(QLatin1Char(';')))
        storedPeak = std::max(storedPeak, piece.toDouble());
    EXPECT_NEAR(storedPeak, 10000 * tidalVolume, 10000 * kTolerance);

    // Loaded again, the snapshot holds and draws litres.
    const auto reloaded = CTestVentilator::create();
    std::dynamic_pointer_cast<CConfigVentilator>(reloaded->Configuration())->LoadDefaultSettings();
    reloaded->Load(document->DocumentElement(), nullptr);
    const auto reloadedResult = std::dynamic_pointer_cast<CResultVentilator>(reloaded->Result());
    const auto loaded = reloadedResult->Snapshots()->LastSnapshot();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->VolumeTable()->Values(true), volume.Values(true));
    EXPECT_NEAR(loaded->VolumeTable()->Settings()->Ymin(), liveAxisMin, 1e-6);
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(reloadedResult->Save(again));
    EXPECT_EQ(compactXml(again->Xml()), saved);
}

class VolumeChannelRecordTest : public WaveformFixture {};

// A volume channel as records have always stored it: the samples in hundredths of centilitres,
// the Y range of the graph in centilitres (here 0.5 l at the peak, shown from -0.06 to 0.54 l).
TEST_F(VolumeChannelRecordTest, AStoredRecordLoadsAndDrawsInLitresAndIsWrittenAgainAsItWas)
{
    const QString record = QStringLiteral(
        "<Snapshot Key=\"1S\"><Title>00:00:10 - 00:00:20</Title><CreationTime>20</CreationTime>"
        "<MeasurementTable Key=\"VOLU\"><PrintOnReport>True</PrintOnReport><GraphSettings>"
        "<AutoScaleY>False</AutoScaleY><XMin>0</XMin><XMax>4</XMax><YMin>-6</YMin><YMax>54</YMax></GraphSettings>"
        "<Data>0;2500;5000;2500;0</Data></MeasurementTable></Snapshot>");
    const auto snapshot = newWaveform(QStringLiteral("ignored"));
    snapshot->Load(parsed(record));
    CZeltorMeasurementTable& volume = *snapshot->VolumeTable();
    EXPECT_EQ(volume.Values(true), (std::vector<float>{0.0f, 0.25f, 0.5f, 0.25f, 0.0f}));
    EXPECT_FLOAT_EQ(volume.Settings()->Ymin(), -0.06f);
    EXPECT_FLOAT_EQ(volume.Settings()->Ymax(), 0.54f);
    // Written again, the channel is what the record held.
    const QString table = compactXml(xmlOf([&](const auto& document) { return volume.Save(document); }));
    EXPECT_TRUE(record.contains(table)) << table.toStdString();

    ZeltorGraph::XGraph graph;
    graph.resize(640, 400);
    graph.CreatePipeLine(snapshot->VolumeTable(), 0);
    EXPECT_EQ(graph.PlotControl().dataLine(0).highest(), 0.5);
    EXPECT_NEAR(graph.PlotControl().yAxis().minimum(), -0.06, 1e-6);
    EXPECT_NEAR(graph.PlotControl().yAxis().span(), 0.6, 1e-6);
    graph.DestroyPipeline(false);

    RecordingReport report;
    print(snapshot, report);
    EXPECT_NEAR(printedPeak(report), 0.5, 0.005);
}
