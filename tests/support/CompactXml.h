#pragma once

#include <QRegularExpression>
#include <QString>

// A document's text without its declaration and without the indentation between elements, so a
// test can state the expected record on one line.
inline QString compactXml(QString xml)
{
    xml.remove(QRegularExpression(QStringLiteral("^<\\?xml[^>]*\\?>")));
    xml.replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"));
    return xml.trimmed();
}
