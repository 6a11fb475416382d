#include "RegisterCommand.h"

#include "ComponentLibraries.h"
#include "HostErrors.h"
#include "HostPlugIn.h"

#include "com/ClassRegistry.h"

int runRegisterCommand(const QStringList& libraries, QTextStream& out)
{
    QStringList paths = libraries;
    if (paths.isEmpty())
        for (const char* library : kComponentLibraries)
            paths << QString::fromLocal8Bit(library);
    int status = 0;
    for (const QString& path : paths) {
        try {
            com::ClassRegistry::instance().registerServer(path);
            out << "Registered " << path << '\n';
        } catch (const com::Error& error) {
            out.flush();
            // The registry fails every library alike: that is said once, and no further one is tried.
            const bool registryFailed = error.number() == host::errors::kRegistryFileError;
            const bool othersFollow = registryFailed && &path != &paths.back();
            printFailure((othersFollow ? QStringLiteral("%1 could not be registered, nor the libraries after it")
                                       : QStringLiteral("%1 could not be registered"))
                             .arg(path),
                         error);
            if (registryFailed)
                return 1;
            status = 1;
        }
    }
    out.flush();
    return status;
}
