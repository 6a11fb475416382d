#include "FrameEncoder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace simulator {

FrameLayout FrameLayout::ventilator(int32_t firmwareMajor)
{
    return firmwareMajor < 3 ? FrameLayout{2, 13} : FrameLayout{4, 21};
}

FrameLayout FrameLayout::readings(int32_t firmwareMajor)
{
    return FrameLayout{firmwareMajor < 3 ? 2 : 4, 21};
}

QByteArray FrameEncoder::encode(char recordType, int32_t sequence, const std::array<int64_t, 4>& values) const
{
    QByteArray frame(m_layout.frameSize, '\0');
    frame[0] = '$';
    frame[1] = recordType;
    frame[2] = static_cast<char>('0' + ((sequence % 10) + 10) % 10);
    const int64_t maximum = m_layout.valueBytes == 2 ? std::numeric_limits<int16_t>::max()
                                                     : std::numeric_limits<int32_t>::max();
    const int64_t minimum = -maximum - 1;
    for (size_t k = 0; k < values.size(); ++k) {
        const auto value = static_cast<uint32_t>(std::clamp(values[k], minimum, maximum));
        const int32_t first = 4 + static_cast<int32_t>(k) * m_layout.valueBytes;
        for (int32_t b = 0; b < m_layout.valueBytes; ++b)
            frame[first + b] = static_cast<char>((value >> (8 * (m_layout.valueBytes - 1 - b))) & 0xFF);
    }
    frame[m_layout.frameSize - 1] = '\r';
    return frame;
}

int64_t FrameEncoder::toRaw(double value, double factor)
{
    const double raw = std::nearbyint(value / factor);
    if (std::isnan(raw))
        return 0;
    constexpr double limit = static_cast<double>(std::numeric_limits<int32_t>::max());
    return static_cast<int64_t>(std::clamp(raw, -limit - 1.0, limit));
}

} // namespace simulator
