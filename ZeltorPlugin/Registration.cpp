#include "CZeltorControlPanel.h"
#include "CZeltorPlugin.h"
#include "XZeltorControlPanel.h"
#include "XZeltorSettings.h"

#include "com/ClassRegistry.h"

// The plug-in object, which the host creates by its registered class, and the settings page and
// the control panel page, which the plug-in's dialog host form creates by their class names.
COM_REGISTER_CLASSES(registry)
{
    using namespace ZeltorPlugin;
    registry.add({kPlugInProgId, kPlugInClassId, [] { return std::make_shared<CZeltorPlugin>(); }});
    registry.add({kSettingsPageProgId, {}, [] { return std::make_shared<XZeltorSettings>(); }});
    registry.add({kControlPanelProgId, {}, [] { return std::make_shared<CZeltorControlPanel>(); }});
    registry.add({kControlPanelPageProgId, {}, [] { return std::make_shared<XZeltorControlPanel>(); }});
}
