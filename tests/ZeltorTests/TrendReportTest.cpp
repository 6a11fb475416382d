#include "data/CTrendCollection.h"
#include "data/CTrendPrinter.h"

#include "RecordingReport.h"
#include "TrendFixture.h"

#include <vector>

using namespace ZeltorTests;

// Trend blocks on a report whose printable area runs from x 1000 to 11000 with the print
// position at 1000: the frame spans x 1560 to 9880 and y 1280 to 4640, the graph area x 2540 to
// 9320 and y 1840 to 3940.
class TrendReportTest : public TrendFixture {
protected:
    // A trend "T1" from second 120 at 10-second intervals whose breath rate prints, with the
    // maxima 10, 20, 30 and the minima 5, 8, 12.
    std::shared_ptr<CTrend> breathRateTrend(const std::vector<std::pair<float, float>>& pairs = {{5, 10}, {8, 20}, {12, 30}})
    {
        auto trend = newTrend();
        trend->Initialize(QStringLiteral("T1"), 10, 120);
        const auto& breathRate = trend->Parameter(QStringLiteral("BRRA"));
        breathRate->setPrintOnReport(true);
        for (const auto& [min, max] : pairs)
            breathRate->AddSample(min, max);
        return trend;
    }

    void print(const CTrend& trend)
    {
        CTrendPrinter printer;
        trend.Print(printer, report);
    }

    RecordingReport report;
};

TEST_F(TrendReportTest, BlockHasFrameTitleLegendAxesAndBothCurves)
{
    print(*breathRateTrend());
    const QStringList expected{
        // Frame with its shadow, information line, margin rule and title.
        "FillStyle=0", "FillColor=C0C0C0", "Rectangle(1630,1350,9950,4710,0,0)", "FillColor=FFFFFF",
        "Rectangle(1560,1280,9880,4640,0,0)", "Font.Name=Arial", "Font.Size=6", "Font.Bold=0", "Font.Italic=1",
        "TextAlignment=1",
        "PrintText(Start time: 00:02:00    Sampling interval: 00:00:10    Elapsed time: 00:00:30,1560,4360,8320,1120,1,0,0)",
        "Line(11000,720,11000,4850)", "Font.Name=Arial", "Font.Size=8", "Font.Bold=1", "Font.Italic=0",
        "TextAlignment=1", "PrintText(Breath rate\r\n[Trend: T1],1700,1420,8180,420,1,0,0)", "CurrentY=4780",
        // Legend: dotted minimum above solid maximum, texts beside them.
        "Font.Size=6", "Font.Bold=0", "DrawStyle=4", "Line(8470,1390,8870,1390)", "DrawStyle=0",
        "Line(8470,1530,8870,1530)", "TextAlignment=0",
        "PrintText(Minimum values\r\nMaximum values,8970,1340,910,560,1,0,1)", "TextAlignment=1",
        // Time axis: 0 to 30 s in label steps of 5 s, labels from the trend's start time.
        "DrawStyle=0", "Font.Name=Arial", "Font.Size=7", "Font.Bold=0", "TextAlignment=1",
        "Line(2540,3940,9320,3940)",
        "PrintText(00:02:00,2140,4090,800,200,1,0,0)", "Line(2540,3880,2540,4000)",
        "PrintText(00:02:05,3270,4090,800,200,1,0,0)", "Line(3670,3880,3670,4000)",
        "PrintText(00:02:10,4400,4090,800,200,1,0,0)", "Line(4800,3880,4800,4000)",
        "PrintText(00:02:15,5530,4090,800,200,1,0,0)", "Line(5930,3880,5930,4000)",
        "PrintText(00:02:20,6660,4090,800,200,1,0,0)", "Line(7060,3880,7060,4000)",
        "PrintText(00:02:25,7790,4090,800,200,1,0,0)", "Line(8190,3880,8190,4000)",
        "PrintText(00:02:30,8920,4090,800,200,1,0,0)", "Line(9320,3880,9320,4000)",
        // Value axis: -6.6 to 36.6 fitted to both curves, ticks every 5, the unit written upwards.
        "Line(2540,1840,2540,3940)", "Font.Name=Arial", "Font.Size=7", "Font.Bold=1", "TextAlignment=1",
        "TextAngle=900", "PrintText(BPM,1640,2990,200,200,1,0,0)", "TextAngle=0", "Font.Name=Arial", "Font.Size=7",
        "Font.Bold=0", "TextAlignment=2",
        "Line(2480,3862,2600,3862)", "PrintText(-5,1790,3812,550,200,1,0,0)",
        "Line(2480,3619,2600,3619)", "PrintText(0,1790,3569,550,200,1,0,0)",
        "Line(2480,3376,2600,3376)", "PrintText(5,1790,3326,550,200,1,0,0)",
        "Line(2480,3133,2600,3133)", "PrintText(10,1790,3083,550,200,1,0,0)",
        "Line(2480,2890,2600,2890)", "PrintText(15,1790,2840,550,200,1,0,0)",
        "Line(2480,2647,2600,2647)", "PrintText(20,1790,2597,550,200,1,0,0)",
        "Line(2480,2404,2600,2404)", "PrintText(25,1790,2354,550,200,1,0,0)",
        "Line(2480,2161,2600,2161)", "PrintText(30,1790,2111,550,200,1,0,0)",
        "Line(2480,1918,2600,1918)", "PrintText(35,1790,1868,550,200,1,0,0)",
        // Maximum curve solid, minimum curve dotted; each sample at the end of its interval.
        "DrawStyle=0", "Line(4800,3133,7060,2647)", "Line(7060,2647,9320,2161)",
        "DrawStyle=4", "Line(4800,3376,7060,3230)", "Line(7060,3230,9320,3036)",
        // The print position at the frame's bottom edge.
        "DrawStyle=0", "CurrentY=4640"};
    EXPECT_EQ(report.calls, expected);
}

TEST_F(TrendReportTest, ABlockStartsANewPageOnlyWhenLessThanItsHeightIsLeft)
{
    for (const auto& [startY, newPage] : std::vector<std::pair<int32_t, bool>>{{12080, false}, {12081, true}}) {
        report.restart();
        report.currentY = startY;
        print(*breathRateTrend());
        EXPECT_EQ(report.calls.contains(QStringLiteral("NewPage")), newPage) << startY;
        const int32_t frameTop = (newPage ? report.pageTop : startY) + 280;
        EXPECT_TRUE(report.calls.contains(QStringLiteral("Rectangle(1560,%1,9880,%2,0,0)").arg(frameTop).arg(frameTop + 3360)))
            << startY;
    }
}

TEST_F(TrendReportTest, ParametersThatPrintStackTheirBlocks280Apart)
{
    const auto trend = breathRateTrend();
    trend->Parameter(QStringLiteral("INPF"))->setPrintOnReport(true);
    print(*trend);
    EXPECT_EQ(report.callsStartingWith({"Rectangle(1560", "PrintText(Breath", "PrintText(Inspiratory"}),
              (QStringList{"Rectangle(1560,1280,9880,4640,0,0)", "PrintText(Breath rate\r\n[Trend: T1],1700,1420,8180,420,1,0,0)",
                           "Rectangle(1560,4920,9880,8280,0,0)",
                           "PrintText(Inspiratory peak flow\r\n[Trend: T1],1700,5060,8180,420,1,0,0)"}));
    EXPECT_EQ(report.currentY, 8280);
}

TEST_F(TrendReportTest, AFixedScaleTakesTheSettingsRangesAndLeavesSamplesOutsideTheXRangeOut)
{
    const auto trend = breathRateTrend();
    const auto settings = trend->Parameter(QStringLiteral("BRRA"))->Settings();
    settings->setXmin(15);
    settings->setXmax(30);
    settings->setYmin(10);
    settings->setYmax(50);
    print(*trend);
    // X 15 to 30 s over 6780 twips, Y 10 to 50 over 2100: the sample at 10 s is left out, and
    // the minimum of 8 at 20 s lies below the area and is drawn on its bottom edge.
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(10,1790,3890,550,200,1,0,0)")));
    EXPECT_EQ(report.callsStartingWith({"PrintText(00:"}).first(), QStringLiteral("PrintText(00:02:15,2140,4090,800,200,1,0,0)"));
    const QStringList tail = report.calls.mid(report.calls.lastIndexOf(QStringLiteral("PrintText(50,1790,1790,550,200,1,0,0)")) + 1);
    EXPECT_EQ(tail, (QStringList{"DrawStyle=0", "Line(4800,3415,9320,2890)", "DrawStyle=4", "Line(4800,3940,9320,3835)",
                                 "DrawStyle=0", "CurrentY=4640"}));
}

TEST_F(TrendReportTest, HiddenMaximumLeavesOnlyTheDottedMinimumButTheLegendKeepsBothEntries)
{
    const auto trend = breathRateTrend();
    trend->Parameter(QStringLiteral("BRRA"))->Settings()->setShowMax(false);
    print(*trend);
    const QStringList tail = report.calls.mid(report.calls.indexOf(QStringLiteral("PrintText(35,1790,1868,550,200,1,0,0)")) + 1);
    EXPECT_EQ(tail, (QStringList{"DrawStyle=4", "Line(4800,3376,7060,3230)", "Line(7060,3230,9320,3036)", "DrawStyle=0",
                                 "CurrentY=4640"}));
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(Minimum values\r\nMaximum values,8970,1340,910,560,1,0,1)")));
}

TEST_F(TrendReportTest, AnHourAtTenSecondsLabelsEverySeventyFiveSecondsAndCrowdedLabelsLoseTheirTextNotTheirTick)
{
    std::vector<std::pair<float, float>> pairs(60, {1.0f, 2.0f});
    print(*breathRateTrend(pairs));
    // 0 to 600 s, the first sample at 10 s.
    QStringList labels = report.callsStartingWith({"PrintText(00:"});
    EXPECT_EQ(labels.size(), 9);
    EXPECT_EQ(labels.at(1), QStringLiteral("PrintText(00:03:15,2988,4090,800,200,1,0,0)"));
    EXPECT_EQ(labels.last(), QStringLiteral("PrintText(00:12:00,8920,4090,800,200,1,0,0)"));
    EXPECT_TRUE(report.calls.contains(QStringLiteral("Line(2653,2161,2766,2161)")));

    // On a narrow page the ticks lie 222.5 twips apart: a label needs 460 beyond the last one.
    report.restart();
    report.pageRight = report.pageLeft + 5000;
    print(*breathRateTrend(pairs));
    labels = report.callsStartingWith({"PrintText(00:"});
    EXPECT_EQ(labels, (QStringList{"PrintText(00:02:00,2140,4090,800,200,1,0,0)", "PrintText(00:05:45,2808,4090,800,200,1,0,0)",
                                   "PrintText(00:09:30,3475,4090,800,200,1,0,0)"}));
    EXPECT_EQ(report.callsStartingWith({"Line("}).filter(QStringLiteral(",3880,")).size(), 9);
}

TEST_F(TrendReportTest, ValueLabelsCarryTheDecimalsOfTheirStep)
{
    const auto trend = breathRateTrend();
    const auto settings = trend->Parameter(QStringLiteral("BRRA"))->Settings();
    settings->setXmax(30);
    settings->setYmin(-0.1f);
    settings->setYmax(0.25f);
    print(*trend);
    QStringList labels;
    for (const QString& call : report.callsStartingWith({"PrintText("}))
        if (call.contains(QStringLiteral(",1790,")))
            labels << call.section(QLatin1Char('('), 1).section(QLatin1Char(','), 0, 0);
    EXPECT_EQ(labels, (QStringList{"-0.10", "-0.05", "0.00", "0.05", "0.10", "0.15", "0.20", "0.25"}));
}

TEST_F(TrendReportTest, AUnitThatFailsToPrintLeavesTheTextUpright)
{
    report.failingText = QStringLiteral("BPM");
    print(*breathRateTrend());
    const qsizetype unit = report.calls.indexOf(QStringLiteral("PrintText(BPM,1640,2990,200,200,1,0,0)"));
    ASSERT_GE(unit, 0);
    EXPECT_EQ(report.calls.at(unit + 1), QStringLiteral("TextAngle=0"));
    // The value axis and the curves go on after it.
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(35,1790,1868,550,200,1,0,0)")));
    EXPECT_EQ(report.calls.last(), QStringLiteral("CurrentY=4640"));
}

TEST_F(TrendReportTest, AParameterWithoutSamplesPrintsItsBlockWithoutCurves)
{
    print(*breathRateTrend({}));
    EXPECT_TRUE(report.calls.contains(QStringLiteral("PrintText(00:02:00,2140,4090,800,200,1,0,0)")));
    const QStringList tail = report.calls.mid(report.calls.indexOf(QStringLiteral("PrintText(0,1790,3890,550,200,1,0,0)")) + 1);
    EXPECT_EQ(tail, (QStringList{"DrawStyle=0", "DrawStyle=4", "DrawStyle=0", "CurrentY=4640"}));
}

TEST_F(TrendReportTest, CollectionPrintsItsHeadingLeftAlignedInItsOwnFontThenEveryTrend)
{
    CTrendCollection trends;
    trends.PrintReport(report);
    EXPECT_TRUE(report.calls.isEmpty());

    const auto night = trends.Add(QStringLiteral("N"), parameters);
    night->Initialize(QStringLiteral("Night"), 10, 0);
    night->Parameter(QStringLiteral("TIVO"))->setPrintOnReport(true);
    trends.Add(QStringLiteral("D"), parameters)->Initialize(QStringLiteral("Day"), 10, 0); // prints nothing
    const auto ward = trends.Add(QStringLiteral("W"), parameters);
    ward->Initialize(QStringLiteral("Ward"), 10, 0);
    ward->Parameter(QStringLiteral("BRRA"))->setPrintOnReport(true);
    report.currentY = 3000;
    trends.PrintReport(report);
    EXPECT_EQ(report.calls.mid(0, 6), (QStringList{"TextAlignment=0", "Font.Name=Arial", "Font.Size=10", "Font.Bold=1",
                                                   "Font.Italic=0", "PrintText(Trend waveforms,1000,3000,100,100,1,0,1)"}));
    EXPECT_EQ(report.callsStartingWith({"PrintText(Tidal", "PrintText(Breath"}),
              (QStringList{"PrintText(Tidal volume\r\n[Trend: Night],1700,3420,8180,420,1,0,0)",
                           "PrintText(Breath rate\r\n[Trend: Ward],1700,7060,8180,420,1,0,0)"}));
}
