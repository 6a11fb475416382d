#include "elements/CConfigVentilator.h"
#include "elements/CConfigZeltor.h"
#include "elements/CResultVentilator.h"
#include "elements/CResultZeltor.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"

#include "data/CMeasurement.h"
#include "data/CParameterList.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/CZeltorMeasurementTable.h"

#include "HostFixture.h"
#include "RecordingReport.h"

#include "HostServices.h"
#include "Xml.h"
#include "testmodel/TestSequence.h"

using namespace ZeltorTests;

namespace {

const QString kColumns = QStringLiteral("<+560|<2240|>+1660|>+1660|>+1660|^+!1660|<+560;");
const QString kHeader = QStringLiteral(
    "|{\\i\\b Result:}|{\\i\\b Maximum value:}|{\\i\\b Minimum value:}|{\\i\\b Average value:}|{\\i\\b Unit};");

} // namespace

// A ventilator result of breath rate and tidal volume with a trend and a snapshot that print,
// on a report whose printable width is 10000 twips.
class ResultReportTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        configuration->LoadDefaultSettings();
        configuration->Parameters()->SelectKeys({QStringLiteral("BRRA"), QStringLiteral("TIVO")});
        result->InitializeResult(configuration, limits);
        for (const float rate : {15.1f, 14.9f, 15.0f})
            result->CalculationSet()->Item(QStringLiteral("BRRA"))->AddSample(rate);
        result->CalculationSet()->Item(QStringLiteral("TIVO"))->AddSample(0.5f);

        const auto trend = result->Trends()->Add(QStringLiteral("N"), *configuration->Parameters());
        trend->Initialize(QStringLiteral("Night"), 10, 0);
        trend->Parameter(QStringLiteral("BRRA"))->setPrintOnReport(true);
        trend->Parameter(QStringLiteral("BRRA"))->AddSample(14.0f, 16.0f);

        const auto snapshot = CWaveformData::create();
        snapshot->Initialize(QStringLiteral("0S"), *configuration->Parameters(), 9000);
        snapshot->PressureTable()->AddValue(10.0f);
        snapshot->PressureTable()->setPrintOnReport(true);
        snapshot->Freeze(60, 1);
        result->Snapshots()->Add(snapshot);
    }

    void print()
    {
        report->restart();
        result->PrintReport(report, nullptr);
    }

    const std::shared_ptr<CConfigVentilator> configuration = std::make_shared<CConfigVentilator>();
    const std::shared_ptr<CZeltorLimitData> limits = std::make_shared<CZeltorLimitData>();
    const std::shared_ptr<CResultVentilator> result = std::make_shared<CResultVentilator>();
    const std::shared_ptr<RecordingReport> report = std::make_shared<RecordingReport>();
};

TEST_F(ResultReportTest, TableListsEveryMeasurementOrOnlyTheFailedOnes)
{
    print();
    EXPECT_EQ(report->calls, (QStringList{"TableOptionA=7", "TableOptionB=0", "TableOptionC=1",
                                          "PrintTable(" + kColumns + "," + kHeader
                                              + ",|Breath rate      |15.10|14.90|15.00|BPM;"
                                                "|Tidal volume      |0.500|0.500|0.500|l;,0,0,0)"}));

    report->printOptions = Nelvar::IReport::proFailedResultsOnly;
    print();
    EXPECT_TRUE(report->calls.isEmpty()); // no row, so no table

    result->CalculationSet()->Item(QStringLiteral("TIVO"))->setStatus(CMeasurement::emsFail);
    print();
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}),
              QStringList{"PrintTable(" + kColumns + "," + kHeader + ",|Tidal volume      |0.500|0.500|0.500|l;,0,0,0)"});
}

TEST_F(ResultReportTest, AMeasurementWithoutSamplesPrintsDashesAlsoOnceSavedAndLoaded)
{
    result->InitializeResult(configuration, limits); // fresh measurements
    result->CalculationSet()->Item(QStringLiteral("BRRA"))->AddSample(15.0f);
    const QString table = "PrintTable(" + kColumns + "," + kHeader
        + ",|Breath rate      |15.00|15.00|15.00|BPM;|Tidal volume      |-|-|-|l;,0,0,0)";
    print();
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}), QStringList{table});

    const auto document = Nelvar::xmlService().CreateDocument();
    const auto loaded = std::make_shared<CResultVentilator>();
    loaded->InitializeResult(configuration, limits);
    loaded->Load(result->Save(document), nullptr);
    report->restart();
    loaded->PrintReport(report, nullptr);
    EXPECT_EQ(report->callsStartingWith({"PrintTable("}), QStringList{table});
}

TEST_F(ResultReportTest, DetailPrintingAtLevelThreeAddsTrendsThenSnapshots)
{
    for (const auto& [options, level] : std::vector<std::pair<int32_t, int32_t>>{{8, 2}, {0, 3}, {8, 4}}) {
        report->printOptions = options;
        report->printLevel = level;
        print();
        EXPECT_EQ(report->callsStartingWith({"PrintText(", "PrintTable("}).size(), 1) << options << " " << level;
    }

    report->printOptions = Nelvar::IReport::proDetails;
    report->printLevel = Nelvar::IReport::kPrintLevelGraphs;
    print();
    EXPECT_EQ(report->callsStartingWith({"PrintTable(", "PrintText(Trend", "PrintText(Breath", "PrintText(Snapshots",
                                         "PrintText(Pressure"})
                  .size(),
              5);
    // The snapshots' heading follows the right-aligned value labels of the trend block and still
    // stands left-aligned on the margin in its own font.
    const qsizetype heading = report->calls.indexOf(QStringLiteral("PrintText(Snapshots,1000,4640,100,100,1,0,1)"));
    ASSERT_GT(heading, 6);
    EXPECT_EQ(report->calls.mid(heading - 5, 5),
              (QStringList{"TextAlignment=0", "Font.Name=Arial", "Font.Size=10", "Font.Bold=1", "Font.Italic=0"}));
    EXPECT_TRUE(report->calls.mid(0, heading).contains(QStringLiteral("TextAlignment=2")));

    // Not applicable drops the trends and snapshots: only the table is left.
    result->SetStatus(CResultVentilator::ersNotApplicable);
    print();
    EXPECT_EQ(report->callsStartingWith({"PrintText(", "PrintTable("}).size(), 1);
}

TEST_F(ResultReportTest, AnElementPrintsThroughItsBaseItsHeadingExpectedResultsAndResult)
{
    const auto element = CTestVentilator::create();
    const auto elementConfiguration = std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
    elementConfiguration->LoadDefaultSettings();
    elementConfiguration->Parameters()->SelectKeys({QStringLiteral("BRRA"), QStringLiteral("TIVO")});
    element->Limits()->CreateStandard(QStringLiteral("ISO"), QString());
    const auto document = Nelvar::xmlService().CreateDocument();
    element->Load(result->Save(document), nullptr);

    element->PrintReport(report, std::make_shared<host::TestSequence>());
    const QStringList printed = report->callsStartingWith({"PrintText(", "PrintTable("});
    // The heading with the verdict of a result never judged, its date and instrument, then the parts.
    ASSERT_EQ(printed.size(), 6);
    EXPECT_TRUE(printed[0].startsWith(QStringLiteral("PrintText(Ventilator test,"))) << printed[0].toStdString();
    EXPECT_TRUE(printed[1].startsWith(QStringLiteral("PrintText(Not passed,"))) << printed[1].toStdString();
    EXPECT_TRUE(printed[4].contains(QStringLiteral("Expected results: ISO"))) << printed[4].toStdString();
    EXPECT_TRUE(printed[5].contains(QStringLiteral("|Breath rate      |15.10|14.90|15.00|BPM;")))
        << printed[5].toStdString();
}

TEST_F(ResultReportTest, ASingleReadingResultPrintsTheSameTableAndNothingElse)
{
    const auto leakage = std::make_shared<CConfigZeltor>();
    leakage->setTestKind(200);
    leakage->LoadDefaultSettings();
    const auto single = std::make_shared<CResultZeltor>();
    single->InitializeResult(leakage, 200);
    std::dynamic_pointer_cast<CMeasurement>(single->Measurement(QStringLiteral("ACPR")))->AddSample(12.5f);
    report->printOptions = Nelvar::IReport::proDetails;
    report->printLevel = Nelvar::IReport::kPrintLevelGraphs;
    single->PrintReport(report, nullptr);
    const QStringList printed = report->callsStartingWith({"PrintText(", "PrintTable("});
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0].startsWith("PrintTable(" + kColumns + "," + kHeader + ",|Actual pressure      |12.50|12.50|12.50|cmH2O;"))
        << printed[0].toStdString();
    single->PrintReport(nullptr, nullptr);
}

