#include "data/ParameterTable.h"

#include "EUnit.h"

#include <array>

namespace ZeltorTests {

namespace {

using namespace ZeltorConverter;

constexpr std::array<ParameterInfo, 23> kParameters{{
    {"BRRA", "20600::Breath rate", eunMisc_BPM},
    {"TIVO", "20601::Tidal volume", eunVolume_Liter},
    {"INPF", "20602::Inspiratory peak flow", eunFlow_MLpSec},
    {"INPP", "20603::Inspiratory peak pressure", eunPressure_CmH20},
    {"PEPR", "20604::Peep pressure", eunPressure_CmH20},
    {"MEIP", "20605::Mean inspiratory pressure", eunPressure_CmH20},
    {"MIVO", "20606::Minute volume", eunVolume_Liter},
    {"IERA", "20607::I/E Ratio", eunMisc_Ratio},
    {"INHO", "20608::Inspiratory hold", eunMisc_Time},
    {"INPE", "20609::Inspiration period", eunMisc_Time},
    {"EXPE", "20610::Expiration period", eunMisc_Time},
    {"EXPF", "20611::Expiratory peak flow", eunFlow_MLpSec},
    {"TEMP", "20612::Temperature", eunTemperature_Celcius},
    {"OXLE", "20613::Oxygen level", eunMisc_Percent},
    {"MEEP", "20614::Mean expiratory pressure", eunPressure_CmH20},
    {"PRES", "20615::Pressure", eunPressure_CmH20},
    {"FLOW", "20616::Flow", eunFlow_MLpSec},
    {"VOLU", "20617::Volume", eunVolume_Liter},
    {"ATPR", "20618::Atmospheric pressure", eunPressure_CmH20},
    {"ACPR", "20620::Actual pressure", eunPressure_CmH20},
    {"LERA", "20621::Leak rate", eunLeakRate_CmH2O_PerSec},
    {"ACFL", "20622::Actual flow", eunFlow_MLpSec},
    {"HIPR", "20623::High-pressure", eunPressure_CmH20},
}};

} // namespace

const ParameterInfo* findParameter(const QString& key)
{
    for (const ParameterInfo& info : kParameters)
        if (key == QLatin1String(info.key))
            return &info;
    return nullptr;
}

EParameterKind parameterKind(const QString& key)
{
    if (QStringLiteral("FLOW PRES VOLU ").contains(key))
        return epkWaveform;
    if (QStringLiteral("ACPR LERA ACFL HIPR").contains(key))
        return epkSingleReading;
    return epkBreath;
}

} // namespace ZeltorTests
