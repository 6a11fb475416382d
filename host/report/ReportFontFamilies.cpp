#include "report/ReportFontFamilies.h"

#include <QFontDatabase>

#include <array>
#include <utility>

namespace host {

namespace {

// Typefaces the printers name, with the metric-compatible families that Debian ships for them.
constexpr std::array<std::pair<const char*, const char*>, 2> kStandIns{{
    {"Arial", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},
}};

} // namespace

QString reportFontFamily(const QString& name)
{
    if (QFontDatabase::hasFamily(name))
        return name;
    for (const auto& [requested, standIn] : kStandIns) {
        const QString family = QString::fromLatin1(standIn);
        if (name.compare(QLatin1String(requested), Qt::CaseInsensitive) == 0 && QFontDatabase::hasFamily(family))
            return family;
    }
    return name;
}

} // namespace host
