#pragma once

#include "com/ClassRegistry.h"
#include "com/Failure.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace Zeltor {

// A host control created by its class name and placed in `parent`, or none when the host has none.
// The control is a component object: it goes with its last holder or with its parent, whichever
// goes first.
template <typename Control>
std::shared_ptr<Control> hostControl(const char* progId, QWidget& parent)
{
    std::shared_ptr<Control> control;
    com::ignoreFailure(
        [&] { control = com::ClassRegistry::instance().createAs<Control>(QString::fromLatin1(progId)); });
    if (control)
        control->setParent(&parent);
    return control;
}

} // namespace Zeltor
