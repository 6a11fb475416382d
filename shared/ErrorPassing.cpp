#include "ErrorPassing.h"

#include "Product.h"

namespace Zeltor {

bool isOwnErrorNumber(int32_t number)
{
    const auto value = static_cast<uint32_t>(number);
    return value >= 0x8004A229u && value <= 0x8004A4EEu;
}

void raiseOwnError(int32_t number, const QString& source, int32_t flags)
{
    Nelvar::errorService().RaiseError(kProduct, number, source, flags);
    throw com::Error(number, source, {}, flags); // not reached: the error service does not return
}

void passOwnOrWrap(const QString& source)
{
    const com::Error error = com::currentError();
    if (isOwnErrorNumber(error.number()))
        Nelvar::errorService().RaiseError(QString(), 0, QString(), 1);
    Nelvar::errorService().ReportError(error, source);
    throw error; // not reached: the error service does not return
}

} // namespace Zeltor
