#pragma once

#include <QTextStream>

// `nelvar instrument`: enters remote mode, prints the instrument's identity and its parameter-view
// slots, and leaves remote mode again. Returns the exit status.
int runInstrumentCommand(QTextStream& out);
