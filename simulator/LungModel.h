#pragma once

#include <QString>

#include <cstdint>

namespace simulator {

// A ventilator breathing into a test lung: volume-controlled breaths with a constant inspiratory
// flow, an optional inspiratory hold, and passive expiration against PEEP.
struct LungSettings {
    double rateBpm = 15.0;
    double tidalVolumeL = 0.5;
    double ieRatio = 2.0;             // the n of I:E = 1:n
    double inspiratoryHoldS = 0.2;    // pause at the end of inspiration, part of the inspiration period
    double peepCmH2O = 5.0;
    double complianceMlPerCmH2O = 50.0;
    double resistanceCmH2OPerLps = 5.0;
    double temperatureC = 22.0;
    double oxygenPercent = 21.0;
    double atmosphericHPa = 1013.0;
};

// Why the settings cannot describe a breath; empty when they can.
QString lungSettingsProblem(const LungSettings& settings);

// What the instrument computes for every breath, in the units the system stores (BPM, l, ml/s,
// cmH2O, s, 1:n, C, %). EXPF is the magnitude of the expiratory peak flow.
struct BreathParameters {
    double BRRA, TIVO, INPF, INPP, PEPR, MEIP, MIVO, IERA, INHO, INPE, EXPE, EXPF, TEMP, OXLE, MEEP, ATPR;
};

// One 50 Hz sample of the waveforms. Flow is the mean flow over the sample interval that ends at
// the sample (ml/s, expiration negative), so that summing flow / 50 gives the volume change
// exactly; pressure is the airway pressure at the sample (cmH2O); volume is the volume breathed in
// since the breath started (l).
struct WaveformSample {
    double flowMlPerS;
    double pressureCmH2O;
    double volumeL;
};

// The lung in its steady state from time 0 on: the lung empties passively with the time constant
// resistance x compliance, and what it has not emptied when the next breath starts stays in it
// (intrinsic PEEP), so every breath is alike and its volume returns to 0 at its end.
class LungModel {
public:
    static constexpr int32_t kSamplesPerSecond = 50;

    // Raises std::invalid_argument with lungSettingsProblem when the settings make no breath.
    explicit LungModel(const LungSettings& settings);

    const LungSettings& settings() const { return m_settings; }
    double breathPeriodS() const { return m_period; }
    const BreathParameters& breath() const { return m_breath; }
    // The sample at time index / 50 s.
    WaveformSample sample(int64_t index) const;

private:
    double volumeAt(double seconds) const;
    double flowAt(double seconds) const;
    double pressureAt(double seconds) const;

    LungSettings m_settings;
    double m_period;           // s
    double m_inspiration;      // s, flow and hold
    double m_flowPhase;        // s, inspiration without the hold
    double m_inspiratoryFlow;  // l/s
    double m_compliance;       // l/cmH2O
    double m_timeConstant;     // s
    double m_trappedVolume;    // l left in the lung at the end of expiration
    BreathParameters m_breath;
};

} // namespace simulator
