#include "Host.h"

#include "instruments/InstrumentInfo.h"
#include "registry/FileRegistry.h"
#include "registry/RegistryClassStore.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "services/UtilityService.h"
#include "xml/XmlService.h"

#include "HostServices.h"
#include "Instruments.h"
#include "Registry.h"

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

} // namespace

void installHost()
{
    Nelvar::installHostServices(hostServices());

    com::ClassRegistry& classes = com::ClassRegistry::instance();
    classes.add({QString::fromLatin1(Nelvar::kRegistryProgId), QString(),
                 [] { return std::make_shared<FileRegistry>(); }});
    classes.add({kInstrumentInfoProgId, QString::fromLatin1(Nelvar::kInstrumentInfoClassId),
                 [] { return std::make_shared<InstrumentInfo>(); }});
    classes.setStore(std::make_shared<RegistryClassStore>());
}

} // namespace host
