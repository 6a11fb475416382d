#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "ui/XFullScreenMenuInfo.h"

#include "HostFixture.h"
#include "PageInput.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <vector>

using namespace ZeltorTests;

// The panel in a shown window beside another box that can take the focus from it, and the items
// it shows: trends and a snapshot of a run.
class FullScreenMenuInfoTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        view = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(view.get());
        panel = new XFullScreenMenuInfo(view.get());
        elsewhere = new QLineEdit(view.get());
        layout->addWidget(panel);
        layout->addWidget(elsewhere);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    void TearDown() override
    {
        view.reset();
        HostFixture::TearDown();
    }

    // A trend "Night run" with a comment, sampling every `interval` seconds from second 30.
    static std::shared_ptr<CTrend> trend(int32_t interval)
    {
        auto result = std::make_shared<CTrend>();
        result->Initialize(QStringLiteral("Night run"), interval, 30);
        result->setComment(QStringLiteral("PEEP 5"));
        return result;
    }
    // Samples as the run takes them: the breath blocks mark the trend, then the samples follow.
    static void sample(CTrend& trend, int count)
    {
        trend.setBPMHasChanged(true);
        for (int k = 0; k < count; ++k)
            trend.AddSample(std::vector<std::shared_ptr<CMeasurement>>{});
    }
    // A frozen snapshot of ten seconds of waveform ending at second 130.
    std::shared_ptr<CWaveformData> snapshot()
    {
        for (const char* key : {"FLOW", "PRES", "VOLU"})
            channels.Add(QString::fromLatin1(key));
        auto data = CWaveformData::create();
        data->Initialize(QStringLiteral("1S"), channels, 60000);
        for (int k = 0; k < 500; ++k)
            for (const auto& table : {data->FlowTable(), data->PressureTable(), data->VolumeTable()})
                table->AddValue(static_cast<float>(k));
        data->Freeze(130, 500);
        data->setComment(QStringLiteral("Leak"));
        return data;
    }

    void show(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& item, int32_t bookmark = 7)
    {
        auto handed = item;
        panel->Show(handed, bookmark);
        EXPECT_EQ(handed, item) << "the item the panel keeps is handed back";
    }

    template <typename Control>
    Control& child(const char* name) const
    {
        auto* control = panel->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    QString text(const char* field) const { return child<QLabel>(field).text(); }
    bool shown(const char* field) const { return !child<QLabel>(field).isHidden(); }
    QLineEdit& title() const { return child<QLineEdit>("txtTitle"); }
    QLineEdit& comment() const { return child<QLineEdit>("txtComment"); }
    QCheckBox& editSwitch() const { return child<QCheckBox>("chkEdit"); }

    // Both boxes in the editing look (white, black text, typing allowed) or the read-only one.
    void expectEditing(bool editing) const
    {
        for (const QLineEdit* box : {&title(), &comment()}) {
            EXPECT_EQ(box->isReadOnly(), !editing) << box->objectName().toStdString();
            EXPECT_EQ(box->palette().color(QPalette::Base),
                      editing ? QColor(Qt::white) : panel->palette().color(panel->backgroundRole()));
            EXPECT_EQ(box->palette().color(QPalette::Text), editing ? QColor(Qt::black) : QColor(Qt::white));
        }
        EXPECT_EQ(editSwitch().isChecked(), editing);
    }

    std::unique_ptr<QWidget> view;
    XFullScreenMenuInfo* panel = nullptr;
    QLineEdit* elsewhere = nullptr;
    CParameterList channels;
};

TEST_F(FullScreenMenuInfoTest, ATrendShowsNAUntilItSamplesThenItsTimesAndCount)
{
    struct Case {
        int32_t interval;
        const char* intervalText;
        const char* lastSampling; // after two samples from second 30
    };
    for (const Case& test : {Case{1, "1 Second", "00:00:32"}, Case{15, "15 Seconds", "00:01:00"}}) {
        const auto shownTrend = trend(test.interval);
        show(shownTrend);
        EXPECT_EQ(child<QGroupBox>("fraInformation").title(), QStringLiteral("Trend Details"));
        EXPECT_TRUE(child<QGroupBox>("fraInformation").isEnabled());
        EXPECT_EQ(title().text(), QStringLiteral("Night run"));
        EXPECT_EQ(comment().text(), QStringLiteral("PEEP 5"));
        EXPECT_EQ(text("txtInterval"), QString::fromLatin1(test.intervalText));
        for (const char* field : {"txtStartTime", "txtEndTime", "txtSamples"})
            EXPECT_EQ(text(field), QStringLiteral("NA")) << field;
        for (const char* field : {"lblInterval", "txtInterval", "lblSamples", "txtSamples"})
            EXPECT_TRUE(shown(field)) << field;
        expectEditing(false);

        sample(*shownTrend, 2);
        panel->UpdateLastSample();
        EXPECT_EQ(text("txtStartTime"), QStringLiteral("00:00:30"));
        EXPECT_EQ(text("txtEndTime"), QString::fromLatin1(test.lastSampling));
        EXPECT_EQ(text("txtSamples"), QStringLiteral("2"));
    }
}

TEST_F(FullScreenMenuInfoTest, ASnapshotShowsItsStartAndEndAndHidesIntervalAndSamples)
{
    show(trend(15));
    const auto shownSnapshot = snapshot();
    show(shownSnapshot);
    EXPECT_EQ(child<QGroupBox>("fraInformation").title(), QStringLiteral("Snapshot Details"));
    EXPECT_EQ(title().text(), QStringLiteral("00:02:00 - 00:02:10"));
    EXPECT_EQ(comment().text(), QStringLiteral("Leak"));
    EXPECT_EQ(text("txtStartTime"), QStringLiteral("00:02:00"));
    EXPECT_EQ(text("txtEndTime"), QStringLiteral("00:02:10"));
    for (const char* field : {"lblInterval", "txtInterval", "lblSamples", "txtSamples"})
        EXPECT_FALSE(shown(field)) << field;

    // Sample fields belong to trends only; no item leaves the panel as it is.
    panel->UpdateLastSample();
    EXPECT_EQ(text("txtStartTime"), QStringLiteral("00:02:00"));
    std::shared_ptr<ZeltorGraph::IGraphDataParent> none;
    panel->Show(none, 3);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(title().text(), QStringLiteral("00:02:00 - 00:02:10"));
}

TEST_F(FullScreenMenuInfoTest, BeginEditOpensTheTitleOnlyWhileThePanelIsVisible)
{
    show(trend(15));
    panel->hide();
    panel->BeginEdit();
    expectEditing(false);

    panel->show();
    panel->BeginEdit();
    expectEditing(true);
    EXPECT_TRUE(title().hasFocus());
    EXPECT_EQ(title().selectedText(), QStringLiteral("Night run"));

    // The switch itself: unticked it locks both boxes, ticked it opens them again.
    tick(editSwitch());
    expectEditing(false);
    tick(editSwitch());
    expectEditing(true);

    // Showing an item always starts read-only.
    show(snapshot());
    expectEditing(false);
}

TEST_F(FullScreenMenuInfoTest, EditsAreStoredWhenTheUserLeavesTheBoxOnce)
{
    const auto shownTrend = trend(15);
    show(shownTrend, 42);
    QSignalSpy titleChanged(panel, &XFullScreenMenuInfo::TitleChanged);
    panel->BeginEdit();
    QTest::keyClicks(&title(), QStringLiteral("Weaning"));
    EXPECT_EQ(shownTrend->Title(), QStringLiteral("Night run")) << "stored only when the box is left";
    EXPECT_EQ(titleChanged.count(), 0);

    comment().setFocus();
    EXPECT_EQ(shownTrend->Title(), QStringLiteral("Weaning"));
    ASSERT_EQ(titleChanged.count(), 1);
    EXPECT_EQ(titleChanged.at(0).at(0).toInt(), 42);
    EXPECT_EQ(titleChanged.at(0).at(1).toString(), QStringLiteral("Weaning"));

    // The comment box selects its text on entry, so typing replaces it.
    EXPECT_EQ(comment().selectedText(), QStringLiteral("PEEP 5"));
    QTest::keyClicks(&comment(), QStringLiteral("Tube kinked"));
    elsewhere->setFocus();
    EXPECT_EQ(shownTrend->Comment(), QStringLiteral("Tube kinked"));
    EXPECT_EQ(titleChanged.count(), 1);

    // Passing through the title without typing reports nothing.
    title().setFocus();
    QTest::keyClick(&title(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(title().selectedText(), QStringLiteral("Weaning"));
    elsewhere->setFocus();
    EXPECT_EQ(titleChanged.count(), 1);

    // A snapshot takes its edits the same way.
    const auto shownSnapshot = snapshot();
    show(shownSnapshot, 9);
    panel->BeginEdit();
    QTest::keyClicks(&title(), QStringLiteral("Cuff leak"));
    comment().setFocus();
    QTest::keyClicks(&comment(), QStringLiteral("At 2 min"));
    elsewhere->setFocus();
    EXPECT_EQ(shownSnapshot->Title(), QStringLiteral("Cuff leak"));
    EXPECT_EQ(shownSnapshot->Comment(), QStringLiteral("At 2 min"));
    EXPECT_EQ(shownTrend->Title(), QStringLiteral("Weaning"));
    ASSERT_EQ(titleChanged.count(), 2);
    EXPECT_EQ(titleChanged.at(1).at(0).toInt(), 9);
}

// Emptying the panel is no edit: leaving its emptied title must not blank the item's title.
TEST_F(FullScreenMenuInfoTest, ClearEmptiesTheFieldsAndStoresNothing)
{
    const auto shownTrend = trend(15);
    sample(*shownTrend, 1);
    show(shownTrend);
    QSignalSpy titleChanged(panel, &XFullScreenMenuInfo::TitleChanged);
    panel->BeginEdit();
    panel->Clear();
    expectEditing(false);
    EXPECT_TRUE(title().text().isEmpty());
    EXPECT_TRUE(comment().text().isEmpty());
    for (const char* field : {"txtStartTime", "txtEndTime", "txtInterval"})
        EXPECT_TRUE(text(field).isEmpty()) << field;
    EXPECT_FALSE(shown("txtInterval"));
    EXPECT_FALSE(shown("lblInterval"));

    elsewhere->setFocus();
    EXPECT_EQ(shownTrend->Title(), QStringLiteral("Night run"));
    EXPECT_EQ(shownTrend->Comment(), QStringLiteral("PEEP 5"));
    EXPECT_EQ(titleChanged.count(), 0);

    panel->SetEnabled(false);
    EXPECT_FALSE(child<QGroupBox>("fraInformation").isEnabled());
    show(shownTrend);
    EXPECT_TRUE(child<QGroupBox>("fraInformation").isEnabled());
}
