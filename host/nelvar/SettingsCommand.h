#pragma once

#include <QTextStream>

// `nelvar settings`: creates and initialises the plug-in, which loads its global settings from
// the registry, and prints the template file it was given, its global settings as it loaded
// them (display units by their unit texts) and the other values stored in its settings key.
// The host learns the loaded settings by letting the plug-in's settings object store itself
// into an empty registry of its own; the host's registry is not changed. Returns the exit status.
int runSettingsCommand(QTextStream& out);
