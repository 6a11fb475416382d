#pragma once

#include "FrameEncoder.h"
#include "LungModel.h"
#include "ResultStream.h"

namespace simulator {

// The stream of the ventilator test (100):
// - every 40 ms an 'M' packet with two 50 Hz samples: pressure 1, flow 1, pressure 2, flow 2;
//   pressures in the firmware's pressure scale, flows in tenths of ml/s; its sequence digit
//   counts the packets;
// - after the packet in which a breath ends, blocks 'A' to 'D' of that breath with the breath
//   number's last digit as sequence:
//     'A' BRRA/0.1  TIVO/0.001  INPF/0.1   INPP/p
//     'B' PEPR/p    MEIP/p      MIVO/0.001 IERA/0.01
//     'C' INHO/0.01 INPE/0.01   EXPE/0.01  EXPF/0.1
//     'D' TEMP/0.1  OXLE/0.1    MEEP/p     ATPR/(10.197162 p)
//   where p is the pressure scale (0.1 below firmware major 3, 0.01 from 3 on);
// - on abort one 'X' frame.
class VentilatorStream final : public ResultStream {
public:
    static constexpr int32_t kPacketIntervalMs = 40;

    VentilatorStream(const LungModel& lung, int32_t firmwareMajor);

    int32_t intervalMs() const override { return kPacketIntervalMs; }
    QByteArray framesUntil(int64_t elapsedMs) override;
    QByteArray stopFrames() override;

private:
    QByteArray packet(int64_t number);
    QByteArray breathBlocks(int64_t breath) const;
    int64_t flowRaw(double flowMlPerS);

    LungModel m_lung;
    FrameEncoder m_encoder;
    double m_pressureScale;
    int64_t m_packetsSent = 0;
    int64_t m_breathsReported = 0;
    // What rounding to tenths has left over, carried into the next flow sample so that the
    // summed raw flows, hence the volume the receiver integrates, do not drift.
    double m_flowRemainder = 0.0;
};

} // namespace simulator
