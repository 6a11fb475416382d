#pragma once

#include "HostServices.h"

#include <cstdint>

namespace Zeltor {

// True for the system's own application error numbers (0x8004A229 to 0x8004A4EE).
bool isOwnErrorNumber(int32_t number);

// Raises one of the system's own application errors through the host's error service, with the
// product key.
[[noreturn]] void raiseOwnError(int32_t number, const QString& source, int32_t flags);

// For the catch block of a member that loads, saves, starts or stops: passes the system's own
// error numbers on unchanged and wraps every other error with the member's source. Call only
// while an exception is being handled.
[[noreturn]] void passOwnOrWrap(const QString& source);

} // namespace Zeltor
