#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QGridLayout;

namespace Nelvar {
class ILimit;
}

namespace host {

class Limit;

// What one row of the limit page stands for: a parameter's key (the name of its limits), its
// caption and the units the user may choose from.
struct LimitRowSpec {
    QString key;
    QString caption;
    QStringList units;
};

// The editors of one parameter's limit in a grid row: caption, upper and lower bound each with its
// enabled mark, and the unit. A row edits the limit it shows in place; bounds only of the host's
// own limits, the unit of any.
class LimitRow {
public:
    struct Listeners {
        // Whether the user's input is to be taken now.
        std::function<bool()> acceptsEdits;
        // After each edit the row made to its limit.
        std::function<void(const std::shared_ptr<Nelvar::ILimit>&)> edited;
    };

    // The grid columns: caption, upper mark and value, lower mark and value, unit.
    static constexpr int kColumnCount = 6;

    LimitRow(LimitRowSpec spec, QGridLayout& grid, int gridRow, Listeners listeners);

    const LimitRowSpec& spec() const { return m_spec; }
    // Shows the limit and edits it from then on; none leaves the row empty and without input.
    void show(const std::shared_ptr<Nelvar::ILimit>& limit);
    void setLocked(bool locked);
    QWidget& firstEditor() { return m_bounds[0].enabled; }

private:
    struct BoundEditors {
        QCheckBox enabled;
        QLineEdit value;
        QString shownValue;
    };

    void showBounds();
    void showUnit();
    void updateInput();
    bool takesEdit() const;
    void enabledClicked(size_t index, bool enabled);
    void valueEdited(size_t index);
    void unitChosen(int position);
    void reportEdit();

    const LimitRowSpec m_spec;
    const Listeners m_listeners;
    std::shared_ptr<Nelvar::ILimit> m_limit;
    std::shared_ptr<Limit> m_editableBounds; // the same limit, when it is the host's
    bool m_locked = false;
    QLabel m_caption;
    std::array<BoundEditors, 2> m_bounds; // index 0 the upper bound, 1 the lower one
    QComboBox m_unit;
};

} // namespace host
