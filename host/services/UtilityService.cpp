#include "UtilityService.h"

#include "format/Format.h"

namespace host {

QString UtilityService::ValueToText(const com::Value& value)
{
    return format::valueToText(value);
}

QString UtilityService::AppendPathSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

} // namespace host
