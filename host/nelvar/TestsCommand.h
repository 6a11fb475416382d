#pragma once

#include <QTextStream>

// `nelvar tests`: creates the plug-in by its registered class, initialises it and lists its
// catalogue: each test's identifier, name and description. Returns the exit status.
int runTestsCommand(QTextStream& out);
