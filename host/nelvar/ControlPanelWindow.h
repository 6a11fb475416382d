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

// The host's instrument control panel window (Tools > Instrument control panel…): the plug-in's
// control panel page docked above one Close button. The page talks to the instrument on the
// configured port by itself and stores nothing, so closing the window is all there is to do.
// A plug-in that gives no control panel, or one without a page, gets a message in the page's place.
class ControlPanelWindow final : public QDialog {
public:
    explicit ControlPanelWindow(std::shared_ptr<Nelvar::ISetup> controlPanel, QWidget* parent = nullptr);
    ~ControlPanelWindow() override;

    host::DialogDock& page() const { return *m_page; }
    QDialogButtonBox& buttons() const { return *m_buttons; }

    // Shows the tab at that position of the page's tab strip ("tbsTabStrip"), as a click on it
    // would; false when there is no page, no tab strip or no such tab.
    bool selectTab(int index);

private:
    std::shared_ptr<Nelvar::ISetup> m_controlPanel;
    host::DialogDock* m_page = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
