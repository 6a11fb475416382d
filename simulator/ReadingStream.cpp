#include "ReadingStream.h"

#include "Scales.h"

#include <algorithm>

namespace simulator {

using namespace scales;

ReadingStream::ReadingStream(int32_t testId, const ReadingSettings& readings, int32_t firmwareMajor)
    : m_testId(testId), m_readings(readings), m_encoder(FrameLayout::readings(firmwareMajor)),
      m_pressureScale(pressureScale(firmwareMajor))
{
}

QByteArray ReadingStream::framesUntil(int64_t elapsedMs)
{
    QByteArray frames;
    if (m_stopped)
        return frames;
    const int64_t stopAt = m_readings.stopSignalAfterMs;
    const int64_t due = (stopAt > 0 ? std::min(elapsedMs, stopAt - 1) : elapsedMs) / kFrameIntervalMs;
    while (m_framesSent < due) {
        const double laterS = static_cast<double>(m_framesSent + 1) * kFrameIntervalMs / 1000.0;
        const Reading earlier = readingAt(laterS - kFrameIntervalMs / 2000.0);
        const Reading later = readingAt(laterS);
        frames += m_encoder.encode('R', static_cast<int32_t>(m_framesSent % 10),
                                   {later.main, later.leak, earlier.main, earlier.leak});
        ++m_framesSent;
    }
    if (stopAt > 0 && elapsedMs >= stopAt) {
        frames += m_encoder.encode('X', static_cast<int32_t>(m_framesSent % 10), {0, 0, 0, 0});
        m_stopped = true;
    }
    return frames;
}

ReadingStream::Reading ReadingStream::readingAt(double seconds) const
{
    const auto raw = FrameEncoder::toRaw;
    switch (m_testId) {
    case 200: {
        const double pressure = std::max(0.0, m_readings.pressureCmH2O - m_readings.leakRateCmH2OPerS * seconds);
        const double leakRate = pressure > 0.0 ? m_readings.leakRateCmH2OPerS : 0.0;
        return {raw(pressure, m_pressureScale), raw(leakRate, kTenth)};
    }
    case 300:
        return {raw(m_readings.flowMlPerS, kTenth), 0};
    case 400:
        return {raw(m_readings.pressureCmH2O, m_pressureScale), 0};
    case 500:
        return {raw(m_readings.highPressureCmH2O, 10.0 * m_pressureScale), 0};
    default:
        return {};
    }
}

} // namespace simulator
