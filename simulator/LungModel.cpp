#include "LungModel.h"

#include <cmath>
#include <stdexcept>

namespace simulator {

namespace {

constexpr double kCmH2OPerHPa = 1.0197162;

bool positive(double value)
{
    return std::isfinite(value) && value > 0.0;
}

} // namespace

QString lungSettingsProblem(const LungSettings& s)
{
    if (!positive(s.rateBpm) || s.rateBpm > 200.0)
        return QStringLiteral("the breath rate must be above 0 and at most 200 per minute");
    if (!positive(s.tidalVolumeL) || s.tidalVolumeL > 5.0)
        return QStringLiteral("the tidal volume must be above 0 and at most 5 l");
    if (!positive(s.ieRatio) || s.ieRatio > 20.0)
        return QStringLiteral("the I:E ratio 1:n needs n above 0 and at most 20");
    if (!positive(s.complianceMlPerCmH2O))
        return QStringLiteral("the compliance must be above 0");
    if (!positive(s.resistanceCmH2OPerLps))
        return QStringLiteral("the resistance must be above 0");
    const double inspiration = 60.0 / s.rateBpm / (1.0 + s.ieRatio);
    if (!std::isfinite(s.inspiratoryHoldS) || s.inspiratoryHoldS < 0.0 || s.inspiratoryHoldS >= inspiration)
        return QStringLiteral("the inspiratory hold must be at least 0 and shorter than the inspiration period");
    for (const double value : {s.peepCmH2O, s.temperatureC, s.oxygenPercent, s.atmosphericHPa})
        if (!std::isfinite(value))
            return QStringLiteral("PEEP, temperature, oxygen and atmospheric pressure must be numbers");
    if (s.peepCmH2O < 0.0 || s.peepCmH2O > 100.0)
        return QStringLiteral("PEEP must be from 0 to 100 cmH2O");
    if (s.oxygenPercent < 0.0 || s.oxygenPercent > 100.0)
        return QStringLiteral("the oxygen level must be from 0 to 100 %");
    if (s.atmosphericHPa < 0.0 || s.atmosphericHPa > 2000.0)
        return QStringLiteral("the atmospheric pressure must be from 0 to 2000 hPa");
    return {};
}

LungModel::LungModel(const LungSettings& settings) : m_settings(settings)
{
    if (const QString problem = lungSettingsProblem(settings); !problem.isEmpty())
        throw std::invalid_argument(problem.toStdString());

    const LungSettings& s = m_settings;
    m_period = 60.0 / s.rateBpm;
    m_inspiration = m_period / (1.0 + s.ieRatio);
    const double expiration = m_period - m_inspiration;
    m_flowPhase = m_inspiration - s.inspiratoryHoldS;
    m_inspiratoryFlow = s.tidalVolumeL / m_flowPhase;
    m_compliance = s.complianceMlPerCmH2O / 1000.0;
    m_timeConstant = s.resistanceCmH2OPerLps * m_compliance;
    // Steady state: the volume at the end of expiration is what is left of the volume at its start.
    const double remaining = std::exp(-expiration / m_timeConstant);
    m_trappedVolume = s.tidalVolumeL * remaining / (1.0 - remaining);

    const double endInspiratoryVolume = m_trappedVolume + s.tidalVolumeL;
    const double resistivePressure = s.resistanceCmH2OPerLps * m_inspiratoryFlow;
    const double plateau = s.peepCmH2O + endInspiratoryVolume / m_compliance;
    const double meanDuringFlow =
        s.peepCmH2O + (m_trappedVolume + s.tidalVolumeL / 2.0) / m_compliance + resistivePressure;

    m_breath = BreathParameters{
        .BRRA = s.rateBpm,
        .TIVO = s.tidalVolumeL,
        .INPF = m_inspiratoryFlow * 1000.0,
        .INPP = plateau + resistivePressure,
        .PEPR = s.peepCmH2O,
        .MEIP = (meanDuringFlow * m_flowPhase + plateau * s.inspiratoryHoldS) / m_inspiration,
        .MIVO = s.tidalVolumeL * s.rateBpm,
        .IERA = expiration / m_inspiration,
        .INHO = s.inspiratoryHoldS,
        .INPE = m_inspiration,
        .EXPE = expiration,
        .EXPF = endInspiratoryVolume / m_timeConstant * 1000.0,
        .TEMP = s.temperatureC,
        .OXLE = s.oxygenPercent,
        // The ventilator holds PEEP at the airway during the whole expiration.
        .MEEP = s.peepCmH2O,
        .ATPR = s.atmosphericHPa * kCmH2OPerHPa,
    };
}

WaveformSample LungModel::sample(int64_t index) const
{
    const double interval = 1.0 / kSamplesPerSecond;
    const double t = static_cast<double>(index) * interval;
    return WaveformSample{
        .flowMlPerS = (volumeAt(t) - volumeAt(t - interval)) / interval * 1000.0,
        .pressureCmH2O = pressureAt(t),
        .volumeL = volumeAt(t),
    };
}

// Volume breathed in since the start of the breath that holds `seconds`.
double LungModel::volumeAt(double seconds) const
{
    const double phase = seconds - std::floor(seconds / m_period) * m_period;
    if (phase < m_flowPhase)
        return m_inspiratoryFlow * phase;
    if (phase < m_inspiration)
        return m_settings.tidalVolumeL;
    const double startVolume = m_trappedVolume + m_settings.tidalVolumeL;
    return startVolume * std::exp(-(phase - m_inspiration) / m_timeConstant) - m_trappedVolume;
}

double LungModel::flowAt(double seconds) const
{
    const double phase = seconds - std::floor(seconds / m_period) * m_period;
    if (phase < m_flowPhase)
        return m_inspiratoryFlow;
    if (phase < m_inspiration)
        return 0.0;
    const double startVolume = m_trappedVolume + m_settings.tidalVolumeL;
    return -startVolume / m_timeConstant * std::exp(-(phase - m_inspiration) / m_timeConstant);
}

// Airway pressure: PEEP, plus the elastic pressure of the lung's volume, plus the resistive
// pressure of the flow. In expiration the two last cancel: the airway stays at PEEP.
double LungModel::pressureAt(double seconds) const
{
    const double lungVolume = m_trappedVolume + volumeAt(seconds);
    return m_settings.peepCmH2O + lungVolume / m_compliance + m_settings.resistanceCmH2OPerLps * flowAt(seconds);
}

} // namespace simulator
