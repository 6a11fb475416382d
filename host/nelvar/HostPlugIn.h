#pragma once

#include "com/Error.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IPlugIn;
class ITestElement;
}

namespace host {
class TestCollection;
}

// The registered class of the plug-in the host program runs.
inline const QString kPlugInClass = QStringLiteral("ZeltorPlugin.CZeltorPlugin");

// Creates the plug-in by its registered class; its library is loaded on first use. A class that
// cannot be created, here or while the plug-in is initialised, raises 429 with a description
// that tells how to register the plug-in's libraries.
std::shared_ptr<Nelvar::IPlugIn> createPlugIn();
// Initialises the plug-in, which reads its settings and builds its catalogue; raises what it raises.
void initializePlugIn(Nelvar::IPlugIn& plugIn);
// Creates the plug-in and initialises it; raises what either step raises.
std::shared_ptr<Nelvar::IPlugIn> startPlugIn();

// The plug-in's catalogue of tests, the host's own collection that the plug-in filled; raises 91
// when the plug-in has none.
const host::TestCollection& catalogue(const Nelvar::IPlugIn& plugIn);
// The tests of the plug-in's catalogue as one line: "100 Ventilator test, 200 Leakage test".
QString catalogueText(const Nelvar::IPlugIn& plugIn);

// A new test element of that test identifier, whose filter asks for a service record. When the
// plug-in cannot create it and its catalogue has no such test, the error (its number and source
// kept) says so and names the tests the catalogue has.
std::shared_ptr<Nelvar::ITestElement> createTest(Nelvar::IPlugIn& plugIn, int32_t testID);

// Tells the user on the error stream what failed and why: the error's description, then its
// number and source for the technician.
void printFailure(const QString& what, const com::Error& error);
