#pragma once

#include "Report.h"

namespace host {

// The report that a record prints itself into.
class HostReport final : public Nelvar::IReport {
public:
    explicit HostReport(int32_t printOptions = 0) : m_printOptions(printOptions) {}

    QString GetText(const QString& product, const QString& key, const QStringList& arguments = {}) override;
    int32_t PrintOptions() const override { return m_printOptions; }

private:
    int32_t m_printOptions;
};

} // namespace host
