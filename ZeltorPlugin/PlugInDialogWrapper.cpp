#include "PlugInDialogWrapper.h"

#include "com/Failure.h"
#include "com/Value.h"

namespace ZeltorPlugin {

std::shared_ptr<Nelvar::IDialog> createPageDialog(const QString& pageProgId, const com::Value& data)
{
    std::shared_ptr<FDialogWrapper> form;
    com::ignoreFailure([&] {
        auto newForm = std::make_shared<FDialogWrapper>();
        if (newForm->CreateSetupCtrl(pageProgId)) {
            newForm->Initialize(data);
            form = std::move(newForm);
        }
    });
    return form;
}

} // namespace ZeltorPlugin
