#pragma once

#include "Error.h"

#include <memory>

namespace com {

// The object a reference holds; a reference that holds none raises 91 (object not set), as the
// platform does on any access through an empty reference.
template <typename T>
T& required(const std::shared_ptr<T>& object)
{
    if (!object)
        throw Error::objectNotSet();
    return *object;
}

} // namespace com
