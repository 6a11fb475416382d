#include "Fonts.h"

namespace widgets {

QString fontFamily(const QString& windowsFamily)
{
    if (windowsFamily.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (windowsFamily.compare(QLatin1String("Verdana"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("DejaVu Sans");
    return windowsFamily;
}

QFont windowsFont(const QString& windowsFamily, double points, bool bold)
{
    QFont font(fontFamily(windowsFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace widgets
