#pragma once

#include "EventLoop.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

namespace events {

// Raised when a virtual loop has been pumped more often than its cap: a test that would hang
// fails instead.
class PumpCapExceeded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The test loop: a virtual millisecond clock. Each pumpOnce() runs the actions and timer ticks
// due at the current time and then advances the clock by one millisecond, so a ten-minute run
// takes 600000 pumps and no real time.
class VirtualEventLoop final : public EventLoop {
public:
    explicit VirtualEventLoop(int64_t pumpCap = 50'000'000);
    ~VirtualEventLoop() override;

    int64_t now() const override { return m_now; }
    void pumpOnce() override;
    std::unique_ptr<Timer> createTimer() override;
    void callLater(int32_t delayMs, std::function<void()> action) override;

    // Scripted action at an absolute virtual time (run by the pump at or after that time).
    void at(int64_t time, std::function<void()> action);
    // Pumps until the clock has advanced by `milliseconds`.
    void advance(int64_t milliseconds);
    int64_t pumps() const { return m_pumps; }

private:
    friend class VirtualTimer;
    struct TimerState {
        int32_t interval = 0;
        bool enabled = false;
        int64_t due = 0;
        bool ticking = false; // its tick is running
        std::function<void()> tick;
    };

    void fireDue();

    int64_t m_now = 0;
    int64_t m_pumps = 0;
    int64_t m_pumpCap;
    uint64_t m_sequence = 0;
    std::multimap<std::pair<int64_t, uint64_t>, std::function<void()>> m_actions;
    std::map<uint64_t, std::shared_ptr<TimerState>> m_timers;
    std::shared_ptr<bool> m_alive;
};

} // namespace events
