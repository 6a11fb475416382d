#pragma once

#include <QString>

namespace Zeltor {

// The text of one value of the settings key, read through a new host registry object. A missing
// key or value, or a host without a registry, raises the error the host reports; every caller
// catches it and keeps its default.
QString readSettingsValue(const QString& name);

} // namespace Zeltor
