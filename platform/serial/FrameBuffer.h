#pragma once

#include "DataLink.h"

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <functional>

namespace serial {

// Cuts the received byte stream into frames. In command mode a frame ends at a carriage return
// that no backslash escapes; in streaming mode every FrameSize bytes are one frame (a frame size
// of 0 or less cuts nothing). With a frame start set, a frame is cut only where one begins and
// the next one begins right after it (after bytes that began no frame, the next two); bytes where
// no such frame begins are dropped. In step, a frame that nothing follows yet is taken once the
// line has stayed quiet for kQuietMs; out of step it waits for the frames behind it. Bytes that
// do not yet make a frame wait for more.
class FrameBuffer {
public:
    // Milliseconds on a monotonic clock.
    using Clock = std::function<int64_t()>;
    // How many frames must begin one after the other behind a frame before it is taken, in step
    // and after bytes that began no frame.
    static constexpr qsizetype kFollowingInStep = 1;
    static constexpr qsizetype kFollowingOutOfStep = 2;
    // How long the line stays silent before the last frame of a stream is taken unconfirmed: well
    // above the gaps within one burst of bytes, well below the instrument's pause between frames
    // that would make a user wait.
    static constexpr int64_t kQuietMs = 20;

    // `clock` tells when bytes arrive; the event loop's clock when none is given.
    explicit FrameBuffer(Clock clock = {});

    void append(const QByteArray& bytes);
    void setMode(int32_t mode);
    int32_t mode() const { return m_mode; }
    void setFrameSize(int32_t bytes);
    void setFrameStart(FrameStart isFrameStart);

    int32_t frameCount() const;
    QByteArray takeFrame();
    void clear();

private:
    void cutFrames();
    void cutStreamingFrames();
    void cutCommandFrames();
    // The frame waiting at the end of the stream in step, once the line has been quiet long enough.
    bool lastFrameDue() const;

    Clock m_clock;
    int32_t m_mode = edlmCommand;
    int32_t m_frameSize = 0;
    FrameStart m_frameStart;
    bool m_inStep = true; // streaming mode: the next byte is where the last frame ended
    // Streaming mode: m_pending is one frame, in step, that nothing follows yet.
    bool m_lastFrameWaits = false;
    int64_t m_lastArrival = 0;
    QByteArray m_pending;
    qsizetype m_scanned = 0; // command mode: bytes of m_pending already searched for the end
    bool m_escaped = false;  // command mode: the last scanned byte was an unescaped backslash
    std::deque<QByteArray> m_frames;
};

} // namespace serial
