#pragma once

#include "LimitTable.h"

#include "HostViews.h"
#include "PageBase.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace Nelvar {
class ILimitData;
class IStandard;
} // namespace Nelvar

namespace host {

// The host's limit page: a choice of the limit data's standards above one row per parameter,
// showing and editing the chosen standard's limits in place.
class LimitView final : public Zeltor::PageBase, public Nelvar::XLimitView {
public:
    explicit LimitView(QWidget* parent = nullptr);
    ~LimitView() override;

    // Takes the limit data (ILimitData; anything else shows no standards), shows the rows added
    // since the last initialisation in place of the previous ones, and shows the standards,
    // keeping the chosen one when it is still there.
    void Initialize(const com::Value& data) override;
    // Shows the limit data's standards and limits again.
    void Refresh() override;
    void SetFocus() override;

    void AddRow(const QString& key, const QString& caption, const QString& unitList, const QString& reserved) override;

protected:
    // A locked page still lets the user look at every standard but takes no edit.
    void lockChanged(bool locked) override;

private:
    void takeNextRows();
    void showStandards();
    void showChosenStandard();
    void limitEdited(const std::shared_ptr<Nelvar::ILimit>& limit);

    std::weak_ptr<Nelvar::ILimitData> m_limitData;
    bool m_handlingEdit = false;
    // The rows added since the last initialisation; empty and not begun right after it.
    std::vector<LimitRowSpec> m_nextRows;
    bool m_nextRowsBegun = false;
    std::vector<std::shared_ptr<Nelvar::IStandard>> m_shownStandards; // by position in the choice
    QVBoxLayout m_layout{this};
    QHBoxLayout m_standardRow;
    QLabel m_standardLabel{QStringLiteral("Standard:")};
    QComboBox m_standards;
    std::unique_ptr<LimitTable> m_table;
    // Tables replaced while an edit of one of their rows was being handled; they go at the next
    // refill outside an edit.
    std::vector<std::unique_ptr<LimitTable>> m_replacedTables;
};

} // namespace host
