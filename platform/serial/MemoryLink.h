#pragma once

#include "DataLink.h"
#include "FrameBuffer.h"

#include <functional>
#include <memory>
#include <utility>

namespace serial {

class MemoryInstrumentEnd;

// The system's end of an in-memory serial link. Bytes written at the instrument's end arrive here
// `latencyMs` later on the event loop, and frames sent here reach the instrument's end as late.
class MemoryLink final : public IDataLink, public std::enable_shared_from_this<MemoryLink> {
public:
    // Creates a connected pair; the link holds `keepAlive` (for example the simulator serving the
    // instrument's end) for as long as it lives.
    static std::pair<std::shared_ptr<MemoryLink>, std::shared_ptr<MemoryInstrumentEnd>> createPair(
        int32_t latencyMs = 1);

    int32_t BufferCount() const override;
    int32_t State() const override { return m_state; }
    int32_t LinkMode() const override { return m_frames.mode(); }
    void setLinkMode(int32_t mode) override { m_frames.setMode(mode); }
    void setFrameSize(int32_t bytes) override { m_frames.setFrameSize(bytes); }
    void setFrameStart(FrameStart isFrameStart) override { m_frames.setFrameStart(std::move(isFrameStart)); }
    void Close() override;
    QByteArray Receive() override;
    void Send(const QByteArray& frame) override;

    void keepAlive(std::shared_ptr<void> companion) { m_companion = std::move(companion); }

private:
    friend class MemoryInstrumentEnd;
    explicit MemoryLink(int32_t latencyMs) : m_latencyMs(latencyMs) {}
    void arrive(const QByteArray& bytes);

    int32_t m_latencyMs;
    int32_t m_state = edlsOpen;
    FrameBuffer m_frames;
    std::weak_ptr<MemoryInstrumentEnd> m_instrument;
    std::shared_ptr<void> m_companion;
};

// The instrument's end of an in-memory link: a plain byte stream both ways.
class MemoryInstrumentEnd final : public std::enable_shared_from_this<MemoryInstrumentEnd> {
public:
    // Bytes for the system; they arrive after the link's latency. Nothing arrives once closed.
    void write(const QByteArray& bytes);
    // Called with each frame the system sends, after the link's latency.
    void setReader(std::function<void(const QByteArray&)> reader) { m_reader = std::move(reader); }
    bool linkOpen() const;
    // Makes the link fail as an unplugged cable would: its state turns to failed.
    void breakLink();

private:
    friend class MemoryLink;
    std::weak_ptr<MemoryLink> m_link;
    std::function<void(const QByteArray&)> m_reader;
    int32_t m_latencyMs = 1;
};

} // namespace serial
