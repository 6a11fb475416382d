#pragma once

#include "com/Object.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace Nelvar {

// The host's report that records print themselves into.
class IReport : public virtual com::Object {
public:
    // Option bits of the report being printed.
    enum PrintOption : int32_t {
        proDetails = 8,          // detail printing; PrintLevel says how much
        proFailedResultsOnly = 16,
    };

    // The translated text of a language key, for the report.
    virtual QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) = 0;
    virtual int32_t PrintOptions() const = 0;
};

} // namespace Nelvar
