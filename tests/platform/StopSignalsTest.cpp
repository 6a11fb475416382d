#include "events/StopSignals.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_formerHandlerSaw{0};

void formerHandler(int signalNumber)
{
    g_formerHandlerSaw = signalNumber;
}

// The first signal reaches the watcher from the event loop, not from the handler; one watcher at
// a time; once it is gone the signal is handled as before it came.
TEST(StopSignals, TheFirstSignalReachesTheLoopAndTheFormerHandlingComesBack)
{
    struct sigaction former = {};
    former.sa_handler = formerHandler;
    sigemptyset(&former.sa_mask);
    struct sigaction original = {};
    ASSERT_EQ(::sigaction(SIGTERM, &former, &original), 0);

    int received = 0;
    auto watcher = events::StopSignals::create([&received](int signalNumber) { received = signalNumber; });
    ASSERT_NE(watcher, nullptr);
    EXPECT_EQ(events::StopSignals::create([](int) {}), nullptr);

    ASSERT_EQ(::raise(SIGTERM), 0);
    EXPECT_EQ(received, 0);
    QElapsedTimer clock;
    clock.start();
    while (received == 0 && clock.elapsed() < 10'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(received, SIGTERM);
    EXPECT_EQ(g_formerHandlerSaw, 0);

    watcher.reset();
    ASSERT_EQ(::raise(SIGTERM), 0);
    EXPECT_EQ(g_formerHandlerSaw, SIGTERM);
    ::sigaction(SIGTERM, &original, nullptr);
}

} // namespace
