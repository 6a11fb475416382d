#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// What a program run in a process of its own gave back.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// What the started process gave back once it ended, waiting at most `timeoutMs`; a process that
// does not end in time is killed and fails the test.
inline ProgramRun finishProgram(QProcess& process, int timeoutMs)
{
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << process.program().toStdString() << ' ' << process.arguments().join(' ').toStdString()
                      << " did not finish";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Runs `program` with `arguments` in the test's environment and waits at most `timeoutMs`; a run
// that does not finish in time is killed and fails the test.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 120'000)
{
    QProcess process;
    process.start(program, arguments);
    return finishProgram(process, timeoutMs);
}
