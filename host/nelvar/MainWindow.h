#pragma once

#include "SavedResults.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <vector>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace host {
class DialogDock;
}

namespace Nelvar {
class IDialog;
class IPlugIn;
class ITestElement;
class IXmlDocument;
}

// The host's main window: the plug-in's test catalogue, the test sequence the user builds from
// it, the pages of the selected test docked in tabs, "Run", which performs the sequence one test
// after the other in the tests' own windows, and the list of the results: those of the runs and
// those opened from files, the selected one's page docked in a tab of its own, each of which can
// be saved. The title marks what has not been saved: results (new ones and those changed on their
// page), and page edits made since the last run (a run's results carry the edited configurations).
class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(std::shared_ptr<Nelvar::IPlugIn> plugIn);
    ~MainWindow() override;

    // A result in the list: what a run left or a file held, loaded into a test element of its
    // own, and whether it is saved as it stands.
    struct RunResult {
        int32_t testID = 0;
        int32_t status = 0;
        SavedResult result;
        QString name;
        bool saved = false;
    };

    // The user's commands, as the window's buttons and menu give them.
    // Appends a new test of the catalogue's test to the sequence and selects it; raises what the
    // plug-in raises.
    void addTest(int32_t testID);
    void removeSelectedTest();
    // Moves the selected test one place up (-1) or down (+1).
    void moveSelectedTest(int step);
    void selectTest(int position);
    // Performs every test of the sequence in order; an aborted test ends the run.
    void runSequence();
    // Saves the result at that position of the result list into the file; raises what saving raises.
    void saveResult(int position, const QString& path);
    // Reads a saved result (as `nelvar run` and saveResult write it) into the list and selects it;
    // raises what loading raises.
    void openResult(const QString& path);
    // Shows the page of the selected result in the result tab.
    void showResultPage();

    const std::vector<std::shared_ptr<Nelvar::ITestElement>>& sequence() const { return m_sequence; }
    const std::vector<RunResult>& results() const { return m_results; }
    QListWidget& catalogueList() const { return *m_catalogue; }
    QListWidget& sequenceList() const { return *m_sequenceList; }
    QListWidget& resultList() const { return *m_resultList; }
    QTabWidget& pages() const { return *m_pages; }
    // The docks of the selected test's configuration and limit pages.
    host::DialogDock& configurationPage() const { return *m_configurationPage; }
    host::DialogDock& limitPage() const { return *m_limitPage; }
    host::DialogDock& resultPage() const { return *m_resultPage; }
    static constexpr int kResultTab = 2;

private:
    void buildCatalogue();
    void buildMenu();
    QWidget* buildSequencePanel();
    void refreshSequenceList(int selected);
    // Docks the pages of the selected test, each with a callback of its own; a page that cannot be
    // made or docked leaves its tab empty.
    void showPagesOfSelectedTest();
    // The page in a callback that reports its edits to this window; none stays none.
    std::shared_ptr<Nelvar::IDialog> withCallBack(std::shared_ptr<Nelvar::IDialog> dialog);
    void pageEdited();
    // A change made on the page of the result at that position.
    void resultEdited(int position);
    void addResult(RunResult result);
    static QString resultText(const RunResult& result);
    void updateCommands();
    void updateTitle();
    // The menu's "Save result…": asks for a file and saves the selected result into it.
    void saveSelectedResult();
    // The menu's "Open result…".
    void openResultFile();
    // The menu's "Settings…": the plug-in's settings page in the settings window, until the user
    // closes it with OK (stored) or Cancel (dropped).
    void openSettings();
    // The menu's "Instrument control panel…": asks for the instrument's port, makes it the
    // configured one and shows the plug-in's control panel until the user closes it; a cancelled
    // question opens nothing. Raises what the plug-in raises for its control panel.
    void openControlPanel();
    // Runs a command of the user; a failure is shown in a message box, never passed to Qt.
    template <typename Command>
    void userCommand(const QString& what, Command&& command);

    std::shared_ptr<Nelvar::IPlugIn> m_plugIn;
    std::vector<std::shared_ptr<Nelvar::ITestElement>> m_sequence;
    std::vector<RunResult> m_results;
    QListWidget* m_catalogue = nullptr;
    QListWidget* m_sequenceList = nullptr;
    QListWidget* m_resultList = nullptr;
    QTabWidget* m_pages = nullptr;
    host::DialogDock* m_configurationPage = nullptr;
    host::DialogDock* m_limitPage = nullptr;
    host::DialogDock* m_resultPage = nullptr;
    bool m_editedSinceRun = false;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_run = nullptr;
    QAction* m_saveResult = nullptr;
};
