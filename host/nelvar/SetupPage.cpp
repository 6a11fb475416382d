#include "SetupPage.h"

#include "Dialogs.h"
#include "PlugIn.h"

#include "com/Error.h"

std::shared_ptr<Nelvar::IDialog> setupPage(Nelvar::ISetup* setup)
{
    try {
        if (setup && setup->HasDialog())
            return setup->CreateDialog();
    } catch (const com::Error&) {
        // A page that cannot be made is no page; the window shows none.
    }
    return nullptr;
}
