#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "elements/CZeltorLimitData.h"
#include "elements/TestErrors.h"

#include "data/CMeasurement.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/CZeltorMeasurementTable.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "HostFixture.h"

#include "HostServices.h"
#include "Xml.h"
#include "testmodel/Progress.h"

#include <vector>

using namespace ZeltorTests;

class ResultVentilatorTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        configuration->LoadDefaultSettings();
    }

    std::shared_ptr<CResultVentilator> prepared() const
    {
        auto result = std::make_shared<CResultVentilator>();
        result->InitializeResult(configuration, limits);
        return result;
    }

    static com::Value values(std::vector<com::Value> raw) { return com::Value(std::move(raw)); }

    const std::shared_ptr<CConfigVentilator> configuration = std::make_shared<CConfigVentilator>();
    const std::shared_ptr<CZeltorLimitData> limits = std::make_shared<CZeltorLimitData>();
};

TEST_F(ResultVentilatorTest, LiveWaveformKeysCountOnAcrossPreparationsAndSnapshots)
{
    const auto result = prepared();
    EXPECT_EQ(result->WaveformData()->Key(), QStringLiteral("0S"));
    result->InitializeResult(configuration, limits);
    EXPECT_EQ(result->WaveformData()->Key(), QStringLiteral("1S"));
    EXPECT_EQ(result->MeasurementCount(), 9); // the template view's breath parameters
    EXPECT_EQ(result->Measurement(QStringLiteral("FLOW")), nullptr);
    EXPECT_EQ(result->Measurement(1)->Key(), QStringLiteral("BRRA"));
}

TEST_F(ResultVentilatorTest, PredefinedTrendIsAddedStartedAndLocksTheCollection)
{
    configuration->TrendSettings()->setActive(true);
    configuration->TrendSettings()->setInterval(30);
    const auto result = prepared();
    ASSERT_EQ(result->Trends()->Count(), 1);
    const auto trend = result->Trends()->LastTrend();
    EXPECT_EQ(trend->Key(), QString());
    EXPECT_EQ(trend->Title(), QStringLiteral("Predefined trend"));
    EXPECT_EQ(trend->Interval(), 30);
    EXPECT_TRUE(trend->Active());
    EXPECT_TRUE(result->Trends()->Locked());
    EXPECT_EQ(result->Trends()->Add(QStringLiteral("user"), *configuration->Parameters()), nullptr);
}

// Before the first breath a trend sample only moves the trend's start; afterwards it samples the
// trend set, which then restarts its statistics.
TEST_F(ResultVentilatorTest, TrendSamplesFollowTheFirstBreath)
{
    configuration->TrendSettings()->setActive(true);
    const auto result = prepared();
    const auto trend = result->Trends()->LastTrend();
    result->AddTrendSample(15);
    EXPECT_EQ(trend->StartTime(), 15);
    EXPECT_EQ(trend->SampleCount(), 0);

    result->AddParameterResult('A', values({150, 500, 6000, 2000}), 3); // the first breath: detected
    EXPECT_TRUE(result->BreathsDetected());
    result->AddParameterResult('A', values({160, 500, 6000, 2000}), 3); // goes to the trend set too
    EXPECT_TRUE(trend->BPMHasChanged());
    result->AddTrendSample(30);
    EXPECT_EQ(trend->StartTime(), 15);
    ASSERT_EQ(trend->SampleCount(), 1);
    EXPECT_EQ(trend->Parameter(QStringLiteral("BRRA"))->MaxValue(), 16.0f);
    EXPECT_EQ(trend->Parameter(QStringLiteral("BRRA"))->MinValue(), 16.0f);
    EXPECT_EQ(result->CalculationSet()->Item(QStringLiteral("BRRA"))->SampleCount(), 2);
}

// The volume is integrated from the flow and restarts while flow and pressure are at rest.
TEST_F(ResultVentilatorTest, VolumeIsIntegratedFromTheFlowAndRestartsAtRest)
{
    setSetting(QStringLiteral("FlowThreshold"), 600);   // 10 ml/s
    setSetting(QStringLiteral("PressureThreshold"), 3); // mmHg, about 4.08 cmH2O
    const auto result = prepared();
    const auto& waveform = *result->WaveformData();
    // Pressure 20 cmH2O (raw 2000 at firmware 3), flow 500 ml/s (raw 5000): 10 ml a sample.
    result->AddWaveformData(0, values({2000, 5000, 2000, 5000}), 3);
    EXPECT_EQ(waveform.PressureTable()->Values(false), (std::vector<float>{20.0f, 20.0f}));
    EXPECT_EQ(waveform.FlowTable()->Values(false), (std::vector<float>{500.0f, 500.0f}));
    EXPECT_EQ(waveform.VolumeTable()->Values(false), (std::vector<float>{0.01f, 0.02f})); // 10 and 20 ml
    // At rest: pressure 3 cmH2O and flow 5 ml/s are both at or below their thresholds.
    result->AddWaveformData(1, values({300, 50, 300, 50}), 3);
    EXPECT_EQ(waveform.VolumeTable()->LastValue(), 0.0f);
    // A packet that lacks its second flow value still stores its pressures.
    result->AddWaveformData(2, values({400, 60, 400}), 3);
    EXPECT_EQ(waveform.PressureTable()->Count(), 6);
    EXPECT_EQ(waveform.FlowTable()->Count(), 4);
    EXPECT_EQ(waveform.VolumeTable()->Count(), 4);
}

TEST_F(ResultVentilatorTest, EvaluationPassesOnlyWithSamplesAndNotApplicableClearsTheRecordings)
{
    const auto result = prepared();
    result->EvaluateLimits(limits, nullptr);
    EXPECT_EQ(result->Status(), CResultVentilator::ersNone); // nothing measured is no pass
    result->AddParameterResult('A', values({150, 500, 6000, 2000}), 3);
    result->EvaluateLimits(limits, nullptr);
    EXPECT_EQ(result->Status(), CResultVentilator::ersPass);

    result->Trends()->Add(QStringLiteral("T"), *configuration->Parameters());
    result->SetStatus(CResultVentilator::ersNotApplicable);
    EXPECT_EQ(result->Trends()->Count(), 0);
    EXPECT_EQ(result->Snapshots()->Count(), 0);
}

TEST_F(ResultVentilatorTest, RecordWithoutExtrasHasVersionAndStatusOnly)
{
    const auto result = prepared();
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto element = result->Save(document);
    EXPECT_EQ(element->GetAttribute(QStringLiteral("Version")), QStringLiteral("1.0.0"));
    EXPECT_EQ(element->GetAttribute(QStringLiteral("MTI")), QString());
    EXPECT_EQ(element->ChildElements()->Item(0)->TagName(), QStringLiteral("Status"));
    EXPECT_EQ(element->FindChildElement(QStringLiteral("Comment")), nullptr);
    EXPECT_EQ(element->FindChildElement(QStringLiteral("ServiceRecord")), nullptr);
    EXPECT_EQ(element->FindChildElement(QStringLiteral("PlugInData")), nullptr);
    EXPECT_EQ(element->ElementsNamed(QStringLiteral("Measurement"))->Count(), 9);
}

TEST_F(ResultVentilatorTest, LoadReadsTheRecordWithProgressAndSkipsUnknownMeasurements)
{
    const auto saved = prepared();
    saved->setComment(QStringLiteral("checked by J."));
    saved->setMTIID(3);
    saved->AddParameterResult('A', values({150, 500, 6000, 2000}), 3);
    saved->EvaluateLimits(limits, nullptr);
    const auto document = Nelvar::xmlService().CreateDocument();
    const auto element = saved->Save(document);
    const auto foreign = document->CreateElement(QStringLiteral("Measurement"));
    foreign->SetAttribute(QStringLiteral("Key"), QStringLiteral("ACPR"));
    element->AppendChild(foreign);

    const auto progress = std::make_shared<host::Progress>();
    const auto loaded = prepared();
    loaded->Load(element, progress);
    EXPECT_EQ(loaded->Comment(), QStringLiteral("checked by J."));
    EXPECT_EQ(loaded->MTIID(), 3);
    EXPECT_EQ(loaded->Status(), CResultVentilator::ersPass);
    EXPECT_EQ(loaded->Measurement(QStringLiteral("BRRA"))->Value().toString(), QStringLiteral("15.00"));
    ASSERT_EQ(progress->Tasks().size(), 1u);
    EXPECT_EQ(progress->Tasks()[0].textKey, QStringLiteral("20311::Loading ventilator test result data"));
    EXPECT_TRUE(progress->Tasks()[0].ended);

    document->LoadXml(QStringLiteral("<Result/>"));
    const com::Error wrong = caughtError([&] { loaded->Load(document->DocumentElement(), progress); });
    EXPECT_EQ(wrong.number(), eeResultWrongElement);
    EXPECT_EQ(wrong.source(), QStringLiteral("ZeltorTests.CResultVentilator"));
    EXPECT_TRUE(progress->Tasks().back().ended);
}

TEST_F(ResultVentilatorTest, ATrendOrSnapshotThatCannotBeReadFailsTheLoadNamingIt)
{
    const auto saved = prepared();
    const auto trend = saved->Trends()->Add(QStringLiteral("N"), *configuration->Parameters());
    trend->Initialize(QStringLiteral("Night"), 10, 0);
    trend->Parameter(QStringLiteral("BRRA"))->AddSample(14.0f, 16.0f);
    const auto snapshot = CWaveformData::create();
    snapshot->Initialize(QStringLiteral("0S"), *configuration->Parameters(), 9000);
    snapshot->FlowTable()->AddValue(10.0f);
    snapshot->FlowTable()->setPrintOnReport(true);
    snapshot->Freeze(60, 1);
    saved->Snapshots()->Add(snapshot);
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(saved->Save(document));
    const QString record = document->Xml();
    const auto load = [&](const QString& xml) {
        const auto loaded = prepared();
        const auto text = Nelvar::xmlService().CreateDocument();
        text->LoadXml(xml);
        loaded->Load(text->DocumentElement(), nullptr);
        return loaded;
    };
    const auto whole = load(record);
    ASSERT_EQ(whole->Snapshots()->Count(), 1);
    EXPECT_EQ(whole->Snapshots()->Item(1)->FlowTable()->Count(), 1);
    EXPECT_TRUE(whole->Snapshots()->Item(1)->FlowTable()->PrintOnReport());
    EXPECT_EQ(whole->Trends()->Item(QStringLiteral("N"))->SampleCount(), 1);

    const struct {
        const char* saved;
        const char* damaged;
        int32_t number;
        const char* description;
    } cases[] = {
        {"<CreationTime>60</CreationTime>", "<CreationTime>soon</CreationTime>", com::errTypeMismatch,
         "Snapshot \"0S\": CreationTime is \"soon\", not a number"},
        {">1000<", ">1000;x<", com::errTypeMismatch, "Snapshot \"0S\": channel FLOW: Data piece 2 is \"x\", not a number"},
        {"1400:1600", "1400:x", com::errTypeMismatch,
         "Trend \"N\": TrendParameter \"BRRA\": Values pair 1 maximum is \"x\", not a number"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(record.count(QString::fromLatin1(c.saved)), 1) << c.saved;
        QString damaged = record;
        damaged.replace(QString::fromLatin1(c.saved), QString::fromLatin1(c.damaged));
        const com::Error error = caughtError([&] { load(damaged); });
        EXPECT_EQ(error.number(), c.number) << c.damaged;
        EXPECT_EQ(error.source(), QStringLiteral("ZeltorTests.CResultVentilator")) << c.damaged;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description)) << c.damaged;
    }
}
