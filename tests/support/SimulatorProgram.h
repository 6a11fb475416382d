#pragma once

#include "events/EventLoop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

// The simulator program serving a pseudo terminal, started with the arguments given and ended when
// this object goes: terminated, and killed when it does not end in time.
class SimulatorProgram {
public:
    static constexpr int kWaitMs = 10'000;

    SimulatorProgram(const QString& programPath, const QStringList& arguments = {})
    {
        m_process.start(programPath, arguments);
        if (!m_process.waitForStarted(kWaitMs))
            return;
        QElapsedTimer clock;
        clock.start();
        while (!m_process.canReadLine() && clock.elapsed() < kWaitMs)
            m_process.waitForReadyRead(100);
        m_devicePath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimulatorProgram()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(kWaitMs))
            m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
    SimulatorProgram(const SimulatorProgram&) = delete;
    SimulatorProgram& operator=(const SimulatorProgram&) = delete;

    // Lets the real event loop run until `done` answers true or the wait for the program is over;
    // what `done` answers last.
    template <typename Done>
    static bool pumpUntil(Done&& done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < kWaitMs)
            events::EventLoop::current().pumpOnce();
        return done();
    }

    // The terminal's device path, as the program printed it; empty when it printed none.
    const QString& devicePath() const { return m_devicePath; }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QString m_devicePath;
};
