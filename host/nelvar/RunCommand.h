#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// `nelvar run TEST_ID [--minutes N] [--auto] [--out DIR]`: creates the plug-in by its registered
// class, initialises it, creates the test (with a duration of N minutes when given) and performs
// it as a one-test sequence in the test's own window. With `autoOperate` the host presses the
// window's "play" once it is shown and its "next" once the run has stopped. Then it writes into
// the output folder (default: the current one) the saved test element with its result
// ("result.xml"), its printed report ("report.pdf") and the picture of the window taken while the
// run went ("test-guide.png"). `arguments` are the words after "run"; `minutes` is empty when
// not given. Returns the exit status: 0 when a result was handed to the run context and all
// three files were written, 1 when not, 2 for a missing or malformed argument.
int runRunCommand(const QStringList& arguments, const QString& minutes, bool autoOperate, const QString& outDir,
                  QTextStream& out);
