#pragma once

#include "DialogHostForm.h"

namespace ZeltorPlugin {

// The plug-in library's dialog host form (its own header name, as the test library has an
// FDialogWrapper.h of its own): the shared form as it stands. It raises no events and
// hands the host's callback to its page without listening to it.
using FDialogWrapper = Zeltor::DialogHostForm;

} // namespace ZeltorPlugin
