#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The host program's commands as the command line offers them: what each takes, and the usage
// and help texts that tell the user so.
namespace CommandLine {

// One option as a command uses it: its name ("minutes"), how it is written in a synopsis
// ("--minutes N") and what it does for that command.
struct OptionUse {
    QString name;
    QString synopsis;
    QString help;
    bool required = false;
};

struct Command {
    QString name;
    // The words after the command's name in its synopsis ("TEST_ID", "[LIBRARY...]").
    QString arguments;
    int minimumArguments = 0;
    int maximumArguments = 0; // -1: any number
    std::vector<OptionUse> options;
    // One line for the program's usage, and the paragraphs of the command's own help.
    QString summary;
    QString help;

    const OptionUse* option(const QString& optionName) const;
    // "nelvar run TEST_ID [--port PATH|sim] [--minutes N] [--auto] [--out DIR]"; an option the
    // command needs (report's --out) is written without brackets.
    QString synopsis() const;
};

// The options every command may be given, as the parser knows them: name and value name (empty
// for a flag).
struct OptionName {
    QString name;
    QString valueName;
};
const std::vector<OptionName>& allOptions();

const std::vector<Command>& commands();
// The command of that name, or none.
const Command* findCommand(const QString& name);

// The program's usage: every command with its arguments and options, one a line.
QString usageText();
// The program's help: usage, then the environment it reads.
QString programHelp();
// A command's help: its synopsis, what it does and each of its options.
QString commandHelp(const Command& command);

} // namespace CommandLine
