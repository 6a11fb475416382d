#pragma once

#include <exception>
#include <utility>

namespace com {

// The two ways a failure is absorbed where nothing may escape (a slot, an event handler, an
// accessor that leaves its value unchanged). Both swallow whatever is raised and return whether
// the code completed; they differ in how much code they wrap.

// "Ignore this statement": runs exactly one statement whose failure is absorbed, so that the
// next statement still runs. Wrap each such statement on its own.
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

// "Stop this handler at its first failure": runs a handler's whole body; the first failing step
// ends the body there, silently, and nothing after it runs.
template <typename Body>
bool untilFirstFailure(Body&& body) noexcept
{
    return ignoreFailure(std::forward<Body>(body));
}

} // namespace com
