#include "SimulatorSettings.h"

namespace simulator {

int32_t firmwareMajor(const QString& firmwareVersion)
{
    int32_t major = 0;
    for (const QChar c : firmwareVersion) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || major > 100'000)
            break;
        major = major * 10 + (c.unicode() - '0');
    }
    return major;
}

} // namespace simulator
