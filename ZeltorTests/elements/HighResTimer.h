#pragma once

#include "events/EventLoop.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace ZeltorTests {

// Statistics settings of a high-resolution timer; callers set the resolution they need.
struct HighResTimerStats {
    int32_t Resolution = 0; // milliseconds
};

// A high-resolution timer: its Timer handler runs every Interval milliseconds on the
// user-interface thread while it is enabled. It runs on the event loop's precise timers.
class HighResTimer {
public:
    explicit HighResTimer(std::unique_ptr<events::Timer> timer);

    int32_t Interval() const { return m_timer->Interval(); }
    void setInterval(int32_t milliseconds) { m_timer->setInterval(milliseconds); }
    HighResTimerStats& Stats() { return m_stats; }
    bool Enabled() const { return m_timer->Enabled(); }
    void setEnabled(bool enabled) { m_timer->setEnabled(enabled); }
    // The Timer notification; the handler may disable or reconfigure the timer.
    void setTimerHandler(std::function<void()> handler) { m_timer->setTick(std::move(handler)); }

private:
    std::unique_ptr<events::Timer> m_timer;
    HighResTimerStats m_stats;
};

} // namespace ZeltorTests
