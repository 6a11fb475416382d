#include "GMiscConverters.h"

#include "format/Format.h"

#include <cstdlib>

namespace ZeltorConverter::GMiscConverters {

QString SecondsToTimeString(const int32_t& iSeconds)
{
    // 64 bits, so that the most negative 32-bit value has an absolute value too.
    int64_t remaining = std::llabs(static_cast<int64_t>(iSeconds));
    QString text;
    for (int field = 0; field < 3; ++field) {
        if (field > 0)
            text.prepend(QLatin1Char(':'));
        text.prepend(format::formatNumber(static_cast<double>(remaining % 60), QStringLiteral("00")));
        remaining /= 60;
    }
    return text;
}

} // namespace ZeltorConverter::GMiscConverters
