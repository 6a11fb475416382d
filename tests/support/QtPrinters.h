#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for Qt's text and geometry types.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << "hex " << bytes.toHex(' ').toStdString(); }
inline void PrintTo(const QStringList& texts, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < texts.size(); ++i)
        *os << (i ? ", " : "") << '"' << texts[i].toStdString() << '"';
    *os << ']';
}
inline void PrintTo(const QPoint& point, std::ostream* os) { *os << '(' << point.x() << ", " << point.y() << ')'; }
inline void PrintTo(const QRect& rect, std::ostream* os)
{
    *os << '(' << rect.x() << ", " << rect.y() << ' ' << rect.width() << " x " << rect.height() << ')';
}
