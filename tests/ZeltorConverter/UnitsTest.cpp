#include "GConverters.h"

#include "HostFixture.h"

#include <functional>

using namespace ZeltorConverter;

TEST(Units, EveryUnitTextMapsBackToItsIdentifier)
{
    const EUnit units[] = {
        eunPressure_CmH20, eunPressure_mBar, eunPressure_mmHg, eunPressure_kPa, eunPressure_PSI,
        eunLeakRate_CmH2O_PerSec, eunLeakRate_mBar_PerSec, eunLeakRate_mmHg_PerSec, eunLeakRate_kPa_PerSec,
        eunLeakRate_PSI_PerSec, eunFlow_MLpSec, eunFlow_LpSec, eunFlow_LpMin, eunTemperature_Celcius,
        eunTemperature_Fahrenheit, eunTemperature_Kelvin, eunVolume_Liter, eunMisc_BPM, eunMisc_Time,
        eunMisc_Ratio, eunMisc_Percent,
    };
    for (const EUnit unit : units) {
        const QString text = GConverters::ParseUnitIDToString(unit);
        EXPECT_FALSE(text.isEmpty()) << unit;
        EXPECT_EQ(GConverters::ParseUnitStringToID(text), unit) << text.toStdString();
    }
    EXPECT_EQ(GConverters::ParseUnitIDToString(eunLeakRate_CmH2O_PerSec), QStringLiteral("cmH2O/sec"));
    EXPECT_EQ(GConverters::ParseUnitIDToString(eunMisc_Ratio), QStringLiteral("1:n"));
}

TEST(Units, UnknownIdentifiersTextsAndListsGiveEmptyOrZero)
{
    for (const int32_t unknown : {202, -1, 5, 25, 103, 404, 100000})
        EXPECT_EQ(GConverters::ParseUnitIDToString(unknown), QString()) << unknown;
    for (const char* text : {"mbar", "", " cmH2O", "l/Min", "kelvin"})
        EXPECT_EQ(GConverters::ParseUnitStringToID(QString::fromLatin1(text)), 0) << text;
    EXPECT_EQ(GConverters::GetUnitList(4), QString());
    EXPECT_EQ(GConverters::GetUnitList(-1), QString());
}

TEST(Units, UnitListsInTheirShownOrder)
{
    EXPECT_EQ(GConverters::GetUnitList(eulUnitList_Pressure), QStringLiteral("cmH2O;kPa;mBar;mmHg;PSI"));
    EXPECT_EQ(GConverters::GetUnitList(eulUnitList_LeakRate),
              QStringLiteral("cmH2O/sec;kPa/sec;mBar/sec;mmHg/sec;PSI/sec"));
    EXPECT_EQ(GConverters::GetUnitList(eulUnitList_Flow), QStringLiteral("l/min;l/sec;ml/sec"));
    EXPECT_EQ(GConverters::GetUnitList(eulUnitList_Temperature), QStringLiteral("C;F;K"));
}

class DefaultUnits : public HostFixture {};

TEST_F(DefaultUnits, MissingRegistryValuesGiveTheDefaults)
{
    EXPECT_EQ(GConverters::DefaultFlowUnit(), eunFlow_MLpSec);
    EXPECT_EQ(GConverters::DefaultPressureUnit(), eunPressure_CmH20);
    EXPECT_EQ(GConverters::DefaultTemperatureUnit(), eunTemperature_Celcius);
    EXPECT_EQ(GConverters::DefaultHighPressureUnit(), eunPressure_CmH20);
}

TEST_F(DefaultUnits, StoredTextsAreReadAsWholeNumbers)
{
    const struct {
        com::Value stored;
        EUnit expected;
    } cases[] = {
        {QStringLiteral("102"), eunFlow_LpMin},
        {int32_t{101}, eunFlow_LpSec},
        {QStringLiteral("-1"), eunFlow_MLpSec},
        {QStringLiteral("-1.0"), eunFlow_MLpSec},
        {QStringLiteral(" -1E0 "), eunFlow_MLpSec},
        {QStringLiteral("-0.6"), static_cast<EUnit>(-1)},     // only -1 itself means the default
        {QStringLiteral("-1.4"), static_cast<EUnit>(-1)},
        {QStringLiteral("-1.5"), static_cast<EUnit>(-2)},
        {QStringLiteral("-0.5"), eunPressure_CmH20},          // halves to even: 0
        {QStringLiteral("abc"), eunFlow_MLpSec},
        {QString(), eunFlow_MLpSec},
        {QStringLiteral("5"), static_cast<EUnit>(5)},         // not checked against the quantity
        {QStringLiteral("100.5"), eunFlow_MLpSec},            // halves to even
        {QStringLiteral("101.5"), eunFlow_LpMin},
        {QStringLiteral("1e12"), eunFlow_MLpSec},             // beyond 32 bits
        {QStringLiteral("-3000000000"), eunFlow_MLpSec},
    };
    for (const auto& c : cases) {
        setSetting(QStringLiteral("FlowUnit"), c.stored);
        EXPECT_EQ(GConverters::DefaultFlowUnit(), c.expected) << c.stored.toString().toStdString();
    }
}

TEST_F(DefaultUnits, EachUnitReadsItsOwnValue)
{
    setSetting(QStringLiteral("FlowUnit"), 102);
    setSetting(QStringLiteral("PressureUnit"), 2);
    setSetting(QStringLiteral("TemperatureUnit"), 203);
    setSetting(QStringLiteral("HighPressureUnit"), 4);
    EXPECT_EQ(GConverters::DefaultFlowUnit(), eunFlow_LpMin);
    EXPECT_EQ(GConverters::DefaultPressureUnit(), eunPressure_mmHg);
    EXPECT_EQ(GConverters::DefaultTemperatureUnit(), eunTemperature_Kelvin);
    EXPECT_EQ(GConverters::DefaultHighPressureUnit(), eunPressure_PSI);
}
