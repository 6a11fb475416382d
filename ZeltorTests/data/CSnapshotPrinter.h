#pragma once

#include <QString>

#include <cstdint>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace ZeltorTests {

class CZeltorMeasurementTable;

// Prints the graph of one waveform channel of a snapshot as a framed block on the report, in the
// trend block's layout without a legend: title, information line, time axis, value axis with the
// unit and the channel's curve (X in samples, 50 a second), in the channel's display unit. Blocks
// stack down the page. One printer serves every channel of every snapshot of a report.
class CSnapshotPrinter {
public:
    // Prints the block and moves the report's print position below it. A report that is no
    // page prints nothing. Failures end the part of the block they occur in; nothing is raised.
    void PrintSnapshot(const CZeltorMeasurementTable& table, const QString& title, int32_t startTime, int32_t length,
                       Nelvar::IReport& report);
};

} // namespace ZeltorTests
