#pragma once

#include <QString>

namespace host {

// ProgID of the host's instrument record (its class identifier is Nelvar::kInstrumentInfoClassId).
inline const QString kInstrumentInfoProgId = QStringLiteral("Nelvar.InstrumentInfo");

// Makes the stand-in host available to the system: installs its error, language, utility and
// XML services, registers its creatable classes (the registry object, the instrument record,
// the element base, test collection, service record, test-guide settings, standards, standard
// and limit, and the view controls that pages create by class name: the test-guide settings,
// the help text and the limit page; each creation makes a new object) with com::ClassRegistry::instance(), and makes
// the registry file the class registry's store; it also installs the test-guide services and
// controls that a test's window places. The services are the same objects on every call, so calling it
// again only puts them back in place.
void installHost();

} // namespace host
