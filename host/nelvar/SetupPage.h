#pragma once

#include <memory>

namespace Nelvar {
class IDialog;
class ISetup;
}

// The page of a settings object (the plug-in's settings or its control panel) for the host to
// dock; none when there is no object, it has no page, or its page cannot be made.
std::shared_ptr<Nelvar::IDialog> setupPage(Nelvar::ISetup* setup);
