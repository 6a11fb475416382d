#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace events {

// A timer of the event loop: fires its tick callback every Interval milliseconds while enabled.
// Window timers and the high-resolution timers alike are these. An interval of 0 never fires.
// Destroying the timer stops it; a tick callback may destroy or reconfigure its own timer.
class Timer {
public:
    virtual ~Timer() = default;
    virtual int32_t Interval() const = 0;
    virtual void setInterval(int32_t milliseconds) = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setTick(std::function<void()> tick) = 0;
};

// The one seam through which the system meets time: the clock, timers, the message pump and
// modal display. Production runs on Qt; tests run on a virtual clock.
class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Milliseconds on a monotonic clock.
    virtual int64_t now() const = 0;

    // Pumps pending window messages once: delivers what is due, waiting briefly when nothing is,
    // so that a polling loop around it does not spin a core.
    virtual void pumpOnce() = 0;

    virtual std::unique_ptr<Timer> createTimer() = 0;

    // Runs `action` once, `delayMs` milliseconds from now, from the message pump.
    virtual void callLater(int32_t delayMs, std::function<void()> action) = 0;

    // A short wait that keeps the messages flowing: pumps at least once and until the clock has
    // advanced by `milliseconds`.
    void pumpFor(int32_t milliseconds);

    // Modal display: pumps messages until `stillShown` answers false.
    void runModal(const std::function<bool()>& stillShown);

    // The loop in use by this process; a Qt loop unless a test installed another.
    static EventLoop& current();
    static void install(std::shared_ptr<EventLoop> loop);
};

// Raises the calling thread's priority for the duration of a measurement. Linux keeps the
// scheduler's choice, so this does nothing.
void setThreadPriorityHigh(bool high);

} // namespace events
