#include "HostPlugIn.h"

#include "PlugIn.h"

#include "com/ClassRegistry.h"

#include <QTextStream>

std::shared_ptr<Nelvar::IPlugIn> createPlugIn()
{
    try {
        return com::ClassRegistry::instance().createAs<Nelvar::IPlugIn>(kPlugInClass);
    } catch (const com::Error& error) {
        if (error.number() != com::errCannotCreateObject)
            throw;
        throw com::Error(error.number(), error.source(),
                         error.description() + QStringLiteral("; `nelvar register` registers the plug-in"));
    }
}

std::shared_ptr<Nelvar::IPlugIn> startPlugIn()
{
    const auto plugIn = createPlugIn();
    plugIn->Initialize(nullptr);
    return plugIn;
}

void printFailure(const QString& what, const com::Error& error)
{
    QTextStream err(stderr);
    err << "nelvar: " << what << " (error " << com::errorNumberText(error.number());
    if (!error.source().isEmpty())
        err << " in " << error.source();
    if (!error.description().isEmpty())
        err << ": " << error.description();
    err << ")\n";
}
