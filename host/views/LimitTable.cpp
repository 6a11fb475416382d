#include "LimitTable.h"

#include "Standards.h"

#include "com/Failure.h"

#include <map>

namespace host {

namespace {

// The limits of a standard by name; the first of a name counts.
std::map<QString, std::shared_ptr<Nelvar::ILimit>> limitsByName(const Nelvar::IStandard& standard)
{
    std::map<QString, std::shared_ptr<Nelvar::ILimit>> byName;
    const auto limits = standard.Limits();
    if (!limits)
        return byName;
    for (const auto& limit : *limits) {
        if (limit)
            byName.try_emplace(limit->Name(), limit);
    }
    return byName;
}

} // namespace

LimitTable::LimitTable(const std::vector<LimitRowSpec>& specs, const LimitRow::Listeners& listeners, QWidget* parent)
    : QWidget(parent)
{
    const char* const headings[LimitRow::kColumnCount] = {"Parameter", "", "Upper limit", "", "Lower limit", "Unit"};
    for (int column = 0; column < LimitRow::kColumnCount; ++column)
        m_grid.addWidget(new QLabel(QString::fromLatin1(headings[column]), this), 0, column);
    int gridRow = 1;
    for (const LimitRowSpec& spec : specs)
        m_rows.push_back(std::make_unique<LimitRow>(spec, m_grid, gridRow++, listeners));
    m_grid.setRowStretch(gridRow, 1);
    m_grid.setColumnStretch(2, 1);
    m_grid.setColumnStretch(4, 1);
}

void LimitTable::show(const std::shared_ptr<Nelvar::IStandard>& standard)
{
    std::map<QString, std::shared_ptr<Nelvar::ILimit>> byName;
    if (standard)
        com::ignoreFailure([&] { byName = limitsByName(*standard); });
    for (const auto& row : m_rows) {
        const auto found = byName.find(row->spec().key);
        row->show(found == byName.end() ? nullptr : found->second);
    }
}

void LimitTable::setLocked(bool locked)
{
    for (const auto& row : m_rows)
        row->setLocked(locked);
}

void LimitTable::focusFirstEditor()
{
    if (m_rows.empty())
        setFocus();
    else
        m_rows.front()->firstEditor().setFocus();
}

} // namespace host
