#pragma once

#include "com/Error.h"

#include <QString>

#include <memory>

namespace Nelvar {
class IPlugIn;
}

// The registered class of the plug-in the host program runs.
inline const QString kPlugInClass = QStringLiteral("ZeltorPlugin.CZeltorPlugin");

// Creates the plug-in by its registered class; its library is loaded on first use.
std::shared_ptr<Nelvar::IPlugIn> createPlugIn();
// Creates the plug-in and initialises it; raises what either step raises.
std::shared_ptr<Nelvar::IPlugIn> startPlugIn();

// Tells the user on the error stream what failed and the error that made it fail.
void printFailure(const QString& what, const com::Error& error);
