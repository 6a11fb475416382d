#pragma once

#include "HostServices.h"

namespace host {

class UtilityService : public Nelvar::IUtilityService {
public:
    // The record text of the runtime's rules (format::valueToText).
    QString ValueToText(const com::Value& value) override;
    // The folder with a trailing "/", unless it already ends with one. An empty folder stays
    // empty, so that a file name appended to it stays relative instead of pointing at "/".
    QString AppendPathSeparator(const QString& folder) override;
};

} // namespace host
