#include "elements/CConfigVentilator.h"
#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "elements/CResultVentilator.h"
#include "elements/CTestVentilator.h"
#include "elements/CZeltorLimitData.h"
#include "ui/XResultVentilator.h"

#include "CaughtError.h"
#include "HostFixture.h"

#include "standards/Limit.h"

#include "Standards.h"
#include "TestElement.h"

#include "com/ClassRegistry.h"
#include "widgets/Colors.h"

#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace ZeltorTests;

namespace {

const QString kTemplateRows[] = {QStringLiteral("BRRA"), QStringLiteral("TIVO"), QStringLiteral("INPF"),
                                 QStringLiteral("INPP"), QStringLiteral("PEPR"), QStringLiteral("MIVO"),
                                 QStringLiteral("IERA"), QStringLiteral("INHO"), QStringLiteral("OXLE")};

} // namespace

// The result list of a ventilator test with its default configuration (the template parameters
// selected), the standards of its limit data, and a run context's limit context.
class ResultListTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        element = CTestVentilator::create();
        configuration()->LoadDefaultSettings();
        limitContext = com::ClassRegistry::instance().createAs<Nelvar::IStandards>(
            QString::fromLatin1(Nelvar::kStandardsProgId));
        list = std::make_unique<XResultVentilator>();
        list->resize(800, 300);
    }

    void TearDown() override
    {
        list.reset();
        HostFixture::TearDown();
    }

    std::shared_ptr<CConfigVentilator> configuration() const
    {
        return std::dynamic_pointer_cast<CConfigVentilator>(element->Configuration());
    }
    CZeltorLimitData& limitData() const { return *std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()); }

    // A standard of the limit data, offered in the run's limit context too.
    std::shared_ptr<Nelvar::IStandard> addStandard(const QString& name, const QString& completeName, bool offered = true)
    {
        const auto standard = limitData().CreateStandard(name, completeName);
        if (offered)
            limitContext->Add(standard);
        return standard;
    }

    // A further limit of `key` in the standard with the given enabled bounds.
    static void addLimit(Nelvar::IStandard& standard, const QString& key, std::optional<float> high,
                         std::optional<float> low)
    {
        auto limit = std::make_shared<host::Limit>();
        limit->Initialize(key, QString(), QString(), QString());
        if (high) {
            limit->setValue(0, *high);
            limit->setEnabled(0, true);
        }
        if (low) {
            limit->setValue(1, *low);
            limit->setEnabled(1, true);
        }
        standard.Add(limit);
    }

    std::shared_ptr<CResultVentilator> newResult() const
    {
        auto result = std::make_shared<CResultVentilator>();
        result->InitializeResult(configuration(), std::dynamic_pointer_cast<CZeltorLimitData>(element->Limits()));
        return result;
    }

    static CMeasurement& measurement(const CResultVentilator& result, const QString& key)
    {
        return *std::dynamic_pointer_cast<CMeasurement>(result.Measurement(key));
    }

    void initialize(bool showStatistics = true) { list->Initialize(element, limitContext, showStatistics); }

    QTreeWidget& table() const { return *list->findChild<QTreeWidget*>(QStringLiteral("lvwResult")); }
    QMenu& menu() const { return *list->findChild<QMenu*>(QStringLiteral("mnuStdList")); }

    QStringList rowKeys() const
    {
        QStringList keys;
        for (int row = 0; row < table().topLevelItemCount(); ++row)
            keys << table().topLevelItem(row)->data(0, Qt::UserRole).toString();
        return keys;
    }
    QTreeWidgetItem& row(const QString& key) const
    {
        for (int position = 0; position < table().topLevelItemCount(); ++position)
            if (table().topLevelItem(position)->data(0, Qt::UserRole).toString() == key)
                return *table().topLevelItem(position);
        throw std::out_of_range(key.toStdString());
    }
    QStringList headers() const
    {
        QStringList captions;
        for (int column = 0; column < table().columnCount(); ++column)
            captions << table().headerItem()->text(column);
        return captions;
    }
    int column(const QString& caption) const { return static_cast<int>(headers().indexOf(caption)); }
    QString cell(const QString& key, const QString& caption) const { return row(key).text(column(caption)); }
    QColor color(const QString& key, const QString& caption) const
    {
        return row(key).foreground(column(caption)).color();
    }
    QColor windowText() const { return widgets::colorOf(widgets::kSystemWindowText, table().palette()); }

    // The standard entries of the menu, in order.
    QList<QAction*> standardEntries() const { return menu().actions().mid(2); }

    std::shared_ptr<CTestVentilator> element;
    std::shared_ptr<Nelvar::IStandards> limitContext;
    std::unique_ptr<XResultVentilator> list;
};

TEST_F(ResultListTest, RowsForSelectedMeasuredParametersAndColumnsByTheStatisticsFlag)
{
    const auto parameters = configuration()->Parameters();
    initialize(true);
    EXPECT_EQ(rowKeys(), QStringList(std::begin(kTemplateRows), std::end(kTemplateRows)));
    EXPECT_EQ(headers(), (QStringList{"Measurement", "Value", "Minimum", "Maximum", "Average", "High limit",
                                      "Low limit", "Unit"}));
    EXPECT_EQ(cell("BRRA", "Measurement"), parameters->Item(QStringLiteral("BRRA"))->Caption(true));
    for (const char* caption : {"Value", "Minimum", "Maximum", "Average", "High limit", "Low limit"})
        EXPECT_EQ(cell("TIVO", caption), QStringLiteral(" ")) << caption;
    EXPECT_EQ(cell("TIVO", "Unit"), parameters->Item(QStringLiteral("TIVO"))->DisplayUnitText());

    // Without the flag: five columns. A selected single reading has a row, a waveform channel and
    // an unselected parameter have none.
    auto list2 = std::make_shared<CParameterList>();
    for (const char* key : {"FLOW", "ACPR", "BRRA"})
        list2->Add(QString::fromLatin1(key));
    list2->Item(QStringLiteral("BRRA"))->setSelected(false);
    configuration()->setParameters(list2);
    initialize(false);
    EXPECT_EQ(headers(), (QStringList{"Measurement", "Value", "High limit", "Low limit", "Unit"}));
    EXPECT_EQ(rowKeys(), QStringList{"ACPR"});
}

TEST_F(ResultListTest, UpdateDisplayWritesValuesAndMarksFailedRowsRed)
{
    initialize(true);
    const auto result = newResult();
    CMeasurement& breathRate = measurement(*result, QStringLiteral("BRRA"));
    breathRate.AddSample(12.0f);
    breathRate.AddSample(14.0f);
    breathRate.setStatus(CMeasurement::emsFail);
    list->UpdateDisplay(result);

    const QStringList texts = breathRate.FormattedValues();
    EXPECT_EQ(cell("BRRA", "Value"), texts[0]);
    EXPECT_EQ(cell("BRRA", "Minimum"), texts[1]);
    EXPECT_EQ(cell("BRRA", "Maximum"), texts[2]);
    EXPECT_EQ(cell("BRRA", "Average"), texts[3]);
    for (const char* caption : {"Measurement", "Value", "Average", "High limit", "Low limit", "Unit"})
        EXPECT_EQ(color("BRRA", caption), QColor(Qt::red)) << caption;
    EXPECT_EQ(color("TIVO", "Value"), windowText());

    // Passing again: back to window text at the next update; ClearAllFailed does it at once.
    breathRate.setStatus(CMeasurement::emsPass);
    list->UpdateDisplay(result);
    EXPECT_EQ(color("BRRA", "Value"), windowText());
    breathRate.setStatus(CMeasurement::emsFail);
    list->UpdateDisplay(result);
    list->ClearAllFailed();
    for (const char* caption : {"Measurement", "Value", "Unit"})
        EXPECT_EQ(color("BRRA", caption), windowText()) << caption;

    // Without the statistics columns only the current value is written.
    initialize(false);
    list->UpdateDisplay(result);
    EXPECT_EQ(cell("BRRA", "Value"), texts[0]);
    EXPECT_EQ(table().columnCount(), 5);

    // No result empties the list for good.
    list->UpdateDisplay(nullptr);
    EXPECT_EQ(table().topLevelItemCount(), 0);
    list->UpdateDisplay(result);
    EXPECT_EQ(table().topLevelItemCount(), 0);
}

TEST_F(ResultListTest, RowsWithoutAMeasurementKeepTheirTexts)
{
    initialize(true);
    auto list2 = std::make_shared<CParameterList>();
    list2->Add(QStringLiteral("BRRA"));
    configuration()->setParameters(list2); // the result measures BRRA only
    const auto result = newResult();
    measurement(*result, QStringLiteral("BRRA")).AddSample(15.0f);
    list->UpdateDisplay(result);
    EXPECT_NE(cell("BRRA", "Value"), QStringLiteral(" "));
    EXPECT_EQ(cell("TIVO", "Value"), QStringLiteral(" "));
}

TEST_F(ResultListTest, RemoveItemDropsTheRowAndAnUnknownKeyRaises)
{
    initialize(true);
    list->RemoveItem(QStringLiteral("OXLE"));
    EXPECT_FALSE(rowKeys().contains(QStringLiteral("OXLE")));
    EXPECT_EQ(caughtError([&] { list->RemoveItem(QStringLiteral("OXLE")); }).number(), com::errSubscript);
}

// Limit texts of one key in the shown standard: the smallest enabled high limit and the largest
// enabled low limit; " " where no enabled limit exists.
TEST_F(ResultListTest, LimitTextsTakeTheSmallestHighAndTheLargestLowEnabledLimit)
{
    const auto standard = addStandard(QStringLiteral("ISO"), QStringLiteral("ISO 80601"));
    addLimit(*standard, QStringLiteral("BRRA"), 10.0f, 2.0f);
    addLimit(*standard, QStringLiteral("BRRA"), 8.0f, 3.0f);
    addLimit(*standard, QStringLiteral("TIVO"), std::nullopt, 0.25f);
    auto disabled = std::make_shared<host::Limit>();
    disabled->Initialize(QStringLiteral("TIVO"), QString(), QStringLiteral("1"), QString());
    disabled->setEnabled(0, false);
    standard->Add(disabled);

    QSignalSpy selected(list.get(), &XResultVentilator::StandardSelected);
    initialize(true);
    EXPECT_EQ(cell("BRRA", "High limit"), QStringLiteral("8"));
    EXPECT_EQ(cell("BRRA", "Low limit"), QStringLiteral("3"));
    EXPECT_EQ(cell("TIVO", "High limit"), QStringLiteral(" "));
    EXPECT_EQ(cell("TIVO", "Low limit"), QStringLiteral(".25"));
    EXPECT_EQ(cell("OXLE", "High limit"), QStringLiteral(" "));
    EXPECT_EQ(row("BRRA").toolTip(column("High limit")), QStringLiteral("ISO 80601"));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0], (QVariantList{"ISO", "ISO 80601"}));
    ASSERT_EQ(standardEntries().size(), 1);
    EXPECT_TRUE(standardEntries()[0]->isChecked());
    EXPECT_EQ(standardEntries()[0]->text(), QStringLiteral("ISO 80601"));
}

TEST_F(ResultListTest, MenuListsTheOfferedStandardsTheLimitDataHolds)
{
    // Nothing offered: no entry, and the right mouse button opens no menu.
    initialize(true);
    QTest::mouseClick(table().viewport(), Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_FALSE(menu().isVisible());

    addStandard(QStringLiteral("A"), QStringLiteral("Standard A"));
    addStandard(QStringLiteral("N"), QStringLiteral("Not held"), false);
    const auto foreign = com::ClassRegistry::instance().createAs<Nelvar::IStandard>(
        QString::fromLatin1(Nelvar::kStandardProgId));
    foreign->Initialize(QStringLiteral("F"), QStringLiteral("Foreign"), 1);
    limitContext->Add(foreign);
    addStandard(QStringLiteral("B"), QStringLiteral("Standard B"));
    initialize(true);
    ASSERT_EQ(standardEntries().size(), 2);
    EXPECT_EQ(standardEntries()[0]->text(), QStringLiteral("Standard A"));
    EXPECT_EQ(standardEntries()[1]->text(), QStringLiteral("Standard B"));
    EXPECT_EQ(standardEntries()[1]->data().toString(), QStringLiteral("B"));
    EXPECT_EQ(menu().defaultAction()->text(), QStringLiteral("Selected Standards"));

    QTest::mouseClick(table().viewport(), Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_TRUE(menu().isVisible());
    menu().hide();
}

TEST_F(ResultListTest, PickingAStandardMovesTheCheckMarkAndShowsItsLimits)
{
    addLimit(*addStandard(QStringLiteral("A"), QStringLiteral("Standard A")), QStringLiteral("BRRA"), 30.0f, std::nullopt);
    addLimit(*addStandard(QStringLiteral("B"), QStringLiteral("Standard B")), QStringLiteral("BRRA"), 25.5f, std::nullopt);
    initialize(true);
    QSignalSpy selected(list.get(), &XResultVentilator::StandardSelected);
    const auto entries = standardEntries();

    entries[1]->trigger();
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_EQ(cell("BRRA", "High limit"), QStringLiteral("25.5"));
    EXPECT_EQ(row("BRRA").toolTip(column("Low limit")), QStringLiteral("Standard B"));

    // The entry that carries the mark: marked again, limits rewritten, reported again.
    row("BRRA").setText(column("High limit"), QStringLiteral("x"));
    entries[1]->trigger();
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_EQ(cell("BRRA", "High limit"), QStringLiteral("25.5"));
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected[1], (QVariantList{"B", "Standard B"}));
}

TEST_F(ResultListTest, AnEntryWithoutTagOnlyClearsThePreviousMark)
{
    addLimit(*addStandard(QStringLiteral("A"), QStringLiteral("Standard A")), QStringLiteral("BRRA"), 30.0f, std::nullopt);
    addStandard(QString(), QStringLiteral("Unnamed"));
    initialize(true);
    QSignalSpy selected(list.get(), &XResultVentilator::StandardSelected);
    const auto entries = standardEntries();
    ASSERT_EQ(entries.size(), 2);

    entries[1]->trigger();
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_FALSE(entries[1]->isChecked());
    EXPECT_EQ(cell("BRRA", "High limit"), QStringLiteral("30"));
    EXPECT_EQ(selected.count(), 0);
}

// The menu's busy flag turns away a pick made while one is being shown, and is cleared again
// whatever way the pick ends, even when a listener fails.
TEST_F(ResultListTest, APickDuringAPickIsTurnedAwayAndTheBusyFlagAlwaysClears)
{
    addStandard(QStringLiteral("A"), QStringLiteral("Standard A"));
    addStandard(QStringLiteral("B"), QStringLiteral("Standard B"));
    initialize(true);
    const auto entries = standardEntries();
    QStringList shown;
    const auto connection = QObject::connect(list.get(), &XResultVentilator::StandardSelected, [&](const QString& name) {
        shown << name;
        if (name == QLatin1String("B")) {
            entries[0]->trigger(); // nested: turned away
            throw com::Error::invalidCall();
        }
    });
    entries[1]->trigger();
    EXPECT_EQ(shown, QStringList{"B"});
    EXPECT_TRUE(entries[1]->isChecked());

    entries[0]->trigger();
    EXPECT_EQ(shown, (QStringList{"B", "A"}));
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_FALSE(entries[1]->isChecked());
    QObject::disconnect(connection);
}

TEST_F(ResultListTest, RowClicksReportTheKeyAndHeaderClicksSortByText)
{
    QSignalSpy selection(list.get(), &XResultVentilator::SelectionChange);
    initialize(true);
    ASSERT_EQ(selection.count(), 1);
    EXPECT_EQ(selection[0][0].toString(), QStringLiteral("BRRA"));

    list->show();
    QTreeWidgetItem& tidalVolume = row("TIVO");
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, table().visualItemRect(&tidalVolume).center());
    ASSERT_EQ(selection.count(), 2);
    EXPECT_EQ(selection[1][0].toString(), QStringLiteral("TIVO"));

    // The unit column holds "bpm", "ml", ... : sorted as text, ascending.
    QHeaderView& header = *table().header();
    const int unitColumn = column("Unit");
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(unitColumn) + 5, header.height() / 2));
    QStringList units;
    for (int position = 0; position < table().topLevelItemCount(); ++position)
        units << table().topLevelItem(position)->text(unitColumn);
    QStringList sorted = units;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(units, sorted);
    EXPECT_NE(rowKeys(), QStringList(std::begin(kTemplateRows), std::end(kTemplateRows)));
}
