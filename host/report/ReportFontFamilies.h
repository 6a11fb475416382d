#pragma once

#include <QString>

namespace host {

// The font family that prints a font name of the reports: the name itself when the machine has
// that family, otherwise its metric-compatible stand-in ("Arial" prints in Liberation Sans,
// "Verdana" in DejaVu Sans), so that texts measure as the printers expect. A name without a
// stand-in is left to Qt's own fallback.
QString reportFontFamily(const QString& name);

} // namespace host
