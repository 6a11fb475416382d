#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include <functional>
#include <memory>

class QModelIndex;

namespace ZeltorTests {

class CParameterList;

// The selector of the ventilator test's configuration page that chooses which breath parameters
// the test measures and shows. It edits a parameter list in place: a check list holds one entry
// per breath parameter (kind 1) with its check bound to the definition's selection, and a combo
// offers the predefined views, each of which resets the whole selection at once. Every edit the
// user makes raises Change, synchronously.
class XParameterView final : public QWidget {
    Q_OBJECT

public:
    explicit XParameterView(QWidget* parent = nullptr);

    bool Locked() const { return m_locked; }
    // A locked selector takes no input: its list is disabled and its combo ignores the mouse and
    // the keyboard. An unchanged value does nothing.
    void setLocked(bool locked);
    // Binds the list and shows its breath parameters in list order, in place of any shown before;
    // none unbinds and hides the selector. Raises no Change.
    void Initialize(const std::shared_ptr<CParameterList>& parameterList);
    // Called after the user checked or unchecked a parameter and after a predefined view was chosen.
    void setChangeHandler(std::function<void()> handler) { m_change = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Turns away the combo's input while the selector is locked.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPredefinedViews();
    void fillEntries();
    // Every entry's check from its definition's selection.
    void showSelection();
    void predefinedViewChosen(int view);
    void entryDataChanged(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles);
    void entryCheckChanged(const QListWidgetItem& entry);
    void raiseChange() const;

    std::shared_ptr<CParameterList> m_parameterList;
    bool m_locked = false;
    // Set while the selector writes its own entries; the check and combo reactions ignore what
    // arrives meanwhile.
    bool m_busy = false;
    std::function<void()> m_change;
    QListWidget m_lstParameterView{this};
    QComboBox m_cboPredefinedViews{this};
    QLabel m_lblPredefView{QStringLiteral("Predefined views:"), this};
};

} // namespace ZeltorTests
