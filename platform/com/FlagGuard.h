#pragma once

namespace com {

// Sets a busy flag for the length of a scope and clears it when the scope ends, whatever way it
// ends, so that a handler can turn away a call that arrives while it runs.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace com
