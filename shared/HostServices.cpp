#include "HostServices.h"

#include "Xml.h"

namespace Nelvar {

namespace {

HostServices& installed()
{
    static HostServices services;
    return services;
}

template <typename Service>
Service& require(const std::shared_ptr<Service>& service, const char* name)
{
    if (!service)
        throw com::Error(com::errObjectNotSet, QString::fromLatin1(name),
                         com::Error::runtimeDescription(com::errObjectNotSet));
    return *service;
}

} // namespace

void installHostServices(HostServices services)
{
    installed() = std::move(services);
}

IErrorService& errorService() { return require(installed().error, "IErrorService"); }
ILanguageService& languageService() { return require(installed().language, "ILanguageService"); }
IUtilityService& utilityService() { return require(installed().utility, "IUtilityService"); }
IXmlService& xmlService() { return require(installed().xml, "IXmlService"); }

} // namespace Nelvar
