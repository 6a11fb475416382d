#include "standards/StandardReport.h"

#include "standards/Standard.h"

#include "Report.h"

#include "format/Format.h"

namespace host {

namespace {

constexpr int32_t kIndentWidth = 560;
constexpr int32_t kCaptionWidth = 2240;
constexpr int32_t kValueColumns = 3;
enum Bound : int32_t { kUpper = 0, kLower = 1 };

QString boundText(const Nelvar::ILimit& limit, int32_t bound, const QString& valueFormat)
{
    bool enabled = false;
    limit.Enabled(bound, enabled);
    if (!enabled)
        return QStringLiteral("-");
    float value = 0.0f;
    limit.Value(bound, value);
    return format::formatNumber(value, valueFormat.isEmpty() ? QStringLiteral("0.00") : valueFormat);
}

std::shared_ptr<Nelvar::ILimit> limitNamed(const Standard& standard, const QString& key)
{
    for (const auto& limit : *standard.Limits())
        if (limit->Name() == key)
            return limit;
    return nullptr;
}

// Table text cannot hold its own separators.
QString cellText(QString text)
{
    text.replace(QLatin1Char('|'), QLatin1Char('/'));
    text.replace(QLatin1Char(';'), QLatin1Char(','));
    return text;
}

} // namespace

void printStandard(Nelvar::IReport& report, const Standard& standard, const com::Value& parameterTable)
{
    const com::ValueArray& rows = parameterTable.array();
    const int32_t rowCount = rows.columns > 0 ? static_cast<int32_t>(rows.items.size()) / rows.columns : 0;
    QString body;
    for (int32_t row = 0; row < rowCount; ++row) {
        const QString key = parameterTable.at2D(row, 0).toString();
        const auto limit = key.isEmpty() ? nullptr : limitNamed(standard, key);
        if (!limit)
            continue;
        const QString valueFormat = parameterTable.at2D(row, 2).toString();
        body += QLatin1Char('|') + cellText(parameterTable.at2D(row, 1).toString()) + QLatin1Char('|')
                + boundText(*limit, kLower, valueFormat) + QLatin1Char('|') + boundText(*limit, kUpper, valueFormat)
                + QLatin1Char('|') + cellText(limit->Unit()) + QLatin1Char(';');
    }
    if (body.isEmpty())
        return;

    int32_t printWidth = 0;
    report.PrintWidth(10, printWidth);
    const int32_t valueWidth = (printWidth - kCaptionWidth - 2 * kIndentWidth) / kValueColumns;
    const QString columns = QStringLiteral("<+%1|<%2|>+%3|>+%3|^+!%3|<+%1;").arg(kIndentWidth).arg(kCaptionWidth).arg(valueWidth);
    QString name = cellText(standard.Name());
    if (!standard.Key2().isEmpty())
        name += QStringLiteral(" (") + cellText(standard.Key2()) + QLatin1Char(')');
    const QString header = QStringLiteral("|{\\b Expected results: ") + name
                           + QStringLiteral("};|{\\i\\b Parameter}|{\\i\\b Lower limit}|{\\i\\b Upper limit}|{\\i\\b Unit};");
    report.setTableOptionA(7);
    report.setTableOptionB(0);
    report.setTableOptionC(1);
    report.PrintTable(columns, header, body, 0, 0, 0);
}

} // namespace host
