#pragma once

#include "Dialogs.h"

#include <QWidget>

#include <memory>

namespace host {

// A place in a host window that shows one page: it docks the page's dialog into itself, keeps it
// filling its rectangle, and unloads it when the dialog is replaced or removed and when the dock
// is destroyed, so that the page goes back to its form before this widget goes.
class DialogDock final : public QWidget {
    Q_OBJECT

public:
    explicit DialogDock(QWidget* parent = nullptr);
    ~DialogDock() override;
    DialogDock(const DialogDock&) = delete;
    DialogDock& operator=(const DialogDock&) = delete;

    // Unloads the dialog shown so far, then docks, fits and shows this one; none leaves the dock
    // empty.
    void setDialog(std::shared_ptr<Nelvar::IDialog> dialog);
    const std::shared_ptr<Nelvar::IDialog>& dialog() const { return m_dialog; }

    void setLocked(bool locked);
    void refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitDialog();

    std::shared_ptr<Nelvar::IDialog> m_dialog;
};

} // namespace host
