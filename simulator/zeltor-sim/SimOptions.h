#pragma once

#include "SimulatorSettings.h"

#include <QString>
#include <QStringList>

namespace simulator {

struct ParsedOptions {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    QString message; // the help text, or what is wrong with the command line
    SimulatorSettings settings;
    // The pace of the line the instrument sends on, in baud; 0: everything at once.
    int32_t baudRate = 0;
};

// Reads zeltor-sim's command line (the program name first).
ParsedOptions parseOptions(const QStringList& arguments);

} // namespace simulator
