#include "ui/TrendMinMaxTable.h"

#include "data/CTrend.h"
#include "data/CTrendParameter.h"

#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "format/Format.h"

#include <array>

namespace ZeltorTests::TrendMinMaxTable {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr double kFontSize = 8.0;

QString formatted(float value, const CTrendParameter& parameter)
{
    return format::formatNumber(value, parameter.ValueFormat(), format::localeDecimalSeparator());
}

} // namespace

void setUp(widgets::TreeListTable& table)
{
    widgets::TreeListStyle& style = table.style();
    style.fontSize = kFontSize;
    style.bold = false;
    style.textColor = kWhite;
    style.backColor = 0;
    table.setColumnCount(4);
    const std::array<int, 3> widths{1900, 700, 700};
    const std::array<int, 3> alignments{widgets::TreeListStyle::kAlignLeft, widgets::TreeListStyle::kAlignRight,
                                        widgets::TreeListStyle::kAlignRight};
    const std::array<const char*, 3> captions{"20381::Parameter", "20382::Min", "20383::Max"};
    for (int column = 1; column <= 3; ++column) {
        const auto slot = static_cast<size_t>(column - 1);
        table.column(column).width = widths[slot];
        table.column(column).style.alignment = alignments[slot];
        widgets::TreeListStyle& header = table.cell(0, column);
        header.text = Zeltor::translated(QString::fromUtf8(captions[slot]));
        header.fontSize = kFontSize;
        header.backColor = 0;
        header.alignment = alignments[slot];
    }
}

void addRow(widgets::TreeListTable& table, const std::shared_ptr<CTrendParameter>& parameter, int32_t trendBookmark)
{
    const CTrendParameter& shown = com::required(parameter);
    table.addRow(shown.Caption(true) + kColumnSeparator + formatted(shown.MinValue(), shown) + kColumnSeparator
                 + formatted(shown.MaxValue(), shown));
    const int row = table.rowCount() - 1;
    widgets::TreeListStyle& key = table.cell(row, 0);
    key.data = com::Value(parameter);
    key.text = shown.Key();
    table.cell(row, 1).data = com::Value(trendBookmark);
}

void refresh(widgets::TreeListTable& table, const CTrend& trend)
{
    for (int row = 1; row < table.rowCount(); ++row)
        com::ignoreFailure([&] {
            const auto& parameter = trend.Parameter(table.cell(row, 0).text);
            if (!parameter || !parameter->MinMaxChange())
                return;
            table.cell(row, 2).text = formatted(parameter->MinValue(), *parameter);
            table.cell(row, 3).text = formatted(parameter->MaxValue(), *parameter);
        });
}

} // namespace ZeltorTests::TrendMinMaxTable
