#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal in raw mode standing in for a serial cable: the system opens the device path
// (the slave end), the test plays the instrument on the master end.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isOpen() const { return m_master >= 0; }
    const QString& devicePath() const { return m_devicePath; }

    void write(const QByteArray& bytes) const;
    // What the system sent: reads until `size` bytes came or a second passed without any.
    QByteArray read(qsizetype size) const;
    // The instrument goes away: the master end closes.
    void closeMaster();

private:
    int m_master = -1;
    int m_slaveHold = -1; // keeps the pty up while the system's end is closed and reopened
    QString m_devicePath;
};
