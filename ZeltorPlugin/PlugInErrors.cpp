#include "PlugInErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"

#include "com/Error.h"

#include <algorithm>

namespace ZeltorPlugin {

void raiseTemplateInvalid(const QString& templatePath, const QString& reason)
{
    // The host's error service knows application numbers by their number alone; the description
    // is added to the error it raises.
    try {
        Zeltor::raiseOwnError(eeTemplateInvalid, kPlugInSource, 4);
    } catch (const com::Error& raised) {
        throw com::Error(raised.number(), raised.source(),
                         QStringLiteral("The test template \"%1\" is invalid: %2").arg(templatePath, reason),
                         raised.flags());
    }
}

void passListedOrWrap(std::initializer_list<int32_t> passedNumbers, const QString& source)
{
    const com::Error error = com::currentError();
    if (std::ranges::find(passedNumbers, error.number()) != passedNumbers.end())
        Nelvar::errorService().RaiseError(QString(), 0, QString(), 1);
    Nelvar::errorService().ReportError(error, source);
    throw error; // not reached: the error service does not return
}

} // namespace ZeltorPlugin
