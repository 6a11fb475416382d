#include "events/QtEventLoop.h"
#include "events/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Under the real Qt loop a timer ticks and a delayed action runs while the pump is driven. The
// bound on pumps only keeps a broken loop from hanging the test.
TEST(QtEventLoop, TimersAndDelayedActionsRunFromThePump)
{
    events::QtEventLoop loop;
    std::unique_ptr<events::Timer> timer = loop.createTimer();
    int ticks = 0;
    timer->setTick([&] {
        if (++ticks == 3)
            timer.reset(); // a tick may destroy its own timer
    });
    timer->setInterval(2);
    timer->setEnabled(true);
    bool ran = false;
    loop.callLater(5, [&] { ran = true; });

    const int64_t start = loop.now();
    for (int pumps = 0; pumps < 100'000 && (!ran || timer) && loop.now() - start < 10'000; ++pumps)
        loop.pumpOnce();
    EXPECT_TRUE(ran);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timer, nullptr);
    EXPECT_GE(loop.now(), start);
}

// A short wait lasts its time on the real clock and delivers what falls due meanwhile.
TEST(QtEventLoop, PumpForWaitsAndDeliversWhatFallsDue)
{
    events::QtEventLoop loop;
    bool ran = false;
    loop.callLater(5, [&] { ran = true; });
    const int64_t start = loop.now();
    loop.pumpFor(20);
    EXPECT_GE(loop.now() - start, 20);
    EXPECT_TRUE(ran);
}

TEST(EventLoop, CurrentIsQtUnlessAnotherIsInstalled)
{
    events::EventLoop::install(nullptr);
    EXPECT_NE(dynamic_cast<events::QtEventLoop*>(&events::EventLoop::current()), nullptr);
    const auto virtualLoop = std::make_shared<events::VirtualEventLoop>();
    events::EventLoop::install(virtualLoop);
    EXPECT_EQ(&events::EventLoop::current(), virtualLoop.get());
    events::EventLoop::install(nullptr);
}

} // namespace
