#include "report/HostReport.h"

#include "HostServices.h"

namespace host {

QString HostReport::GetText(const QString& product, const QString& key, const QStringList& arguments)
{
    return Nelvar::languageService().GetText(product, key, arguments);
}

} // namespace host
