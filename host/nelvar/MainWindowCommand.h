#pragma once

#include <QString>

#include <optional>

// `nelvar` without a command: loads the plug-in and shows the main window until the user closes
// it. Returns the exit status: 0, or 1 when the plug-in cannot be started.
int runMainWindow();

// What `nelvar show` was given besides its page and subject.
struct ShowOptions {
    // The PNG to write; empty: the window stays shown until the user closes it.
    QString picturePath;
    // The tab of the control panel to show, as --tab gives it: "settings" or "views".
    std::optional<QString> tab;
    // Whether --port names the instrument's port (the configured port then is that one).
    bool portGiven = false;
};

// `nelvar show PAGE SUBJECT [--picture FILE]`: the main window with a sequence of test SUBJECT
// alone and its page (PAGE "config" the configuration page, "limits" the limit page) shown, or
// with the saved result file SUBJECT opened and its page shown (PAGE "result"); with a picture
// file, writes a PNG of the window into it and ends. Returns 0, 1 when the plug-in, the test, the
// result or the picture fails, or 2 for bad usage (another page, a malformed TEST_ID, no display
// without --picture). PAGE "settings" takes no SUBJECT (an empty one): the settings window as
// Tools > Settings… opens it, or its picture. PAGE "control-panel" takes no SUBJECT either: the
// instrument control panel window on the configured port (bad usage without one) as Tools >
// Instrument control panel… opens it, on the tab that options.tab names (the settings tab when
// none); it alone takes --tab and --port. Its tab shows what the instrument holds, its settings
// or its slots: with a picture, 1 when they could not be read.
int runShowCommand(const QString& page, const QString& subject, const ShowOptions& options);
