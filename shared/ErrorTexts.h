#pragma once

#include <QString>

#include <cstdint>

namespace Zeltor {

// What one of the system's own application error numbers means to the user, in English; empty
// for a number the system does not raise. The system raises its numbers through the host's error
// service without a description, so the host gives this text as the error's description.
QString ownErrorText(int32_t number);

} // namespace Zeltor
