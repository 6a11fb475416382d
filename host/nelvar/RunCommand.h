#pragma once

#include <QString>
#include <QTextStream>

// `nelvar run TEST_ID [--minutes N] [--auto] [--out DIR]`: creates the plug-in by its registered
// class, initialises it, creates the test (with a duration of N minutes when given) and performs
// it as a one-test sequence in the test's own window. With `autoOperate` the host presses the
// window's "play" once it is shown and its "next" once the run has stopped; without a display a
// test runs only so. Then it writes into the output folder (default: the current one) the saved
// test element with its result ("result.xml"), its printed report ("report.pdf") and the picture
// of the window taken once the run had stopped ("test-guide.png"). SIGINT or SIGTERM stops the
// run as the window's "stop" does, and the files are written as usual; a test not yet started is
// abandoned; a second signal ends the program at once (status 130 or 143). `minutes` is empty
// when not given. Returns the exit status:
// - 0: the test passed (its result's status is pass) and the three files were written;
// - 3: the test failed or was cut off (any other status), with the three files written;
// - 1: the test handed no result, could not be created or run, or a file could not be written;
// - 2: bad usage, refused before anything runs: a malformed TEST_ID or --minutes, an output
//   folder that cannot be written, no display without `autoOperate`, or `fullscreen` for a test
//   other than the ventilator test.
struct RunOptions {
    bool autoOperate = false;
    // The ventilator test's full-screen live view; with `autoOperate` a snapshot and the view's
    // picture ("fullscreen.png") too.
    bool fullscreen = false;
};
int runRunCommand(const QString& testID, const QString& minutes, const RunOptions& options, const QString& outDir,
                  QTextStream& out);
