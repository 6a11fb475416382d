#include "GConverters.h"

#include "Settings.h"
#include "SettingsValueNames.h"

#include "com/Failure.h"
#include "format/Format.h"

#include <array>

namespace ZeltorConverter::GConverters {

namespace {

struct UnitText {
    EUnit unit;
    const char* text;
};

constexpr std::array<UnitText, 21> kUnitTexts{{
    {eunPressure_CmH20, "cmH2O"},
    {eunPressure_mBar, "mBar"},
    {eunPressure_mmHg, "mmHg"},
    {eunPressure_kPa, "kPa"},
    {eunPressure_PSI, "PSI"},
    {eunLeakRate_CmH2O_PerSec, "cmH2O/sec"},
    {eunLeakRate_mBar_PerSec, "mBar/sec"},
    {eunLeakRate_mmHg_PerSec, "mmHg/sec"},
    {eunLeakRate_kPa_PerSec, "kPa/sec"},
    {eunLeakRate_PSI_PerSec, "PSI/sec"},
    {eunFlow_MLpSec, "ml/sec"},
    {eunFlow_LpSec, "l/sec"},
    {eunFlow_LpMin, "l/min"},
    {eunTemperature_Celcius, "C"},
    {eunTemperature_Fahrenheit, "F"},
    {eunTemperature_Kelvin, "K"},
    {eunVolume_Liter, "l"},
    {eunMisc_BPM, "BPM"},
    {eunMisc_Time, "sec"},
    {eunMisc_Ratio, "1:n"},
    {eunMisc_Percent, "%"},
}};

// Indexed by EUnitList; the order within a list is the one the settings page shows.
constexpr std::array<const char*, 4> kUnitLists{{
    "cmH2O;kPa;mBar;mmHg;PSI",
    "cmH2O/sec;kPa/sec;mBar/sec;mmHg/sec;PSI/sec",
    "l/min;l/sec;ml/sec",
    "C;F;K",
}};

EUnit defaultUnit(QLatin1String valueName, EUnit fallback)
{
    int32_t unit = fallback;
    com::ignoreFailure([&] {
        const QString text = Zeltor::readSettingsValue(valueName);
        if (!format::isNumeric(text))
            return;
        // Only a stored -1 itself means "the default"; a text that merely rounds to -1 is returned.
        const double stored = format::leadingNumber(text);
        if (stored != -1.0)
            unit = format::toInt32(stored);
    });
    return static_cast<EUnit>(unit);
}

} // namespace

EUnit DefaultFlowUnit() { return defaultUnit(Zeltor::SettingsValues::kFlowUnit, eunFlow_MLpSec); }
EUnit DefaultPressureUnit() { return defaultUnit(Zeltor::SettingsValues::kPressureUnit, eunPressure_CmH20); }
EUnit DefaultTemperatureUnit() { return defaultUnit(Zeltor::SettingsValues::kTemperatureUnit, eunTemperature_Celcius); }
EUnit DefaultHighPressureUnit() { return defaultUnit(Zeltor::SettingsValues::kHighPressureUnit, eunPressure_CmH20); }

QString ParseUnitIDToString(int32_t eun)
{
    for (const UnitText& entry : kUnitTexts)
        if (entry.unit == eun)
            return QString::fromLatin1(entry.text);
    return {};
}

EUnit ParseUnitStringToID(const QString& sUnit)
{
    for (const UnitText& entry : kUnitTexts)
        if (sUnit == QLatin1String(entry.text))
            return entry.unit;
    return eunPressure_CmH20;
}

QString GetUnitList(int32_t eulList)
{
    if (eulList < 0 || eulList >= static_cast<int32_t>(kUnitLists.size()))
        return {};
    return QString::fromLatin1(kUnitLists[static_cast<size_t>(eulList)]);
}

} // namespace ZeltorConverter::GConverters
