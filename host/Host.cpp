#include "Host.h"

#include "instruments/InstrumentInfo.h"
#include "registry/FileRegistry.h"
#include "registry/RegistryClassStore.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "services/UtilityService.h"
#include "standards/Limit.h"
#include "standards/Standard.h"
#include "standards/StandardsCollection.h"
#include "testmodel/ServiceRecord.h"
#include "testmodel/TestCollection.h"
#include "testmodel/TestElementBase.h"
#include "testmodel/TestGuideConfig.h"
#include "views/PageControls.h"
#include "views/Views.h"
#include "xml/XmlService.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Registry.h"
#include "RunContext.h"
#include "Standards.h"
#include "TestElement.h"
#include "Tests.h"

#include "com/ClassRegistry.h"

namespace host {

namespace {

const Nelvar::HostServices& hostServices()
{
    static const Nelvar::HostServices services{
        std::make_shared<ErrorService>(),
        std::make_shared<LanguageService>(),
        std::make_shared<UtilityService>(),
        std::make_shared<XmlService>(),
    };
    return services;
}

// A creatable class whose every creation makes a new object.
template <typename Class>
com::ClassEntry creatable(const QString& progId, const QString& classId = {})
{
    return {progId, classId, [] { return std::make_shared<Class>(); }};
}

} // namespace

void installHost()
{
    Nelvar::installHostServices(hostServices());

    com::ClassRegistry& classes = com::ClassRegistry::instance();
    classes.add(creatable<FileRegistry>(QString::fromLatin1(Nelvar::kRegistryProgId)));
    classes.add(creatable<InstrumentInfo>(kInstrumentInfoProgId, QString::fromLatin1(Nelvar::kInstrumentInfoClassId)));
    classes.add(creatable<TestElementBase>(QString::fromLatin1(Nelvar::kTestElementBaseProgId)));
    classes.add(creatable<TestCollection>(QString::fromLatin1(Nelvar::kTestCollectionProgId)));
    classes.add(creatable<ServiceRecord>(QString::fromLatin1(Nelvar::kServiceRecordProgId)));
    classes.add(creatable<TestGuideConfig>(QString::fromLatin1(Nelvar::kTestGuideConfigProgId)));
    classes.add(creatable<Standards>(QString::fromLatin1(Nelvar::kStandardsProgId)));
    classes.add(creatable<Standard>(QString::fromLatin1(Nelvar::kStandardProgId)));
    classes.add(creatable<Limit>(QString::fromLatin1(Nelvar::kLimitProgId)));
    registerPageControls(classes);
    classes.setStore(std::make_shared<RegistryClassStore>());
    installTestGuideViews();
}

} // namespace host
