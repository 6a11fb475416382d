#include "VirtualEventLoop.h"

#include <algorithm>
#include <string>
#include <vector>

namespace events {

class VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualEventLoop& loop, uint64_t id, std::shared_ptr<VirtualEventLoop::TimerState> state)
        : m_loop(&loop), m_alive(loop.m_alive), m_id(id), m_state(std::move(state))
    {
    }

    ~VirtualTimer() override
    {
        if (!m_alive.expired())
            m_loop->m_timers.erase(m_id);
    }

    int32_t Interval() const override { return m_state->interval; }

    void setInterval(int32_t milliseconds) override
    {
        m_state->interval = milliseconds;
        restart();
    }

    bool Enabled() const override { return m_state->enabled; }

    void setEnabled(bool enabled) override
    {
        m_state->enabled = enabled;
        restart();
    }

    void setTick(std::function<void()> tick) override { m_state->tick = std::move(tick); }

private:
    void restart()
    {
        if (!m_alive.expired())
            m_state->due = m_loop->now() + m_state->interval;
    }

    VirtualEventLoop* m_loop;
    std::weak_ptr<bool> m_alive;
    uint64_t m_id;
    std::shared_ptr<VirtualEventLoop::TimerState> m_state;
};

VirtualEventLoop::VirtualEventLoop(int64_t pumpCap)
    : m_pumpCap(pumpCap), m_alive(std::make_shared<bool>(true))
{
}

VirtualEventLoop::~VirtualEventLoop() = default;

void VirtualEventLoop::pumpOnce()
{
    if (++m_pumps > m_pumpCap)
        throw PumpCapExceeded("virtual event loop pumped more than " + std::to_string(m_pumpCap) + " times");
    fireDue();
    ++m_now;
}

void VirtualEventLoop::fireDue()
{
    // Actions first, in time and then scheduling order. One scheduled while this pump runs waits
    // for the next pump, as Qt's zero-delay timers do, so an action that reschedules itself at
    // once still advances the clock and meets the pump cap.
    const uint64_t scheduledBefore = m_sequence;
    while (!m_actions.empty()) {
        const auto next = std::find_if(m_actions.begin(), m_actions.end(), [&](const auto& entry) {
            return entry.first.first > m_now || entry.first.second <= scheduledBefore;
        });
        if (next == m_actions.end() || next->first.first > m_now)
            break;
        auto action = std::move(next->second);
        m_actions.erase(next);
        action();
    }
    // Timers due now; a tick may create, change or destroy timers, so work on a snapshot and
    // skip the ones that are gone or were changed meanwhile. A tick still running (it pumps a
    // nested loop) is not entered again, as with Qt's timers; its timer fires once it returns.
    std::vector<std::pair<uint64_t, std::weak_ptr<TimerState>>> due;
    for (const auto& [id, state] : m_timers)
        if (state->enabled && state->interval > 0 && state->due <= m_now && !state->ticking)
            due.emplace_back(id, state);
    for (const auto& [id, weakState] : due) {
        const auto state = weakState.lock();
        if (!state || !m_timers.contains(id) || !state->enabled || state->interval <= 0 || state->due > m_now
            || state->ticking)
            continue;
        state->due = m_now + state->interval;
        const auto tick = state->tick;
        if (!tick)
            continue;
        struct Ticking {
            explicit Ticking(TimerState& s) : state(s) { state.ticking = true; }
            ~Ticking() { state.ticking = false; }
            TimerState& state;
        } const ticking(*state);
        tick();
    }
}

std::unique_ptr<Timer> VirtualEventLoop::createTimer()
{
    const uint64_t id = ++m_sequence;
    auto state = std::make_shared<TimerState>();
    m_timers.emplace(id, state);
    return std::make_unique<VirtualTimer>(*this, id, std::move(state));
}

void VirtualEventLoop::callLater(int32_t delayMs, std::function<void()> action)
{
    at(m_now + (delayMs < 0 ? 0 : delayMs), std::move(action));
}

void VirtualEventLoop::at(int64_t time, std::function<void()> action)
{
    m_actions.emplace(std::make_pair(time, ++m_sequence), std::move(action));
}

void VirtualEventLoop::advance(int64_t milliseconds)
{
    const int64_t until = m_now + milliseconds;
    while (m_now < until)
        pumpOnce();
}

} // namespace events
