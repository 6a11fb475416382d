#pragma once

#include <QString>

#include <string>

// pugixml works in UTF-8; the system's texts are QString.
namespace host::pugitext {

inline std::string toUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

inline QString fromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace host::pugitext
