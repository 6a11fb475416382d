#include "LungModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

namespace simulator {
namespace {

struct LungCase {
    const char* name;
    LungSettings lung;
};

void PrintTo(const LungCase& lungCase, std::ostream* out)
{
    *out << lungCase.name;
}

class LungModelConsistency : public ::testing::TestWithParam<LungCase> {};

// The breath figures are those of the breath's own waveform, sampled finely.
TEST_P(LungModelConsistency, BreathFiguresAgreeWithTheWaveform)
{
    const LungSettings& set = GetParam().lung;
    const LungModel lung(set);
    const BreathParameters& b = lung.breath();
    const auto samplesPerBreath = static_cast<int64_t>(std::llround(lung.breathPeriodS() * LungModel::kSamplesPerSecond));

    double integratedL = 0.0;
    double peakVolume = 0.0;
    double peakPressure = 0.0;
    double peakFlow = 0.0;
    double peakExpiratoryFlow = 0.0;
    double inspiratoryPressureSum = 0.0;
    int64_t inspiratorySamples = 0;
    double expiratoryPressureMin = std::numeric_limits<double>::max();
    double expiratoryPressureMax = std::numeric_limits<double>::lowest();
    const double interval = 1.0 / LungModel::kSamplesPerSecond;
    for (int64_t k = 0; k < 3 * samplesPerBreath; ++k) {
        const WaveformSample s = lung.sample(k);
        integratedL += s.flowMlPerS / 1000.0 / LungModel::kSamplesPerSecond;
        ASSERT_NEAR(integratedL, s.volumeL - lung.sample(-1).volumeL, 1e-9) << "volume is the integral of flow, sample " << k;
        peakVolume = std::max(peakVolume, s.volumeL);
        peakPressure = std::max(peakPressure, s.pressureCmH2O);
        peakFlow = std::max(peakFlow, s.flowMlPerS);
        peakExpiratoryFlow = std::max(peakExpiratoryFlow, -s.flowMlPerS);
        const double phase = std::fmod(static_cast<double>(k) * interval, lung.breathPeriodS());
        if (phase < b.INPE) {
            inspiratoryPressureSum += s.pressureCmH2O;
            ++inspiratorySamples;
        } else if (phase > b.INPE + interval) {
            expiratoryPressureMin = std::min(expiratoryPressureMin, s.pressureCmH2O);
            expiratoryPressureMax = std::max(expiratoryPressureMax, s.pressureCmH2O);
        }
        if (k % samplesPerBreath == 0) {
            EXPECT_NEAR(s.volumeL, 0.0, 1e-12) << "every breath starts from 0";
        }
    }

    EXPECT_DOUBLE_EQ(b.BRRA, set.rateBpm);
    EXPECT_NEAR(b.INPE + b.EXPE, 60.0 / set.rateBpm, 1e-12);
    EXPECT_NEAR(b.EXPE / b.INPE, b.IERA, 1e-12);
    EXPECT_NEAR(b.MIVO, b.TIVO * b.BRRA, 1e-12);
    EXPECT_NEAR(peakVolume, b.TIVO, 1e-12);
    EXPECT_NEAR(peakFlow, b.INPF, 1e-6);
    // Sampled values can only miss the peaks by what changes within one sample interval.
    const double pressureRise = b.INPF / set.complianceMlPerCmH2O * interval;
    EXPECT_LE(peakPressure, b.INPP + 1e-9);
    EXPECT_GE(peakPressure, b.INPP - pressureRise);
    EXPECT_LE(peakExpiratoryFlow, b.EXPF);
    EXPECT_GE(peakExpiratoryFlow, b.EXPF * std::exp(-2.0 * interval / (set.resistanceCmH2OPerLps * set.complianceMlPerCmH2O / 1000.0)));
    EXPECT_NEAR(inspiratoryPressureSum / static_cast<double>(inspiratorySamples), b.MEIP, 0.02 * b.MEIP);
    // The airway stays at PEEP while the lung empties.
    EXPECT_NEAR(expiratoryPressureMin, b.PEPR, 1e-9);
    EXPECT_NEAR(expiratoryPressureMax, b.PEPR, 1e-9);
    EXPECT_DOUBLE_EQ(b.MEEP, set.peepCmH2O);
    // Peak pressure: PEEP, elastic pressure of the tidal volume (and of what the lung kept from
    // the last breath), resistive pressure of the inspiratory flow.
    EXPECT_GE(b.INPP, set.peepCmH2O + set.tidalVolumeL * 1000.0 / set.complianceMlPerCmH2O +
                          set.resistanceCmH2OPerLps * b.INPF / 1000.0 - 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Lungs, LungModelConsistency,
    ::testing::Values(LungCase{"Defaults", LungSettings{}},
                      LungCase{"StiffTrappingLung", LungSettings{.rateBpm = 12, .tidalVolumeL = 0.7, .ieRatio = 2.5, .inspiratoryHoldS = 0.3,
                                   .peepCmH2O = 10, .complianceMlPerCmH2O = 30, .resistanceCmH2OPerLps = 40}}),
    [](const ::testing::TestParamInfo<LungCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST(LungModel, ALungThatDoesNotEmptyKeepsPressureFromBreathToBreath)
{
    LungSettings quick;
    quick.resistanceCmH2OPerLps = 1;
    LungSettings slow = quick;
    slow.resistanceCmH2OPerLps = 40;
    const LungModel emptying(quick);
    const LungModel trapping(slow);
    const double resistiveDifference = (slow.resistanceCmH2OPerLps - quick.resistanceCmH2OPerLps) * emptying.breath().INPF / 1000.0;
    EXPECT_NEAR(emptying.breath().INPP,
                quick.peepCmH2O + quick.tidalVolumeL * 1000.0 / quick.complianceMlPerCmH2O + quick.resistanceCmH2OPerLps * emptying.breath().INPF / 1000.0,
                1e-6);
    EXPECT_GT(trapping.breath().INPP, emptying.breath().INPP + resistiveDifference + 0.5) << "intrinsic PEEP adds to the peak";
    EXPECT_DOUBLE_EQ(trapping.breath().PEPR, slow.peepCmH2O) << "the airway still reads the set PEEP";
}

TEST(LungModel, SettingsThatMakeNoBreathAreRefused)
{
    const auto with = [](auto change) {
        LungSettings settings;
        change(settings);
        return settings;
    };
    const LungSettings bad[] = {
        with([](LungSettings& s) { s.rateBpm = 0; }),
        with([](LungSettings& s) { s.rateBpm = std::nan(""); }),
        with([](LungSettings& s) { s.tidalVolumeL = -0.1; }),
        with([](LungSettings& s) { s.ieRatio = 0; }),
        with([](LungSettings& s) { s.inspiratoryHoldS = 1.34; }),
        with([](LungSettings& s) { s.inspiratoryHoldS = -0.1; }),
        with([](LungSettings& s) { s.complianceMlPerCmH2O = 0; }),
        with([](LungSettings& s) { s.resistanceCmH2OPerLps = std::numeric_limits<double>::infinity(); }),
        with([](LungSettings& s) { s.oxygenPercent = 101; }),
        with([](LungSettings& s) { s.temperatureC = std::nan(""); }),
    };
    for (const LungSettings& settings : bad) {
        EXPECT_FALSE(lungSettingsProblem(settings).isEmpty());
        EXPECT_THROW(LungModel{settings}, std::invalid_argument);
    }
    EXPECT_TRUE(lungSettingsProblem(LungSettings{}).isEmpty());
}

} // namespace
} // namespace simulator
