#pragma once

#include <QTextStream>

// `nelvar settings`: creates and initialises the plug-in, which loads its global settings from
// the registry, and prints the template file it was given and the values stored in its settings
// key. Returns the exit status.
int runSettingsCommand(QTextStream& out);
