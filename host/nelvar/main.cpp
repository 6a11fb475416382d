// The stand-in host program: loads the plug-in's libraries and drives them from the command line.

#include "InstrumentCommand.h"
#include "RegisterCommand.h"
#include "ReportCommand.h"
#include "RunCommand.h"
#include "SettingsCommand.h"
#include "TestsCommand.h"

#include "Host.h"
#include "SimulatorPort.h"
#include "serial/PortFinder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

// Without a display the host runs on Qt's offscreen platform; message boxes then go to the terminal.
void chooseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char** argv)
{
    chooseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nelvar"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Nelvar test host with the Zeltor plug-in"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("instrument: show the instrument's identity and parameter views\n"
                                                "tests: list the plug-in's tests\n"
                                                "settings: show the plug-in's template file and global settings\n"
                                                "register [LIBRARY...]: register component libraries (default: this build's)\n"
                                                "report RESULT.xml --out REPORT.pdf: print a saved result into a PDF file\n"
                                                "run TEST_ID [--minutes N] [--auto] [--out DIR]: perform a test in its window and\n"
                                                "  write DIR/result.xml, DIR/report.pdf and DIR/test-guide.png"),
                                 QStringLiteral("command [LIBRARY...]"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("The instrument's serial device, or 'sim' for the built-in simulated instrument (default: $ZELTOR_PORT)."),
                                        QStringLiteral("PATH|sim"));
    parser.addOption(portOption);
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("report: the PDF file to print to; run: the folder for the test's files (default: the current one)."),
                                       QStringLiteral("REPORT.pdf|DIR"));
    parser.addOption(outOption);
    const QCommandLineOption minutesOption(QStringLiteral("minutes"),
                                           QStringLiteral("run: the test's duration in minutes (0 runs until stopped)."),
                                           QStringLiteral("N"));
    parser.addOption(minutesOption);
    const QCommandLineOption autoOption(QStringLiteral("auto"),
                                        QStringLiteral("run: press the window's play, and next once the run has stopped, so nobody needs to."));
    parser.addOption(autoOption);
    parser.process(app);

    host::installHost();
    simulator::registerSimulatorPort();
    if (parser.isSet(portOption))
        serial::setConfiguredPort(parser.value(portOption));

    QTextStream out(stdout);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.value(0) == QLatin1String("instrument"))
        return runInstrumentCommand(out);
    if (arguments.value(0) == QLatin1String("tests"))
        return runTestsCommand(out);
    if (arguments.value(0) == QLatin1String("settings"))
        return runSettingsCommand(out);
    if (arguments.value(0) == QLatin1String("register"))
        return runRegisterCommand(arguments.mid(1), out);
    if (arguments.value(0) == QLatin1String("report"))
        return runReportCommand(arguments.value(1), parser.value(outOption), out);
    if (arguments.value(0) == QLatin1String("run"))
        return runRunCommand(arguments.mid(1), parser.value(minutesOption), parser.isSet(autoOption),
                             parser.value(outOption), out);

    QTextStream(stderr) << "nelvar: unknown or missing command\n\n" << parser.helpText();
    return 2;
}
