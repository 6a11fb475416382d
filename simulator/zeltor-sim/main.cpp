// zeltor-sim: a simulated Zeltor instrument on a pseudo terminal. Prints the terminal's device
// path on one line and serves it until SIGTERM or SIGINT.

#include "InstrumentSimulator.h"
#include "PtyServer.h"
#include "SimOptions.h"

#include "events/StopSignals.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <memory>

using namespace simulator;

namespace {

int complain(const QString& message)
{
    std::fprintf(stderr, "zeltor-sim: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeltor-sim"));

    const ParsedOptions options = parseOptions(QCoreApplication::arguments());
    if (options.outcome == ParsedOptions::Outcome::Help) {
        std::fputs(qPrintable(options.message), stdout);
        return 0;
    }
    if (options.outcome == ParsedOptions::Outcome::Error)
        return complain(options.message);

    QString why;
    const std::unique_ptr<PtyServer> pty = PtyServer::open(why);
    if (!pty)
        return complain(QStringLiteral("cannot open a pseudo terminal: %1").arg(why));
    pty->setBaudRate(options.baudRate);
    const std::unique_ptr<events::StopSignals> stop
        = events::StopSignals::create([](int) { QCoreApplication::quit(); });
    if (!stop)
        return complain(QStringLiteral("cannot watch SIGTERM and SIGINT"));

    std::unique_ptr<InstrumentSimulator> instrument;
    try {
        instrument = std::make_unique<InstrumentSimulator>(options.settings, [&pty](const QByteArray& bytes) {
            pty->write(bytes);
        });
    } catch (const std::exception& e) {
        return complain(QString::fromLocal8Bit(e.what()));
    }
    pty->setReader([&instrument](const QByteArray& bytes) { instrument->receive(bytes); });

    std::printf("%s\n", qPrintable(pty->devicePath()));
    std::fflush(stdout);
    const int status = QCoreApplication::exec();
    pty->setReader({});
    return status;
}
