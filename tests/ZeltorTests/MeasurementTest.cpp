#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/DataErrors.h"

#include "CaughtError.h"
#include "HostFixture.h"
#include "RecordingReport.h"

#include "EUnit.h"
#include "HostServices.h"
#include "Xml.h"

#include <QLocale>

#include <initializer_list>

using namespace ZeltorTests;
using namespace ZeltorConverter;

class MeasurementTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        document = Nelvar::xmlService().CreateDocument();
    }

    static std::shared_ptr<CMeasurement> measurement(const QString& key, std::initializer_list<float> samples = {})
    {
        auto def = std::make_shared<CParameterDef>();
        def->setKey(key);
        auto m = std::make_shared<CMeasurement>();
        m->setParameterDef(def);
        for (const float sample : samples)
            m->AddSample(sample);
        return m;
    }

    std::shared_ptr<Nelvar::IXmlDocument> document;
};

TEST_F(MeasurementTest, SamplesBuildCurrentMaximumMinimumAndAverage)
{
    const struct {
        std::initializer_list<float> samples;
        float current, minimum, maximum, average;
        int32_t count;
    } cases[] = {
        {{0.0f, 0.0f, 5.0f}, 5.0f, 5.0f, 5.0f, 5.0f, 1}, // zeros before the first counted sample
        {{2.0f, 4.0f, 6.0f}, 6.0f, 2.0f, 6.0f, 4.0f, 3},
        {{5.0f, 0.0f}, 0.0f, 0.0f, 5.0f, 2.5f, 2}, // a later zero counts
        {{0.0f}, 0.0f, 0.0f, 0.0f, 0.0f, 0},
        {{-3.0f, 1.0f}, 1.0f, -3.0f, 1.0f, -1.0f, 2},
    };
    for (const auto& c : cases) {
        const auto m = measurement(QStringLiteral("BRRA"), c.samples);
        EXPECT_EQ(m->CurrentValue(), c.current);
        EXPECT_EQ(m->MinValue(), c.minimum);
        EXPECT_EQ(m->MaxValue(), c.maximum);
        EXPECT_EQ(m->AverageValue(), c.average);
        EXPECT_EQ(m->SampleCount(), c.count);
        EXPECT_EQ(m->HasSamples(), c.count > 0);
    }
}

TEST_F(MeasurementTest, AverageIsComputedInDoubleAndStoredAsSingle)
{
    const auto m = measurement(QStringLiteral("TIVO"), {0.1f, 0.2f, 0.4f});
    const double expected = ((static_cast<double>(0.1f) + 0.2f) / 2.0f * 2.0 + 0.4f) / 3.0;
    EXPECT_EQ(m->AverageValue(), static_cast<float>(expected));
}

TEST_F(MeasurementTest, ResetRestartsTheStatisticsFromTheCurrentValue)
{
    const auto m = measurement(QStringLiteral("BRRA"), {10.0f, 20.0f, 30.0f, 7.0f});
    m->ResetStatistics();
    EXPECT_EQ(m->MaxValue(), 7.0f);
    EXPECT_EQ(m->MinValue(), 7.0f);
    EXPECT_EQ(m->AverageValue(), 7.0f);
    EXPECT_TRUE(m->HasSamples());
    // The breaths after the reset move the average as much as the value at the reset did.
    m->AddSample(9.0f);
    EXPECT_EQ(m->AverageValue(), 8.0f);
    EXPECT_EQ(m->SampleCount(), 2);

    const auto empty = measurement(QStringLiteral("BRRA"));
    empty->ResetStatistics();
    EXPECT_FALSE(empty->HasSamples());
}

TEST_F(MeasurementTest, ValueShowsTheCurrentReadingOfSingleReadingsAndTheAverageOfOthers)
{
    EXPECT_EQ(measurement(QStringLiteral("ACPR"), {2.0f, 4.0f})->Value().toString(), QStringLiteral("4.00"));
    EXPECT_EQ(measurement(QStringLiteral("BRRA"), {2.0f, 4.0f})->Value().toString(), QStringLiteral("3.00"));
    EXPECT_EQ(measurement(QStringLiteral("TIVO"), {0.5f})->Value().toString(), QStringLiteral("0.500"));
}

TEST_F(MeasurementTest, HostFacingMembers)
{
    const auto m = measurement(QStringLiteral("INPF"), {1.0f});
    m->setStatus(CMeasurement::emsFail);
    EXPECT_EQ(m->Description(), QStringLiteral("Inspiratory peak flow"));
    EXPECT_EQ(m->Key(), QStringLiteral("INPF"));
    EXPECT_EQ(m->LimitKey(), QStringLiteral("INPF"));
    EXPECT_EQ(m->Status(), 2);
    EXPECT_EQ(m->Unit(), QStringLiteral("ml/sec"));
    EXPECT_TRUE(m->PresetValue().isEmpty());
    EXPECT_EQ(m->ValueType(), 1);
    EXPECT_EQ(m->ValueFormat(), QStringLiteral("0.00"));
    EXPECT_EQ(m->Flags(), QString());
    EXPECT_EQ(m->ToolTipText(), QString());
    EXPECT_EQ(caughtError([] { CMeasurement().Description(); }).number(), com::errObjectNotSet);
}

TEST_F(MeasurementTest, FormattedValuesAreInTheDisplayUnitWithTheUsersSeparator)
{
    setSetting(QStringLiteral("PressureUnit"), eunPressure_mBar);
    const auto pressure = measurement(QStringLiteral("PRES"), {10.0f, 20.0f, 12.0f});
    EXPECT_EQ(pressure->FormattedValues(),
              (QStringList{QStringLiteral("11.77"), QStringLiteral("9.81"), QStringLiteral("19.61"),
                           QStringLiteral("13.73")}));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList german = pressure->FormattedValues();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(german[1], QStringLiteral("9,81"));
}

TEST_F(MeasurementTest, ReportRowListsMaximumMinimumAverageAndUnit)
{
    const auto m = measurement(QStringLiteral("BRRA"), {15.1f, 14.9f, 15.0f});
    RecordingReport all;
    EXPECT_EQ(m->ReportRow(all), QStringLiteral("|Breath rate      |15.10|14.90|15.00|BPM;"));

    RecordingReport failedOnly;
    failedOnly.printOptions = Nelvar::IReport::proFailedResultsOnly;
    for (const int32_t status : {0, 1})
    {
        m->setStatus(status);
        EXPECT_EQ(m->ReportRow(failedOnly), QString()) << status;
    }
    m->setStatus(CMeasurement::emsFail);
    EXPECT_EQ(m->ReportRow(failedOnly), QStringLiteral("|Breath rate      |15.10|14.90|15.00|BPM;"));
}

TEST_F(MeasurementTest, RecordRoundTripsValuesAndStatusButNotTheCount)
{
    setSetting(QStringLiteral("FlowUnit"), eunFlow_LpMin);
    const auto saved = measurement(QStringLiteral("INPF"), {1000.125f, 0.1f, 333.3f});
    saved->setStatus(CMeasurement::emsFail);
    const auto element = saved->Save(document);
    document->setDocumentElement(element);
    const QString firstXml = document->Xml();

    EXPECT_EQ(element->GetAttribute(QStringLiteral("Key")), QStringLiteral("INPF"));
    EXPECT_EQ(element->FindChildElement(QStringLiteral("Description"))->Text(),
              QStringLiteral("20602::Inspiratory peak flow"));
    EXPECT_EQ(element->FindChildElement(QStringLiteral("Unit"))->Text(), QStringLiteral("l/min"));
    const auto values = element->ElementsNamed(QStringLiteral("Value"));
    ASSERT_EQ(values->Count(), 4);
    const char* keys[] = {"Current", "Max", "Min", "Average"};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(values->Item(i)->GetAttribute(QStringLiteral("Key")), QString::fromLatin1(keys[i]));
        EXPECT_EQ(values->Item(i)->GetAttribute(QStringLiteral("Type")), QStringLiteral("Numeric"));
    }
    EXPECT_EQ(values->Item(0)->Text(), QStringLiteral("333.3")); // base unit, exact Single text

    const auto loaded = measurement(QStringLiteral("INPF"));
    loaded->Load(element);
    EXPECT_EQ(loaded->CurrentValue(), saved->CurrentValue());
    EXPECT_EQ(loaded->MaxValue(), saved->MaxValue());
    EXPECT_EQ(loaded->MinValue(), saved->MinValue());
    EXPECT_EQ(loaded->AverageValue(), saved->AverageValue());
    EXPECT_EQ(loaded->Status(), CMeasurement::emsFail);
    EXPECT_EQ(loaded->SampleCount(), 0);

    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(loaded->Save(again));
    EXPECT_EQ(again->Xml(), firstXml);
}

TEST_F(MeasurementTest, LoadSkipsEmptyAndUnknownChildren)
{
    document->LoadXml(QStringLiteral("<Measurement Key=\"BRRA\"><Value Key=\"Current\">12.5</Value>"
                                     "<Value Key=\"Max\"></Value><Value Key=\"Median\">99</Value>"
                                     "<Extra>1</Extra><Value Key=\"Min\">3.25abc</Value></Measurement>"));
    const auto m = measurement(QStringLiteral("BRRA"), {7.0f});
    m->Load(document->DocumentElement());
    EXPECT_EQ(m->CurrentValue(), 12.5f);
    EXPECT_EQ(m->MaxValue(), 7.0f);
    EXPECT_EQ(m->MinValue(), 3.25f);
    EXPECT_EQ(m->AverageValue(), 7.0f);
    EXPECT_EQ(m->SampleCount(), 1);
}

TEST_F(MeasurementTest, LoadOfAnotherElementRaisesItsOwnNumber)
{
    const auto m = measurement(QStringLiteral("BRRA"));
    for (const char* xml : {"<Measurement Key=\"\"/>", "<Measurement/>", "<Measurement Key=\"TIVO\"/>",
                            "<Parameter Key=\"BRRA\"/>"}) {
        document->LoadXml(QString::fromLatin1(xml));
        const com::Error error = caughtError([&] { m->Load(document->DocumentElement()); });
        EXPECT_EQ(error.number(), eeMeasurementWrongElement) << xml;
        EXPECT_EQ(error.source(), QStringLiteral("ZeltorTests.CMeasurement"));
    }
    document->LoadXml(QStringLiteral("<Measurement Key=\"BRRA\"><Value Key=\"Current\">1e300</Value></Measurement>"));
    const com::Error overflow = caughtError([&] { m->Load(document->DocumentElement()); });
    EXPECT_EQ(overflow.number(), com::errOverflow);
    EXPECT_EQ(overflow.source(), QStringLiteral("ZeltorTests.CMeasurement"));
}
