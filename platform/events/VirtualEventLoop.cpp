#include "VirtualEventLoop.h"

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
    // Actions first, in time and then scheduling order; an action may schedule more.
    while (!m_actions.empty() && m_actions.begin()->first.first <= m_now) {
        auto action = std::move(m_actions.begin()->second);
        m_actions.erase(m_actions.begin());
        action();
    }
    // Timers due now; a tick may create, change or destroy timers, so work on a snapshot and
    // skip the ones that are gone or were changed meanwhile.
    std::vector<std::pair<uint64_t, std::weak_ptr<TimerState>>> due;
    for (const auto& [id, state] : m_timers)
        if (state->enabled && state->interval > 0 && state->due <= m_now)
            due.emplace_back(id, state);
    for (const auto& [id, weakState] : due) {
        const auto state = weakState.lock();
        if (!state || !m_timers.contains(id) || !state->enabled || state->interval <= 0 || state->due > m_now)
            continue;
        state->due = m_now + state->interval;
        const auto tick = state->tick;
        if (tick)
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
