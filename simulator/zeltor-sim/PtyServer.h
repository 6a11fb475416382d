#pragma once

#include "events/UniqueFd.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

namespace simulator {

// The master side of a pseudo terminal in raw mode, served from the Qt event loop. The server
// keeps the slave side open itself, so a client may close and reopen the device at will.
class PtyServer {
public:
    // Bytes that do not go out at once wait, up to this many; beyond it, with nobody reading,
    // new bytes are dropped as on an unconnected serial line.
    static constexpr qsizetype kMaxBacklogBytes = 64 * 1024;

    // nullptr and `why` when no pty could be made.
    static std::unique_ptr<PtyServer> open(QString& why);

    const QString& devicePath() const { return m_devicePath; }
    void setReader(std::function<void(const QByteArray&)> reader) { m_reader = std::move(reader); }
    void write(const QByteArray& bytes);

private:
    PtyServer(events::UniqueFd master, events::UniqueFd slave, QString devicePath);
    void readAvailable();
    void flush();

    events::UniqueFd m_master;
    events::UniqueFd m_slave;
    QString m_devicePath;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QByteArray m_backlog;
    std::function<void(const QByteArray&)> m_reader;
};

} // namespace simulator
