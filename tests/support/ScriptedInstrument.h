#pragma once

#include "serial/MemoryLink.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

// A scripted instrument at the far end of an in-memory link: records every frame the system
// sends and answers each command with the reply set for it (none when no reply is set).
class ScriptedInstrument {
public:
    // Registers the virtual port `name`; every open creates a fresh link served by this instrument.
    explicit ScriptedInstrument(const QString& portName = QStringLiteral("scripted"));
    ~ScriptedInstrument();

    ScriptedInstrument(const ScriptedInstrument&) = delete;
    ScriptedInstrument& operator=(const ScriptedInstrument&) = delete;

    // The reply bytes for a four-character command; an empty array withholds the reply.
    void reply(const QString& command, const QByteArray& bytes) { m_replies[command] = bytes; }
    // Called with every received frame, after it was recorded and answered.
    void onFrame(std::function<void(const QByteArray&)> handler) { m_onFrame = std::move(handler); }

    // Bytes for the system, sent as they are (result frames, garbage).
    void write(const QByteArray& bytes);
    void breakLink();

    const std::vector<QByteArray>& received() const { return m_received; }
    int opens() const { return m_opens; }

private:
    void receive(const QByteArray& frame);

    QString m_portName;
    std::map<QString, QByteArray> m_replies;
    std::function<void(const QByteArray&)> m_onFrame;
    std::vector<QByteArray> m_received;
    std::shared_ptr<serial::MemoryInstrumentEnd> m_end;
    int m_opens = 0;
};
