#include "XmlName.h"

#include "com/Error.h"

#include <algorithm>

namespace host {

namespace {

// Names are checked as the XML name rules have them for the characters a record can hold:
// letters, "_" and ":" first, then also digits, "-", "." and the middle dot. Characters
// beyond the basic plane (surrogate pairs) are letters of other scripts and are allowed.
bool isNameStart(QChar c)
{
    return c.isLetter() || c.isSurrogate() || c == QLatin1Char('_') || c == QLatin1Char(':');
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QChar(0xB7);
}

} // namespace

void requireXmlName(const QString& name, const QString& source)
{
    if (name.isEmpty() || !isNameStart(name.front()) || !std::all_of(name.begin(), name.end(), isNameCharacter))
        throw com::Error(com::errInvalidCall, source,
                         com::Error::runtimeDescription(com::errInvalidCall) +
                             QStringLiteral(": \"%1\" is not a valid XML name").arg(name));
}

} // namespace host
