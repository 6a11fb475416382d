#include "Settings.h"

#include "Product.h"
#include "Registry.h"

#include "com/ClassRegistry.h"

namespace Zeltor {

QString readSettingsValue(const QString& name)
{
    const auto registry =
        com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, kSettingsKey);
    return registry->GetValue(name);
}

} // namespace Zeltor
