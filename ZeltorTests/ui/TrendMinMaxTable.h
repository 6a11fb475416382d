#pragma once

#include "widgets/TreeListTable.h"

#include <QChar>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CTrend;
class CTrendParameter;

// The table under a trend's entry in the full-screen menu: one row per trend parameter with its
// caption and its overall minimum and maximum, in the parameter's value format.
namespace TrendMinMaxTable {

// The list's separator between the columns of a row's text.
inline const QChar kColumnSeparator(94);

// The table's look, its four columns and the headings "Parameter", "Min" and "Max".
void setUp(widgets::TreeListTable& table);
// A row for the parameter: column 0 holds its key as text and the parameter itself, column 1 the
// bookmark of the trend's entry.
void addRow(widgets::TreeListTable& table, const std::shared_ptr<CTrendParameter>& parameter, int32_t trendBookmark);
// Writes the minimum and maximum again of every parameter of the trend whose figures moved.
void refresh(widgets::TreeListTable& table, const CTrend& trend);

} // namespace TrendMinMaxTable

} // namespace ZeltorTests
