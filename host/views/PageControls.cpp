#include "PageControls.h"

#include "HelpText.h"
#include "LimitView.h"
#include "SharedWidget.h"
#include "TestGuideSettings.h"

#include "HostViews.h"

#include "com/ClassRegistry.h"

namespace host {

namespace {

template <typename Widget>
com::ClassEntry creatableWidget(const char* progId)
{
    return {QString::fromLatin1(progId), {}, [] { return makeSharedWidget<Widget>(); }};
}

} // namespace

void registerPageControls(com::ClassRegistry& classes)
{
    classes.add(creatableWidget<TestGuideSettings>(Nelvar::kTestGuideSettingsProgId));
    classes.add(creatableWidget<HelpText>(Nelvar::kHelpTextProgId));
    classes.add(creatableWidget<LimitView>(Nelvar::kLimitViewProgId));
}

} // namespace host
