#pragma once

#include <QString>

namespace ZeltorPlugin {

// The library's own version, which the host reads as the plug-in's version.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// "major.minor.revision", each in decimal without leading zeros.
inline QString libraryVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

} // namespace ZeltorPlugin
