#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "ui/FZeltorTestGuide.h"
#include "ui/XFullscreenView.h"
#include "ui/XFullscreenViewMenu.h"
#include "ui/XNonObtrusiveMsg.h"
#include "ui/XQuery.h"
#include "ui/XStartTrendDialog.h"

#include "VentilatorRunFixture.h"

#include "CZeltorVTI.h"
#include "GMiscConverters.h"
#include "HostServices.h"
#include "Product.h"
#include "SettingsValueNames.h"

#include "XGraph.h"

#include "com/ClassRegistry.h"
#include "widgets/TreeListWidget.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <vector>

using namespace ZeltorTests;
using ZeltorGraph::XGraph;

namespace {

constexpr int64_t kStartAt = 100;      // ms of virtual time: F9 starts the run
constexpr int64_t kRunEndsBy = 62'000; // the one-minute run has stopped by then

QString translated(const char* key)
{
    return Nelvar::languageService().GetText(Zeltor::kProduct, QString::fromUtf8(key));
}

QString timeText(int32_t seconds)
{
    return ZeltorConverter::GMiscConverters::SecondsToTimeString(seconds);
}

// Pixels of that colour in the image.
int pixelsOf(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

} // namespace

// Whole one-minute runs of the ventilator test in the library's own test guide window against the
// built-in simulator, on the virtual clock: F9 starts the run at 100 ms, the scripted actions work
// the full-screen view at their virtual times like an operator, and the window is left with
// "next" once the run has stopped by its duration.
class FullscreenRunTest : public VentilatorRunFixture {
protected:
    void SetUp() override
    {
        VentilatorRunFixture::SetUp();
        useSimulator();
        // The library's own window in place of the fixture's scripted one: the registry loads it by
        // its class name.
        auto& classes = com::ClassRegistry::instance();
        classes.registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
        classes.remove(kTestGuideWindowProgId);
        configuration()->setDuration(1);
    }

    // An action at a virtual time of the run, on the window shown then.
    void at(int64_t time, std::function<void()> action)
    {
        loop->at(time, [this, action = std::move(action)] {
            m_window = shownWindow();
            ASSERT_FALSE(m_window.isNull()) << "no test guide window at " << loop->now() << " ms";
            action();
        });
    }

    // Performs the test with the actions scheduled so far.
    void run()
    {
        at(kStartAt, [this] {
            // The operator works in the window: it has the focus, as a shown window has.
            window().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
            QTest::keyClick(&window(), Qt::Key_F9);
        });
        loop->at(kRunEndsBy, [this] {
            m_window = shownWindow();
            if (m_window)
                window().PerformAction(QString::fromLatin1(window().Running() ? "abort" : "next"));
        });
        perform();
        EXPECT_TRUE(shownWindow().isNull()) << "the window is still open";
    }

    static QPointer<FZeltorTestGuide> shownWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("FZeltorTestGuide") && widget->isVisible())
                return static_cast<FZeltorTestGuide*>(widget);
        return nullptr;
    }

    // The parts of the window, found by name as the operator sees them.
    FZeltorTestGuide& window() const { return *m_window; }
    template <typename Part>
    Part& part(const QObject& parent, const QString& name) const
    {
        auto* found = parent.findChild<Part*>(name);
        if (!found)
            throw std::runtime_error("no part named " + name.toStdString());
        return *found;
    }
    XFullscreenView& view() const { return part<XFullscreenView>(window(), QStringLiteral("xfvFullscreen")); }
    XFullscreenViewMenu& menu() const { return part<XFullscreenViewMenu>(view(), QStringLiteral("xfvmMenu")); }
    XGraph& pane(int index) const { return part<XGraph>(view(), QStringLiteral("xgsGraphs%1").arg(index)); }
    widgets::TreeListWidget& tree() const { return part<widgets::TreeListWidget>(menu(), QStringLiteral("tliList")); }
    widgets::TreeListModel& list() const { return tree().model(); }
    QPushButton& button(const char* name) const { return part<QPushButton>(menu(), QString::fromLatin1(name)); }
    XQuery& query() const { return part<XQuery>(view(), QStringLiteral("xqryQuery")); }
    XStartTrendDialog& startTrendDialog() const { return part<XStartTrendDialog>(view(), QStringLiteral("xstStartTrend")); }
    XNonObtrusiveMsg& notice() const { return part<XNonObtrusiveMsg>(view(), QStringLiteral("xnonMessage")); }
    QTreeWidget& resultList() const { return part<QTreeWidget>(window(), QStringLiteral("lvwResult")); }

    // The tools menu's "Go to waveform/trend display".
    void chooseFullscreen() const
    {
        QAction& entry = *part<TestGuideToolbar>(window(), QStringLiteral("tbrPerform")).command(QStringLiteral("fullscreen"));
        ASSERT_TRUE(entry.isEnabled());
        entry.trigger();
    }
    // A click as the operator makes it: nothing happens on a disabled or hidden button.
    static void press(QPushButton& pressed) { QTest::mouseClick(&pressed, Qt::LeftButton); }
    // The question box's answer.
    void answer(const char* buttonName) const
    {
        ASSERT_TRUE(query().isVisible()) << "no question is asked";
        press(part<QPushButton>(query(), QString::fromLatin1(buttonName)));
    }

    // The index of the first entry with that text from `first` on; -1 when there is none.
    int entry(const QString& text, int first = 0) const
    {
        for (int index = first; index < list().count(); ++index)
            if (list().text(index) == text)
                return index;
        return -1;
    }
    // A click in the tree on an entry (row -1) or on a row of its table, scrolled into view first.
    void clickLine(int index, int tableRow = -1) const
    {
        ASSERT_GE(index, 0) << "no such entry";
        for (const auto& line : tree().lines())
            if (line.entry == index && line.tableRow == tableRow)
                tree().verticalScrollBar()->setValue(line.rect.top());
        const QRect rect = tree().lineRect(index, tableRow);
        ASSERT_FALSE(rect.isEmpty()) << "entry " << index << " row " << tableRow << " is not shown";
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, QPoint(rect.width() / 2, rect.center().y()));
    }
    // A click on the expander left of a closed entry opens it.
    void expand(int index) const
    {
        ASSERT_GE(index, 0) << "no such entry";
        if (list().expanded(index))
            return;
        const QRect rect = tree().lineRect(index);
        ASSERT_FALSE(rect.isEmpty()) << "entry " << index << " is not shown";
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, QPoint(6 + 16 * list().level(index), rect.center().y()));
        ASSERT_TRUE(list().expanded(index));
    }
    // The snapshot's entry.
    int snapshotEntry(const CWaveformData& snapshot) const
    {
        for (int index = 0; index < list().count(); ++index)
            if (list().data(index).get() == &snapshot)
                return index;
        return -1;
    }

    // The enabled ones of the menu's buttons, in this order.
    QStringList enabledButtons() const
    {
        QStringList states;
        for (const char* name : {"cmdTrend0", "cmdTrend1", "cmdTrend2", "cmdSnapshot0", "cmdSnapshot1", "cmdSnapshot2"})
            if (button(name).isEnabled())
                states << QString::fromLatin1(name);
        return states;
    }
    QStringList resultTexts() const
    {
        QStringList texts;
        for (int row = 0; row < resultList().topLevelItemCount(); ++row)
            for (int column = 0; column < resultList().columnCount(); ++column)
                texts << resultList().topLevelItem(row)->text(column);
        return texts;
    }
    std::shared_ptr<CWaveformData> live() const { return result()->WaveformData(); }

    // A new element whose results timer polls the instrument every `milliseconds`.
    void pollEvery(int32_t milliseconds)
    {
        setSetting(Zeltor::SettingsValues::kTimerInterval, milliseconds);
        element = CTestVentilator::create();
        configuration()->LoadDefaultSettings();
        configuration()->setDuration(1);
        ASSERT_EQ(element->TimerInterval(), milliseconds);
    }
    // Each second from `from` to `to`: the waveform panes' frame rates and the frames waiting.
    struct RateSample {
        int32_t upper = 0;
        int32_t lower = 0;
        int32_t backlog = 0;
    };
    void sampleRates(int64_t from, int64_t to, std::vector<RateSample>& samples)
    {
        for (int64_t time = from; time <= to; time += 1000)
            at(time, [this, &samples] {
                samples.push_back({pane(0).UpdateFrameRate(), pane(1).UpdateFrameRate(),
                                   ZeltorVTI::GMTI.VTI() ? ZeltorVTI::GMTI.VTI()->BufferCount() : -1});
            });
    }

    QPointer<FZeltorTestGuide> m_window;
};

// The tools command covers the screen with the view; Esc and the exit button bring back the
// window as it was, with the results the view kept it from showing.
TEST_F(FullscreenRunTest, EnteringAndLeavingTheView)
{
    QString caption;
    QRect normal;
    QStringList listAtEntry;
    bool coveredScreen = false;
    bool viewCoveredWindow = false;
    QString captionInView = QStringLiteral("unset");
    QStringList listBeforeEsc;
    QStringList listAfterEsc;
    at(3000, [&] {
        caption = window().windowTitle();
        normal = window().geometry();
        listAtEntry = resultTexts();
        EXPECT_FALSE(view().isVisible());
        chooseFullscreen();
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmFullscreen);
        captionInView = window().windowTitle();
        coveredScreen = window().geometry() == window().screen()->geometry();
        viewCoveredWindow = view().isVisible() && view().geometry() == window().rect();
    });
    at(20'000, [&] {
        listBeforeEsc = resultTexts();
        // Esc where the operator last clicked: on the lower pane.
        QTest::mouseClick(&pane(1).plotWidget(), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view(), Qt::Key_Escape);
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmNormal);
        EXPECT_EQ(window().windowTitle(), caption);
        EXPECT_EQ(window().geometry(), normal);
        EXPECT_FALSE(view().isVisible());
        listAfterEsc = resultTexts();
    });
    at(30'000, [&] {
        chooseFullscreen();
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmFullscreen);
        EXPECT_TRUE(window().windowTitle().isEmpty());
        press(button("cmdExit"));
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmNormal);
        EXPECT_EQ(window().windowTitle(), caption);
        EXPECT_EQ(window().geometry(), normal);
        EXPECT_FALSE(view().isVisible());
    });
    run();

    EXPECT_FALSE(caption.isEmpty());
    EXPECT_TRUE(captionInView.isEmpty());
    EXPECT_TRUE(coveredScreen);
    EXPECT_TRUE(viewCoveredWindow);
    // Nothing reached the list while the view covered it; leaving caught up at once.
    EXPECT_EQ(listBeforeEsc, listAtEntry);
    EXPECT_NE(listAfterEsc, listBeforeEsc);
}

// From the start of the run the view shows the live flow above and the live pressure below, each
// pane the other's sync master: a change of one pane's time axis reaches the other.
TEST_F(FullscreenRunTest, BothPanesShowTheLiveFlowAndPressureInStep)
{
    at(2000, [&] { chooseFullscreen(); });
    at(12'000, [&] {
        const QString flow = live()->FlowTable()->Caption(true);
        const QString pressure = live()->PressureTable()->Caption(true);
        ASSERT_EQ(pane(0).GraphData(), live()->FlowTable());
        ASSERT_EQ(pane(1).GraphData(), live()->PressureTable());
        EXPECT_EQ(view().paneBookmark(0), list().bookmark(entry(flow)));
        EXPECT_EQ(view().paneBookmark(1), list().bookmark(entry(pressure)));
        EXPECT_EQ(view().currentPane(), 0);
        EXPECT_TRUE(pane(0).HighLight());
        EXPECT_FALSE(pane(1).HighLight());
        EXPECT_EQ(pane(0).title().text(), live()->FlowTable()->Title());

        // Ten seconds of breathing are drawn as white traces in both panes.
        for (const int index : {0, 1})
            EXPECT_GT(pixelsOf(pane(index).plotWidget().grab().toImage(), Qt::white), 200) << "pane " << index;
        // The tree's headings and entries are white text on black.
        const QImage heading =
            tree().viewport()->grab(tree().lineRect(entry(translated("20378::Waveforms")))).toImage();
        EXPECT_GT(pixelsOf(heading, Qt::white), 30);
        EXPECT_GT(pixelsOf(heading, Qt::black), heading.width() * heading.height() / 2);

        // A zoom of the upper pane's time axis reaches the lower one, and the other way round.
        const auto span = [&](int index) { return pane(index).PlotControl().xAxis().span(); };
        const double before = span(1);
        QTest::mouseClick(&pane(0).ScaleX().button(0), Qt::LeftButton, {}, QPoint(1, 1)); // zoom in
        const double zoomed = span(0);
        EXPECT_LT(zoomed, before);
        EXPECT_EQ(span(1), zoomed);
        QTest::mouseClick(&pane(1).ScaleX().button(4), Qt::LeftButton, {}, QPoint(1, 1)); // zoom out
        EXPECT_GT(span(1), zoomed);
        EXPECT_EQ(span(0), span(1));
    });
    run();
}

// A click on a pane makes it the active one; a click in the menu on a live waveform, on a
// parameter row of the predefined trend's table or on a channel of a snapshot shows it there. An
// entry already shown in a pane is refused with the notice.
TEST_F(FullscreenRunTest, AClickInTheMenuShowsTheItemInTheActivePane)
{
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(5);
    at(2000, [&] { chooseFullscreen(); });
    at(15'000, [&] {
        const auto flow = live()->FlowTable();
        const auto volume = live()->VolumeTable();
        QTest::mouseClick(&pane(1).plotWidget(), Qt::LeftButton);
        EXPECT_EQ(view().currentPane(), 1);
        EXPECT_TRUE(pane(1).HighLight());
        EXPECT_FALSE(pane(0).HighLight());

        clickLine(entry(volume->Caption(true)));
        EXPECT_EQ(pane(1).GraphData(), volume);
        EXPECT_EQ(pane(0).GraphData(), flow);
        EXPECT_EQ(view().paneBookmark(1), list().bookmark(entry(volume->Caption(true))));
        EXPECT_FALSE(notice().isVisible());

        // The flow is on show in the other pane already.
        clickLine(entry(flow->Caption(true)));
        EXPECT_TRUE(notice().isVisible());
        EXPECT_EQ(part<QLabel>(notice(), QStringLiteral("lblMsg")).text(),
                  translated("20543::You are already viewing this data in a waveform."));
        EXPECT_EQ(pane(1).GraphData(), volume);
        EXPECT_EQ(pane(0).GraphData(), flow);

        // The predefined trend's first parameter, into the upper pane.
        const auto trend = result()->Trends()->LastTrend();
        ASSERT_NE(trend, nullptr);
        const int trendEntry = entry(trend->Title());
        ASSERT_GE(trendEntry, 0);
        QTest::mouseClick(&pane(0).plotWidget(), Qt::LeftButton);
        clickLine(trendEntry, 1);
        const auto parameter = std::dynamic_pointer_cast<CTrendParameter>(pane(0).GraphData());
        ASSERT_NE(parameter, nullptr);
        EXPECT_EQ(parameter, *trend->begin());
        EXPECT_EQ(view().paneBookmark(0), list().bookmark(trendEntry));
        EXPECT_FALSE(notice().isVisible());
        EXPECT_EQ(part<QLineEdit>(menu(), QStringLiteral("txtTitle")).text(), trend->Title());
        EXPECT_EQ(pane(1).GraphData(), volume);
    });
    std::shared_ptr<CWaveformData> snapshot;
    at(20'000, [&] {
        press(button("cmdSnapshot0"));
        snapshot = result()->Snapshots()->LastSnapshot();
        ASSERT_NE(snapshot, nullptr);
        // The trend stays; the volume pane shows the volume frozen in the snapshot.
        EXPECT_NE(std::dynamic_pointer_cast<CTrendParameter>(pane(0).GraphData()), nullptr);
        EXPECT_EQ(pane(1).GraphData(), snapshot->VolumeTable());
        EXPECT_EQ(view().currentPane(), 0);

        // The snapshot's pressure, into the upper pane.
        const int listed = snapshotEntry(*snapshot);
        expand(listed);
        const int pressure = entry(snapshot->PressureTable()->Caption(true), listed);
        clickLine(pressure);
        EXPECT_EQ(pane(0).GraphData(), snapshot->PressureTable());
        EXPECT_EQ(pane(0).GraphData()->GraphType(), ZeltorGraph::egtSnapshotGraph);
        EXPECT_EQ(view().paneBookmark(0), list().bookmark(pressure));
        EXPECT_EQ(pane(1).GraphData(), snapshot->VolumeTable());
        // Two channels of one snapshot share their time axis.
        QTest::mouseClick(&pane(1).ScaleX().button(0), Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_EQ(pane(0).PlotControl().xAxis().span(), pane(1).PlotControl().xAxis().span());
    });
    run();
}

// The notice refuses only the selection it answers: the trend picked next shows in the panel.
TEST_F(FullscreenRunTest, ARefusedSelectionKeepsNoLaterRecordFromThePanel)
{
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(5);
    at(2000, [&] { chooseFullscreen(); });
    at(15'000, [&] {
        clickLine(entry(live()->FlowTable()->Caption(true)));
        ASSERT_TRUE(notice().isVisible());
        const auto trend = result()->Trends()->LastTrend();
        ASSERT_NE(trend, nullptr);
        clickLine(entry(trend->Title()));
        EXPECT_EQ(part<QLineEdit>(menu(), QStringLiteral("txtTitle")).text(), trend->Title());
    });
    run();
}

// The snapshot button freezes the live waveforms into a snapshot of the result: the menu lists it
// under its heading with its three channels, the panes go on showing the frozen tables, the live
// entries take the new live tables, and the title is opened for editing.
TEST_F(FullscreenRunTest, ASnapshotTakenWithTheButtonIsListedAndShownFrozen)
{
    std::shared_ptr<CWaveformData> snapshot;
    int32_t takenAt = -1;
    QImage frozenPicture;
    int32_t frozenCount = 0;
    int32_t liveCount = 0;
    at(2000, [&] { chooseFullscreen(); });
    at(20'000, [&] {
        const auto flow = live()->FlowTable();
        const auto pressure = live()->PressureTable();
        ASSERT_TRUE(button("cmdSnapshot0").isEnabled());
        takenAt = element->ElapsedTime();
        press(button("cmdSnapshot0"));
        ASSERT_EQ(result()->Snapshots()->Count(), 1);
        snapshot = result()->Snapshots()->LastSnapshot();
        EXPECT_EQ(snapshot->FlowTable(), flow);
        EXPECT_EQ(snapshot->PressureTable(), pressure);
        EXPECT_NE(live(), snapshot);

        const int heading = entry(translated("20380::Snapshots"));
        ASSERT_GE(heading, 0);
        const int listed = snapshotEntry(*snapshot);
        EXPECT_EQ(list().firstChild(heading), listed);
        EXPECT_EQ(list().text(listed), snapshot->Title());
        ASSERT_TRUE(list().hasChildren(listed));
        const int first = list().firstChild(listed);
        EXPECT_EQ(list().data(first), snapshot->FlowTable());
        EXPECT_EQ(list().data(first + 1), snapshot->PressureTable());
        EXPECT_EQ(list().data(first + 2), snapshot->VolumeTable());
        EXPECT_TRUE(tree().lineRect(listed).isValid()) << "the new snapshot is shown";

        // The panes show the frozen tables, drawn as a snapshot, from the rows under the snapshot.
        EXPECT_EQ(pane(0).GraphData(), flow);
        EXPECT_EQ(pane(1).GraphData(), pressure);
        EXPECT_EQ(flow->GraphType(), ZeltorGraph::egtSnapshotGraph);
        EXPECT_EQ(view().paneBookmark(0), list().bookmark(first));
        EXPECT_EQ(view().paneBookmark(1), list().bookmark(first + 1));
        EXPECT_EQ(view().currentPane(), 0);

        // The live entries stream into the result's new tables.
        EXPECT_EQ(list().data(entry(live()->FlowTable()->Caption(true))), live()->FlowTable());
        EXPECT_EQ(list().data(entry(live()->VolumeTable()->Caption(true))), live()->VolumeTable());

        // Its title is open for editing in the information panel.
        const auto& title = part<QLineEdit>(menu(), QStringLiteral("txtTitle"));
        EXPECT_EQ(title.text(), snapshot->Title());
        EXPECT_FALSE(title.isReadOnly());

        frozenPicture = pane(0).plotWidget().grab().toImage();
        frozenCount = snapshot->FlowTable()->Count();
        liveCount = live()->FlowTable()->Count();
    });
    at(25'000, [&] {
        EXPECT_EQ(snapshot->FlowTable()->Count(), frozenCount);
        EXPECT_GT(live()->FlowTable()->Count(), liveCount);
        EXPECT_EQ(pane(0).plotWidget().grab().toImage(), frozenPicture) << "the frozen flow stays as it was";
        // The live flow again, into the upper pane: it goes on drawing.
        clickLine(entry(live()->FlowTable()->Caption(true)));
        EXPECT_EQ(pane(0).GraphData(), live()->FlowTable());
        frozenPicture = pane(0).plotWidget().grab().toImage();
    });
    at(27'000, [&] { EXPECT_NE(pane(0).plotWidget().grab().toImage(), frozenPicture); });
    run();

    ASSERT_NE(snapshot, nullptr);
    EXPECT_EQ(result()->Snapshots()->Item(snapshot->Key()), snapshot);
    EXPECT_EQ(snapshot->CreationTime(), takenAt);
}

// A trend asked for with the start-trend dialog is listed with its table, whose minimum and
// maximum cells follow the samples; it is stopped and deleted, each after its question. Esc in
// the dialog closes the dialog only.
TEST_F(FullscreenRunTest, ATrendStartedWithTheDialogIsSampledThenStoppedAndDeleted)
{
    const QString description = QStringLiteral("Weaning");
    std::shared_ptr<CTrend> trend;
    QStringList cellsAtStart;
    const auto minMaxCells = [&] {
        QStringList cells;
        const widgets::TreeListTable& table = list().table(entry(description));
        for (int row = 1; row < table.rowCount(); ++row)
            cells << table.cell(row, 2).text << table.cell(row, 3).text;
        return cells;
    };
    at(2000, [&] { chooseFullscreen(); });
    at(10'000, [&] {
        press(button("cmdTrend0"));
        ASSERT_TRUE(startTrendDialog().isVisible());
        auto& descriptionBox = part<QLineEdit>(startTrendDialog(), QStringLiteral("txtDescription"));
        auto& intervalBox = part<QLineEdit>(startTrendDialog(), QStringLiteral("txtInterval"));
        EXPECT_EQ(descriptionBox.text(), timeText(element->ElapsedTime()));
        EXPECT_EQ(descriptionBox.selectedText(), descriptionBox.text());
        EXPECT_EQ(intervalBox.text(), QStringLiteral("15"));
        QTest::keyClick(&descriptionBox, Qt::Key_Escape);
        EXPECT_FALSE(startTrendDialog().isVisible());
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmFullscreen);
        EXPECT_EQ(result()->Trends()->Count(), 0);

        press(button("cmdTrend0"));
        ASSERT_TRUE(startTrendDialog().isVisible());
        QTest::keyClicks(&descriptionBox, description);
        intervalBox.selectAll();
        QTest::keyClicks(&intervalBox, QStringLiteral("4"));
        QTest::keyClick(&intervalBox, Qt::Key_Return);
        EXPECT_FALSE(startTrendDialog().isVisible());
        ASSERT_EQ(result()->Trends()->Count(), 1);
        trend = result()->Trends()->LastTrend();
        EXPECT_EQ(trend->Key(), QStringLiteral("Trend1"));
        EXPECT_EQ(trend->Title(), description);
        EXPECT_EQ(trend->Interval(), 4);
        EXPECT_EQ(trend->StartTime(), element->ElapsedTime());
        EXPECT_TRUE(trend->Active());

        const int heading = entry(translated("20379::Trends"));
        ASSERT_GE(heading, 0);
        const int listed = entry(description, heading);
        EXPECT_EQ(list().firstChild(heading), listed);
        EXPECT_EQ(list().data(listed), trend);
        int parameters = 0;
        for ([[maybe_unused]] const auto& parameter : *trend)
            ++parameters;
        EXPECT_GT(parameters, 0);
        EXPECT_EQ(list().table(listed).rowCount(), 1 + parameters);
        EXPECT_FALSE(button("cmdTrend0").isEnabled());
        cellsAtStart = minMaxCells();
    });
    at(30'000, [&] {
        EXPECT_GE(trend->SampleCount(), 3);
        const QStringList cells = minMaxCells();
        EXPECT_NE(cells, cellsAtStart);
        EXPECT_FALSE(cells.contains(QString()));

        clickLine(entry(description));
        ASSERT_TRUE(button("cmdTrend1").isEnabled());
        press(button("cmdTrend1"));
        EXPECT_EQ(part<QLabel>(query(), QStringLiteral("lblMessage")).text(), translated("20518::Stop current trend?"));
        EXPECT_EQ(part<QLabel>(query(), QStringLiteral("lblTitleBar")).text(), translated("20526::Please confirm"));
        answer("cmdYes");
        EXPECT_FALSE(query().isVisible());
        EXPECT_FALSE(trend->Active());
        EXPECT_TRUE(button("cmdTrend0").isEnabled());
        EXPECT_TRUE(button("cmdTrend2").isEnabled());
        EXPECT_FALSE(button("cmdTrend1").isEnabled());

        press(button("cmdTrend2"));
        EXPECT_EQ(part<QLabel>(query(), QStringLiteral("lblMessage")).text(),
                  translated("20540::Are you sure you wish to delete the trend") + QStringLiteral("\r\n'") + description
                      + QLatin1Char('\''));
        answer("cmdNo");
        EXPECT_EQ(result()->Trends()->Count(), 1);
        EXPECT_GE(entry(description), 0);
        press(button("cmdTrend2"));
        answer("cmdYes");
        EXPECT_EQ(result()->Trends()->Count(), 0);
        EXPECT_EQ(entry(description), -1);
        EXPECT_EQ(entry(translated("20379::Trends")), -1);
    });
    run();
    EXPECT_EQ(result()->Trends()->Count(), 0);
}

// Snapshots are cut to what their pane last showed and deleted after their questions; the
// heading goes with the last of them.
TEST_F(FullscreenRunTest, SnapshotsAreTruncatedAndDeletedAfterTheirQuestions)
{
    std::shared_ptr<CWaveformData> first;
    std::shared_ptr<CWaveformData> second;
    const QString heading = translated("20380::Snapshots");
    at(2000, [&] { chooseFullscreen(); });
    at(15'000, [&] {
        press(button("cmdSnapshot0"));
        first = result()->Snapshots()->LastSnapshot();
    });
    at(25'000, [&] {
        // Back to the live flow, which lets the next snapshot be taken.
        clickLine(entry(live()->FlowTable()->Caption(true)));
        ASSERT_TRUE(button("cmdSnapshot0").isEnabled());
        press(button("cmdSnapshot0"));
        second = result()->Snapshots()->LastSnapshot();
        ASSERT_EQ(result()->Snapshots()->Count(), 2);
        // The live flow is frozen into the second snapshot; the lower pane keeps the first one's
        // pressure, and panes on two snapshots no longer share their time axis.
        EXPECT_EQ(pane(0).GraphData(), second->FlowTable());
        EXPECT_EQ(pane(1).GraphData(), first->PressureTable());
        EXPECT_EQ(view().paneBookmark(1), list().bookmark(entry(first->PressureTable()->Caption(true), snapshotEntry(*first))));
        const double lowerSpan = pane(1).PlotControl().xAxis().span();
        QTest::mouseClick(&pane(0).ScaleX().button(0), Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_EQ(pane(1).PlotControl().xAxis().span(), lowerSpan);
    });
    at(30'000, [&] {
        ASSERT_NE(first, nullptr);
        // The first snapshot's flow, zoomed in so that only its start is shown.
        expand(snapshotEntry(*first));
        clickLine(entry(first->FlowTable()->Caption(true), snapshotEntry(*first)));
        ASSERT_EQ(pane(0).GraphData(), first->FlowTable());
        for (int click = 0; click < 3; ++click)
            QTest::mouseClick(&pane(0).ScaleX().button(0), Qt::LeftButton, {}, QPoint(1, 1));
        const int32_t before = first->FlowTable()->Count();
        const int32_t secondCount = second->FlowTable()->Count();

        clickLine(snapshotEntry(*first));
        ASSERT_TRUE(button("cmdSnapshot1").isEnabled());
        press(button("cmdSnapshot1"));
        EXPECT_EQ(part<QLabel>(query(), QStringLiteral("lblMessage")).text(),
                  translated("20557::Warning! Truncating a snapshot cannot be undone.") + QStringLiteral("\r\n")
                      + translated("20558::Proceed?"));
        answer("cmdYes");
        EXPECT_LT(first->FlowTable()->Count(), before);
        EXPECT_GT(first->FlowTable()->Count(), 0);
        EXPECT_EQ(second->FlowTable()->Count(), secondCount) << "only the asked one is cut";

        press(button("cmdSnapshot2"));
        EXPECT_EQ(part<QLabel>(query(), QStringLiteral("lblMessage")).text(),
                  translated("20532::Are you sure you wish to delete the snapshot") + QStringLiteral("\r\n'")
                      + first->Title() + QLatin1Char('\''));
        answer("cmdNo");
        EXPECT_EQ(result()->Snapshots()->Count(), 2);
        EXPECT_GE(snapshotEntry(*first), 0);
        press(button("cmdSnapshot2"));
        answer("cmdYes");
        EXPECT_EQ(result()->Snapshots()->Count(), 1);
        EXPECT_EQ(snapshotEntry(*first), -1);
        EXPECT_GE(entry(heading), 0);

        clickLine(snapshotEntry(*second));
        press(button("cmdSnapshot2"));
        answer("cmdYes");
        EXPECT_EQ(result()->Snapshots()->Count(), 0);
        EXPECT_EQ(snapshotEntry(*second), -1);
        EXPECT_EQ(entry(heading), -1);
    });
    run();
    EXPECT_EQ(result()->Snapshots()->Count(), 0);
}

// Polled every 100 ms the instrument's frames queue up (it sends a waveform packet every 40 ms,
// and the breath blocks besides): every eleventh poll with two or more frames waiting lowers the
// waveform pane's frame rate by one, down to 1, but only while the view is shown. A trend pane
// keeps its own rate.
TEST_F(FullscreenRunTest, AFrameBacklogLowersTheWaveformFrameRate)
{
    pollEvery(100);
    // The trend's first sample comes with the end of the run: until then the click that shows
    // its parameter is not replayed.
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(60);
    std::vector<RateSample> beforeView;
    std::vector<RateSample> inView;
    int32_t trendRate = -1;
    sampleRates(1000, 3000, beforeView);
    at(3500, [&] {
        // The lower pane shows the predefined trend's first parameter.
        QTest::mouseClick(&pane(1).plotWidget(), Qt::LeftButton);
        clickLine(entry(result()->Trends()->LastTrend()->Title()), 1);
        ASSERT_EQ(pane(1).GraphData()->GraphType(), ZeltorGraph::egtTrendGraph);
        trendRate = pane(1).UpdateFrameRate();
        chooseFullscreen();
    });
    sampleRates(4000, 30'000, inView);
    run();

    ASSERT_EQ(beforeView.size(), 3u);
    for (const RateSample& sample : beforeView)
        EXPECT_EQ(sample.upper, 10);
    EXPECT_GE(beforeView.back().backlog, 2);

    ASSERT_EQ(inView.size(), 27u);
    for (size_t second = 0; second < inView.size(); ++second) {
        const RateSample& sample = inView[second];
        EXPECT_GE(sample.backlog, 2) << "at " << 4 + second << " s";
        EXPECT_EQ(sample.lower, trendRate) << "at " << 4 + second << " s";
        // One step down per eleven polls of 100 ms from the entry at 3.5 s on, at most one
        // poll's phase off.
        const int32_t polls = static_cast<int32_t>(5 + 10 * second);
        EXPECT_LE(std::abs(sample.upper - std::max(1, 10 - polls / 11)), 1) << "at " << 4 + second << " s";
        EXPECT_GE(sample.upper, 1);
        if (second > 0) {
            EXPECT_LE(sample.upper, inView[second - 1].upper);
        }
    }
    EXPECT_EQ(inView.back().upper, 1);
}

// Polled every 5 ms the instrument's queue runs empty: every eleventh poll without a frame
// waiting raises both waveform panes' frame rate by one, up to 50.
TEST_F(FullscreenRunTest, AnEmptyQueueRaisesTheWaveformFrameRate)
{
    pollEvery(5);
    std::vector<RateSample> samples;
    QString label;
    at(3000, [&] { chooseFullscreen(); });
    sampleRates(3000, 10'000, samples);
    at(10'000, [&] { label = pane(0).frameRateLabel().text(); });
    run();

    ASSERT_EQ(samples.size(), 8u);
    EXPECT_EQ(samples.front().upper, 10);
    for (size_t second = 1; second < samples.size(); ++second) {
        EXPECT_EQ(samples[second].upper, samples[second].lower);
        EXPECT_GE(samples[second].upper, samples[second - 1].upper);
    }
    EXPECT_EQ(samples.back().upper, 50);
    EXPECT_EQ(label, QStringLiteral("50 FPS"));
}

// The menu's trend and snapshot buttons through a run: what the item picked last allows while
// the run goes, and after it.
TEST_F(FullscreenRunTest, TheMenuButtonsFollowThePickedItemThroughTheRun)
{
    QStringList whileLive;
    QStringList trendJustStarted;
    QStringList trendPicked;
    QStringList snapshotPicked;
    QStringList afterTheRun;
    QStringList trendAfterTheRun;
    QStringList liveAfterTheRun;
    std::shared_ptr<CTrend> trend;
    at(2000, [&] {
        chooseFullscreen();
        whileLive = enabledButtons();
    });
    at(5000, [&] {
        press(button("cmdTrend0"));
        press(part<QPushButton>(startTrendDialog(), QStringLiteral("cmdOK")));
        trend = result()->Trends()->LastTrend();
        ASSERT_NE(trend, nullptr);
        trendJustStarted = enabledButtons();
        clickLine(entry(trend->Title()));
        trendPicked = enabledButtons();
    });
    at(10'000, [&] {
        press(button("cmdSnapshot0"));
        snapshotPicked = enabledButtons();
    });
    at(61'000, [&] {
        ASSERT_FALSE(window().Running());
        afterTheRun = enabledButtons();
        clickLine(entry(trend->Title()));
        trendAfterTheRun = enabledButtons();
        clickLine(entry(live()->FlowTable()->Caption(true)));
        liveAfterTheRun = enabledButtons();

        // What the run left can still be deleted, its emptied heading with it.
        clickLine(entry(trend->Title()));
        press(button("cmdTrend2"));
        answer("cmdYes");
        EXPECT_EQ(result()->Trends()->Count(), 0);
        EXPECT_EQ(entry(trend->Title()), -1);
        EXPECT_EQ(entry(translated("20379::Trends")), -1);
    });
    run();

    EXPECT_EQ(whileLive, (QStringList{"cmdTrend0", "cmdSnapshot0"}));
    EXPECT_EQ(trendJustStarted, (QStringList{"cmdSnapshot0"}));
    EXPECT_EQ(trendPicked, (QStringList{"cmdTrend1", "cmdSnapshot0"}));
    EXPECT_EQ(snapshotPicked, (QStringList{"cmdSnapshot1", "cmdSnapshot2"}));
    EXPECT_EQ(afterTheRun, (QStringList{"cmdSnapshot1", "cmdSnapshot2"}));
    EXPECT_EQ(trendAfterTheRun, (QStringList{"cmdTrend2"}));
    EXPECT_EQ(liveAfterTheRun, QStringList{});
}

// Back at a test that was run before, its window's view lists the result's trends and snapshots
// from the start (the live waveforms are gone), and shows what is picked.
TEST_F(FullscreenRunTest, TheViewOfATestRunBeforeListsItsTrendsAndSnapshots)
{
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(5);
    at(2000, [&] { chooseFullscreen(); });
    at(20'000, [&] { press(button("cmdSnapshot0")); });
    run();
    ASSERT_EQ(result()->Snapshots()->Count(), 1);
    const auto snapshot = result()->Snapshots()->LastSnapshot();
    const auto trend = result()->Trends()->LastTrend();

    QStringList shown;
    QStringList buttonsForTheSnapshot;
    at(loop->now() + 100, [&] {
        EXPECT_EQ(window().DisplayMode(), ITestGuideWindow::edmNormal);
        chooseFullscreen();
        for (int index = 0; index < list().count(); ++index)
            if (list().level(index) <= 1)
                shown << list().text(index);
        const int listed = snapshotEntry(*snapshot);
        expand(listed);
        clickLine(entry(snapshot->FlowTable()->Caption(true), listed));
        EXPECT_EQ(pane(0).GraphData(), snapshot->FlowTable());
        EXPECT_EQ(pane(0).GraphData()->GraphType(), ZeltorGraph::egtSnapshotGraph);
        clickLine(listed);
        buttonsForTheSnapshot = enabledButtons();
        press(button("cmdExit"));
        window().PerformAction(QStringLiteral("next"));
    });
    perform();

    EXPECT_EQ(shown, (QStringList{translated("20379::Trends"), trend->Title(), translated("20380::Snapshots"),
                                  snapshot->Title()}));
    EXPECT_EQ(buttonsForTheSnapshot, (QStringList{"cmdSnapshot1", "cmdSnapshot2"}));
    EXPECT_TRUE(shownWindow().isNull());
}
