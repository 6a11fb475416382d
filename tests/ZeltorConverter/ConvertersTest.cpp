#include "Converters.h"
#include "EUnit.h"
#include "GMiscConverters.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

using namespace ZeltorConverter;

namespace {

enum class Quantity { Flow, Pressure, Temperature };

std::unique_ptr<CUnitConverter> converterFor(Quantity quantity, int32_t unit)
{
    std::unique_ptr<CUnitConverter> converter;
    switch (quantity) {
    case Quantity::Flow: converter = std::make_unique<CConvertMLpSec>(); break;
    case Quantity::Pressure: converter = std::make_unique<CConvertCmH2O>(); break;
    case Quantity::Temperature: converter = std::make_unique<CConvertCelsius>(); break;
    }
    converter->Initialize(unit, QStringLiteral("unit text"));
    return converter;
}

} // namespace

// Internal to display value and back over every unit. The expected figures are the exact Single
// nearest to the double result of the Single factor and offset, rounded once.
TEST(Converters, EveryUnitBothDirections)
{
    const struct {
        Quantity quantity;
        int32_t unit;
        float internal;
        float display;
    } cases[] = {
        {Quantity::Flow, eunFlow_MLpSec, 1234.5f, 1234.5f},
        {Quantity::Flow, eunFlow_LpSec, 1234.5f, 1.2345000505447388f},
        {Quantity::Flow, eunFlow_LpMin, 1000.0f, 60.0f},
        {Quantity::Pressure, eunPressure_CmH20, 10.0f, 10.0f},
        {Quantity::Pressure, eunPressure_mBar, 10.0f, 9.806650161743164f},
        {Quantity::Pressure, eunPressure_mmHg, 10.0f, 7.355589866638184f},
        {Quantity::Pressure, eunPressure_kPa, 100.0f, 9.806650161743164f},
        {Quantity::Pressure, eunPressure_PSI, 100.0f, 1.4223300218582153f},
        {Quantity::Pressure, eunLeakRate_CmH2O_PerSec, 10.0f, 10.0f},
        {Quantity::Pressure, eunLeakRate_mBar_PerSec, 10.0f, 9.806650161743164f},
        {Quantity::Pressure, eunLeakRate_mmHg_PerSec, 10.0f, 7.355589866638184f},
        {Quantity::Pressure, eunLeakRate_kPa_PerSec, 100.0f, 9.806650161743164f},
        {Quantity::Pressure, eunLeakRate_PSI_PerSec, 100.0f, 1.4223300218582153f},
        {Quantity::Temperature, eunTemperature_Celcius, 36.5f, 36.5f},
        {Quantity::Temperature, eunTemperature_Fahrenheit, 100.0f, 212.0f},
        {Quantity::Temperature, eunTemperature_Kelvin, 0.0f, 273.1499938964844f},
    };
    for (const auto& c : cases) {
        const auto converter = converterFor(c.quantity, c.unit);
        EXPECT_EQ(converter->ConvertFromInternalUnit(c.internal), c.display) << "unit " << c.unit;
        EXPECT_EQ(converter->ConvertToInternalUnit(c.display), c.internal) << "unit " << c.unit;
    }
}

TEST(Converters, ResultsAreRoundedOnceFromDouble)
{
    // Single arithmetic step by step would give -58.91607666015625 and 70.30717468261719 too,
    // but differs in the first case.
    EXPECT_EQ(converterFor(Quantity::Temperature, eunTemperature_Fahrenheit)->ConvertFromInternalUnit(-50.508934020996094f),
              -58.916080474853516f);
    EXPECT_EQ(converterFor(Quantity::Pressure, eunPressure_PSI)->ConvertToInternalUnit(1.0f), 70.30717468261719f);
    // The figures users read: 300 K is 26.85 C, 100 F is 37.78 C and back exactly.
    const auto kelvin = converterFor(Quantity::Temperature, eunTemperature_Kelvin);
    EXPECT_NEAR(kelvin->ConvertToInternalUnit(300.0f), 26.85f, 1e-5f);
    const auto fahrenheit = converterFor(Quantity::Temperature, eunTemperature_Fahrenheit);
    const float celsius = fahrenheit->ConvertToInternalUnit(100.0f);
    EXPECT_EQ(celsius, 37.77777862548828f);
    EXPECT_EQ(fahrenheit->ConvertFromInternalUnit(celsius), 100.0f);
}

TEST(Converters, UnitsOfAnotherQuantityUseFactorOne)
{
    EXPECT_EQ(converterFor(Quantity::Flow, eunPressure_mBar)->ConvertFromInternalUnit(12.5f), 12.5f);
    EXPECT_EQ(converterFor(Quantity::Pressure, eunFlow_LpMin)->ConvertFromInternalUnit(12.5f), 12.5f);
    EXPECT_EQ(converterFor(Quantity::Temperature, 202)->ConvertFromInternalUnit(12.5f), 12.5f);
}

TEST(Converters, InitializeStoresUnitAndReplacesTheFactor)
{
    CConvertMLpSec converter;
    converter.Initialize(eunFlow_LpMin, QStringLiteral("l/min"));
    EXPECT_EQ(converter.SelectedConversion(), eunFlow_LpMin);
    EXPECT_EQ(converter.Unit(), QStringLiteral("l/min"));
    converter.Initialize(eunFlow_LpSec, QStringLiteral("not checked"));
    EXPECT_EQ(converter.SelectedConversion(), eunFlow_LpSec);
    EXPECT_EQ(converter.Unit(), QStringLiteral("not checked"));
    EXPECT_EQ(converter.ConvertFromInternalUnit(1000.0f), 1.0f);
}

TEST(Converters, UninitialisedOrOverflowingConversionsGiveZero)
{
    const CConvertCelsius fresh;
    EXPECT_EQ(fresh.SelectedConversion(), 0);
    EXPECT_EQ(fresh.Unit(), QString());
    EXPECT_EQ(fresh.ConvertToInternalUnit(5.0f), 0.0f);
    EXPECT_EQ(fresh.ConvertFromInternalUnit(5.0f), 0.0f);

    const float huge = std::numeric_limits<float>::max();
    EXPECT_EQ(converterFor(Quantity::Temperature, eunTemperature_Fahrenheit)->ConvertFromInternalUnit(huge), 0.0f);
    EXPECT_EQ(converterFor(Quantity::Flow, eunFlow_LpSec)->ConvertToInternalUnit(huge), 0.0f);
}

TEST(TimeText, HoursMinutesAndSecondsWrapAtSixtyHours)
{
    const struct {
        int32_t seconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},        {59, "00:00:59"},       {3661, "01:01:01"},
        {-75, "00:01:15"},      {215999, "59:59:59"},   {216000, "00:00:00"},
        {359999, "39:59:59"},   {2147483647, "03:14:07"}, {-2147483647 - 1, "03:14:08"},
    };
    for (const auto& c : cases) {
        const int32_t seconds = c.seconds;
        EXPECT_EQ(GMiscConverters::SecondsToTimeString(seconds), QString::fromLatin1(c.text)) << c.seconds;
    }
}
