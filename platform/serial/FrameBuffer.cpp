#include "FrameBuffer.h"

#include "events/EventLoop.h"

#include <utility>

namespace serial {

FrameBuffer::FrameBuffer(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return events::EventLoop::current().now(); };
}

void FrameBuffer::append(const QByteArray& bytes)
{
    m_lastArrival = m_clock();
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

int32_t FrameBuffer::frameCount() const
{
    return static_cast<int32_t>(m_frames.size()) + (lastFrameDue() ? 1 : 0);
}

QByteArray FrameBuffer::takeFrame()
{
    if (m_frames.empty()) {
        if (!lastFrameDue())
            return {};
        m_lastFrameWaits = false;
        return std::exchange(m_pending, {});
    }
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
    m_lastFrameWaits = false;
}

bool FrameBuffer::lastFrameDue() const
{
    return m_lastFrameWaits && m_clock() - m_lastArrival >= kQuietMs;
}

void FrameBuffer::cutFrames()
{
    m_lastFrameWaits = false;
    if (m_mode == edlmStreaming)
        cutStreamingFrames();
    else
        cutCommandFrames();
}

void FrameBuffer::cutStreamingFrames()
{
    if (m_frameSize <= 0)
        return;
    const qsizetype size = m_frameSize;
    const QByteArrayView pending(m_pending);
    const auto beginsFrame = [&](qsizetype at) { return m_frameStart(pending.sliced(at, size), m_inStep); };
    qsizetype start = 0;
    while (pending.size() - start >= size) {
        if (m_frameStart) {
            if (!beginsFrame(start)) {
                m_inStep = false; // out of step with the frames: look for the next start one byte on
                ++start;
                continue;
            }
            // A frame is taken when the next ones begin where it ends: noise that looks like the
            // start of a frame is seldom followed by another at the frame's length, and more
            // seldom by two. In step one will do, so that a stray or lost byte costs the frames
            // next to it only.
            const qsizetype following = m_inStep ? kFollowingInStep : kFollowingOutOfStep;
            qsizetype next = 1;
            while (next <= following && start + (next + 1) * size <= pending.size() && beginsFrame(start + next * size))
                ++next;
            if (next <= following) {
                if (start + (next + 1) * size <= pending.size()) { // a whole frame's bytes begin none
                    m_inStep = false;
                    ++start;
                    continue;
                }
                m_lastFrameWaits = m_inStep && start + size == pending.size();
                break;
            }
        }
        m_frames.push_back(m_pending.mid(start, size));
        start += size;
        m_inStep = true;
    }
    m_pending.remove(0, start);
}

void FrameBuffer::cutCommandFrames()
{
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
