#include "report/RunSummary.h"

#include "testmodel/ResultStatus.h"
#include "testmodel/ServiceRecord.h"

#include "Measurement.h"
#include "Report.h"
#include "TestElement.h"

#include <QStringList>

namespace host {

namespace {

constexpr float kVerdictSize = 10.0f;
constexpr float kDetailSize = 9.0f;
constexpr int32_t kGapBelow = 140;
const QString kNotPassed = QStringLiteral("Not passed");
const QString kNotPassedWith = QStringLiteral("Not passed: ");

bool anyMeasurementFailed(const Nelvar::IResultData& result)
{
    for (int32_t index = 1; index <= result.MeasurementCount(); ++index) {
        const auto measurement = result.Measurement(index);
        if (measurement && measurement->Status() == rstFailed)
            return true;
    }
    return false;
}

QString dateText(const ServiceRecord* record)
{
    const QDateTime date = record ? record->RunDate() : QDateTime();
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QStringLiteral("not recorded");
}

QString instrumentText(const ServiceRecord* record)
{
    QStringList known;
    if (record && !record->SerialNo().isEmpty())
        known << QStringLiteral("serial number %1").arg(record->SerialNo());
    if (record && !record->FWVersion().isEmpty())
        known << QStringLiteral("firmware %1").arg(record->FWVersion());
    return known.isEmpty() ? QStringLiteral("not recorded") : known.join(QStringLiteral(", "));
}

// Prints text lines on a page, each wrapped at words to the printable width.
class LinePrinter {
public:
    LinePrinter(Nelvar::IReport& report, Nelvar::IReportPage& page) : m_report(report), m_page(page)
    {
        m_report.PageLeft(Nelvar::IReport::kCurrentPage, m_left);
        int32_t right = 0;
        m_report.PageRight(Nelvar::IReport::kCurrentPage, right);
        m_width = right - m_left;
        m_report.setTextAlignment(Nelvar::IReport::etaLeft);
    }

    void print(const QString& text, float points, bool bold)
    {
        const auto font = m_report.Font();
        font->setName(QStringLiteral("Arial"));
        font->setSize(points);
        font->setBold(bold);
        font->setItalic(false);
        for (const QString& paragraph :
             QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n')))
            for (const QString& line : wrapped(paragraph))
                printLine(line);
    }

private:
    // The paragraph's words gathered into lines no wider than the page; a word wider than the
    // page stands alone on its line.
    QStringList wrapped(const QString& paragraph) const
    {
        QStringList lines;
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && widthOf(longer) > m_width) {
                lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        if (!line.isEmpty() || lines.isEmpty())
            lines << line;
        return lines;
    }

    int32_t widthOf(const QString& text) const
    {
        int32_t width = 0;
        m_report.TextWidth(text, width);
        return width;
    }

    void printLine(const QString& line)
    {
        int32_t height = 0;
        m_report.TextHeight(line.isEmpty() ? QStringLiteral(" ") : line, height);
        int32_t bottom = 0;
        m_report.PageBottom(Nelvar::IReport::kCurrentPage, bottom);
        if (static_cast<int64_t>(m_report.CurrentY()) + height > bottom)
            m_report.NewPage();
        const int32_t top = m_report.CurrentY();
        m_page.PrintText(line, m_left, top, m_width, height, false, false, false);
        m_report.setCurrentY(top + height);
    }

    Nelvar::IReport& m_report;
    Nelvar::IReportPage& m_page;
    int32_t m_left = 0;
    int32_t m_width = 0;
};

} // namespace

QString verdictText(const Nelvar::IResultData& result)
{
    switch (result.Status()) {
    case rstPassed: return QStringLiteral("Passed");
    case rstNotApplicable: return QStringLiteral("Not applicable");
    case rstFailed:
        if (anyMeasurementFailed(result))
            return QStringLiteral("Failed");
        break;
    default: break;
    }
    const QString comment = result.Comment();
    return comment.isEmpty() ? kNotPassed : kNotPassedWith + comment;
}

void printRunSummary(Nelvar::IReport& report, const Nelvar::IResultData& result)
{
    auto* page = dynamic_cast<Nelvar::IReportPage*>(&report);
    if (!page)
        return;
    const auto* record = dynamic_cast<const ServiceRecord*>(result.ServiceRecord().get());
    LinePrinter lines(report, *page);
    const QString verdict = verdictText(result);
    lines.print(verdict, kVerdictSize, true);
    const QString comment = result.Comment();
    if (!comment.isEmpty() && verdict != kNotPassedWith + comment)
        lines.print(QStringLiteral("Comment: ") + comment, kDetailSize, false);
    lines.print(QStringLiteral("Date and time: ") + dateText(record), kDetailSize, false);
    lines.print(QStringLiteral("Instrument: ") + instrumentText(record), kDetailSize, false);
    report.setCurrentY(report.CurrentY() + kGapBelow);
}

} // namespace host
