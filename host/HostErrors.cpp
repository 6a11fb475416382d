#include "HostErrors.h"

#include "com/Error.h"

namespace host::errors {

QString description(int32_t number)
{
    switch (number) {
    case kPathFileAccess: return QStringLiteral("Path/File access error");
    case kXmlMalformed: return QStringLiteral("The XML text is not well-formed");
    case kLanguageFileMalformed: return QStringLiteral("The language file is not valid");
    case kRegistryKeyNotOpen: return QStringLiteral("No registry key is open");
    case kRegistryFileError: return QStringLiteral("The registry file cannot be read or written");
    case kRegistryValueNotFound: return QStringLiteral("Registry value not found");
    default: return com::Error::runtimeDescription(number);
    }
}

void raise(int32_t number, const QString& source, const QString& detail)
{
    QString text = description(number);
    if (!detail.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + detail;
    throw com::Error(number, source, text);
}

} // namespace host::errors
