#include "PageDialog.h"

#include "FDialogWrapper.h"

#include "com/Error.h"

namespace ZeltorTests {

std::shared_ptr<Nelvar::IDialog> openPageDialog(const QString& pageClass, const com::Value& data)
{
    try {
        auto form = std::make_shared<FDialogWrapper>();
        if (!form->CreateSetupCtrl(pageClass))
            return nullptr;
        form->Initialize(data);
        return form;
    } catch (const com::Error&) {
        return nullptr;
    }
}

} // namespace ZeltorTests
