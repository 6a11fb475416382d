#include "ScriptedInstrument.h"

#include "serial/PortFinder.h"

ScriptedInstrument::ScriptedInstrument(const QString& portName)
    : m_portName(portName)
{
    serial::registerVirtualPort(m_portName, [this]() -> std::shared_ptr<serial::IDataLink> {
        auto [link, end] = serial::MemoryLink::createPair();
        end->setReader([this](const QByteArray& frame) { receive(frame); });
        m_end = end;
        ++m_opens;
        return link;
    });
}

ScriptedInstrument::~ScriptedInstrument()
{
    serial::unregisterVirtualPort(m_portName);
}

void ScriptedInstrument::write(const QByteArray& bytes)
{
    if (m_end)
        m_end->write(bytes);
}

void ScriptedInstrument::breakLink()
{
    if (m_end)
        m_end->breakLink();
}

void ScriptedInstrument::receive(const QByteArray& frame)
{
    m_received.push_back(frame);
    const QString command = QString::fromLatin1(frame.mid(1, 4));
    if (const auto it = m_replies.find(command); it != m_replies.end() && !it->second.isEmpty())
        write(it->second);
    if (m_onFrame)
        m_onFrame(frame);
}
