#pragma once

// `nelvar` without a command: loads the plug-in and shows the main window until the user closes
// it. Returns the exit status: 0, or 1 when the plug-in cannot be started.
int runMainWindow();

class QString;

// `nelvar show PAGE SUBJECT [--picture FILE]`: the main window with a sequence of test SUBJECT
// alone and its page (PAGE "config" the configuration page, "limits" the limit page) shown, or
// with the saved result file SUBJECT opened and its page shown (PAGE "result"); with a picture
// file, writes a PNG of the window into it and ends. Returns 0, 1 when the plug-in, the test, the
// result or the picture fails, or 2 for bad usage (another page, a malformed TEST_ID, no display
// without --picture). PAGE "settings" takes no SUBJECT (an empty one): the settings window as
// Tools > Settings… opens it, or its picture.
int runShowCommand(const QString& page, const QString& subject, const QString& picturePath);
