#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "ui/XParameterView.h"

#include "HostFixture.h"

#include "com/Error.h"
#include "widgets/Colors.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTest>

using namespace ZeltorTests;

class ParameterViewTest : public HostFixture {
protected:
    // Made once the host is there: the selector translates its captions when it is created.
    void SetUp() override
    {
        HostFixture::SetUp();
        view = std::make_unique<XParameterView>();
        view->setChangeHandler([this] { ++changes; });
        view->resize(400, 360);
        view->show();
        list = listOf(ventilatorKeys);
        list->SetPredefinedView(epvTemplate);
    }
    void TearDown() override
    {
        view.reset();
        HostFixture::TearDown();
    }

    static std::shared_ptr<CParameterList> listOf(const QStringList& keys)
    {
        auto result = std::make_shared<CParameterList>();
        for (const QString& key : keys)
            result->Add(key);
        return result;
    }
    static QStringList selectedKeys(const CParameterList& parameters)
    {
        QStringList keys;
        for (const auto& definition : parameters)
            if (definition->Selected())
                keys << definition->Key();
        return keys;
    }

    QListWidget& entries() const { return *view->findChild<QListWidget*>(QStringLiteral("lstParameterView")); }
    QComboBox& views() const { return *view->findChild<QComboBox*>(QStringLiteral("cboPredefinedViews")); }
    QStringList entryTexts() const
    {
        QStringList texts;
        for (int row = 0; row < entries().count(); ++row)
            texts << entries().item(row)->text();
        return texts;
    }
    QStringList checkedTexts() const
    {
        QStringList texts;
        for (int row = 0; row < entries().count(); ++row)
            if (entries().item(row)->checkState() == Qt::Checked)
                texts << entries().item(row)->text();
        return texts;
    }
    // The captions of a list's selected breath parameters, as the entries show them.
    static QStringList selectedCaptions(const CParameterList& parameters)
    {
        QStringList captions;
        for (const auto& definition : parameters)
            if (definition->Kind() == 1 && definition->Selected())
                captions << definition->Caption(true);
        return captions;
    }

    // A click on the check box of an entry, as the user makes it.
    void clickCheckOf(int row) const
    {
        QListWidget& widget = entries();
        const QRect rect = widget.visualItemRect(widget.item(row));
        const int indicator = widget.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget);
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 3 + indicator / 2, rect.center().y()));
    }
    // The space bar on an entry.
    void pressSpaceOn(int row) const
    {
        entries().setCurrentRow(row);
        QTest::keyClick(&entries(), Qt::Key_Space);
    }
    // The user picks a view with the arrow keys, as from the keyboard.
    void choose(int32_t predefinedView) const
    {
        QComboBox& combo = views();
        combo.setCurrentIndex(predefinedView == 0 ? 1 : predefinedView - 1);
        QTest::keyClick(&combo, predefinedView == 0 ? Qt::Key_Up : Qt::Key_Down);
    }

    const QStringList ventilatorKeys{"FLOW", "PRES", "VOLU", "BRRA", "TIVO", "INPF", "INPP", "PEPR", "MEIP", "MIVO",
                                     "IERA", "INHO", "INPE", "EXPE", "EXPF", "TEMP", "OXLE", "MEEP", "ATPR"};
    std::unique_ptr<XParameterView> view;
    std::shared_ptr<CParameterList> list;
    int changes = 0;
};

TEST_F(ParameterViewTest, InitializeShowsOneEntryPerBreathParameterWithItsSelectionAndRaisesNoChange)
{
    list->Add(QStringLiteral("ACPR"));
    view->Initialize(list);

    QStringList breathCaptions;
    for (const auto& definition : *list)
        if (definition->Kind() == 1)
            breathCaptions << definition->Caption(true);
    ASSERT_EQ(breathCaptions.size(), 16);
    EXPECT_EQ(entryTexts(), breathCaptions);
    EXPECT_EQ(entryTexts().first(), QStringLiteral("Breath rate"));
    EXPECT_EQ(entryTexts().last(), QStringLiteral("Atmospheric pressure"));
    EXPECT_EQ(checkedTexts(), selectedCaptions(*list));
    EXPECT_EQ(checkedTexts().size(), 9);
    EXPECT_EQ(entries().currentRow(), 0);
    EXPECT_EQ(changes, 0);

    // The predefined views in their order, translated, none chosen yet.
    ASSERT_EQ(views().count(), 8);
    EXPECT_EQ(views().itemText(0), QStringLiteral("(all)"));
    EXPECT_EQ(views().itemText(6), QStringLiteral("CPAP Measurements"));
    EXPECT_EQ(views().itemText(7), QStringLiteral("Environment"));
    EXPECT_EQ(views().currentIndex(), -1);
    EXPECT_FALSE(view->findChild<QLabel*>(QStringLiteral("lblPredefView"))->text().isEmpty());
}

TEST_F(ParameterViewTest, EachUserCheckToggleChangesTheSelectionAndRaisesOneChange)
{
    view->Initialize(list);
    ASSERT_EQ(entries().item(0)->text(), QStringLiteral("Breath rate"));
    ASSERT_TRUE(list->Item(QStringLiteral("BRRA"))->Selected());

    clickCheckOf(0);
    EXPECT_FALSE(list->Item(QStringLiteral("BRRA"))->Selected());
    EXPECT_EQ(entries().item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(changes, 1);

    clickCheckOf(0);
    EXPECT_TRUE(list->Item(QStringLiteral("BRRA"))->Selected());
    EXPECT_EQ(changes, 2);

    // "MEIP" (unselected in the template) is the sixth entry.
    ASSERT_EQ(entries().item(5)->text(), list->Item(QStringLiteral("MEIP"))->Caption(true));
    pressSpaceOn(5);
    EXPECT_TRUE(list->Item(QStringLiteral("MEIP"))->Selected());
    EXPECT_EQ(changes, 3);

    // The waveform channels have no entry and keep their selection.
    for (const char* channel : {"FLOW", "PRES", "VOLU"})
        EXPECT_TRUE(list->Item(QString::fromLatin1(channel))->Selected()) << channel;
    EXPECT_EQ(checkedTexts(), selectedCaptions(*list));
}

TEST_F(ParameterViewTest, EachPredefinedViewSetsItsSelectionAndRaisesOneChange)
{
    list->Add(QStringLiteral("ACPR"));
    view->Initialize(list);
    const QStringList channels{"FLOW", "PRES", "VOLU"};
    struct Case {
        int32_t view;
        QStringList breathKeys;
    };
    const Case cases[] = {
        {epvRate, {"BRRA", "IERA"}},
        {epvTime, {"IERA", "INPE", "EXPE"}},
        {epvVolume, {"TIVO", "MIVO"}},
        {epvFlow, {"INPF", "EXPF"}},
        {epvPressure, {"INPP", "PEPR"}},
        {epvCPAPMeasurements, {"MEIP", "MEEP"}},
        {epvEnvironment, {"TEMP", "OXLE", "ATPR"}},
        // "(all)" selects every definition, the single reading among them.
        {epvAll, QStringList(ventilatorKeys.begin() + 3, ventilatorKeys.end()) << "ACPR"},
    };
    for (const Case& test : cases) {
        const int before = changes;
        choose(test.view);
        EXPECT_EQ(changes, before + 1) << test.view;
        EXPECT_EQ(views().currentIndex(), test.view);
        EXPECT_EQ(selectedKeys(*list), channels + test.breathKeys) << test.view;
        EXPECT_EQ(checkedTexts(), selectedCaptions(*list)) << test.view;
        EXPECT_FALSE(entries().isHidden()) << test.view;
        EXPECT_EQ(entries().currentRow(), 0) << test.view;
    }
    EXPECT_EQ(checkedTexts().size(), 16);
}

TEST_F(ParameterViewTest, ASecondInitializeShowsOnlyTheNewList)
{
    view->Initialize(list);
    const auto other = listOf({"FLOW", "TIVO", "OXLE"});
    other->Item(QStringLiteral("OXLE"))->setSelected(false);
    view->Initialize(other);

    EXPECT_EQ(entryTexts(), (QStringList{other->Item(QStringLiteral("TIVO"))->Caption(true),
                                         other->Item(QStringLiteral("OXLE"))->Caption(true)}));
    EXPECT_EQ(checkedTexts(), QStringList{other->Item(QStringLiteral("TIVO"))->Caption(true)});
    EXPECT_EQ(changes, 0);

    // The entries edit the new list, not the one bound before.
    clickCheckOf(0);
    EXPECT_FALSE(other->Item(QStringLiteral("TIVO"))->Selected());
    EXPECT_TRUE(list->Item(QStringLiteral("TIVO"))->Selected());
    choose(epvEnvironment);
    EXPECT_EQ(selectedKeys(*other), (QStringList{"FLOW", "OXLE"}));
    EXPECT_EQ(selectedKeys(*list).size(), 12);
    EXPECT_EQ(changes, 2);
}

TEST_F(ParameterViewTest, ALockedSelectorTakesNoInput)
{
    view->Initialize(list);
    const QStringList selection = selectedKeys(*list);
    const QColor window = entries().palette().color(QPalette::Base);

    view->setLocked(true);
    EXPECT_TRUE(view->Locked());
    EXPECT_FALSE(entries().isEnabled());
    EXPECT_EQ(entries().palette().color(QPalette::Disabled, QPalette::Base), widgets::colorOf(0x8000000F));
    clickCheckOf(0);
    pressSpaceOn(5);
    choose(epvRate);
    QTest::mouseClick(&views(), Qt::LeftButton);
    EXPECT_FALSE(views().view()->isVisible());
    EXPECT_EQ(selectedKeys(*list), selection);
    EXPECT_EQ(checkedTexts(), selectedCaptions(*list));
    EXPECT_EQ(changes, 0);

    // Unlocked it takes input again.
    view->setLocked(false);
    EXPECT_TRUE(entries().isEnabled());
    EXPECT_EQ(entries().palette().color(QPalette::Base), window);
    clickCheckOf(0);
    choose(epvRate);
    EXPECT_EQ(selectedKeys(*list), (QStringList{"FLOW", "PRES", "VOLU", "BRRA", "IERA"}));
    EXPECT_EQ(changes, 2);
}

TEST_F(ParameterViewTest, WithoutAListTheSelectorIsHiddenAndInputChangesNothing)
{
    view->Initialize(list);
    view->Initialize(nullptr);
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(entries().count(), 0);

    view->show();
    choose(epvRate);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(selectedKeys(*list).size(), 12);
    EXPECT_FALSE(entries().isHidden());
}

TEST_F(ParameterViewTest, AFailingChangeHandlerDoesNotReachTheEventLoop)
{
    view->Initialize(list);
    view->setChangeHandler([this] {
        ++changes;
        throw com::Error(91, QStringLiteral("Page"), QStringLiteral("Object not set"));
    });
    clickCheckOf(0);
    EXPECT_FALSE(list->Item(QStringLiteral("BRRA"))->Selected());
    choose(epvVolume);
    EXPECT_EQ(selectedKeys(*list), (QStringList{"FLOW", "PRES", "VOLU", "TIVO", "MIVO"}));
    EXPECT_FALSE(entries().isHidden());
    // The selector is not left busy: the next edit is taken.
    clickCheckOf(0);
    EXPECT_TRUE(list->Item(QStringLiteral("BRRA"))->Selected());
    EXPECT_EQ(changes, 3);
}
