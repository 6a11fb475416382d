#include "FrameBuffer.h"

#include <utility>

namespace serial {

void FrameBuffer::append(const QByteArray& bytes)
{
    m_pending.append(bytes);
    cutFrames();
}

void FrameBuffer::setMode(int32_t mode)
{
    if (mode != edlmCommand && mode != edlmStreaming)
        return;
    m_mode = mode;
    m_scanned = 0;
    m_escaped = false;
    m_inStep = true;
    cutFrames();
}

void FrameBuffer::setFrameSize(int32_t bytes)
{
    m_frameSize = bytes;
    cutFrames();
}

void FrameBuffer::setFrameStart(FrameStart isFrameStart)
{
    m_frameStart = std::move(isFrameStart);
    m_inStep = true;
    cutFrames();
}

QByteArray FrameBuffer::takeFrame()
{
    if (m_frames.empty())
        return {};
    QByteArray frame = std::move(m_frames.front());
    m_frames.pop_front();
    return frame;
}

void FrameBuffer::clear()
{
    m_pending.clear();
    m_frames.clear();
    m_scanned = 0;
    m_escaped = false;
    m_inStep = true;
}

void FrameBuffer::cutFrames()
{
    if (m_mode == edlmStreaming) {
        if (m_frameSize <= 0)
            return;
        const qsizetype size = m_frameSize;
        qsizetype start = 0;
        while (m_pending.size() - start >= size) {
            if (m_frameStart && !m_frameStart(QByteArrayView(m_pending).sliced(start, size), m_inStep)) {
                m_inStep = false; // out of step with the frames: look for the next start one byte on
                ++start;
                continue;
            }
            m_frames.push_back(m_pending.mid(start, size));
            start += size;
            m_inStep = true;
        }
        m_pending.remove(0, start);
        return;
    }
    qsizetype start = 0;
    for (qsizetype i = m_scanned; i < m_pending.size(); ++i) {
        const char byte = m_pending.at(i);
        if (m_escaped) {
            m_escaped = false;
        } else if (byte == '\\') {
            m_escaped = true;
        } else if (byte == '\r') {
            m_frames.push_back(m_pending.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    m_pending.remove(0, start);
    m_scanned = m_pending.size();
}

} // namespace serial
