#include "TestGuideTitle.h"

#include "testmodel/TestInfo.h"

#include "HostServices.h"
#include "TestElement.h"

namespace host {

QString testTitle(const std::shared_ptr<Nelvar::ITestElement>& element)
{
    if (!element)
        return {};
    const auto info = std::dynamic_pointer_cast<TestInfo>(element->Info());
    if (!info)
        return {};
    const QString name = info->Name().isEmpty() ? info->TypeName() : info->Name();
    return Nelvar::languageService().GetText(element->PlugInID(), name);
}

} // namespace host
