#pragma once

#include "EventLoop.h"

#include <QElapsedTimer>
#include <QTimer>

namespace events {

// The production loop: Qt's timers and event dispatcher. pumpOnce() processes what is pending
// and otherwise sleeps until the next event, at most one millisecond.
class QtEventLoop final : public EventLoop {
public:
    QtEventLoop();

    int64_t now() const override;
    void pumpOnce() override;
    std::unique_ptr<Timer> createTimer() override;
    void callLater(int32_t delayMs, std::function<void()> action) override;

private:
    QElapsedTimer m_clock;
    QTimer m_pacer;
};

} // namespace events
