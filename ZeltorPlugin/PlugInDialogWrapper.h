#pragma once

#include "DialogHostForm.h"

#include <QString>

#include <memory>

namespace com {
class Value;
}

namespace ZeltorPlugin {

// The plug-in library's dialog host form (its own header name, as the test library has an
// FDialogWrapper.h of its own): the shared form as it stands. It raises no events and
// hands the host's callback to its page without listening to it.
using FDialogWrapper = Zeltor::DialogHostForm;

// A new form holding a page of that class, initialised with `data`; none, and no error, when any
// step fails.
std::shared_ptr<Nelvar::IDialog> createPageDialog(const QString& pageProgId, const com::Value& data);

} // namespace ZeltorPlugin
