#include "WaveformFixture.h"

#include "data/CSnapshotColl.h"
#include "data/CSnapshotPrinter.h"

#include "RecordingReport.h"

#include <vector>

using namespace ZeltorTests;

// Snapshot blocks on a report whose printable area runs from x 1000 to 11000 with the print
// position at 1000: the frame spans x 1560 to 9880 and y 1280 to 4640, the graph area x 2540 to
// 9320 and y 1840 to 3940.
class SnapshotReportTest : public WaveformFixture {
protected:
    // The pressure channel holding `values`, printed as a snapshot from second 120 on.
    void printPressure(const std::vector<float>& values)
    {
        CZeltorMeasurementTable& table = *waveform->PressureTable();
        for (const float value : values)
            table.AddValue(value);
        CSnapshotPrinter().PrintSnapshot(table, QStringLiteral("00:02:00 - 00:03:00"), 120, 60, report);
    }
    void setWindow(float xMin, float xMax, float yMin, float yMax)
    {
        const auto settings = waveform->PressureTable()->Settings();
        settings->setXmin(xMin);
        settings->setXmax(xMax);
        settings->setYmin(yMin);
        settings->setYmax(yMax);
    }
    static std::vector<float> ramp(int32_t count)
    {
        std::vector<float> values;
        for (int32_t i = 0; i < count; ++i)
            values.push_back(static_cast<float>(i));
        return values;
    }
    QStringList curve() const { return report.callsStartingWith({"DrawLine("}); }
    QStringList timeLabels() const { return report.callsStartingWith({"PrintText(00:"}); }

    RecordingReport report;
};

TEST_F(SnapshotReportTest, BlockHasFrameTitleAxesAndTheSolidCurveOfTheSamplesInTheWindow)
{
    setWindow(0, 100, -5, 5);
    printPressure({1, 4, -2, 3});
    QStringList expected{
        "FillStyle=0", "FillColor=C0C0C0", "Rectangle(1630,1350,9950,4710,0,0)", "FillColor=FFFFFF",
        "Rectangle(1560,1280,9880,4640,0,0)", "Font.Name=Arial", "Font.Size=6", "Font.Bold=0", "Font.Italic=1",
        "TextAlignment=1", "PrintText(Start time: 00:02:00    Length: 00:01:00,1560,4360,8320,1120,1,0,0)",
        "Line(11000,720,11000,4850)", "Font.Name=Arial", "Font.Size=8", "Font.Bold=1", "Font.Italic=0",
        "TextAlignment=1", "PrintText(Pressure\r\n[Snapshot: 00:02:00 - 00:03:00],1700,1420,8180,420,1,0,0)",
        "CurrentY=4780",
        // Samples 0 to 100, a tick a second, labels at the label step of 50 samples.
        "Font.Name=Arial", "Font.Size=7", "Font.Bold=0", "TextAlignment=1", "Line(2540,3940,9320,3940)",
        "PrintText(00:02:00,2140,4090,800,200,1,0,0)", "Line(2540,3880,2540,4000)",
        "PrintText(00:02:01,5530,4090,800,200,1,0,0)", "Line(5930,3880,5930,4000)",
        "PrintText(00:02:02,8920,4090,800,200,1,0,0)", "Line(9320,3880,9320,4000)",
        // -5 to 5 in steps of 1; the unit's box is as wide as its text.
        "Line(2540,1840,2540,3940)", "Font.Name=Arial", "Font.Size=7", "Font.Bold=1", "TextAlignment=1",
        "TextAngle=900", "PrintText(cmH2O,1640,3015,250,200,1,0,0)", "TextAngle=0", "Font.Name=Arial",
        "Font.Size=7", "Font.Bold=0", "TextAlignment=2"};
    for (int32_t value = -5; value <= 5; ++value) {
        const int32_t y = 2890 - 210 * value;
        expected << QStringLiteral("Line(2480,%1,2600,%1)").arg(y)
                 << QStringLiteral("PrintText(%1,1790,%2,550,200,1,0,0)").arg(value).arg(y - 50);
    }
    // The curve is solid whatever the report drew before; it ends at the last sample.
    expected << "DrawStyle=0" << "DrawLine(2540,2680,2608,2050)" << "DrawLine(2608,2050,2676,3310)"
             << "DrawLine(2676,3310,2743,2260)" << "DrawStyle=0" << "CurrentY=4640";
    EXPECT_EQ(report.calls, expected);
}

TEST_F(SnapshotReportTest, AMinuteWithAutomaticScaleLabelsEveryTenSecondsFromTheStartTime)
{
    printPressure(ramp(3000));
    EXPECT_EQ(timeLabels(),
              (QStringList{"PrintText(00:02:00,2140,4090,800,200,1,0,0)", "PrintText(00:02:10,3270,4090,800,200,1,0,0)",
                           "PrintText(00:02:20,4400,4090,800,200,1,0,0)", "PrintText(00:02:30,5530,4090,800,200,1,0,0)",
                           "PrintText(00:02:40,6660,4090,800,200,1,0,0)", "PrintText(00:02:50,7790,4090,800,200,1,0,0)",
                           "PrintText(00:03:00,8920,4090,800,200,1,0,0)"}));
    EXPECT_EQ(curve().size(), 2999);
}

TEST_F(SnapshotReportTest, TheCurveKeepsToTheXWindowAndItsSamples)
{
    struct Case {
        float xMin, xMax;
        qsizetype lines;
        QString firstLineStart; // "DrawLine(x,y"
        QString firstLabel;
    };
    // Y fixed at 0 to 3000 (the ramp's values); a window starting before sample 0 draws from
    // sample 0, one reaching beyond the samples ends at the last one.
    for (const Case& c : std::vector<Case>{
             {1000, 1500, 500, "DrawLine(2540,3240,", "00:02:20"},
             {2900, 3500, 99, "DrawLine(2540,1910,", "00:02:58"},
             {-100, 200, 200, "DrawLine(4800,3940,", "00:01:58"},
         }) {
        report.restart();
        waveform = newWaveform(QStringLiteral("W"));
        setWindow(c.xMin, c.xMax, 0, 3000);
        printPressure(ramp(3000));
        EXPECT_EQ(curve().size(), c.lines) << c.xMin;
        EXPECT_TRUE(curve().value(0).startsWith(c.firstLineStart)) << curve().value(0).toStdString();
        EXPECT_TRUE(timeLabels().value(0).startsWith(QStringLiteral("PrintText(") + c.firstLabel)) << c.xMin;
    }
}

TEST_F(SnapshotReportTest, AFlatChannelIsFittedWithZeroAndAChannelWithoutSamplesPrintsNoCurve)
{
    printPressure(std::vector<float>(100, 5.0f));
    // Y -0.5 to 5.5: 350 twips a unit, 0 at 3765.
    EXPECT_EQ(curve().value(0), QStringLiteral("DrawLine(2540,2015,2608,2015)"));
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(0,1790,3715,550,200,1,0,0)")));
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(6,1790,1615,550,200,1,0,0)")));

    report.restart();
    waveform = newWaveform(QStringLiteral("E"));
    printPressure({});
    EXPECT_TRUE(curve().isEmpty());
    EXPECT_EQ(timeLabels(), QStringList{"PrintText(00:02:00,2140,4090,800,200,1,0,0)"});
    EXPECT_EQ(report.calls.last(), QStringLiteral("CurrentY=4640"));
}

TEST_F(SnapshotReportTest, CollectionPrintsTheChannelsThatPrintAsBlocksBelowItsHeading)
{
    CSnapshotColl snapshots;
    snapshots.PrintReport(report);
    EXPECT_TRUE(report.calls.isEmpty());

    for (const auto& table : {waveform->FlowTable(), waveform->PressureTable(), waveform->VolumeTable()}) {
        table->AddValue(1.0f);
        table->setPrintOnReport(true);
    }
    waveform->Freeze(130, 1);
    const auto hidden = newWaveform(QStringLiteral("1S"));
    hidden->Freeze(200, 0);
    snapshots.Add(waveform);
    snapshots.Add(hidden);
    report.currentY = 2000;
    snapshots.PrintReport(report);
    EXPECT_EQ(report.calls.mid(0, 6), (QStringList{"TextAlignment=0", "Font.Name=Arial", "Font.Size=10", "Font.Bold=1",
                                                   "Font.Italic=0", "PrintText(Snapshots,1000,2000,100,100,1,0,1)"}));
    EXPECT_EQ(report.callsStartingWith({"PrintText(Flow", "PrintText(Pressure", "PrintText(Volume"}),
              (QStringList{"PrintText(Flow\r\n[Snapshot: 00:02:10 - 00:02:10],1700,2420,8180,420,1,0,0)",
                           "PrintText(Pressure\r\n[Snapshot: 00:02:10 - 00:02:10],1700,6060,8180,420,1,0,0)",
                           "PrintText(Volume\r\n[Snapshot: 00:02:10 - 00:02:10],1700,9700,8180,420,1,0,0)"}));
}
