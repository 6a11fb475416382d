#pragma once

#include <QString>

namespace host {

// Raises 5 (invalid call) from `source` unless `name` is a valid XML element or attribute name,
// so that no saved record becomes unreadable.
void requireXmlName(const QString& name, const QString& source);

} // namespace host
