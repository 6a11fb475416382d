#pragma once

namespace com {
class ClassRegistry;
}

namespace ZeltorVTI {

// Adds the library's creatable classes to a class registry.
void registerClasses(com::ClassRegistry& registry);

} // namespace ZeltorVTI
