#include "elements/CTestVentilator.h"
#include "elements/CTestZeltor.h"
#include "ui/FDialogWrapper.h"
#include "ui/FZeltorTestGuide.h"
#include "elements/PageDialog.h"
#include "ui/XConfigDialog.h"
#include "ui/XConfigVentilatorDialog.h"
#include "ui/XDetailedResultView.h"
#include "ui/XDetailedResultZeltor.h"

#include "com/ClassRegistry.h"

// The test elements, created by the plug-in by the class names of its template file; the dialog
// host form and the test guide window, created by the elements by their class names; and the
// pages, created by the dialog host form by their class names.
COM_REGISTER_CLASSES(registry)
{
    registry.add({ZeltorTests::kTestVentilatorProgId, {}, [] { return ZeltorTests::CTestVentilator::create(); }});
    registry.add({ZeltorTests::kTestZeltorProgId, {}, [] { return ZeltorTests::CTestZeltor::create(); }});
    registry.add(
        {ZeltorTests::kDialogWrapperProgId, {}, [] { return std::make_shared<ZeltorTests::FDialogWrapper>(); }});
    registry.add(
        {ZeltorTests::kTestGuideWindowProgId, {}, [] { return std::make_shared<ZeltorTests::FZeltorTestGuide>(); }});
    registry.add({ZeltorTests::kConfigDialogProgId, {}, [] { return std::make_shared<ZeltorTests::XConfigDialog>(); }});
    registry.add({ZeltorTests::kConfigVentilatorDialogProgId, {},
                  [] { return std::make_shared<ZeltorTests::XConfigVentilatorDialog>(); }});
    registry.add({ZeltorTests::kDetailedResultViewProgId, {},
                  [] { return std::make_shared<ZeltorTests::XDetailedResultView>(); }});
    registry.add({ZeltorTests::kDetailedResultZeltorProgId, {},
                  [] { return std::make_shared<ZeltorTests::XDetailedResultZeltor>(); }});
}
