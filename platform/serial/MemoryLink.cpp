#include "MemoryLink.h"

#include "com/Error.h"
#include "events/EventLoop.h"

namespace serial {

std::pair<std::shared_ptr<MemoryLink>, std::shared_ptr<MemoryInstrumentEnd>> MemoryLink::createPair(int32_t latencyMs)
{
    auto link = std::shared_ptr<MemoryLink>(new MemoryLink(latencyMs));
    auto instrument = std::make_shared<MemoryInstrumentEnd>();
    link->m_instrument = instrument;
    instrument->m_link = link;
    instrument->m_latencyMs = latencyMs;
    return {std::move(link), std::move(instrument)};
}

int32_t MemoryLink::BufferCount() const
{
    return m_frames.frameCount();
}

void MemoryLink::Close()
{
    m_state = edlsClosed;
    m_frames.clear();
    m_companion.reset();
}

QByteArray MemoryLink::Receive()
{
    return m_frames.takeFrame();
}

void MemoryLink::Send(const QByteArray& frame)
{
    if (m_state != edlsOpen)
        throw com::Error(kErrLinkFailure, QString::fromLatin1(kErrorSource), QStringLiteral("The link is not open"));
    std::weak_ptr<MemoryInstrumentEnd> instrument = m_instrument;
    events::EventLoop::current().callLater(m_latencyMs, [instrument, frame] {
        if (const auto end = instrument.lock(); end && end->linkOpen() && end->m_reader)
            end->m_reader(frame);
    });
}

void MemoryLink::arrive(const QByteArray& bytes)
{
    if (m_state == edlsOpen)
        m_frames.append(bytes);
}

void MemoryInstrumentEnd::write(const QByteArray& bytes)
{
    std::weak_ptr<MemoryLink> link = m_link;
    events::EventLoop::current().callLater(m_latencyMs, [link, bytes] {
        if (const auto target = link.lock())
            target->arrive(bytes);
    });
}

bool MemoryInstrumentEnd::linkOpen() const
{
    const auto link = m_link.lock();
    return link && link->m_state == edlsOpen;
}

void MemoryInstrumentEnd::breakLink()
{
    if (const auto link = m_link.lock())
        link->m_state = edlsFailed;
}

} // namespace serial
