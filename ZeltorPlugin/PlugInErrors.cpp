#include "PlugInErrors.h"

#include "HostServices.h"

#include "com/Error.h"

#include <algorithm>

namespace ZeltorPlugin {

void passListedOrWrap(std::initializer_list<int32_t> passedNumbers, const QString& source)
{
    const com::Error error = com::currentError();
    if (std::ranges::find(passedNumbers, error.number()) != passedNumbers.end())
        Nelvar::errorService().RaiseError(QString(), 0, QString(), 1);
    Nelvar::errorService().ReportError(error, source);
    throw error; // not reached: the error service does not return
}

} // namespace ZeltorPlugin
