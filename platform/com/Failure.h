#pragma once

#include <exception>
#include <utility>

namespace com {

// "Ignore errors": runs one statement (or one step of a sequence that stops at its first failure)
// and swallows whatever it raises. Returns whether it completed. Use it around exactly the
// statements whose failures are to be absorbed, so that the next statement still runs.
template <typename Statement>
bool ignoreFailure(Statement&& statement) noexcept
{
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace com
