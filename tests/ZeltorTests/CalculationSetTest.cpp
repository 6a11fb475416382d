#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CZeltorCalculationSet.h"

#include "HostFixture.h"
#include "ScriptedInstrument.h"

#include "CZeltorVTI.h"
#include "GMTI.h"

#include "serial/PortFinder.h"

#include <vector>

using namespace ZeltorTests;

namespace {

com::Value block(std::vector<com::Value> values) { return com::Value(std::move(values)); }

const QStringList kBreathKeys{"BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP", "MIVO", "IERA",
                              "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};

} // namespace

class CalculationSetTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ZeltorVTI::GMTI.ResetVTI();
        for (const QString& key : QStringList{"FLOW", "PRES", "VOLU"} + kBreathKeys + QStringList{"ACPR"})
            parameters.Add(key);
        set.Initialize(parameters);
    }

    void TearDown() override
    {
        ZeltorVTI::GMTI.ResetVTI();
        serial::setConfiguredPort(QString());
        HostFixture::TearDown();
    }

    // GMTI's connection in remote mode with an instrument of that firmware.
    void connectInstrument(const QByteArray& firmware)
    {
        serial::setConfiguredPort(QStringLiteral("scripted"));
        instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1," + firmware + "\r");
        ZeltorVTI::GMTI.VTI()->StartRemote();
    }

    float current(const char* key) const { return set.Item(QString::fromLatin1(key))->CurrentValue(); }

    ScriptedInstrument instrument;
    CParameterList parameters;
    CZeltorCalculationSet set;
};

TEST_F(CalculationSetTest, OneMeasurementPerSelectedBreathParameterInListOrder)
{
    ASSERT_EQ(set.Count(), kBreathKeys.size());
    QStringList keys;
    for (const auto& measurement : set)
        keys << measurement->Key();
    EXPECT_EQ(keys, kBreathKeys);
    EXPECT_EQ(set.Item(1)->Key(), QStringLiteral("BRRA"));
    EXPECT_EQ(set.Item(QStringLiteral("FLOW")), nullptr);
    EXPECT_EQ(set.Item(QStringLiteral("ACPR")), nullptr);
    EXPECT_EQ(set.Item(0), nullptr);
    EXPECT_EQ(set.Item(17), nullptr);

    set.Initialize(parameters); // keys already held are skipped
    EXPECT_EQ(set.Count(), kBreathKeys.size());
    EXPECT_EQ(CZeltorCalculationSet().Count(), 0);
}

TEST_F(CalculationSetTest, BlocksDecodeWithTheFirmwaresPressureScale)
{
    set.ProcessBlock('A', block({150, 500, 6000, 2000}), 2);
    EXPECT_EQ(current("BRRA"), 15.0f);
    EXPECT_EQ(current("TIVO"), 0.5f);
    EXPECT_EQ(current("INPF"), 600.0f);
    EXPECT_EQ(current("INPP"), 200.0f);
    set.ProcessBlock('A', block({150, 500, 6000, 2000}), 3);
    EXPECT_EQ(current("INPP"), 20.0f);

    set.ProcessBlock('B', block({512, 1234, 7250, 250}), 3);
    EXPECT_EQ(current("PEPR"), 5.12f);
    EXPECT_EQ(current("MEIP"), 12.34f);
    EXPECT_EQ(current("MIVO"), 7.250000476837158f); // the Single factor 0.001 times 7250, rounded once
    EXPECT_EQ(current("IERA"), 2.5f);
    set.ProcessBlock('C', block({30, 125, 275, -4500}), 3);
    EXPECT_EQ(current("INHO"), 0.29999998211860657f);
    EXPECT_EQ(current("INPE"), 1.25f);
    EXPECT_EQ(current("EXPE"), 2.75f);
    EXPECT_EQ(current("EXPF"), -450.0f);
    set.ProcessBlock('D', block({365, 210, 48, 1000}), 2);
    EXPECT_EQ(current("TEMP"), 36.5f);
    EXPECT_EQ(current("OXLE"), 21.0f);
    EXPECT_EQ(current("MEEP"), 4.8f);
}

// The block's own firmware decides, whatever connection the instrument link holds.
TEST_F(CalculationSetTest, AtmosphericPressureOnlyFromFirmwareThree)
{
    set.ProcessBlock('D', block({365, 210, 48, 1000}), 2);
    EXPECT_FALSE(set.Item(QStringLiteral("ATPR"))->HasSamples());

    set.ProcessBlock('D', block({365, 210, 48, 1000}), 3); // no connection held
    EXPECT_EQ(current("ATPR"), static_cast<float>(1000.0 * static_cast<double>(10.197162f) * static_cast<double>(0.01f)));
    EXPECT_NEAR(current("ATPR"), 101.97f, 0.01f);

    connectInstrument("3.01");
    set.ProcessBlock('D', block({365, 210, 2000, 500}), 2);
    EXPECT_EQ(current("MEEP"), 200.0f);
    EXPECT_NEAR(current("ATPR"), 101.97f, 0.01f) << "untouched by a block of firmware 2";
}

TEST_F(CalculationSetTest, OtherBlocksAndMissingValuesAreSkipped)
{
    set.ProcessBlock('E', block({1, 2, 3, 4}), 3);
    set.ProcessBlock('@', block({1, 2, 3, 4}), 3);
    for (const auto& measurement : set)
        EXPECT_EQ(measurement->CurrentValue(), 0.0f) << measurement->Key().toStdString();

    set.ProcessBlock('A', block({150, 500}), 3); // too short: the values held still count
    EXPECT_EQ(current("BRRA"), 15.0f);
    EXPECT_EQ(current("TIVO"), 0.5f);
    EXPECT_EQ(current("INPF"), 0.0f);
    set.ProcessBlock('A', com::Value(), 3);
    set.ProcessBlock('A', com::Value(QStringLiteral("not a block")), 3);
    set.ProcessBlock('A', block({QStringLiteral("x"), 200, com::Value(), 1e12}), 3);
    EXPECT_EQ(current("BRRA"), 15.0f);
    EXPECT_EQ(current("TIVO"), 0.2f);
    EXPECT_EQ(current("INPP"), 0.0f);
}

TEST_F(CalculationSetTest, OnlySelectedParametersAreFed)
{
    parameters.SelectKeys({QStringLiteral("BRRA")});
    CZeltorCalculationSet breathRateOnly;
    breathRateOnly.Initialize(parameters);
    ASSERT_EQ(breathRateOnly.Count(), 1);
    for (const int32_t id : {'A', 'B', 'C', 'D'})
        breathRateOnly.ProcessBlock(id, block({150, 250, 350, 450}), 3);
    EXPECT_EQ(breathRateOnly.Item(1)->CurrentValue(), 15.0f);
    EXPECT_EQ(breathRateOnly.Item(1)->SampleCount(), 1);
}

TEST_F(CalculationSetTest, AFirstZeroOxygenLevelIsNotCounted)
{
    set.ProcessBlock('D', block({365, 0, 48, 0}), 3);
    EXPECT_FALSE(set.Item(QStringLiteral("OXLE"))->HasSamples());
    EXPECT_TRUE(set.Item(QStringLiteral("TEMP"))->HasSamples());
}

TEST_F(CalculationSetTest, ResetStatisticsResetsEveryMeasurement)
{
    set.ProcessBlock('A', block({100, 500, 6000, 2000}), 3);
    set.ProcessBlock('A', block({200, 600, 7000, 3000}), 3);
    set.ResetStatistics();
    for (const char* key : {"BRRA", "TIVO", "INPF", "INPP"}) {
        const auto measurement = set.Item(QString::fromLatin1(key));
        EXPECT_EQ(measurement->MaxValue(), measurement->CurrentValue()) << key;
        EXPECT_EQ(measurement->MinValue(), measurement->CurrentValue()) << key;
    }
}
