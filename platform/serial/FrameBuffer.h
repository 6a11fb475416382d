#pragma once

#include "DataLink.h"

#include <QByteArray>

#include <deque>

namespace serial {

// Cuts the received byte stream into frames. In command mode a frame ends at a carriage return
// that no backslash escapes; in streaming mode every FrameSize bytes are one frame (a frame size
// of 0 or less cuts nothing), and with a frame start set, bytes where no frame begins are
// dropped until one does. Bytes that do not yet make a frame wait for more.
class FrameBuffer {
public:
    void append(const QByteArray& bytes);
    void setMode(int32_t mode);
    int32_t mode() const { return m_mode; }
    void setFrameSize(int32_t bytes);
    void setFrameStart(FrameStart isFrameStart);

    int32_t frameCount() const { return static_cast<int32_t>(m_frames.size()); }
    QByteArray takeFrame();
    void clear();

private:
    void cutFrames();

    int32_t m_mode = edlmCommand;
    int32_t m_frameSize = 0;
    FrameStart m_frameStart;
    bool m_inStep = true;    // streaming mode: the next byte is where the last frame ended
    QByteArray m_pending;
    qsizetype m_scanned = 0; // command mode: bytes of m_pending already searched for the end
    bool m_escaped = false;  // command mode: the last scanned byte was an unescaped backslash
    std::deque<QByteArray> m_frames;
};

} // namespace serial
