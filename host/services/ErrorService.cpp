#include "ErrorService.h"

#include "HostErrors.h"

#include "ErrorTexts.h"

#include <exception>

namespace host {

namespace {

// The host's own and the classic run-time numbers are described by the host, the system's
// application numbers by the system's texts.
QString descriptionOf(int32_t number)
{
    const QString hostText = errors::description(number);
    return hostText.isEmpty() ? Zeltor::ownErrorText(number) : hostText;
}

} // namespace

void ErrorService::RaiseError(const QString& product, int32_t number, const QString& source, int32_t flags)
{
    if (number == 0) {
        if (product.isEmpty() && source.isEmpty()) {
            if (const std::exception_ptr handled = std::current_exception())
                std::rethrow_exception(handled);
        }
        throw com::Error::invalidCall(source);
    }
    throw com::Error(number, source, descriptionOf(number), flags);
}

void ErrorService::ReportError(const com::Error& error, const QString& source)
{
    throw com::Error(error.number(), source, error.description(), error.flags());
}

} // namespace host
