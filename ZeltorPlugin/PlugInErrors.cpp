#include "PlugInErrors.h"

#include "ErrorPassing.h"
#include "HostServices.h"

#include "com/Error.h"

#include <algorithm>

namespace ZeltorPlugin {

namespace {

// Raises `number` with the description that `describe` makes of the host's text for it.
template <typename Describe>
[[noreturn]] void raiseDescribed(int32_t number, Describe describe)
{
    // The host's error service knows application numbers by their number alone; the description
    // is added to the error it raises.
    try {
        Zeltor::raiseOwnError(number, kPlugInSource, 4);
    } catch (const com::Error& raised) {
        throw com::Error(raised.number(), raised.source(), describe(raised.description()), raised.flags());
    }
}

} // namespace

void raiseTemplateInvalid(const QString& templatePath, const QString& reason)
{
    raiseDescribed(eeTemplateInvalid, [&](const QString&) {
        return QStringLiteral("The test template \"%1\" is invalid: %2").arg(templatePath, reason);
    });
}

void raiseTemplateUnreadable(const QString& reason)
{
    raiseDescribed(eeTemplateFileError, [&](const QString& text) { return text + QStringLiteral(": ") + reason; });
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
