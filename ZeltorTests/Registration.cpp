#include "CTestVentilator.h"
#include "CTestZeltor.h"

#include "com/ClassRegistry.h"

// The test elements, created by the plug-in by the class names of its template file.
COM_REGISTER_CLASSES(registry)
{
    registry.add({ZeltorTests::kTestVentilatorProgId, {}, [] { return ZeltorTests::CTestVentilator::create(); }});
    registry.add({ZeltorTests::kTestZeltorProgId, {}, [] { return ZeltorTests::CTestZeltor::create(); }});
}
