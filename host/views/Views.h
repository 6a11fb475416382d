#pragma once

namespace host {

// Installs the host's test-guide library: its services object and the wizard, status bar and
// progress sphere that a test's window places.
void installTestGuideViews();

} // namespace host
