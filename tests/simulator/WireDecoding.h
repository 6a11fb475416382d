#pragma once

// The system's reading of the instrument's bytes, written out here from the protocol so that the
// simulator's output is checked against an independent decoder.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace simulator::testing {

// A reply frame: the marker byte is passed over, fields end at "," or CR unless a backslash
// escapes them. Element 0 is the reply command.
inline QStringList replyFields(const QByteArray& frame)
{
    QStringList fields;
    QString field;
    bool escaped = false;
    for (qsizetype i = 1; i < frame.size(); ++i) {
        const char byte = frame.at(i);
        if ((byte == ',' || byte == '\r') && !escaped) {
            fields.append(field);
            field.clear();
            if (byte == '\r')
                break;
        } else if (byte == '\\' && !escaped) {
            escaped = true;
        } else {
            field.append(QChar::fromLatin1(byte));
            escaped = false;
        }
    }
    return fields;
}

struct ResultFrame {
    int32_t type = 0;
    int32_t sequence = 0;
    std::array<int32_t, 4> values{};
};

// A result frame as the instrument link decodes it: 16-bit values below firmware major 3,
// 32-bit values from 3 on, big-endian from byte 4.
inline ResultFrame decodeResultFrame(const QByteArray& frame, int32_t firmwareMajor)
{
    ResultFrame result;
    if (frame.isEmpty() || frame.at(0) != '$')
        return result;
    const auto byte = [&frame](qsizetype i) -> uint32_t {
        return i < frame.size() ? static_cast<uint8_t>(frame.at(i)) : 0u;
    };
    result.type = static_cast<int32_t>(byte(1));
    result.sequence = static_cast<int32_t>(byte(2)) - 48;
    for (int k = 0; k < 4; ++k) {
        if (firmwareMajor < 3) {
            int32_t value = static_cast<int32_t>(byte(4 + 2 * k) * 256 + byte(5 + 2 * k));
            if (value > 32767)
                value -= 65536;
            result.values[static_cast<size_t>(k)] = value;
        } else {
            const uint32_t value = byte(4 + 4 * k) << 24 | byte(5 + 4 * k) << 16 | byte(6 + 4 * k) << 8 | byte(7 + 4 * k);
            result.values[static_cast<size_t>(k)] = static_cast<int32_t>(value);
        }
    }
    return result;
}

// Breath-parameter blocks 'A' to 'D' as the calculation sets decode them.
struct BreathBlocks {
    float BRRA, TIVO, INPF, INPP, PEPR, MEIP, MIVO, IERA, INHO, INPE, EXPE, EXPF, TEMP, OXLE, MEEP, ATPR;
};

inline float pressureScale(int32_t firmwareMajor)
{
    return firmwareMajor < 3 ? 0.1f : 0.01f;
}

// `blocks` holds 'A', 'B', 'C', 'D' in this order.
inline BreathBlocks decodeBreathBlocks(const std::array<ResultFrame, 4>& blocks, int32_t firmwareMajor)
{
    const double p = pressureScale(firmwareMajor);
    const auto v = [&blocks](int block, int k) { return static_cast<double>(blocks[static_cast<size_t>(block)].values[static_cast<size_t>(k)]); };
    const auto f = [](double value) { return static_cast<float>(value); };
    return BreathBlocks{
        f(v(0, 0) * 0.1f), f(v(0, 1) * 0.001f), f(v(0, 2) * 0.1f), f(v(0, 3) * p),
        f(v(1, 0) * p), f(v(1, 1) * p), f(v(1, 2) * 0.001f), f(v(1, 3) * 0.01f),
        f(v(2, 0) * 0.01f), f(v(2, 1) * 0.01f), f(v(2, 2) * 0.01f), f(v(2, 3) * 0.1f),
        f(v(3, 0) * 0.1f), f(v(3, 1) * 0.1f), f(v(3, 2) * p), f(v(3, 3) * 10.197162f * p),
    };
}

// Splits a byte stream into fixed-size frames; a short tail is dropped.
inline std::vector<QByteArray> cutFrames(const QByteArray& bytes, qsizetype frameSize)
{
    std::vector<QByteArray> frames;
    for (qsizetype start = 0; start + frameSize <= bytes.size(); start += frameSize)
        frames.push_back(bytes.mid(start, frameSize));
    return frames;
}

} // namespace simulator::testing
