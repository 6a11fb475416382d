#include "QtEventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace events {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // The tick may destroy this timer, so copy the callback before calling it.
            const auto tick = m_tick;
            if (tick)
                tick();
        });
    }

    int32_t Interval() const override { return m_interval; }

    void setInterval(int32_t milliseconds) override
    {
        m_interval = milliseconds;
        m_timer.setInterval(milliseconds);
        apply();
    }

    bool Enabled() const override { return m_enabled; }

    void setEnabled(bool enabled) override
    {
        m_enabled = enabled;
        apply();
    }

    void setTick(std::function<void()> tick) override { m_tick = std::move(tick); }

private:
    void apply()
    {
        if (m_enabled && m_interval > 0)
            m_timer.start();
        else
            m_timer.stop();
    }

    QTimer m_timer;
    std::function<void()> m_tick;
    int32_t m_interval = 0;
    bool m_enabled = false;
};

} // namespace

QtEventLoop::QtEventLoop()
{
    m_clock.start();
    m_pacer.setTimerType(Qt::PreciseTimer);
    m_pacer.setInterval(1);
}

int64_t QtEventLoop::now() const
{
    return m_clock.elapsed();
}

void QtEventLoop::pumpOnce()
{
    if (!QCoreApplication::instance())
        return;
    if (!m_pacer.isActive())
        m_pacer.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::unique_ptr<Timer> QtEventLoop::createTimer()
{
    return std::make_unique<QtTimer>();
}

void QtEventLoop::callLater(int32_t delayMs, std::function<void()> action)
{
    QTimer::singleShot(delayMs, Qt::PreciseTimer, QCoreApplication::instance(), std::move(action));
}

} // namespace events
