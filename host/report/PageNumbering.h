#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace host {

// Prints a report into a PDF file with every page numbered "page N of M": `print` runs twice,
// first into a scratch report that counts the pages, then into the file. Returns the number of
// pages. Raises 75 when the file cannot be written (before anything prints) or was not written,
// and what `print` raises.
int32_t printNumberedReport(const QString& pdfFileName, int32_t printOptions, int32_t printLevel,
                            const std::function<void(const std::shared_ptr<Nelvar::IReport>& report)>& print);

} // namespace host
