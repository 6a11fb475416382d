#pragma once

#include "HostServices.h"

namespace host {

// Raises errors to the caller as com::Error, each with the description of its number: the host's
// own and the classic run-time numbers carry the host's text, the system's application numbers
// the system's (Zeltor::ownErrorText); other numbers carry none.
class ErrorService : public Nelvar::IErrorService {
public:
    // With an empty product, number 0 and an empty source: rethrows the exception being handled,
    // unchanged; raises 5 (invalid call) when none is being handled or only the number is 0.
    [[noreturn]] void RaiseError(const QString& product, int32_t number, const QString& source,
                                 int32_t flags) override;
    [[noreturn]] void ReportError(const com::Error& error, const QString& source) override;
};

} // namespace host
