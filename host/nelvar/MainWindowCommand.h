#pragma once

// `nelvar` without a command: loads the plug-in and shows the main window until the user closes
// it. Returns the exit status: 0, or 1 when the plug-in cannot be started.
int runMainWindow();
