#include "EventLoop.h"

#include "QtEventLoop.h"

namespace events {

namespace {

std::shared_ptr<EventLoop>& installedLoop()
{
    static std::shared_ptr<EventLoop> loop;
    return loop;
}

} // namespace

void EventLoop::runModal(const std::function<bool()>& stillShown)
{
    while (stillShown())
        pumpOnce();
}

void EventLoop::pumpFor(int32_t milliseconds)
{
    const int64_t until = now() + milliseconds;
    do
        pumpOnce();
    while (now() < until);
}

EventLoop& EventLoop::current()
{
    auto& loop = installedLoop();
    if (!loop)
        loop = std::make_shared<QtEventLoop>();
    return *loop;
}

void EventLoop::install(std::shared_ptr<EventLoop> loop)
{
    installedLoop() = std::move(loop);
}

void setThreadPriorityHigh(bool)
{
}

} // namespace events
