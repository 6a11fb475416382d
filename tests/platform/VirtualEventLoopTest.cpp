#include "events/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using events::VirtualEventLoop;

// A timer that records the virtual times at which it ticks.
struct RecordingTimer {
    RecordingTimer(VirtualEventLoop& loop, int32_t interval)
        : timer(loop.createTimer())
    {
        timer->setTick([this, &loop] { ticks.push_back(loop.now()); });
        timer->setInterval(interval);
        timer->setEnabled(true);
    }

    std::unique_ptr<events::Timer> timer;
    std::vector<int64_t> ticks;
};

TEST(VirtualEventLoop, TimersFireAtTheirInterval)
{
    VirtualEventLoop loop;
    RecordingTimer every5(loop, 5);
    RecordingTimer every7(loop, 7);
    loop.advance(22);
    EXPECT_EQ(loop.now(), 22);
    EXPECT_EQ(every5.ticks, (std::vector<int64_t>{5, 10, 15, 20}));
    EXPECT_EQ(every7.ticks, (std::vector<int64_t>{7, 14, 21}));

    every5.timer->setEnabled(false);
    loop.advance(10);
    EXPECT_EQ(every5.ticks.size(), 4u);
    EXPECT_FALSE(every5.timer->Enabled());
    EXPECT_EQ(every7.timer->Interval(), 7);
}

TEST(VirtualEventLoop, SetIntervalRestartsAndZeroNeverFires)
{
    VirtualEventLoop loop;
    RecordingTimer timer(loop, 10);
    loop.advance(8);
    timer.timer->setInterval(10); // restarts: the next tick is 10 ms from now, not at 10
    loop.advance(15);
    EXPECT_EQ(timer.ticks, (std::vector<int64_t>{18}));

    timer.timer->setInterval(0);
    loop.advance(100);
    EXPECT_EQ(timer.ticks.size(), 1u);

    RecordingTimer never(loop, 0);
    loop.advance(100);
    EXPECT_TRUE(never.ticks.empty());
}

TEST(VirtualEventLoop, ATickMayDestroyItsTimerOrCreateAnother)
{
    VirtualEventLoop loop;
    std::unique_ptr<events::Timer> self = loop.createTimer();
    std::unique_ptr<events::Timer> created;
    int selfTicks = 0;
    int createdTicks = 0;
    self->setTick([&] {
        ++selfTicks;
        created = loop.createTimer();
        created->setTick([&] { ++createdTicks; });
        created->setInterval(3);
        created->setEnabled(true);
        self.reset();
    });
    self->setInterval(2);
    self->setEnabled(true);
    loop.advance(10); // self ticks at 2 and goes; created ticks at 5 and 8
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(selfTicks, 1);
    EXPECT_EQ(createdTicks, 2);

    // A tick that destroys another timer due at the same time: that one does not tick.
    std::unique_ptr<events::Timer> first = loop.createTimer();
    std::unique_ptr<events::Timer> second = loop.createTimer();
    int secondTicks = 0;
    first->setTick([&] { second.reset(); });
    second->setTick([&] { ++secondTicks; });
    for (auto* timer : {first.get(), second.get()}) {
        timer->setInterval(4);
        timer->setEnabled(true);
    }
    loop.advance(10);
    EXPECT_EQ(secondTicks, 0);
}

TEST(VirtualEventLoop, ActionsRunInTimeThenSchedulingOrder)
{
    VirtualEventLoop loop;
    std::vector<int> order;
    loop.callLater(5, [&] { order.push_back(2); });
    loop.at(3, [&] { order.push_back(1); });
    loop.callLater(5, [&] { order.push_back(3); });
    loop.at(5, [&] { order.push_back(4); });
    loop.callLater(-10, [&] { order.push_back(0); }); // a negative delay means now
    loop.advance(4);
    EXPECT_EQ(order, (std::vector<int>{0, 1}));
    loop.advance(2);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));

    int64_t ranAt = -1;
    loop.at(2, [&] { ranAt = loop.now(); }); // a time already past runs at the next pump
    loop.pumpOnce();
    EXPECT_EQ(ranAt, 6);
}

// As with Qt's zero-delay timers, an action scheduled while the pump runs waits for the next pump,
// so an action that keeps rescheduling itself advances the clock and meets the pump cap.
TEST(VirtualEventLoop, AnActionScheduledDuringAPumpRunsAtTheNextPump)
{
    VirtualEventLoop loop(1000);
    std::vector<int64_t> pumpsSeen;
    std::function<void()> again = [&] {
        pumpsSeen.push_back(loop.pumps());
        if (pumpsSeen.size() < 50)
            loop.callLater(0, again);
    };
    loop.callLater(0, again);
    loop.advance(100);
    ASSERT_EQ(pumpsSeen.size(), 50u);
    for (size_t i = 0; i < pumpsSeen.size(); ++i)
        EXPECT_EQ(pumpsSeen[i], static_cast<int64_t>(i + 1));

    int runs = 0;
    std::function<void()> forever = [&] {
        if (++runs < 1'000'000)
            loop.callLater(0, forever);
    };
    loop.callLater(0, forever);
    EXPECT_THROW(loop.advance(10'000), events::PumpCapExceeded);
    EXPECT_LE(runs, 1000);
}

TEST(VirtualEventLoop, NestedPumpsInsideATick)
{
    VirtualEventLoop loop;
    std::unique_ptr<events::Timer> waiter = loop.createTimer();
    RecordingTimer other(loop, 3);
    int waiterTicks = 0;
    int64_t actionAt = -1;
    waiter->setTick([&] {
        if (++waiterTicks > 1)
            return;
        loop.callLater(4, [&] { actionAt = loop.now(); });
        const int64_t until = loop.now() + 10;
        while (loop.now() < until)
            loop.pumpOnce(); // a wait inside the tick: time, actions and other timers go on
    });
    waiter->setInterval(5);
    waiter->setEnabled(true);
    loop.advance(6); // the waiter ticks at 5 and returns at 15, when that pump ends
    EXPECT_EQ(loop.now(), 16);
    EXPECT_EQ(actionAt, 9);
    EXPECT_EQ(other.ticks, (std::vector<int64_t>{3, 6, 9, 12}));
    // Its own tick is not entered again while it runs (as with Qt's timers); it ticks again once
    // it has returned.
    EXPECT_EQ(waiterTicks, 1);
    loop.pumpOnce();
    EXPECT_EQ(waiterTicks, 2);
}

// A short wait delivers what falls due while it lasts; a wait of 0 still pumps once.
TEST(VirtualEventLoop, PumpForWaitsOnTheVirtualClock)
{
    VirtualEventLoop loop;
    RecordingTimer timer(loop, 2);
    loop.pumpFor(5);
    EXPECT_EQ(loop.now(), 5);
    EXPECT_EQ(timer.ticks, (std::vector<int64_t>{2, 4}));
    loop.pumpFor(0);
    EXPECT_EQ(loop.now(), 6);
    EXPECT_EQ(loop.pumps(), 6);
}

TEST(VirtualEventLoop, ThePumpCapTurnsAHangIntoAFailure)
{
    VirtualEventLoop loop(100);
    bool shown = true;
    loop.at(50, [&] { shown = false; });
    loop.runModal([&] { return shown; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(loop.now(), 51);

    EXPECT_THROW(loop.runModal([] { return true; }), events::PumpCapExceeded);
    EXPECT_LE(loop.pumps(), 101);
}

TEST(VirtualEventLoop, TimersOutlivingTheLoopAreHarmless)
{
    std::unique_ptr<events::Timer> timer;
    {
        VirtualEventLoop loop;
        timer = loop.createTimer();
        timer->setInterval(5);
        timer->setEnabled(true);
    }
    timer->setInterval(10);
    timer->setEnabled(false);
    EXPECT_EQ(timer->Interval(), 10);
    timer.reset();
}

TEST(VirtualEventLoop, ATenMinuteRunCompletes)
{
    VirtualEventLoop loop;
    RecordingTimer timer(loop, 5);
    loop.advance(600'000);
    EXPECT_EQ(loop.now(), 600'000);
    EXPECT_EQ(timer.ticks.size(), 119'999u); // at 5, 10, ... 599995
}

} // namespace
