#include "CommandLine.h"

#include "TestDuration.h"

#include <QTextStream>

#include <algorithm>

namespace CommandLine {

namespace {

const OptionUse kPort{QStringLiteral("port"), QStringLiteral("--port PATH|sim"),
                      QStringLiteral("The instrument's serial device (38400 baud, odd parity, 8 data bits, 1 stop "
                                     "bit), or 'sim' for the built-in simulated instrument (default: $ZELTOR_PORT).")};

std::vector<Command> makeCommands()
{
    return {
        {QStringLiteral("register"), QStringLiteral("[LIBRARY...]"), 0, -1, {},
         QStringLiteral("register component libraries (default: this build's)"),
         QStringLiteral("Registers the component libraries named, or this build's when none is named, in the host's "
                        "registry, so that their classes are created by name and their libraries loaded on first "
                        "use. Run it once before the other commands.")},
        {QStringLiteral("tests"), {}, 0, 0, {}, QStringLiteral("list the plug-in's tests"),
         QStringLiteral("Loads the plug-in and lists the tests of its catalogue, each with its number (the TEST_ID "
                        "of `nelvar run`), its name and its description.")},
        {QStringLiteral("settings"), {}, 0, 0, {},
         QStringLiteral("show the plug-in's template file and global settings"),
         QStringLiteral("Loads the plug-in and shows the test template file it reads and its global settings as it "
                        "loaded them from the registry (units by their texts), then the other values stored in its "
                        "settings key.")},
        {QStringLiteral("instrument"), {}, 0, 0, {kPort},
         QStringLiteral("show the instrument's identity and parameter views"),
         QStringLiteral("Connects to the instrument and shows its name, serial number and firmware version and the "
                        "parameter views stored in its display slots.")},
        {QStringLiteral("run"), QStringLiteral("TEST_ID"), 1, 1,
         {kPort,
          {QStringLiteral("minutes"), QStringLiteral("--minutes N"),
           QStringLiteral("The test's duration in whole minutes, at most %1; 0 runs until the test is stopped "
                          "(default: the \"Duration\" value of the plug-in's settings key, 60 minutes when none is "
                          "stored).")
               .arg(Zeltor::kMaximumDurationMinutes)},
          {QStringLiteral("auto"), QStringLiteral("--auto"),
           QStringLiteral("Nobody at the window: the host presses \"play\" once the window is shown and \"next\" "
                          "once the run has stopped, and message boxes go to the terminal. Without a display "
                          "a test runs only so.")},
          {QStringLiteral("fullscreen"), QStringLiteral("--fullscreen"),
           QStringLiteral("The ventilator test only: the window switches to its full-screen live view once the run "
                          "goes. With --auto the host also takes one snapshot eight seconds into the run (halfway "
                          "through a shorter one) and writes a picture of the view just after (fullscreen.png); the "
                          "window goes back to normal when the run has stopped.")},
          {QStringLiteral("out"), QStringLiteral("--out DIR"),
           QStringLiteral("The folder for the test's files, created when missing (default: the current folder). "
                          "It must be writable: the command checks it before the test runs.")}},
         QStringLiteral("perform a test in its window and write its result, report and picture"),
         QStringLiteral("Performs test TEST_ID (see `nelvar tests`: 100 the ventilator test, 200 to 500 the "
                        "single-reading tests) in its test guide window and writes into DIR the saved test with its "
                        "result (result.xml), its printed report (report.pdf) and a picture of the window "
                        "(test-guide.png).\n\n"
                        "Exit status: 0 the test passed; 3 it failed or was cut off (its result is written all the "
                        "same); 1 it handed no result or its files could not be written; 2 bad usage, an output "
                        "folder that cannot be written, or no display without --auto.")},
        {QStringLiteral("report"), QStringLiteral("RESULT.xml"), 1, 1,
         {{QStringLiteral("out"), QStringLiteral("--out REPORT.pdf"), QStringLiteral("The PDF file to print to."), true}},
         QStringLiteral("print a saved result into a PDF file"),
         QStringLiteral("Prints a saved result into an A4 PDF file: the table of its measurements, then its trend "
                        "graphs and the snapshot waveforms whose print flags are set. RESULT.xml holds a test saved "
                        "by `nelvar run` (printed whole, under the test's heading) or a ventilator test's bare "
                        "\"ResultItem\".")},
        {QStringLiteral("show"),
         QStringLiteral("config|limits TEST_ID | result RESULT.xml | settings | control-panel"), 1, 2,
         {{QStringLiteral("port"), QStringLiteral("--port PATH|sim"),
           QStringLiteral("control-panel only: the instrument's serial device, or 'sim' for the built-in simulated "
                          "instrument (default: $ZELTOR_PORT); one of the two is needed.")},
          {QStringLiteral("tab"), QStringLiteral("--tab settings|views"),
           QStringLiteral("control-panel only: the tab to show, the instrument's settings (operator, "
                          "establishment, serial number) or the parameter views in its slots (default: settings).")},
          {QStringLiteral("picture"), QStringLiteral("--picture FILE"),
           QStringLiteral("Writes a PNG picture of the window into FILE and ends, instead of waiting for the user; "
                          "it needs no display.")}},
         QStringLiteral("open the main window on a test's configuration or limit page, or a result's page, or "
                        "the settings or instrument control panel window"),
         QStringLiteral("Opens the main window with a sequence of test TEST_ID alone and its configuration page "
                        "(config) or limit page (limits) shown, or with the saved result RESULT.xml opened and its "
                        "page shown (result), or the plug-in's settings window as Tools > Settings… opens it "
                        "(settings: OK stores the settings, Cancel drops the edits), or its instrument control "
                        "panel as Tools > Instrument control panel… opens it on the port of --port (control-panel: "
                        "the tab shows the instrument's settings or lists its slots as it is shown; what the user applies or "
                        "uploads goes to the instrument at once), and waits for the user to close it (this needs "
                        "a display), or, with --picture, writes a picture of the window and ends.\n\n"
                        "Exit status: 0 shown or written; 1 the plug-in, the test, the result or the picture "
                        "failed, or the instrument's settings or slots could not be read; 2 bad usage.")},
    };
}

// The text broken into lines of at most `width` characters, each indented by `indent` spaces;
// "\n\n" separates paragraphs.
QString wrapped(const QString& text, int indent, int width = 79)
{
    const QString margin(indent, QLatin1Char(' '));
    QStringList lines;
    for (const QString& paragraph : text.split(QStringLiteral("\n\n"))) {
        if (!lines.isEmpty())
            lines << QString();
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && margin.size() + line.size() + 1 + word.size() > width) {
                lines << margin + line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines << margin + line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

const OptionUse* Command::option(const QString& optionName) const
{
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const OptionUse& use) { return use.name == optionName; });
    return found == options.end() ? nullptr : &*found;
}

QString Command::synopsis() const
{
    QString text = QStringLiteral("nelvar ") + name;
    if (!arguments.isEmpty())
        text += QLatin1Char(' ') + arguments;
    for (const OptionUse& use : options)
        text += use.required ? QLatin1Char(' ') + use.synopsis : QStringLiteral(" [%1]").arg(use.synopsis);
    return text;
}

const std::vector<OptionName>& allOptions()
{
    static const std::vector<OptionName> options{
        {QStringLiteral("port"), QStringLiteral("PATH|sim")},
        {QStringLiteral("out"), QStringLiteral("DIR|REPORT.pdf")},
        {QStringLiteral("minutes"), QStringLiteral("N")},
        {QStringLiteral("auto"), {}},
        {QStringLiteral("fullscreen"), {}},
        {QStringLiteral("picture"), QStringLiteral("FILE")},
        {QStringLiteral("tab"), QStringLiteral("settings|views")},
    };
    return options;
}

const std::vector<Command>& commands()
{
    static const std::vector<Command> all = makeCommands();
    return all;
}

const Command* findCommand(const QString& name)
{
    const auto& all = commands();
    const auto found = std::find_if(all.begin(), all.end(), [&](const Command& command) { return command.name == name; });
    return found == all.end() ? nullptr : &*found;
}

QString usageText()
{
    QString text;
    QTextStream out(&text);
    out << "Usage: nelvar COMMAND [ARGUMENTS] [OPTIONS]\n\n";
    out << "  nelvar\n      open the main window: the plug-in's tests, a test sequence, its run and results\n";
    for (const Command& command : commands())
        out << "  " << command.synopsis() << "\n      " << command.summary << '\n';
    out << "  nelvar COMMAND --help\n      that command's help\n";
    return text;
}

QString programHelp()
{
    return QStringLiteral("The Nelvar test host with the Zeltor plug-in.\n\n") + usageText()
           + QStringLiteral("\nEnvironment:\n"
                            "  NELVAR_REGISTRY  the host's registry file (default: ~/.config/nelvar/registry.json)\n"
                            "  ZELTOR_PORT      the instrument's port when --port is not given\n");
}

QString commandHelp(const Command& command)
{
    QString text;
    QTextStream out(&text);
    out << "Usage: " << command.synopsis() << "\n\n" << wrapped(command.help, 0);
    if (!command.options.empty()) {
        out << "\nOptions:\n";
        for (const OptionUse& use : command.options)
            out << "  " << use.synopsis << '\n' << wrapped(use.help, 6);
    }
    return text;
}

} // namespace CommandLine
