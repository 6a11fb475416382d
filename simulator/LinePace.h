#pragma once

#include <cstdint>

namespace simulator {

// The pace of a serial line: how many bytes it can have taken by a given time. A character is 11
// bits on the wire (start bit, 8 data bits, parity, stop bit); a line left idle fills no more
// than its transmit buffer, so it never sends a longer run at once than a real port would.
class LinePace {
public:
    static constexpr int32_t kBitsPerCharacter = 11;
    static constexpr double kTransmitBufferBytes = 16.0;

    // `baud` 0 or less: no pacing, every byte goes at once.
    explicit LinePace(int32_t baud = 0);

    bool paced() const { return m_bytesPerMs > 0.0; }
    // The bytes the line can take at `nowMs` (a steady clock in milliseconds), that many or more
    // when it is not paced.
    int64_t allowance(int64_t nowMs, int64_t wanted);
    // `count` bytes went out.
    void spend(int64_t count);
    // Milliseconds from the last allowance until the line can take another byte, at least 1.
    int32_t msUntilNextByte() const;

private:
    double m_bytesPerMs = 0.0;
    double m_credit = kTransmitBufferBytes;
    int64_t m_lastMs = -1;
};

} // namespace simulator
