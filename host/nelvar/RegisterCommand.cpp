#include "RegisterCommand.h"

#include "ComponentLibraries.h"
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
            printFailure(QStringLiteral("%1 could not be registered").arg(path), error);
            status = 1;
        }
    }
    out.flush();
    return status;
}
