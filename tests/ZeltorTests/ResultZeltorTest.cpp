#include "elements/CConfigZeltor.h"
#include "data/CMeasurement.h"
#include "elements/CResultZeltor.h"
#include "elements/CZeltorLimitData.h"
#include "elements/TestErrors.h"

#include "CaughtError.h"
#include "CompactXml.h"
#include "DocumentWithoutElements.h"
#include "InertTestElement.h"
#include "TestRunFixture.h"

#include "CZeltorVTI.h"

#include "standards/Limit.h"
#include "testmodel/Progress.h"
#include "testmodel/TestFilter.h"

#include "HostServices.h"
#include "Standards.h"
#include "Xml.h"

using namespace ZeltorTests;

class ResultZeltorTest : public TestRunFixture {
protected:
    void SetUp() override
    {
        TestRunFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    // The instrument link connected to a simulated instrument of this firmware.
    void connect(const char* firmware)
    {
        ZeltorVTI::GMTI.ResetVTI();
        serial::unregisterVirtualPort(QStringLiteral("sim"));
        simulator::SimulatorSettings settings;
        settings.identity.firmwareVersion = QString::fromLatin1(firmware);
        useSimulator(settings);
        ZeltorVTI::GMTI.InitVTI();
        ASSERT_NE(ZeltorVTI::GMTI.VTI()->StartRemote(), nullptr);
    }

    static std::shared_ptr<CConfigZeltor> configurationOf(int32_t testKind, int32_t noiseLevel = 500)
    {
        auto configuration = std::make_shared<CConfigZeltor>();
        configuration->setTestKind(testKind);
        configuration->LoadDefaultSettings();
        configuration->setNoiseLevel(noiseLevel);
        return configuration;
    }

    static std::shared_ptr<CResultZeltor> resultOf(const std::shared_ptr<CConfigZeltor>& configuration)
    {
        auto result = std::make_shared<CResultZeltor>();
        result->InitializeResult(configuration, configuration->TestKind());
        return result;
    }

    static std::shared_ptr<CMeasurement> measurement(const CResultZeltor& result, const char* key)
    {
        return std::dynamic_pointer_cast<CMeasurement>(result.Measurement(QString::fromLatin1(key)));
    }

    QString savedXml(CResultZeltor& result)
    {
        document->setDocumentElement(result.Save(document));
        return compactXml(document->Xml());
    }

    std::shared_ptr<Nelvar::IXmlElement> parsed(const QString& xml)
    {
        document->LoadXml(xml);
        return document->DocumentElement();
    }

    static com::Value frame(int32_t v0, int32_t v1, int32_t v2, int32_t v3)
    {
        return com::Value(std::vector<com::Value>{v0, v1, v2, v3});
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

// Every frame gives two samples per reading, value 2 before value 0 (and for the leak rate value
// 3 before value 1): pressures scaled by the firmware, leak rate and flow in tenths, high pressure
// by ten times the pressure scale rounded to single precision.
TEST_F(ResultZeltorTest, ReadingsAreScaledByTestAndFirmware)
{
    const struct {
        int32_t test;
        const char* firmware;
        const char* key;
        float first;  // from value 2 (or 3)
        float second; // from value 0 (or 1)
    } cases[] = {
        {200, "2.05", "ACPR", 123.4f, 100.0f},
        {200, "2.05", "LERA", 6.0f, 5.7000003f},
        {200, "3.01", "ACPR", 12.34f, 10.0f},
        {200, "3.01", "LERA", 6.0f, 5.7000003f},
        {300, "2.05", "ACFL", 123.4f, 100.0f},
        {300, "3.01", "ACFL", 123.4f, 100.0f},
        {400, "2.05", "ACPR", 123.4f, 100.0f},
        {400, "3.01", "ACPR", 12.34f, 10.0f},
        {500, "2.05", "HIPR", 1234.0f, 1000.0f},
        {500, "3.01", "HIPR", 123.399994f, 99.99999f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.test) + " " + c.firmware + " " + c.key);
        connect(c.firmware);
        const auto result = resultOf(configurationOf(c.test));
        result->AddInstrumentData(c.test, 0, frame(1000, 57, 1234, 60));
        const auto reading = measurement(*result, c.key);
        ASSERT_NE(reading, nullptr);
        EXPECT_EQ(reading->SampleCount(), 2);
        EXPECT_EQ(reading->MaxValue(), c.first);
        EXPECT_EQ(reading->CurrentValue(), c.second);
    }
}

TEST_F(ResultZeltorTest, OtherTestsAndMissingValuesAddNothing)
{
    connect("3.01");
    const auto result = resultOf(configurationOf(200));
    result->AddInstrumentData(100, 0, frame(1000, 57, 1234, 60));
    result->AddInstrumentData(600, 0, frame(1000, 57, 1234, 60));
    EXPECT_EQ(measurement(*result, "ACPR")->SampleCount(), 0);
    EXPECT_EQ(measurement(*result, "LERA")->SampleCount(), 0);

    // A frame of three values: the reading of value 3 is skipped, the others are taken.
    result->AddInstrumentData(200, 0, com::Value(std::vector<com::Value>{1000, 57, 1234}));
    EXPECT_EQ(measurement(*result, "ACPR")->SampleCount(), 2);
    EXPECT_EQ(measurement(*result, "LERA")->SampleCount(), 1);
    EXPECT_EQ(measurement(*result, "LERA")->CurrentValue(), 5.7000003f);
    result->AddInstrumentData(200, 0, com::Value());
    EXPECT_EQ(measurement(*result, "ACPR")->SampleCount(), 2);
}

// Flow readings strictly inside the dead band (the noise level per second, in raw tenths) count
// as 0.
TEST_F(ResultZeltorTest, FlowReadingsInsideTheNoiseLevelCountAsZero)
{
    connect("3.01");
    EXPECT_EQ(resultOf(configurationOf(300, 500))->DeadBand(), 83.333336f);
    EXPECT_EQ(resultOf(configurationOf(400, 500))->DeadBand(), 0.0f) << "only the flow test has a dead band";

    const auto result = resultOf(configurationOf(300, 300));
    EXPECT_EQ(result->DeadBand(), 50.0f);
    const auto flow = measurement(*result, "ACFL");
    const struct {
        int32_t raw;
        float sample;
    } cases[] = {{49, 0.0f}, {50, 5.0f}, {-49, 0.0f}, {-50, -5.0f}, {0, 0.0f}, {1000, 100.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        result->AddInstrumentData(300, 0, frame(c.raw, 0, c.raw, 0));
        EXPECT_EQ(flow->CurrentValue(), c.sample);
    }
    // The zeros before the first reading outside the band are not counted.
    EXPECT_EQ(flow->SampleCount(), 10);
    EXPECT_EQ(flow->MinValue(), -5.0f);
}

TEST_F(ResultZeltorTest, InitializeResultStartsAnEmptyRunAndKeepsTheRecordsIdentity)
{
    connect("3.01");
    const auto configuration = configurationOf(200);
    const auto result = resultOf(configuration);
    EXPECT_EQ(result->MeasurementCount(), 2);
    EXPECT_EQ(result->Measurement(1)->Key(), QStringLiteral("ACPR"));
    EXPECT_EQ(result->Measurement(3), nullptr);
    EXPECT_EQ(result->Measurement(QStringLiteral("HIPR")), nullptr);
    result->AddInstrumentData(200, 0, frame(1000, 57, 1234, 60));
    result->EvaluateLimits(nullptr, nullptr);
    result->setComment(QStringLiteral("checked"));
    result->setMTIID(4);

    result->InitializeResult(configuration, 200);
    EXPECT_EQ(result->Status(), ResultRecord::ersNone);
    EXPECT_EQ(measurement(*result, "ACPR")->SampleCount(), 0);
    EXPECT_EQ(result->Comment(), QStringLiteral("checked"));
    EXPECT_EQ(result->MTIID(), 4);
    EXPECT_TRUE(result->HasDialog());
    result->setComment(QString());
    EXPECT_FALSE(result->HasDialog());
}

// No reading, no pass; a failed reading fails the result for good.
TEST_F(ResultZeltorTest, LimitsJudgeTheReadings)
{
    connect("3.01");
    const auto configuration = configurationOf(400);
    const auto owner = std::make_shared<InertTestElement>(configuration);
    const auto limits = std::make_shared<CZeltorLimitData>();
    limits->SetOwner(owner);
    const auto standard = limits->CreateStandard(QStringLiteral("Standard"), QStringLiteral("A"));
    const auto pressureLimit = std::dynamic_pointer_cast<host::Limit>(standard->Limits()->Item(1));
    ASSERT_NE(pressureLimit, nullptr);
    pressureLimit->setValue(0, 11.0f);
    pressureLimit->setEnabled(0, true);
    const auto context = limits->Standards()->Clone();

    const auto result = resultOf(configuration);
    result->EvaluateLimits(limits, context);
    EXPECT_EQ(result->Status(), ResultRecord::ersNone);
    result->AddInstrumentData(400, 0, frame(1000, 0, 1000, 0)); // 10 cmH2O
    result->EvaluateLimits(limits, context);
    EXPECT_EQ(result->Status(), ResultRecord::ersPass);
    EXPECT_EQ(measurement(*result, "ACPR")->Status(), CMeasurement::emsPass);
    result->AddInstrumentData(400, 0, frame(1200, 0, 1200, 0)); // 12 cmH2O
    result->EvaluateLimits(limits, context);
    EXPECT_EQ(result->Status(), ResultRecord::ersFail);

    // The service record lists the values and marks the failure.
    const auto filter = std::make_shared<host::TestFilter>();
    filter->setFlags(1);
    result->CreateServiceRecord(filter);
    ASSERT_NE(result->ServiceRecord(), nullptr);
    const auto saved = result->ServiceRecord()->Save(document);
    EXPECT_EQ(saved->GetAttribute(QStringLiteral("Status")), QStringLiteral("F"));
    EXPECT_EQ(saved->GetAttribute(QStringLiteral("Values")), QStringLiteral("/12.00"));

    result->AddInstrumentData(400, 0, frame(1000, 0, 1000, 0));
    result->EvaluateLimits(limits, context);
    EXPECT_EQ(result->Status(), ResultRecord::ersFail);
    EXPECT_EQ(measurement(*result, "ACPR")->Status(), CMeasurement::emsPass);
}

TEST_F(ResultZeltorTest, SavedResultLoadsBackAndSavesTheSameBytes)
{
    connect("3.01");
    const auto configuration = configurationOf(200);
    const auto result = resultOf(configuration);
    result->AddInstrumentData(200, 0, frame(1000, 57, 1234, 60));
    result->EvaluateLimits(nullptr, nullptr);
    result->setComment(QStringLiteral("Leak at the Y-piece"));
    result->setMTIID(3);
    const auto filter = std::make_shared<host::TestFilter>();
    filter->setFlags(1);
    result->CreateServiceRecord(filter);
    const QString first = savedXml(*result);
    EXPECT_TRUE(first.startsWith(QStringLiteral("<ResultItem Version=\"1.0.0\" MTI=\"3\"><Status")));
    EXPECT_FALSE(first.contains(QStringLiteral("PlugInData")));

    const auto reloaded = resultOf(configuration);
    const auto progress = std::make_shared<host::Progress>();
    reloaded->Load(parsed(first), progress);
    EXPECT_EQ(savedXml(*reloaded), first);
    EXPECT_EQ(reloaded->Comment(), QStringLiteral("Leak at the Y-piece"));
    EXPECT_EQ(reloaded->Status(), ResultRecord::ersPass);
    ASSERT_EQ(progress->Tasks().size(), 1u);
    EXPECT_EQ(progress->Tasks()[0].textKey, QStringLiteral("20312::Loading test result data"));
    EXPECT_TRUE(progress->Tasks()[0].ended);

    // Loading replaces comment, status, service record and identifier even where the record has
    // none of them, and makes the measurements anew from the record.
    reloaded->Load(parsed(QStringLiteral("<ResultItem><Measurement Key=\"LERA\"><Value>1</Value></Measurement>"
                                         "<Measurement Key=\"HIPR\"/></ResultItem>")),
                   nullptr);
    EXPECT_EQ(reloaded->Comment(), QString());
    EXPECT_EQ(reloaded->Status(), ResultRecord::ersNone);
    EXPECT_EQ(reloaded->ServiceRecord(), nullptr);
    EXPECT_EQ(reloaded->MTIID(), 0);
    ASSERT_EQ(reloaded->MeasurementCount(), 1) << "HIPR is not a reading of this configuration";
    EXPECT_EQ(reloaded->Measurement(1)->Key(), QStringLiteral("LERA"));
}

TEST_F(ResultZeltorTest, LoadAndSaveFailures)
{
    const auto result = resultOf(configurationOf(400));
    result->setComment(QStringLiteral("kept"));

    const com::Error wrongElement = caughtError([&] { result->Load(parsed(QStringLiteral("<Result/>")), nullptr); });
    EXPECT_EQ(wrongElement.number(), eeResultWrongElement);
    EXPECT_EQ(wrongElement.source(), QStringLiteral("CResultZeltor"));
    EXPECT_EQ(result->Comment(), QStringLiteral("kept"));

    // A second measurement of one key fails the load; what was read before stays.
    const auto progress = std::make_shared<host::Progress>();
    const com::Error duplicate = caughtError([&] {
        result->Load(parsed(QStringLiteral("<ResultItem><Comment>first</Comment><Measurement Key=\"ACPR\"/>"
                                           "<Measurement Key=\"ACPR\"/><Comment>second</Comment></ResultItem>")),
                     progress);
    });
    EXPECT_EQ(duplicate.number(), com::errDuplicateKey);
    EXPECT_EQ(duplicate.source(), QStringLiteral("CResultZeltor"));
    EXPECT_EQ(result->Comment(), QStringLiteral("first"));
    EXPECT_EQ(result->MeasurementCount(), 1);
    ASSERT_EQ(progress->Tasks().size(), 1u);
    EXPECT_TRUE(progress->Tasks()[0].ended);

    // A measurement that cannot be read fails the load, naming it, rather than being left out.
    const com::Error unreadable = caughtError([&] {
        result->Load(parsed(QStringLiteral("<ResultItem><Measurement Key=\"ACPR\"><Value Key=\"Max\">1e39</Value>"
                                           "</Measurement></ResultItem>")),
                     nullptr);
    });
    EXPECT_EQ(unreadable.number(), com::errOverflow);
    EXPECT_EQ(unreadable.source(), QStringLiteral("CResultZeltor"));
    EXPECT_EQ(unreadable.description(), QStringLiteral("Measurement \"ACPR\": Value \"Max\" is \"1e39\", out of range"));

    const com::Error noElement =
        caughtError([&] { result->Save(std::make_shared<DocumentWithoutElements>()); });
    EXPECT_EQ(noElement.number(), eeResultCannotCreateElement);
    EXPECT_EQ(noElement.source(), QStringLiteral("CResultZeltor"));
}
