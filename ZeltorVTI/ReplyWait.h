#pragma once

#include "events/EventLoop.h"

#include <cstdint>

namespace ZeltorVTI {

// The deadline of one reply wait, on the event loop's clock. Each wait has its own, so a wait
// nested inside another (the message pump allows it) neither resets nor stops the outer one.
class ReplyWait {
public:
    ReplyWait(const events::EventLoop& loop, int32_t timeoutMs)
        : m_loop(loop), m_deadline(loop.now() + timeoutMs)
    {
    }

    bool timedOut() const { return m_loop.now() >= m_deadline; }

private:
    const events::EventLoop& m_loop;
    const int64_t m_deadline;
};

} // namespace ZeltorVTI
