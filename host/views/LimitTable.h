#pragma once

#include "LimitRow.h"

#include <QGridLayout>
#include <QWidget>

#include <memory>
#include <vector>

namespace Nelvar {
class IStandard;
}

namespace host {

// The rows of the limit page under their column headings, one per parameter, in the order given.
class LimitTable final : public QWidget {
public:
    LimitTable(const std::vector<LimitRowSpec>& specs, const LimitRow::Listeners& listeners, QWidget* parent);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // Each row shows the standard's first limit named with its key; none shows no limits.
    void show(const std::shared_ptr<Nelvar::IStandard>& standard);
    void setLocked(bool locked);
    void focusFirstEditor();

private:
    QGridLayout m_grid{this};
    std::vector<std::unique_ptr<LimitRow>> m_rows;
};

} // namespace host
