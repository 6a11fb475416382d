#pragma once

#include "PtyServer.h"

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace simulator {

// SIGTERM and SIGINT, delivered from the Qt event loop instead of interrupting it.
class StopSignals {
public:
    // Blocks the two signals for the calling thread and every thread it starts later; call it
    // first in main. Afterwards create() watches them.
    static void block();
    // nullptr when the signals cannot be watched.
    static std::unique_ptr<StopSignals> create(std::function<void()> onStop);

private:
    StopSignals(UniqueFd fd, std::function<void()> onStop);

    UniqueFd m_fd;
    QSocketNotifier m_notifier;
    std::function<void()> m_onStop;
};

} // namespace simulator
