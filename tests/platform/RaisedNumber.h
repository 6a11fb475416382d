#pragma once

#include "com/Error.h"

#include <cstdint>
#include <functional>
#include <optional>

// The number of the com::Error that `call` raises, or none when it returns normally.
inline std::optional<int32_t> raisedNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const com::Error& error) {
        return error.number();
    }
    return std::nullopt;
}
