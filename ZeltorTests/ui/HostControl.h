#pragma once

#include "com/ClassRegistry.h"
#include "com/Failure.h"

#include <QString>

#include <memory>

namespace ZeltorTests {

// A host control created by its class name, or none when the host has none.
template <typename Control>
std::shared_ptr<Control> hostControl(const char* progId)
{
    std::shared_ptr<Control> control;
    com::ignoreFailure(
        [&] { control = com::ClassRegistry::instance().createAs<Control>(QString::fromLatin1(progId)); });
    return control;
}

} // namespace ZeltorTests
