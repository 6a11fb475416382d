#include "VentilatorStream.h"

#include "Scales.h"

#include <cmath>

namespace simulator {

using namespace scales;

VentilatorStream::VentilatorStream(const LungModel& lung, int32_t firmwareMajor)
    : m_lung(lung), m_encoder(FrameLayout::ventilator(firmwareMajor)), m_pressureScale(pressureScale(firmwareMajor))
{
}

QByteArray VentilatorStream::framesUntil(int64_t elapsedMs)
{
    QByteArray frames;
    const int64_t due = elapsedMs / kPacketIntervalMs;
    while (m_packetsSent < due) {
        frames += packet(m_packetsSent++);
        // The packets sent so far cover the samples up to index 2 x packets - 1.
        const double coveredS = static_cast<double>(2 * m_packetsSent - 1) / LungModel::kSamplesPerSecond;
        const auto breathsEnded = static_cast<int64_t>(std::floor(coveredS / m_lung.breathPeriodS()));
        while (m_breathsReported < breathsEnded)
            frames += breathBlocks(m_breathsReported++);
    }
    return frames;
}

QByteArray VentilatorStream::stopFrames()
{
    return m_encoder.encode('X', static_cast<int32_t>(m_packetsSent % 10), {0, 0, 0, 0});
}

QByteArray VentilatorStream::packet(int64_t number)
{
    const WaveformSample first = m_lung.sample(2 * number);
    const WaveformSample second = m_lung.sample(2 * number + 1);
    const int64_t pressure1 = FrameEncoder::toRaw(first.pressureCmH2O, m_pressureScale);
    const int64_t flow1 = flowRaw(first.flowMlPerS);
    const int64_t pressure2 = FrameEncoder::toRaw(second.pressureCmH2O, m_pressureScale);
    const int64_t flow2 = flowRaw(second.flowMlPerS);
    return m_encoder.encode('M', static_cast<int32_t>(number % 10), {pressure1, flow1, pressure2, flow2});
}

int64_t VentilatorStream::flowRaw(double flowMlPerS)
{
    const double exact = flowMlPerS / kTenth + m_flowRemainder;
    const int64_t raw = FrameEncoder::toRaw(exact, 1.0);
    m_flowRemainder = exact - static_cast<double>(raw);
    return raw;
}

QByteArray VentilatorStream::breathBlocks(int64_t breath) const
{
    const BreathParameters& b = m_lung.breath();
    const double p = m_pressureScale;
    const auto sequence = static_cast<int32_t>(breath % 10);
    const auto raw = FrameEncoder::toRaw;
    return m_encoder.encode('A', sequence, {raw(b.BRRA, kTenth), raw(b.TIVO, kMilli), raw(b.INPF, kTenth), raw(b.INPP, p)})
         + m_encoder.encode('B', sequence, {raw(b.PEPR, p), raw(b.MEIP, p), raw(b.MIVO, kMilli), raw(b.IERA, kHundredth)})
         + m_encoder.encode('C', sequence, {raw(b.INHO, kHundredth), raw(b.INPE, kHundredth), raw(b.EXPE, kHundredth), raw(b.EXPF, kTenth)})
         + m_encoder.encode('D', sequence, {raw(b.TEMP, kTenth), raw(b.OXLE, kTenth), raw(b.MEEP, p), raw(b.ATPR, kAtmosphericFactor * p)});
}

} // namespace simulator
