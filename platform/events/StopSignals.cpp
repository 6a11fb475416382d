#include "StopSignals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace events {

namespace {

// What the handler may touch: lock-free atomics only.
std::atomic<int> g_wakeFd{-1};
std::atomic<bool> g_stopAsked{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

// Async-signal-safe calls only: the first signal wakes the event loop through the pipe, a second
// one ends the program.
void onStopSignal(int signalNumber)
{
    if (g_stopAsked.exchange(true))
        ::_exit(StopSignals::kEndedAtOnceBase + signalNumber);
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_wakeFd.load(), &byte, 1);
    errno = savedErrno;
}

} // namespace

std::unique_ptr<StopSignals> StopSignals::create(std::function<void(int)> onStop)
{
    int ends[2];
    if (g_wakeFd.load() >= 0 || ::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
        return nullptr;
    return std::unique_ptr<StopSignals>(new StopSignals(UniqueFd(ends[0]), UniqueFd(ends[1]), std::move(onStop)));
}

StopSignals::StopSignals(UniqueFd readEnd, UniqueFd writeEnd, std::function<void(int)> onStop)
    : m_readEnd(std::move(readEnd)), m_writeEnd(std::move(writeEnd)),
      m_notifier(m_readEnd.get(), QSocketNotifier::Read), m_onStop(std::move(onStop))
{
    QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { deliver(); });
    g_stopAsked = false;
    g_wakeFd = m_writeEnd.get();
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &m_formerInterrupt);
    ::sigaction(SIGTERM, &action, &m_formerTerminate);
}

StopSignals::~StopSignals()
{
    ::sigaction(SIGINT, &m_formerInterrupt, nullptr);
    ::sigaction(SIGTERM, &m_formerTerminate, nullptr);
    g_wakeFd = -1;
}

QString StopSignals::nameOf(int signalNumber)
{
    switch (signalNumber) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    default: return QStringLiteral("signal %1").arg(signalNumber);
    }
}

void StopSignals::deliver()
{
    unsigned char byte = 0;
    if (::read(m_readEnd.get(), &byte, 1) == 1)
        m_onStop(byte);
}

} // namespace events
