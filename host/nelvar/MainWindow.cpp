#include "MainWindow.h"

#include "ControlPanelWindow.h"
#include "HostPlugIn.h"
#include "PortChoice.h"
#include "SettingsWindow.h"
#include "TestRuns.h"
#include "testmodel/ResultStatus.h"
#include "testmodel/TestCollection.h"
#include "testmodel/TestInfo.h"
#include "testmodel/TestSequence.h"
#include "views/DialogDock.h"
#include "views/HostCallBack.h"

#include "Dialogs.h"
#include "PlugIn.h"
#include "TestElement.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "events/MessageBoxes.h"
#include "serial/PortFinder.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace {

constexpr int kTestIDRole = Qt::UserRole;

QString testName(const Nelvar::ITestElement& element)
{
    const auto info = std::dynamic_pointer_cast<host::TestInfo>(element.Info());
    return QStringLiteral("%1 %2").arg(element.TestID()).arg(info ? info->Name() : QString());
}

QString statusText(const QString& test, int32_t status, bool saved)
{
    return QStringLiteral("%1: %2%3")
        .arg(test, host::resultStatusText(status), saved ? QString() : QStringLiteral(", not saved"));
}

// Docks the page that `makePage` makes. A page that cannot be made or docked is not shown: the
// dock is left empty rather than holding the page of another test or result.
void dockPage(host::DialogDock& dock, const std::function<std::shared_ptr<Nelvar::IDialog>()>& makePage)
{
    std::shared_ptr<Nelvar::IDialog> dialog;
    com::ignoreFailure([&] { dialog = makePage(); });
    if (!com::ignoreFailure([&] { dock.setDialog(dialog); }))
        com::ignoreFailure([&] { dock.setDialog(nullptr); });
}

QLabel* heading(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

template <typename Command>
void MainWindow::userCommand(const QString& what, Command&& command)
{
    try {
        command();
    } catch (const com::Error& error) {
        events::MessageBoxes::current().show(QStringLiteral("%1: %2").arg(what, error.description()),
                                             events::mbOKOnly | events::mbCritical, QString());
    } catch (const std::exception& error) {
        events::MessageBoxes::current().show(QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(error.what())),
                                             events::mbOKOnly | events::mbCritical, QString());
    }
}

MainWindow::MainWindow(std::shared_ptr<Nelvar::IPlugIn> plugIn)
    : m_plugIn(std::move(plugIn))
{
    auto* splitter = new QSplitter;
    splitter->addWidget(buildSequencePanel());
    m_pages = new QTabWidget;
    m_pages->setMinimumWidth(560);
    m_configurationPage = new host::DialogDock;
    m_pages->addTab(m_configurationPage, tr("Configuration"));
    m_limitPage = new host::DialogDock;
    m_pages->addTab(m_limitPage, tr("Limits"));
    m_resultPage = new host::DialogDock;
    m_pages->addTab(m_resultPage, tr("Result"));
    splitter->addWidget(m_pages);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    buildMenu();
    buildCatalogue();
    updateCommands();
    updateTitle();
    resize(1200, 760);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildSequencePanel()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    m_catalogue = new QListWidget;
    m_catalogue->setIconSize(QSize(32, 16));
    m_sequenceList = new QListWidget;
    m_resultList = new QListWidget;
    auto* add = new QPushButton(tr("Add"));
    m_remove = new QPushButton(tr("Remove"));
    m_up = new QPushButton(tr("Up"));
    m_down = new QPushButton(tr("Down"));
    m_run = new QPushButton(tr("Run"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add, m_remove, m_up, m_down, m_run})
        buttons->addWidget(button);
    layout->addWidget(heading(tr("Tests")));
    layout->addWidget(m_catalogue, 2);
    layout->addLayout(buttons);
    layout->addWidget(heading(tr("Sequence")));
    layout->addWidget(m_sequenceList, 2);
    layout->addWidget(heading(tr("Results")));
    layout->addWidget(m_resultList, 1);

    const auto addSelected = [this] {
        if (const QListWidgetItem* item = m_catalogue->currentItem()) {
            const int32_t testID = item->data(kTestIDRole).toInt();
            userCommand(tr("Test %1 could not be added").arg(testID), [&] { addTest(testID); });
        }
    };
    connect(add, &QPushButton::clicked, this, addSelected);
    connect(m_catalogue, &QListWidget::itemActivated, this, addSelected);
    connect(m_remove, &QPushButton::clicked, this, [this] { removeSelectedTest(); });
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelectedTest(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelectedTest(1); });
    connect(m_run, &QPushButton::clicked, this, [this] { userCommand(tr("The sequence could not be run"), [&] { runSequence(); }); });
    connect(m_sequenceList, &QListWidget::currentRowChanged, this, [this] {
        updateCommands();
        showPagesOfSelectedTest();
    });
    connect(m_resultList, &QListWidget::currentRowChanged, this, [this] {
        updateCommands();
        showResultPage();
    });
    return panel;
}

void MainWindow::buildMenu()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open result…"), this, [this] { openResultFile(); })->setShortcut(QKeySequence::Open);
    m_saveResult = file->addAction(tr("&Save result…"), this, [this] { saveSelectedResult(); });
    m_saveResult->setShortcut(QKeySequence::Save);
    file->addSeparator();
    file->addAction(tr("&Quit"), this, &QWidget::close);
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->addAction(tr("&Settings…"), this,
                     [this] { userCommand(tr("The settings could not be opened"), [&] { openSettings(); }); });
    tools->addAction(tr("&Instrument control panel…"), this, [this] {
        userCommand(tr("The instrument control panel could not be opened"), [&] { openControlPanel(); });
    });
}

void MainWindow::openSettings()
{
    SettingsWindow window(m_plugIn->Setup(), this);
    window.exec();
}

void MainWindow::openControlPanel()
{
    const std::optional<QString> port = askForPort(this);
    if (!port)
        return;
    serial::setConfiguredPort(*port);
    ControlPanelWindow window(m_plugIn->ControlPanel(), this);
    window.exec();
}

void MainWindow::buildCatalogue()
{
    const host::TestCollection& tests = catalogue(*m_plugIn);
    for (int32_t position = 1; position <= tests.Count(); ++position) {
        const auto test = tests.Item(position);
        auto* item = new QListWidgetItem(testName(*test), m_catalogue);
        item->setData(kTestIDRole, test->TestID());
        QImage icon;
        try {
            icon = m_plugIn->Icon(test->TestID(), Nelvar::eisSize32x16, 0);
        } catch (const com::Error&) {
            // A test without an icon is listed by its name alone.
        }
        if (!icon.isNull())
            item->setIcon(QIcon(QPixmap::fromImage(icon)));
    }
    if (m_catalogue->count() > 0)
        m_catalogue->setCurrentRow(0);
}

void MainWindow::addTest(int32_t testID)
{
    m_sequence.push_back(createTest(*m_plugIn, testID));
    refreshSequenceList(static_cast<int>(m_sequence.size()) - 1);
}

void MainWindow::removeSelectedTest()
{
    const int position = m_sequenceList->currentRow();
    if (position < 0 || position >= static_cast<int>(m_sequence.size()))
        return;
    m_sequence.erase(m_sequence.begin() + position);
    refreshSequenceList(std::min(position, static_cast<int>(m_sequence.size()) - 1));
}

void MainWindow::moveSelectedTest(int step)
{
    const int from = m_sequenceList->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= static_cast<int>(m_sequence.size()))
        return;
    std::swap(m_sequence[static_cast<size_t>(from)], m_sequence[static_cast<size_t>(to)]);
    refreshSequenceList(to);
}

void MainWindow::selectTest(int position) { m_sequenceList->setCurrentRow(position); }

void MainWindow::refreshSequenceList(int selected)
{
    m_sequenceList->clear();
    for (const auto& element : m_sequence)
        m_sequenceList->addItem(testName(*element));
    m_sequenceList->setCurrentRow(selected);
    updateCommands();
}

void MainWindow::showPagesOfSelectedTest()
{
    const int position = m_sequenceList->currentRow();
    const auto element = position >= 0 && position < static_cast<int>(m_sequence.size())
        ? m_sequence[static_cast<size_t>(position)]
        : nullptr;
    dockPage(*m_configurationPage, [&]() -> std::shared_ptr<Nelvar::IDialog> {
        const auto configuration = element ? element->Configuration() : nullptr;
        return withCallBack(configuration && configuration->HasDialog() ? configuration->CreateDialog() : nullptr);
    });
    dockPage(*m_limitPage, [&]() -> std::shared_ptr<Nelvar::IDialog> {
        const auto limits = element ? element->Limits() : nullptr;
        return withCallBack(limits && limits->HasDialog() ? limits->CreateDialog() : nullptr);
    });
}

std::shared_ptr<Nelvar::IDialog> MainWindow::withCallBack(std::shared_ptr<Nelvar::IDialog> dialog)
{
    if (dialog)
        dialog->setCallBack(std::make_shared<host::HostCallBack>([this](const QString& eventName, const auto&) {
            if (eventName == QLatin1String("Change"))
                pageEdited();
        }));
    return dialog;
}

void MainWindow::pageEdited()
{
    m_editedSinceRun = true;
    updateTitle();
}

void MainWindow::runSequence()
{
    // A copy: the user cannot change the sequence while a test's window is shown, but the run
    // must not depend on it.
    const auto tests = m_sequence;
    m_editedSinceRun = false;
    for (const auto& element : tests) {
        const auto context = oneTestSequence(*element);
        element->Perform(context);
        if (!context->ReadyElements().empty()) {
            // The result goes on in a copy of its own: a later run of the test makes a new one.
            const auto record = testElementRecord(*element);
            addResult({element->TestID(), com::required(element->Result()).Status(),
                       loadSavedResult(*m_plugIn, *record), testName(*element), false});
        }
        const auto& navigations = context->Navigations();
        if (std::find(navigations.begin(), navigations.end(), Nelvar::enavAbort) != navigations.end())
            break;
    }
    updateTitle();
}

QString MainWindow::resultText(const RunResult& result)
{
    return statusText(result.name, result.status, result.saved);
}

void MainWindow::addResult(RunResult result)
{
    m_resultList->addItem(resultText(result));
    m_results.push_back(std::move(result));
    m_resultList->setCurrentRow(m_resultList->count() - 1);
    updateTitle();
}

void MainWindow::saveResult(int position, const QString& path)
{
    RunResult& result = m_results.at(static_cast<size_t>(position));
    saveRecord(result.result.record(), path);
    result.saved = true;
    m_resultList->item(position)->setText(resultText(result));
    updateTitle();
}

void MainWindow::openResult(const QString& path)
{
    SavedResult opened = loadSavedResult(*m_plugIn, path);
    const Nelvar::ITestElement& element = *opened.element;
    addResult({element.TestID(), com::required(element.Result()).Status(), std::move(opened),
               QStringLiteral("%1 (%2)").arg(testName(element), QFileInfo(path).fileName()), true});
}

void MainWindow::openResultFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open result"), QString(), tr("Results (*.xml)"));
    if (!path.isEmpty())
        userCommand(tr("The result could not be opened"), [&] { openResult(path); });
}

void MainWindow::showResultPage()
{
    const int position = m_resultList->currentRow();
    dockPage(*m_resultPage, [&]() -> std::shared_ptr<Nelvar::IDialog> {
        if (position < 0 || position >= static_cast<int>(m_results.size()))
            return nullptr;
        const auto result = m_results[static_cast<size_t>(position)].result.element->Result();
        if (!result || !result->HasDialog())
            return nullptr;
        auto dialog = result->CreateDialog();
        if (dialog)
            dialog->setCallBack(
                std::make_shared<host::HostCallBack>([this, position](const QString& eventName, const auto&) {
                    if (eventName == QLatin1String("Change"))
                        resultEdited(position);
                }));
        return dialog;
    });
}

void MainWindow::resultEdited(int position)
{
    RunResult& result = m_results.at(static_cast<size_t>(position));
    result.saved = false;
    m_resultList->item(position)->setText(resultText(result));
    updateTitle();
}

void MainWindow::saveSelectedResult()
{
    const int position = m_resultList->currentRow();
    if (position < 0)
        return;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save result"), QStringLiteral("result.xml"),
                                                      tr("Results (*.xml)"));
    if (!path.isEmpty())
        userCommand(tr("The result could not be saved"), [&] { saveResult(position, path); });
}

void MainWindow::updateCommands()
{
    const int position = m_sequenceList->currentRow();
    const int count = static_cast<int>(m_sequence.size());
    m_remove->setEnabled(position >= 0);
    m_up->setEnabled(position > 0);
    m_down->setEnabled(position >= 0 && position + 1 < count);
    m_run->setEnabled(count > 0);
    m_saveResult->setEnabled(m_resultList->currentRow() >= 0);
}

void MainWindow::updateTitle()
{
    setWindowTitle(QStringLiteral("Nelvar - %1[*]").arg(m_plugIn->Name()));
    setWindowModified(m_editedSinceRun
                      || std::any_of(m_results.begin(), m_results.end(), [](const RunResult& r) { return !r.saved; }));
}
