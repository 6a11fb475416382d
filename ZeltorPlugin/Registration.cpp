#include "CZeltorPlugin.h"

#include "com/ClassRegistry.h"

// The plug-in object, which the host creates by its registered class.
COM_REGISTER_CLASSES(registry)
{
    using namespace ZeltorPlugin;
    registry.add({kPlugInProgId, kPlugInClassId, [] { return std::make_shared<CZeltorPlugin>(); }});
}
