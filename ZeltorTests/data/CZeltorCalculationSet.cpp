#include "data/CZeltorCalculationSet.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/ParameterTable.h"

#include "com/Failure.h"

#include <array>

namespace ZeltorTests {

namespace {

// How one value of a block becomes a sample: its key and its factor, or the pressure scale of
// the firmware, or (atmospheric pressure) the conversion from the instrument's unit to cmH2O.
enum class Scaling { Factor, Pressure, Atmospheric };

struct BlockValue {
    const char* key;
    Scaling scaling;
    float factor;
};

constexpr int32_t kFirstBlock = 'A';
constexpr int32_t kLastBlock = 'D';
constexpr float kAtmosphericToCmH2O = 10.197162f;

constexpr std::array<std::array<BlockValue, 4>, 4> kBlocks{{
    {{{"BRRA", Scaling::Factor, 0.1f},
      {"TIVO", Scaling::Factor, 0.001f},
      {"INPF", Scaling::Factor, 0.1f},
      {"INPP", Scaling::Pressure, 0.0f}}},
    {{{"PEPR", Scaling::Pressure, 0.0f},
      {"MEIP", Scaling::Pressure, 0.0f},
      {"MIVO", Scaling::Factor, 0.001f},
      {"IERA", Scaling::Factor, 0.01f}}},
    {{{"INHO", Scaling::Factor, 0.01f},
      {"INPE", Scaling::Factor, 0.01f},
      {"EXPE", Scaling::Factor, 0.01f},
      {"EXPF", Scaling::Factor, 0.1f}}},
    {{{"TEMP", Scaling::Factor, 0.1f},
      {"OXLE", Scaling::Factor, 0.1f},
      {"MEEP", Scaling::Pressure, 0.0f},
      {"ATPR", Scaling::Atmospheric, 0.0f}}},
}};

// Firmware below 3 sends pressures in tenths, from 3 on in hundredths.
float pressureScaleOf(int32_t firmwareMajor) { return firmwareMajor < 3 ? 0.1f : 0.01f; }

} // namespace

std::shared_ptr<CMeasurement> CZeltorCalculationSet::Item(int32_t index) const
{
    if (index < 1 || index > m_measurements.Count())
        return nullptr;
    return m_measurements.Item(index);
}

std::shared_ptr<CMeasurement> CZeltorCalculationSet::Item(const QString& key) const
{
    if (!m_measurements.Contains(key))
        return nullptr;
    return m_measurements.Item(key);
}

void CZeltorCalculationSet::Initialize(const CParameterList& parameters)
{
    for (const auto& definition : parameters) {
        if (!definition->Selected() || definition->Kind() != epkBreath)
            continue;
        com::ignoreFailure([&] {
            auto measurement = std::make_shared<CMeasurement>();
            measurement->setParameterDef(definition);
            m_measurements.Add(std::move(measurement), definition->Key());
        });
    }
}

void CZeltorCalculationSet::ProcessBlock(int32_t blockId, const com::Value& values, int32_t firmwareMajor)
{
    const float pressureScale = pressureScaleOf(firmwareMajor);
    if (blockId < kFirstBlock || blockId > kLastBlock)
        return;
    const auto& block = kBlocks[static_cast<size_t>(blockId - kFirstBlock)];
    for (size_t i = 0; i < block.size(); ++i) {
        const BlockValue& entry = block[i];
        com::ignoreFailure([&] {
            const int32_t raw = values.at(static_cast<int32_t>(i)).toInt32();
            switch (entry.scaling) {
            case Scaling::Factor:
                addSample(QString::fromLatin1(entry.key), static_cast<double>(raw) * entry.factor);
                break;
            case Scaling::Pressure:
                addSample(QString::fromLatin1(entry.key), static_cast<double>(raw) * pressureScale);
                break;
            case Scaling::Atmospheric:
                // Only an instrument of firmware 3 or later sends the atmospheric pressure.
                if (firmwareMajor >= 3)
                    addSample(QString::fromLatin1(entry.key),
                              static_cast<double>(static_cast<float>(raw)) * kAtmosphericToCmH2O * pressureScale);
                break;
            }
        });
    }
}

void CZeltorCalculationSet::addSample(const QString& key, double value) const
{
    if (const auto measurement = Item(key))
        measurement->AddSample(com::Value(value).toFloat());
}

void CZeltorCalculationSet::ResetStatistics()
{
    for (const auto& measurement : m_measurements)
        measurement->ResetStatistics();
}

} // namespace ZeltorTests
