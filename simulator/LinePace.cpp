#include "LinePace.h"

#include <algorithm>
#include <cmath>

namespace simulator {

LinePace::LinePace(int32_t baud)
    : m_bytesPerMs(baud > 0 ? static_cast<double>(baud) / kBitsPerCharacter / 1000.0 : 0.0)
{
}

int64_t LinePace::allowance(int64_t nowMs, int64_t wanted)
{
    if (!paced())
        return wanted;
    if (m_lastMs >= 0 && nowMs > m_lastMs)
        m_credit = std::min(kTransmitBufferBytes, m_credit + static_cast<double>(nowMs - m_lastMs) * m_bytesPerMs);
    m_lastMs = std::max(m_lastMs, nowMs);
    return std::min(wanted, static_cast<int64_t>(m_credit));
}

void LinePace::spend(int64_t count)
{
    if (paced())
        m_credit = std::max(0.0, m_credit - static_cast<double>(count));
}

int32_t LinePace::msUntilNextByte() const
{
    if (!paced() || m_credit >= 1.0)
        return 1;
    return std::max(1, static_cast<int32_t>(std::ceil((1.0 - m_credit) / m_bytesPerMs)));
}

} // namespace simulator
