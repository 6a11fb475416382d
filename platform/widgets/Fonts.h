#pragma once

#include <QFont>
#include <QString>

// The typefaces the forms name, on the fonts this system ships with: "Arial" is the metric-
// compatible Liberation Sans, "Verdana" DejaVu Sans; other names pass unchanged.
namespace widgets {

QString fontFamily(const QString& windowsFamily);
QFont windowsFont(const QString& windowsFamily, double points, bool bold = false);

} // namespace widgets
