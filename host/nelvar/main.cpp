// The stand-in host program: loads the plug-in's libraries and drives them from the command line.

#include "CommandLine.h"
#include "InstrumentCommand.h"
#include "MainWindowCommand.h"
#include "RegisterCommand.h"
#include "ReportCommand.h"
#include "RunCommand.h"
#include "SettingsCommand.h"
#include "TestsCommand.h"

#include "Host.h"
#include "SimulatorPort.h"
#include "events/MessageBoxes.h"
#include "events/RuntimeDirectory.h"
#include "serial/PortFinder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

// The exit status of a command line that cannot be carried out as written.
constexpr int kBadUsage = 2;

// Without a display the host runs on Qt's offscreen platform; message boxes then go to the terminal.
void chooseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's offscreen platform warns on every window with a size constraint that it cannot pass size
// hints on; nothing is lost by that, so the warning does not reach the user. Every other message
// goes where Qt sends it.
QtMessageHandler qtMessages = nullptr;
void dropOffscreenSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    qtMessages(type, context, message);
}

int refuse(const QString& message, const QString& usage)
{
    QTextStream(stderr) << "nelvar: " << message << '\n' << usage;
    return kBadUsage;
}

// The command's options and argument count as the command line gives them; an empty text when
// they are what the command takes, otherwise what is wrong.
QString misuseOf(const CommandLine::Command& command, const QCommandLineParser& parser, qsizetype argumentCount)
{
    for (const CommandLine::OptionName& option : CommandLine::allOptions()) {
        const CommandLine::OptionUse* use = command.option(option.name);
        if (parser.isSet(option.name) && !use)
            return QStringLiteral("%1 takes no --%2").arg(command.name, option.name);
        if (use && use->required && !parser.isSet(option.name))
            return QStringLiteral("%1 needs %2").arg(command.name, use->synopsis);
        if (use && !option.valueName.isEmpty() && parser.isSet(option.name) && parser.value(option.name).isEmpty())
            return QStringLiteral("--%1 is empty: %2 takes %3").arg(option.name, command.name, use->synopsis);
    }
    if (argumentCount < command.minimumArguments
        || (command.maximumArguments >= 0 && argumentCount > command.maximumArguments))
        return QStringLiteral("usage: %1").arg(command.synopsis());
    return {};
}

// What the parser could not take from the command line of a command: an unknown option as an
// option the command does not take, any other fault in the parser's words.
QString parseFault(const QCommandLineParser& parser, const CommandLine::Command& command)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    const QString& name = unknown.first();
    return QStringLiteral("%1 takes no %2%3")
        .arg(command.name, name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
}

QString commandHint(const CommandLine::Command& command)
{
    return QStringLiteral("`nelvar %1 --help` tells what it takes\n").arg(command.name);
}

// The host's services, the simulated instrument's port and the port the command line names.
void prepareHost(const QCommandLineParser& parser)
{
    host::installHost();
    simulator::registerSimulatorPort();
    if (parser.isSet(QStringLiteral("port")))
        serial::setConfiguredPort(parser.value(QStringLiteral("port")));
}

} // namespace

int main(int argc, char** argv)
{
    chooseOffscreenWithoutDisplay();
    qtMessages = qInstallMessageHandler(dropOffscreenSizeHintWarnings);
    events::ensurePrivateRuntimeDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nelvar"));

    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    for (const CommandLine::OptionName& option : CommandLine::allOptions())
        parser.addOption(QCommandLineOption(option.name, QString(), option.valueName));
    const bool parsed = parser.parse(QApplication::arguments());
    const QStringList words = parser.positionalArguments();
    if (!parsed) {
        if (const CommandLine::Command* command = words.isEmpty() ? nullptr : CommandLine::findCommand(words[0]))
            return refuse(parseFault(parser, *command), commandHint(*command));
        return refuse(parser.errorText(), CommandLine::usageText());
    }
    if (words.isEmpty()) {
        if (parser.isSet(helpOption)) {
            QTextStream(stdout) << CommandLine::programHelp();
            return 0;
        }
        if (!events::displayPresent())
            return refuse(QStringLiteral("without a command nelvar opens its main window, which needs a display"),
                          CommandLine::usageText());
        prepareHost(parser);
        return runMainWindow();
    }
    const CommandLine::Command* command = CommandLine::findCommand(words[0]);
    if (!command)
        return refuse(QStringLiteral("unknown command \"%1\"").arg(words[0]), CommandLine::usageText());
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << CommandLine::commandHelp(*command);
        return 0;
    }
    const QStringList arguments = words.mid(1);
    if (const QString misuse = misuseOf(*command, parser, arguments.size()); !misuse.isEmpty())
        return refuse(misuse, commandHint(*command));

    prepareHost(parser);

    QTextStream out(stdout);
    const QString outPath = parser.value(QStringLiteral("out"));
    if (command->name == QLatin1String("instrument"))
        return runInstrumentCommand(out);
    if (command->name == QLatin1String("tests"))
        return runTestsCommand(out);
    if (command->name == QLatin1String("settings"))
        return runSettingsCommand(out);
    if (command->name == QLatin1String("register"))
        return runRegisterCommand(arguments, out);
    if (command->name == QLatin1String("report"))
        return runReportCommand(arguments[0], outPath, out);
    if (command->name == QLatin1String("show")) {
        ShowOptions options{parser.value(QStringLiteral("picture")), std::nullopt,
                            parser.isSet(QStringLiteral("port"))};
        if (parser.isSet(QStringLiteral("tab")))
            options.tab = parser.value(QStringLiteral("tab"));
        return runShowCommand(arguments[0], arguments.value(1), options);
    }
    return runRunCommand(arguments[0], parser.value(QStringLiteral("minutes")),
                         {parser.isSet(QStringLiteral("auto")), parser.isSet(QStringLiteral("fullscreen"))}, outPath,
                         out);
}
