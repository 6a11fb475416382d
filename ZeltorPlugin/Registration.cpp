#include "CZeltorPlugin.h"
#include "XZeltorSettings.h"

#include "com/ClassRegistry.h"

// The plug-in object, which the host creates by its registered class, and the settings page,
// which the plug-in's dialog host form creates by its class name.
COM_REGISTER_CLASSES(registry)
{
    using namespace ZeltorPlugin;
    registry.add({kPlugInProgId, kPlugInClassId, [] { return std::make_shared<CZeltorPlugin>(); }});
    registry.add({kSettingsPageProgId, {}, [] { return std::make_shared<XZeltorSettings>(); }});
}
