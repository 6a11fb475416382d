#pragma once

#include <QString>

namespace ZeltorTests {

// The library's own version, written into every saved result as major.minor.revision.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

inline QString libraryVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

} // namespace ZeltorTests
