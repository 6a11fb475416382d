#pragma once

#include "TabbedPages.h"

#include "PageBase.h"

#include <QString>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace ZeltorPlugin {

class CZeltorControlPanel;
class InstrumentSession;

// The instrument control panel page (page class "ZeltorPlugin.XZeltorControlPanel"). On its first
// tab the instrument's operator, establishment and serial number are shown as the instrument holds
// them, edited and sent back; on the second the parameter views stored in the instrument's slots
// are listed, shown, uploaded and deleted.
// Every instrument call goes through the shared connection, opened for the action when no test
// holds it. While a call waits for the instrument the page takes no input. The page edits no host
// data and reports nothing to the host: it keeps no callback and takes no lock.
class XZeltorControlPanel final : public Zeltor::PageBase {
public:
    XZeltorControlPanel();
    ~XZeltorControlPanel() override;

    // Keeps the control panel object the value holds; a value of another kind is ignored.
    void Initialize(const com::Value& inData) override;
    // Gives the focus to the operator box.
    void SetFocus() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class BusyScope;

    void buildSettingsTab(QWidget& container);
    void buildViewsTab(QWidget& container);
    void connectControls();

    // Runs a user's action on the instrument unless another one waits for it, with the page
    // locked against input meanwhile; the action's failures end it silently.
    template <typename Action>
    void instrumentAction(Action&& action);

    // Runs `step` from the message pump once the control that took the user's input has finished
    // handling it, unless the page is gone by then: a step that waits for the instrument keeps the
    // messages flowing, and the host may release the page meanwhile, which a list or tab strip
    // does not survive inside its own mouse handling.
    template <typename Step>
    void afterInput(Step&& step);

    // The label shows the version once an instrument has told it, for the page's life.
    void showFirmwareVersion(const QString& version);
    // Reads what the tab shows from the instrument when the tab is first shown, and on later shows
    // until a reading has succeeded.
    void readInstrumentFor(int tab);
    // Shows the instrument's settings in their boxes, or, when they cannot be read, a notice in
    // the boxes' place: the boxes are never offered for sending without what the instrument holds.
    void readSettings(InstrumentSession& session);
    void toggleAllParameters();
    // Lists the instrument's slots anew; a failure is shown and keeps what was listed.
    void refreshSlotList(InstrumentSession& session);
    // Asks for the choice of the slot at that row of the list once the list has handled the
    // user's input; several asks before then make one choice, of the last row asked for.
    void requestSlotChoice(int row);
    // The user chose the slot, listed with that description.
    void slotChosen(int slot, const QString& listed);
    void tickParametersOf(const com::Value& view);
    void upload();
    void deleteChosenSlot();
    void applySettings();

    bool m_busy = false;
    bool m_settingsRead = false;
    bool m_slotsListed = false;
    int m_requestedSlotRow = -1; // the row whose choice waits for the message pump
    std::shared_ptr<CZeltorControlPanel> m_owner;

    TabbedPages m_tabs;
    QLineEdit* m_operator = nullptr;
    QLineEdit* m_establishment = nullptr;
    QLineEdit* m_serialNumber = nullptr;
    QLabel* m_firmwareRevision = nullptr;
    QGroupBox* m_settingsFrame = nullptr;
    QLabel* m_settingsNotice = nullptr;
    QPushButton* m_apply = nullptr;
    QListWidget* m_includedItems = nullptr;
    QPushButton* m_all = nullptr;
    QTreeWidget* m_slots = nullptr;
    QLineEdit* m_description = nullptr;
    QPushButton* m_upload = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace ZeltorPlugin
