#pragma once

#include "FrameEncoder.h"
#include "ResultStream.h"
#include "SimulatorSettings.h"

namespace simulator {

// The stream of a single-reading test (200 to 500): every 100 ms one 'R' frame (always 21
// bytes) with two readings taken 50 ms apart, the earlier in values 2 and 3, the later in values
// 0 and 1; the sequence digit counts the frames.
//   200 leakage        pressure/p in values 0 and 2, leak rate/0.1 (cmH2O/s) in values 1 and 3
//   300 flow           flow/0.1 (ml/s) in values 0 and 2
//   400 pressure       pressure/p in values 0 and 2
//   500 high pressure  pressure/(10 p) in values 0 and 2
// p is the pressure scale (0.1 below firmware major 3, 0.01 from 3 on); unused values are 0.
// The leakage test's pressure falls from the set pressure at the set leak rate down to 0.
// Nothing is sent on abort. A stop on the instrument (ReadingSettings::stopSignalAfterMs) sends
// one 'X' frame in place of the readings due from then on.
class ReadingStream final : public ResultStream {
public:
    static constexpr int32_t kFrameIntervalMs = 100;

    ReadingStream(int32_t testId, const ReadingSettings& readings, int32_t firmwareMajor);

    int32_t intervalMs() const override { return kFrameIntervalMs; }
    QByteArray framesUntil(int64_t elapsedMs) override;
    QByteArray stopFrames() override { return {}; }

private:
    struct Reading {
        int64_t main = 0;  // pressure or flow
        int64_t leak = 0;  // leak rate, leakage test only
    };
    Reading readingAt(double seconds) const;

    int32_t m_testId;
    ReadingSettings m_readings;
    FrameEncoder m_encoder;
    double m_pressureScale;
    int64_t m_framesSent = 0;
    bool m_stopped = false;
};

} // namespace simulator
