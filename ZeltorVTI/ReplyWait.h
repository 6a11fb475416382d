#pragma once

#include "events/EventLoop.h"

#include <cstdint>
#include <memory>

namespace ZeltorVTI {

// The deadline of one reply wait: its own timer and its own flag, so that a wait nested inside
// another (the message pump allows it) neither resets nor stops the outer one.
class ReplyWait {
public:
    ReplyWait(events::EventLoop& loop, int32_t timeoutMs)
        : m_timer(loop.createTimer())
    {
        m_timer->setTick([this] {
            m_timedOut = true;
            m_timer->setEnabled(false);
        });
        m_timer->setInterval(timeoutMs);
        m_timer->setEnabled(true);
    }

    ReplyWait(const ReplyWait&) = delete;
    ReplyWait& operator=(const ReplyWait&) = delete;

    bool timedOut() const { return m_timedOut; }

private:
    std::unique_ptr<events::Timer> m_timer;
    bool m_timedOut = false;
};

} // namespace ZeltorVTI
