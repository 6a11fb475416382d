#pragma once

#include <QByteArray>

#include <cstdint>

namespace simulator {

// The frames a started test streams, as a function of the time since its start: a timer asks
// every intervalMs() for the frames that have fallen due, so a late tick catches up and the
// stream keeps its rate.
class ResultStream {
public:
    virtual ~ResultStream() = default;
    virtual int32_t intervalMs() const = 0;
    // The frames due up to `elapsedMs` after the start that were not handed out before.
    virtual QByteArray framesUntil(int64_t elapsedMs) = 0;
    // What the instrument sends when the test is aborted.
    virtual QByteArray stopFrames() = 0;
};

} // namespace simulator
