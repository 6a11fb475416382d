#include "Registration.h"

#include "CParameterView.h"

#include "com/ClassRegistry.h"

namespace ZeltorVTI {

void registerClasses(com::ClassRegistry& registry)
{
    registry.add({kParameterViewProgId, kParameterViewClassId, [] { return std::make_shared<CParameterView>(); }});
}

} // namespace ZeltorVTI

COM_REGISTER_CLASSES(registry)
{
    ZeltorVTI::registerClasses(registry);
}
