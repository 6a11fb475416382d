#include "elements/PageDialog.h"

#include "elements/DialogWrapper.h"

#include "com/ClassRegistry.h"
#include "com/Error.h"

namespace ZeltorTests {

std::shared_ptr<Nelvar::IDialog> openPageDialog(const QString& pageClass, const com::Value& data)
{
    try {
        auto form = com::ClassRegistry::instance().createAs<IDialogWrapper>(kDialogWrapperProgId);
        if (!form->CreateSetupCtrl(pageClass))
            return nullptr;
        form->Initialize(data);
        return form;
    } catch (const com::Error&) {
        return nullptr;
    }
}

} // namespace ZeltorTests
