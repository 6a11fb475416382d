#include "StopSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace simulator {

namespace {

sigset_t stopSignalSet()
{
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGTERM);
    sigaddset(&stopSet, SIGINT);
    return stopSet;
}

} // namespace

void StopSignals::block()
{
    const sigset_t stopSet = stopSignalSet();
    pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);
}

std::unique_ptr<StopSignals> StopSignals::create(std::function<void()> onStop)
{
    const sigset_t stopSet = stopSignalSet();
    UniqueFd fd(::signalfd(-1, &stopSet, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!fd)
        return nullptr;
    return std::unique_ptr<StopSignals>(new StopSignals(std::move(fd), std::move(onStop)));
}

StopSignals::StopSignals(UniqueFd fd, std::function<void()> onStop)
    : m_fd(std::move(fd)), m_notifier(m_fd.get(), QSocketNotifier::Read), m_onStop(std::move(onStop))
{
    QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] {
        signalfd_siginfo info;
        while (::read(m_fd.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        m_onStop();
    });
}

} // namespace simulator
