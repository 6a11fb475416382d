#include "CZeltorControlPanel.h"

#include "PlugInDialogWrapper.h"

#include "com/Value.h"

namespace ZeltorPlugin {

std::shared_ptr<Nelvar::IDialog> CZeltorControlPanel::CreateDialog()
{
    const std::shared_ptr<CZeltorControlPanel> self = weak_from_this().lock();
    return self ? createPageDialog(kControlPanelPageProgId, com::Value(self)) : nullptr;
}

} // namespace ZeltorPlugin
