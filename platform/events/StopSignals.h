#pragma once

#include "UniqueFd.h"

#include <QSocketNotifier>
#include <QString>

#include <csignal>
#include <functional>
#include <memory>

namespace events {

// SIGTERM and SIGINT, asking the program to stop: the first of them reaches `onStop`, with its
// number, from the Qt event loop once the loop runs, so that the program can wind down as it
// usually does. A second one ends the program at once, from the signal handler, with the status a
// shell gives a program the signal ended: 128 + its number (130 for SIGINT, 143 for SIGTERM).
// One watcher at a time; the signals are handled as before once it is gone.
class StopSignals {
public:
    static constexpr int kEndedAtOnceBase = 128;

    // nullptr when the signals cannot be watched: no pipe, or another watcher is active.
    static std::unique_ptr<StopSignals> create(std::function<void(int signalNumber)> onStop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // "SIGINT" or "SIGTERM".
    static QString nameOf(int signalNumber);

private:
    StopSignals(UniqueFd readEnd, UniqueFd writeEnd, std::function<void(int)> onStop);
    void deliver();

    UniqueFd m_readEnd;
    UniqueFd m_writeEnd;
    QSocketNotifier m_notifier;
    std::function<void(int)> m_onStop;
    struct sigaction m_formerInterrupt = {};
    struct sigaction m_formerTerminate = {};
};

} // namespace events
