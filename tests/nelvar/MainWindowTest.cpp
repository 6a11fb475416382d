// The host's main window in the test's own process, with the plug-in's libraries registered, the
// simulated instrument on port "sim" and the virtual clock, so that a whole sequence runs in the
// tests' real windows at once.

#include "ControlPanelWindow.h"
#include "HostPlugIn.h"
#include "MainWindow.h"
#include "PortChoice.h"
#include "ReportCommand.h"
#include "PageInput.h"
#include "FakeTestElements.h"
#include "PlugInOnSimulatorFixture.h"
#include "TestRuns.h"
#include "testmodel/ResultStatus.h"
#include "views/DialogDock.h"

#include "PlugIn.h"
#include "TestElement.h"
#include "HostServices.h"
#include "Xml.h"

#include "serial/PortFinder.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

namespace {

QStringList texts(const QListWidget& list)
{
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

QPushButton& button(const MainWindow& window, const char* text)
{
    for (QPushButton* candidate : window.findChildren<QPushButton*>())
        if (candidate->text() == QLatin1String(text))
            return *candidate;
    throw std::runtime_error(text);
}

// The text of a PDF file, as pdftotext gives it.
QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdftotext.waitForFinished(60'000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QAction* enabledCommand(const QWidget& window, const char* key)
{
    for (const QToolBar* toolbar : window.findChildren<QToolBar*>())
        for (QAction* action : toolbar->actions())
            if (action->objectName() == QLatin1String(key) && action->isEnabled() && action->isVisible())
                return action;
    return nullptr;
}

// The texts of the main window's menu of that title, in menu order.
QStringList menuTexts(const MainWindow& window, const QString& title)
{
    for (const QAction* menu : window.menuBar()->actions())
        if (menu->text() == title && menu->menu()) {
            QStringList texts;
            for (const QAction* action : menu->menu()->actions())
                texts << action->text();
            return texts;
        }
    return {};
}

QAction& menuCommand(const MainWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu())
            for (QAction* action : menu->menu()->actions())
                if (action->text() == text)
                    return *action;
    throw std::runtime_error(text.toStdString());
}

// The user at the modal windows a command opens: each window, once shown, gets the next answer,
// which must close it. A window beyond the answers is noted and closed, so that no test hangs.
class ModalUser {
public:
    using Answer = std::function<void(QWidget& window)>;
    explicit ModalUser(std::vector<Answer> answers) : m_answers(std::move(answers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answerShownWindow(); });
        m_timer.start(10);
    }

    size_t answered() const { return m_next; }
    QStringList unexpectedWindows;

private:
    void answerShownWindow()
    {
        QWidget* const window = QApplication::activeModalWidget();
        if (m_answering || !window || !window->isVisible())
            return;
        if (m_next == m_answers.size()) {
            unexpectedWindows << window->windowTitle();
            window->close();
            return;
        }
        m_answering = true;
        m_answers[m_next++](*window);
        m_answering = false;
    }

    std::vector<Answer> m_answers;
    size_t m_next = 0;
    bool m_answering = false;
    QTimer m_timer;
};

// The answer for a window of that kind; another kind fails the test and is closed.
template <typename Window>
ModalUser::Answer answerTo(std::function<void(Window&)> answer)
{
    return [answer = std::move(answer)](QWidget& shown) {
        if (auto* window = dynamic_cast<Window*>(&shown)) {
            answer(*window);
            return;
        }
        ADD_FAILURE() << "unexpected window " << shown.windowTitle().toStdString();
        shown.close();
    };
}

// A configuration whose page cannot be made for want of memory.
class PageOutOfMemoryConfiguration final : public Nelvar::IConfigData {
public:
    bool HasDialog() const override { throw std::bad_alloc(); }
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override { throw std::bad_alloc(); }
    std::shared_ptr<Nelvar::IConfigData> Clone() const override { throw std::bad_alloc(); }
    void Load(const std::shared_ptr<Nelvar::IXmlElement>&, const std::shared_ptr<com::Object>&) override {}
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>&) override { return nullptr; }
    void PrintReport(const std::shared_ptr<Nelvar::IReport>&) override {}
};

// The plug-in as the window meets it, but its settings object cannot be had and the pages of the
// tests it makes cannot be made.
class FailingPlugIn final : public Nelvar::IPlugIn {
public:
    explicit FailingPlugIn(std::shared_ptr<Nelvar::IPlugIn> plugIn) : m_plugIn(std::move(plugIn)) {}

    std::shared_ptr<Nelvar::ISetup> Setup() const override
    {
        throw com::Error(com::errObjectNotSet, QStringLiteral("FailingPlugIn"), QStringLiteral("No settings today"));
    }
    std::shared_ptr<Nelvar::ITestElement> CreateTest(int32_t lTestID) override
    {
        auto element = std::make_shared<FakeTestElement>(
            FakeBehaviour{0, false, std::make_shared<PageOutOfMemoryConfiguration>()});
        element->Initialize(m_plugIn->ID(), lTestID, lTestID);
        return element;
    }

    QString ID() const override { return m_plugIn->ID(); }
    QImage Icon(int32_t lTestID, int32_t eisSize, int32_t eicColors) const override
    {
        return m_plugIn->Icon(lTestID, eisSize, eicColors);
    }
    QString Name() const override { return m_plugIn->Name(); }
    int32_t Flags() const override { return m_plugIn->Flags(); }
    std::shared_ptr<Nelvar::ISetup> ControlPanel() const override { return m_plugIn->ControlPanel(); }
    std::shared_ptr<Nelvar::ITests> Tests() const override { return m_plugIn->Tests(); }
    QString Version() const override { return m_plugIn->Version(); }
    std::shared_ptr<com::Object> PlugInMenu() const override { return m_plugIn->PlugInMenu(); }
    void Initialize(const std::shared_ptr<com::Object>& iprLog) override { m_plugIn->Initialize(iprLog); }
    std::shared_ptr<com::Object> CreateDUTData() override { return m_plugIn->CreateDUTData(); }

private:
    std::shared_ptr<Nelvar::IPlugIn> m_plugIn;
};

} // namespace

class MainWindowTest : public PlugInOnSimulatorFixture {
protected:
    void SetUp() override
    {
        PlugInOnSimulatorFixture::SetUp();
        window = std::make_unique<MainWindow>(startPlugIn());
    }
    void TearDown() override
    {
        window.reset();
        PlugInOnSimulatorFixture::TearDown();
    }

    // The operator at the tests' windows, every half second of the virtual clock until `until`:
    // "play" once a window offers it, "next" once its run has stopped.
    void operateTestWindowsUntil(int64_t until, int64_t time = 500)
    {
        loop->at(time, [this, until, time] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() != QLatin1String("FZeltorTestGuide") || !widget->isVisible())
                    continue;
                const bool started = startedWindows.contains(widget);
                if (QAction* play = enabledCommand(*widget, "play"); play && !started) {
                    startedWindows << widget;
                    play->trigger();
                } else if (QAction* next = enabledCommand(*widget, "next"); next && started) {
                    startedWindows.removeAll(widget);
                    next->trigger();
                }
            }
            if (time < until)
                operateTestWindowsUntil(until, time + 500);
        });
    }

    std::unique_ptr<MainWindow> window;
    QList<QWidget*> startedWindows;
};

TEST_F(MainWindowTest, TheSequenceIsBuiltFromTheCatalogue)
{
    EXPECT_EQ(texts(window->catalogueList()),
              (QStringList{"100 Ventilator test", "200 Leakage test", "300 Flow test", "400 Pressure test",
                           "500 High-pressure test"}));
    EXPECT_FALSE(window->catalogueList().item(0)->icon().isNull());
    EXPECT_FALSE(button(*window, "Run").isEnabled());

    for (const int row : {0, 1, 3}) {
        window->catalogueList().setCurrentRow(row);
        button(*window, "Add").click();
    }
    EXPECT_EQ(texts(window->sequenceList()),
              (QStringList{"100 Ventilator test", "200 Leakage test", "400 Pressure test"}));
    EXPECT_EQ(window->sequenceList().currentRow(), 2);
    EXPECT_FALSE(button(*window, "Down").isEnabled());

    button(*window, "Up").click();
    EXPECT_EQ(texts(window->sequenceList()),
              (QStringList{"100 Ventilator test", "400 Pressure test", "200 Leakage test"}));
    EXPECT_EQ(window->sequenceList().currentRow(), 1);
    window->selectTest(0);
    EXPECT_FALSE(button(*window, "Up").isEnabled());
    button(*window, "Down").click();
    button(*window, "Remove").click();
    EXPECT_EQ(texts(window->sequenceList()), (QStringList{"400 Pressure test", "200 Leakage test"}));
    ASSERT_EQ(window->sequence().size(), 2u);
    EXPECT_EQ(window->sequence()[0]->TestID(), 400);
    EXPECT_TRUE(button(*window, "Run").isEnabled());
}

TEST_F(MainWindowTest, RunPerformsTheSequenceAndListsItsResultsToSave)
{
    window->addTest(100);
    window->addTest(200);
    // One minute for each test, typed on its docked configuration page.
    for (const int position : {0, 1}) {
        window->selectTest(position);
        QWidget& page = window->configurationPage();
        typeInto(*page.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(1)")), QStringLiteral("1"));
        typeInto(*page.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(0)")), QStringLiteral("0"));
        EXPECT_TRUE(window->isWindowModified());
    }
    for (const auto& element : window->sequence()) {
        const auto record = element->Configuration()->Save(Nelvar::xmlService().CreateDocument());
        EXPECT_EQ(record->FindChildElement(QStringLiteral("Duration"))->Text(), QStringLiteral("1"));
    }
    operateTestWindowsUntil(300'000);
    button(*window, "Run").click();

    ASSERT_EQ(window->results().size(), 2u);
    EXPECT_EQ(window->results()[0].testID, 100);
    EXPECT_EQ(window->results()[1].testID, 200);
    for (const auto& result : window->results())
        EXPECT_EQ(result.status, host::rstPassed) << result.testID;
    EXPECT_EQ(texts(window->resultList()),
              (QStringList{"100 Ventilator test: passed, not saved", "200 Leakage test: passed, not saved"}));
    EXPECT_TRUE(window->isWindowModified());

    const QTemporaryDir folder;
    for (int position = 0; position < 2; ++position)
        window->saveResult(position, folder.filePath(QStringLiteral("result%1.xml").arg(position)));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->resultList().item(1)->text(), QStringLiteral("200 Leakage test: passed"));
    // The saved file is the test element with its result, as `nelvar run` writes it.
    const auto saved = Nelvar::xmlService().CreateDocument();
    std::dynamic_pointer_cast<Nelvar::IXmlFile>(saved)->Load(folder.filePath(QStringLiteral("result0.xml")));
    const auto record = saved->DocumentElement();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->TagName(), QStringLiteral("TestElement"));
    EXPECT_NE(record->FindChildElement(QStringLiteral("ResultItem")), nullptr);
}

TEST_F(MainWindowTest, AResultsPageSetsThePrintFlagsThatItsSavedReportHonours)
{
    window->addTest(100);
    window->selectTest(0);
    QWidget& configuration = window->configurationPage();
    typeInto(*configuration.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(1)")), QStringLiteral("1"));
    typeInto(*configuration.findChild<QLineEdit*>(QStringLiteral("txtTestDuration(0)")), QStringLiteral("0"));
    configuration.findChild<QCheckBox*>(QStringLiteral("chkTrendingActive"))->click();
    operateTestWindowsUntil(300'000);
    button(*window, "Run").click();
    ASSERT_EQ(window->results().size(), 1u);

    // The run's result is selected and its page docked: the predefined trend (key "") with one
    // leaf per breath parameter, none printed yet.
    auto* tree = window->resultPage().findChild<QTreeWidget*>(QStringLiteral("tvwTrends"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem& trends = *tree->topLevelItem(0);
    ASSERT_EQ(trends.childCount(), 1);
    QTreeWidgetItem& trend = *trends.child(0);
    EXPECT_EQ(trend.data(0, Qt::UserRole).toString(), QString());
    ASSERT_GE(trend.childCount(), 2);
    EXPECT_EQ(trend.checkState(0), Qt::Unchecked);

    const QTemporaryDir folder;
    const auto savedReport = [&](const QString& name) {
        const QString resultPath = folder.filePath(name + QStringLiteral(".xml"));
        window->saveResult(0, resultPath);
        EXPECT_FALSE(window->isWindowModified());
        QString out;
        QTextStream stream(&out);
        EXPECT_EQ(runReportCommand(resultPath, folder.filePath(name + QStringLiteral(".pdf")), stream), 0) << out.toStdString();
        return pdfText(folder.filePath(name + QStringLiteral(".pdf")));
    };
    // Each printed trend parameter is a graph titled with the trend's display title.
    const QString trendTitle = QStringLiteral("[Trend: ") + trend.text(0) + QStringLiteral("]");
    EXPECT_EQ(savedReport(QStringLiteral("none")).count(trendTitle), 0);

    // The whole trend ticked on the page: the result is changed until it is saved again.
    trend.setCheckState(0, Qt::Checked);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->resultList().item(0)->text().endsWith(QStringLiteral(", not saved")));
    const qsizetype all = savedReport(QStringLiteral("all")).count(trendTitle);
    EXPECT_EQ(all, trend.childCount());

    // One parameter unticked: its graph is gone from the report of the saved file.
    trend.child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(savedReport(QStringLiteral("fewer")).count(trendTitle), all - 1);

    // The saved file opened again shows the flags as they were saved.
    window->openResult(folder.filePath(QStringLiteral("fewer.xml")));
    ASSERT_EQ(window->resultList().count(), 2);
    auto* reopened = window->resultPage().findChild<QTreeWidget*>(QStringLiteral("tvwTrends"));
    ASSERT_NE(reopened, nullptr);
    QTreeWidgetItem& again = *reopened->topLevelItem(0)->child(0);
    EXPECT_EQ(again.child(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(again.child(1)->checkState(0), Qt::Checked);
    EXPECT_FALSE(window->isWindowModified());
}

// Tools > Instrument control panel… asks for the port, the configured one chosen, and opens the
// panel on the port the user chose; Cancel opens nothing and keeps the configured port.
TEST_F(MainWindowTest, TheInstrumentControlPanelOpensOnThePortTheUserChooses)
{
    EXPECT_EQ(menuTexts(*window, QStringLiteral("&Tools")),
              (QStringList{QStringLiteral("&Settings…"), QStringLiteral("&Instrument control panel…")}));
    QAction& command = menuCommand(*window, QStringLiteral("&Instrument control panel…"));
    const QString unplugged = QStringLiteral("/nonexistent/ttyZ");

    // The user sees the configured port chosen and "sim" offered.
    const auto configuredPortChosen = [&](PortChoice& choice) {
        EXPECT_EQ(choice.port(), unplugged);
        EXPECT_GE(choice.portBox().findText(QStringLiteral("sim")), 0);
    };
    {
        serial::setConfiguredPort(unplugged);
        ModalUser user({answerTo<PortChoice>([&](PortChoice& choice) {
            configuredPortChosen(choice);
            QTest::mouseClick(choice.buttons().button(QDialogButtonBox::Cancel), Qt::LeftButton);
        })});
        command.trigger();
        EXPECT_EQ(user.answered(), 1u);
        EXPECT_TRUE(user.unexpectedWindows.isEmpty()) << user.unexpectedWindows.join(u',').toStdString();
        EXPECT_EQ(serial::configuredPort(), unplugged);
    }
    {
        QStringList listedSlots;
        ModalUser user({answerTo<PortChoice>([&](PortChoice& choice) {
                            configuredPortChosen(choice);
                            choice.portBox().setCurrentIndex(choice.portBox().findText(QStringLiteral("sim")));
                            QTest::mouseClick(choice.buttons().button(QDialogButtonBox::Ok), Qt::LeftButton);
                        }),
                        answerTo<ControlPanelWindow>([&](ControlPanelWindow& panel) {
                            EXPECT_TRUE(panel.selectTab(1));
                            loop->advance(1); // the page lists the slots once the tab switch is handled
                            const auto* slotList = panel.findChild<QTreeWidget*>(QStringLiteral("lvwSlotInfo"));
                            for (int row = 0; slotList && row < slotList->topLevelItemCount(); ++row)
                                listedSlots << slotList->topLevelItem(row)->text(1);
                            QTest::mouseClick(panel.buttons().button(QDialogButtonBox::Close), Qt::LeftButton);
                        })});
        command.trigger();
        EXPECT_EQ(user.answered(), 2u);
        EXPECT_TRUE(user.unexpectedWindows.isEmpty()) << user.unexpectedWindows.join(u',').toStdString();
        EXPECT_EQ(serial::configuredPort(), QStringLiteral("sim"));
        // The panel talked to the simulated instrument: its nine slots, all empty.
        EXPECT_EQ(listedSlots, QStringList(9, QStringLiteral("[Empty]")));
    }
    EXPECT_TRUE(boxes->shown().empty()) << boxes->shown().front().text.toStdString();
}

// A failure in a handler of the window reaches the user, never Qt's event loop: a test whose
// pages cannot be made is selected with its tabs empty, and Settings… that cannot be opened says so.
TEST_F(MainWindowTest, FailuresInTheWindowsHandlersStayOutOfTheEventLoop)
{
    MainWindow failing(std::make_shared<FailingPlugIn>(startPlugIn()));
    EXPECT_NO_THROW(failing.addTest(100));
    EXPECT_EQ(failing.sequenceList().currentRow(), 0);
    EXPECT_EQ(failing.configurationPage().dialog(), nullptr);
    EXPECT_TRUE(boxes->shown().empty());

    EXPECT_NO_THROW(menuCommand(failing, QStringLiteral("&Settings…")).trigger());
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown().front().text, QStringLiteral("The settings could not be opened: No settings today"));
}
