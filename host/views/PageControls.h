#pragma once

namespace com {
class ClassRegistry;
}

namespace host {

// Registers the view controls that the system's pages create by class name: the test-guide
// settings (Nelvar::kTestGuideSettingsProgId), the help text (Nelvar::kHelpTextProgId) and the
// limit page (Nelvar::kLimitViewProgId). Each creation makes a new widget without a parent.
void registerPageControls(com::ClassRegistry& classes);

} // namespace host
