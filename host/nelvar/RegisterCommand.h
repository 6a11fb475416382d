#pragma once

#include <QStringList>
#include <QTextStream>

// `nelvar register [LIBRARY...]`: self-registration of the named component libraries, or of all
// of this build's, in the host's registry, so that their classes are created by name and their
// libraries loaded on first use. Returns the exit status.
int runRegisterCommand(const QStringList& libraries, QTextStream& out);
