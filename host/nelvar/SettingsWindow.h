#pragma once

#include <QDialog>

#include <memory>

class QDialogButtonBox;

namespace host {
class DialogDock;
}

namespace Nelvar {
class ISetup;
}

// The host's settings window (Tools > Settings…): the plug-in's settings page docked above OK and
// Cancel. The page edits the settings object in place; OK stores it through ISetup.RegSave and
// closes, Cancel and the close box drop the edits by loading the stored settings back into it.
// A save that fails is shown and leaves the window open.
class SettingsWindow final : public QDialog {
public:
    explicit SettingsWindow(std::shared_ptr<Nelvar::ISetup> setup, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    host::DialogDock& page() const { return *m_page; }
    QDialogButtonBox& buttons() const { return *m_buttons; }

    void accept() override;
    void reject() override;

private:
    std::shared_ptr<Nelvar::ISetup> m_setup;
    host::DialogDock* m_page = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
