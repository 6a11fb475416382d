#pragma once

#include "Error.h"

namespace com {

// The object a reference (a shared_ptr, unique_ptr or plain pointer) refers to; a reference that
// holds none raises 91 (object not set), as the platform does on any access through an empty
// reference.
template <typename Reference>
auto& required(const Reference& object)
{
    if (!object)
        throw Error::objectNotSet();
    return *object;
}

} // namespace com
