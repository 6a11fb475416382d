#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace simulator {

// Where and how wide the four values of a result frame are.
//  byte 0           '$'
//  byte 1           record type ('A'..'D', 'M', 'R', 'X')
//  byte 2           sequence digit '0'..'9'
//  byte 3           0
//  bytes 4..        four signed big-endian values, 16 or 32 bits each
//  up to the last   0
//  last byte        carriage return, so that a command-mode reader that meets a stray frame
//                   cuts it off as one frame instead of swallowing what follows
struct FrameLayout {
    int32_t valueBytes; // 2 or 4
    int32_t frameSize;  // 13 or 21

    // The ventilator stream: 13-byte frames with 16-bit values below firmware major 3, else
    // 21-byte frames with 32-bit values.
    static FrameLayout ventilator(int32_t firmwareMajor);
    // The single readings always fill 21-byte frames; below firmware major 3 their values are
    // still 16 bits wide, in bytes 4 to 11.
    static FrameLayout readings(int32_t firmwareMajor);
};

class FrameEncoder {
public:
    explicit FrameEncoder(FrameLayout layout) : m_layout(layout) {}

    const FrameLayout& layout() const { return m_layout; }

    // Values beyond the layout's width are saturated to its range.
    QByteArray encode(char recordType, int32_t sequence, const std::array<int64_t, 4>& values) const;

    // `value` in raw units of `factor`, rounded half to even; NaN gives 0.
    static int64_t toRaw(double value, double factor);

private:
    FrameLayout m_layout;
};

} // namespace simulator
