#include "elements/ResultReportTable.h"

#include "data/CMeasurement.h"

#include "Product.h"
#include "Report.h"

#include <QStringList>

namespace ZeltorTests {

namespace {

// The argument of PrintWidth that the table's width comes from.
constexpr int32_t kPrintWidthArgument = 10;
// The columns of fixed width: the indent, the caption and the margin after the unit.
constexpr int32_t kIndentWidth = 560;
constexpr int32_t kCaptionWidth = 2240;
constexpr int32_t kFixedWidths = kIndentWidth + kCaptionWidth + kIndentWidth;

} // namespace

void printResultTable(Nelvar::IReport& report, const com::KeyedCollection<std::shared_ptr<CMeasurement>>& measurements)
{
    QStringList headings;
    for (const char* key :
         {"312::Result:", "20503::Maximum value:", "20504::Minimum value:", "20505::Average value:", "234::Unit"})
        headings << report.GetText(Zeltor::kProduct, QString::fromLatin1(key));
    int32_t printWidth = 0;
    report.PrintWidth(kPrintWidthArgument, printWidth);
    const int32_t valueWidth = (printWidth - kFixedWidths) / 4;
    const QString format = QStringLiteral("<+%1|<%2|>+%3|>+%3|>+%3|^+!%3|<+%1;")
                               .arg(kIndentWidth)
                               .arg(kCaptionWidth)
                               .arg(valueWidth);
    QString header;
    for (const QString& heading : headings)
        header += QStringLiteral("|{\\i\\b ") + heading + QLatin1Char('}');
    header += QLatin1Char(';');

    QString body;
    for (const auto& measurement : measurements)
        body += measurement->ReportRow(report);
    if (body.isEmpty())
        return;
    report.setTableOptionA(7);
    report.setTableOptionB(0);
    report.setTableOptionC(1);
    report.PrintTable(format, header, body, 0, 0, 0);
}

} // namespace ZeltorTests
