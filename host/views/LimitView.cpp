#include "LimitView.h"

#include "Standards.h"
#include "TestElement.h"

#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Value.h"

namespace host {

namespace {

QString standardTitle(const Nelvar::IStandard& standard)
{
    const QString key2 = standard.Key2();
    return key2.isEmpty() ? standard.Name() : QStringLiteral("%1 (%2)").arg(standard.Name(), key2);
}

} // namespace

LimitView::LimitView(QWidget* parent) : PageBase(parent)
{
    m_standards.setObjectName(QStringLiteral("standards"));
    m_standardRow.addWidget(&m_standardLabel);
    m_standardRow.addWidget(&m_standards, 1);
    m_layout.addLayout(&m_standardRow);
    connect(&m_standards, &QComboBox::activated, this, [this] {
        com::ignoreFailure([&] { showChosenStandard(); });
    });
    takeNextRows();
}

LimitView::~LimitView()
{
    // Editors that lose the focus while they go make no edit.
    const LoadingScope closing(*this);
    m_table.reset();
    m_replacedTables.clear();
}

void LimitView::lockChanged(bool locked)
{
    m_table->setLocked(locked);
}

void LimitView::Initialize(const com::Value& limitDataValue)
{
    const LoadingScope filling(*this);
    std::shared_ptr<Nelvar::ILimitData> limitData;
    if (limitDataValue.isObject())
        limitData = limitDataValue.objectAs<Nelvar::ILimitData>();
    m_limitData = limitData;
    if (m_nextRowsBegun)
        takeNextRows();
    showStandards();
}

void LimitView::Refresh()
{
    const LoadingScope filling(*this);
    showStandards();
}

void LimitView::SetFocus()
{
    m_table->focusFirstEditor();
}

void LimitView::AddRow(const QString& key, const QString& caption, const QString& unitList, const QString&)
{
    if (!m_nextRowsBegun) {
        m_nextRows.clear();
        m_nextRowsBegun = true;
    }
    m_nextRows.push_back({key, caption, unitList.split(QLatin1Char(';'), Qt::SkipEmptyParts)});
}

void LimitView::takeNextRows()
{
    const LimitRow::Listeners listeners{
        [this] { return !isLoading(); },
        [this](const std::shared_ptr<Nelvar::ILimit>& limit) { limitEdited(limit); },
    };
    auto table = std::make_unique<LimitTable>(m_nextRows, listeners, this);
    table->setLocked(Locked());
    m_layout.addWidget(table.get(), 1);
    if (!m_handlingEdit)
        m_replacedTables.clear();
    if (m_table) {
        m_layout.removeWidget(m_table.get());
        m_table->hide();
        m_replacedTables.push_back(std::move(m_table));
    }
    m_table = std::move(table);
    m_nextRows.clear();
    m_nextRowsBegun = false;
}

void LimitView::showStandards()
{
    const auto chosen = m_standards.currentIndex() >= 0 ? m_shownStandards[static_cast<size_t>(m_standards.currentIndex())]
                                                       : nullptr;
    m_shownStandards.clear();
    m_standards.clear();
    const auto limitData = m_limitData.lock();
    com::ignoreFailure([&] {
        const auto standards = limitData ? limitData->Standards() : nullptr;
        if (!standards)
            return;
        for (const auto& standard : *standards) {
            if (!standard)
                continue;
            m_shownStandards.push_back(standard);
            m_standards.addItem(standardTitle(*standard));
        }
    });
    int chosenPosition = m_shownStandards.empty() ? -1 : 0;
    for (size_t position = 0; chosen && position < m_shownStandards.size(); ++position) {
        const auto& standard = *m_shownStandards[position];
        if (standard.Name() == chosen->Name() && standard.Key2() == chosen->Key2())
            chosenPosition = static_cast<int>(position);
    }
    m_standards.setCurrentIndex(chosenPosition);
    showChosenStandard();
}

void LimitView::showChosenStandard()
{
    const int position = m_standards.currentIndex();
    m_table->show(position >= 0 ? m_shownStandards[static_cast<size_t>(position)] : nullptr);
}

void LimitView::limitEdited(const std::shared_ptr<Nelvar::ILimit>& limit)
{
    const auto callBack = CallBack();
    if (!callBack)
        return;
    // The host may fill the page anew in answer, replacing the row that made the edit.
    const com::FlagGuard handling(m_handlingEdit);
    com::ignoreFailure([&] { callBack->RaiseEvent(QStringLiteral("Change"), {com::Value(limit)}); });
}

} // namespace host
