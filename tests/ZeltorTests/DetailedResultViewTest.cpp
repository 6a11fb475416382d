// The ventilator result's page over a real result: the predefined trend (its key is empty), the
// trend "N" and the snapshot "1S", driven by synthesized clicks on the tree's check boxes.

#include "PageInput.h"

#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "elements/CZeltorLimitData.h"

#include "data/CParameterList.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "ui/CommentBox.h"
#include "ui/XDetailedResultView.h"

#include "HostFixture.h"

#include "com/ClassRegistry.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace ZeltorTests;

namespace {

const QString kSnapshotKey = QStringLiteral("1S");
const QString kPredefinedLeaf = QStringLiteral("_TIVO");

class DetailedResultViewTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        configuration->LoadDefaultSettings();
        configuration->Parameters()->SelectKeys({QStringLiteral("BRRA"), QStringLiteral("TIVO")});
        configuration->TrendSettings()->setActive(true);
        newResult();
    }
    void TearDown() override
    {
        page.reset();
        HostFixture::TearDown();
    }

    // A fresh result of the run: the predefined trend, "N" and the snapshot, with their flags.
    void newResult()
    {
        result = std::make_shared<CResultVentilator>();
        result->InitializeResult(configuration, limits);
        result->setComment(QStringLiteral("Valve replaced"));
        ASSERT_NE(result->Trends()->Item(QString()), nullptr) << "the predefined trend";
        // The full-screen view unlocks the collection to add the user's trends.
        result->Trends()->setLocked(false);
        result->Trends()->Add(QStringLiteral("N"), *configuration->Parameters())->Initialize(QStringLiteral("Night"), 10, 0);
        const auto snapshot = CWaveformData::create();
        snapshot->Initialize(kSnapshotKey, *configuration->Parameters(), 9000);
        for (const auto& table : {snapshot->FlowTable(), snapshot->PressureTable(), snapshot->VolumeTable()})
            for (const float value : {1.0f, 2.0f, 3.0f})
                table->AddValue(value);
        snapshot->Freeze(60, 0);
        result->Snapshots()->Add(snapshot);

        // The predefined trend prints its breath rate only, "N" all, the snapshot its pressure.
        trendParameter(QString(), "BRRA")->setPrintOnReport(true);
        trendParameter(QStringLiteral("N"), "BRRA")->setPrintOnReport(true);
        trendParameter(QStringLiteral("N"), "TIVO")->setPrintOnReport(true);
        snapshot->PressureTable()->setPrintOnReport(true);
    }

    std::shared_ptr<CTrendParameter> trendParameter(const QString& trend, const char* key) const
    {
        return result->Trends()->Item(trend)->Parameter(QString::fromLatin1(key));
    }
    std::shared_ptr<CWaveformData> snapshot() const { return result->Snapshots()->Item(kSnapshotKey); }

    // A page of its own on the result, with the counting callback set before it is filled.
    void openPage()
    {
        page = std::make_unique<XDetailedResultView>();
        page->setCallBack(callBack);
        page->resize(600, 700);
        page->Initialize(com::Value(std::static_pointer_cast<com::Object>(result)));
        page->show();
    }

    // Every print flag of the result, trend parameters first: "key=0|1" under the node key.
    QString printFlags() const
    {
        QStringList flags;
        for (const auto& trend : *result->Trends())
            for (const auto& parameter : *trend)
                flags << trend->Key() + u'_' + parameter->Key() + u'=' + (parameter->PrintOnReport() ? u'1' : u'0');
        for (const auto& table : {snapshot()->FlowTable(), snapshot()->PressureTable(), snapshot()->VolumeTable()})
            flags << kSnapshotKey + u'_' + table->Key() + u'=' + (table->PrintOnReport() ? u'1' : u'0');
        return flags.join(u' ');
    }

    // Every node of the tree, depth first: "key=0|1" (the roots are "T" and "S").
    QString checkMarks() const
    {
        QStringList marks;
        const std::function<void(const QTreeWidgetItem&)> visit = [&](const QTreeWidgetItem& node) {
            marks << node.data(0, XDetailedResultView::kKeyRole).toString() + u'='
                         + (node.checkState(0) == Qt::Checked ? u'1' : u'0');
            for (int k = 0; k < node.childCount(); ++k)
                visit(*node.child(k));
        };
        QTreeWidget& tree = page->tree();
        for (int k = 0; k < tree.topLevelItemCount(); ++k)
            visit(*tree.topLevelItem(k));
        return marks.join(u' ');
    }

    // The node under that key (keys are unique in the tree); the test fails without it.
    QTreeWidgetItem& node(const QString& key) const
    {
        QTreeWidgetItemIterator it(&page->tree());
        for (; *it; ++it)
            if ((*it)->data(0, XDetailedResultView::kKeyRole).toString() == key)
                return **it;
        throw std::runtime_error("no node " + key.toStdString());
    }

    // The user clicks the node's check box.
    void clickCheckBox(QTreeWidgetItem& item) const
    {
        QTreeWidget& tree = page->tree();
        QStyleOptionViewItem option;
        option.initFrom(&tree);
        option.rect = tree.visualItemRect(&item);
        option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = item.text(0);
        const QRect box = tree.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, box.center());
    }

    // The user double-clicks the node's text: a click, then the second press that makes it double.
    void doubleClickText(QTreeWidgetItem& item) const
    {
        QTreeWidget& tree = page->tree();
        const QRect rect = tree.visualItemRect(&item);
        const QPoint text(rect.right() - 10, rect.center().y());
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, text);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, text);
    }

    const std::shared_ptr<CConfigVentilator> configuration = std::make_shared<CConfigVentilator>();
    const std::shared_ptr<CZeltorLimitData> limits = std::make_shared<CZeltorLimitData>();
    std::shared_ptr<CResultVentilator> result;
    const std::shared_ptr<CountingCallBack> callBack = std::make_shared<CountingCallBack>();
    std::unique_ptr<XDetailedResultView> page;
};

const QString kInitialFlags = QStringLiteral("_BRRA=1 _TIVO=0 N_BRRA=1 N_TIVO=1 1S_FLOW=0 1S_PRES=1 1S_VOLU=0");
const QString kInitialMarks =
    QStringLiteral("T=0 =0 _BRRA=1 _TIVO=0 N=1 N_BRRA=1 N_TIVO=1 S=0 1S=0 1S_FLOW=0 1S_PRES=1 1S_VOLU=0");

} // namespace

// The host asks the result for its page and docks it: the tree lists the trends and the snapshot
// under their keys, the predefined trend under the empty key, with check marks from the flags.
TEST_F(DetailedResultViewTest, TheResultsPageShowsItsTrendsAndSnapshotsWithTheirPrintFlags)
{
    com::ClassRegistry::instance().registerServer(QStringLiteral(ZELTOR_TESTS_LIBRARY));
    const auto dialog = result->CreateDialog();
    ASSERT_TRUE(dialog);
    dialog->setCallBack(callBack);
    QWidget host;
    dialog->Dock(&host);
    auto* shown = host.findChild<XDetailedResultView*>();
    ASSERT_NE(shown, nullptr);
    QTreeWidget& tree = shown->tree();

    QStringList texts;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        texts << (*it)->text(0);
    EXPECT_EQ(texts, (QStringList{"Trends", "Predefined trend", "Breath rate", "Tidal volume", "Night", "Breath rate",
                                  "Tidal volume", "Snapshots", snapshot()->Title(), "Flow", "Pressure", "Volume"}));

    const QTreeWidgetItem& predefined = *tree.topLevelItem(0)->child(0);
    const QVariant key = predefined.data(0, XDetailedResultView::kKeyRole);
    EXPECT_TRUE(key.isValid());
    EXPECT_EQ(key.toString(), QString());
    EXPECT_EQ(predefined.child(1)->data(0, XDetailedResultView::kKeyRole).toString(), kPredefinedLeaf);
    QStringList kinds;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        kinds << QString::number((*it)->data(0, XDetailedResultView::kKindRole).toInt());
    EXPECT_EQ(kinds.join(u' '), QStringLiteral("0 1 3 3 1 3 3 0 2 4 4 4"));
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if ((*it)->childCount() > 0) {
            EXPECT_TRUE((*it)->isExpanded()) << (*it)->text(0).toStdString();
        }
    }

    QStringList marks;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        marks << (*it)->data(0, XDetailedResultView::kKeyRole).toString() + u'='
                     + ((*it)->checkState(0) == Qt::Checked ? u'1' : u'0');
    EXPECT_EQ(marks.join(u' '), kInitialMarks);
    EXPECT_EQ(shown->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"))->toPlainText(),
              QStringLiteral("Valve replaced"));
    dialog->Unload();
}

// Filling the page changes no flag and raises nothing, though the tree's check marks are set
// from the flags and from one another while it fills.
TEST_F(DetailedResultViewTest, TheBuildRaisesNoChangeAndChangesNoFlag)
{
    // All printed: every group and root is checked as it is filled.
    for (const auto& trend : *result->Trends())
        for (const auto& parameter : *trend)
            parameter->setPrintOnReport(true);
    const QString allPrinted = printFlags();
    openPage();
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(printFlags(), allPrinted);
    EXPECT_EQ(node(QStringLiteral("T")).checkState(0), Qt::Checked);

    page.reset();
    callBack->changes = 0;
    trendParameter(QString(), "TIVO")->setPrintOnReport(false);
    openPage();
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(printFlags(), kInitialFlags);
    EXPECT_EQ(checkMarks(), kInitialMarks);
}

// One click on a check box: the flags it writes, the marks that follow from it, one "Change".
TEST_F(DetailedResultViewTest, EachClickWritesTheFlagsBelowItAndRaisesOneChange)
{
    struct Click {
        QString node;
        QString flags;
        QString marks;
    };
    const std::vector<Click> clicks = {
        {kPredefinedLeaf, "_BRRA=1 _TIVO=1 N_BRRA=1 N_TIVO=1 1S_FLOW=0 1S_PRES=1 1S_VOLU=0",
         "T=1 =1 _BRRA=1 _TIVO=1 N=1 N_BRRA=1 N_TIVO=1 S=0 1S=0 1S_FLOW=0 1S_PRES=1 1S_VOLU=0"},
        {"N", "_BRRA=1 _TIVO=0 N_BRRA=0 N_TIVO=0 1S_FLOW=0 1S_PRES=1 1S_VOLU=0",
         "T=0 =0 _BRRA=1 _TIVO=0 N=0 N_BRRA=0 N_TIVO=0 S=0 1S=0 1S_FLOW=0 1S_PRES=1 1S_VOLU=0"},
        {"S", "_BRRA=1 _TIVO=0 N_BRRA=1 N_TIVO=1 1S_FLOW=1 1S_PRES=1 1S_VOLU=1",
         "T=0 =0 _BRRA=1 _TIVO=0 N=1 N_BRRA=1 N_TIVO=1 S=1 1S=1 1S_FLOW=1 1S_PRES=1 1S_VOLU=1"},
        {"T", "_BRRA=1 _TIVO=1 N_BRRA=1 N_TIVO=1 1S_FLOW=0 1S_PRES=1 1S_VOLU=0",
         "T=1 =1 _BRRA=1 _TIVO=1 N=1 N_BRRA=1 N_TIVO=1 S=0 1S=0 1S_FLOW=0 1S_PRES=1 1S_VOLU=0"},
        {"1S_PRES", "_BRRA=1 _TIVO=0 N_BRRA=1 N_TIVO=1 1S_FLOW=0 1S_PRES=0 1S_VOLU=0",
         "T=0 =0 _BRRA=1 _TIVO=0 N=1 N_BRRA=1 N_TIVO=1 S=0 1S=0 1S_FLOW=0 1S_PRES=0 1S_VOLU=0"},
    };
    for (const Click& click : clicks) {
        newResult();
        callBack->changes = 0;
        openPage();
        clickCheckBox(node(click.node));
        EXPECT_EQ(printFlags(), click.flags) << "clicked " << click.node.toStdString();
        EXPECT_EQ(checkMarks(), click.marks) << "clicked " << click.node.toStdString();
        EXPECT_EQ(callBack->changes, 1) << "clicked " << click.node.toStdString();
    }
}

// Only a change of a check mark is an edit: renaming a node changes no flag and raises nothing.
TEST_F(DetailedResultViewTest, AChangeOtherThanACheckMarkIsNoEdit)
{
    openPage();
    node(QStringLiteral("N")).setText(0, QStringLiteral("renamed"));
    EXPECT_EQ(printFlags(), kInitialFlags);
    EXPECT_EQ(checkMarks(), kInitialMarks);
    EXPECT_EQ(callBack->changes, 0);
}

TEST_F(DetailedResultViewTest, NothingReactsWhileLocked)
{
    openPage();
    int opened = 0;
    page->setDetailWindow([&](const std::shared_ptr<ZeltorGraph::IGraphData>&) {
        ++opened;
        return 1;
    });
    page->setLocked(true);
    EXPECT_FALSE(page->tree().isEnabled());
    for (const QString& key : {kPredefinedLeaf, QStringLiteral("N"), QStringLiteral("T"), QStringLiteral("S")})
        clickCheckBox(node(key));
    doubleClickText(node(kPredefinedLeaf));
    EXPECT_EQ(printFlags(), kInitialFlags);
    EXPECT_EQ(checkMarks(), kInitialMarks);
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(opened, 0);

    page->setLocked(false);
    EXPECT_TRUE(page->tree().isEnabled());
    clickCheckBox(node(kPredefinedLeaf));
    EXPECT_TRUE(trendParameter(QString(), "TIVO")->PrintOnReport());
    EXPECT_EQ(callBack->changes, 1);
}

// A trend recorded with no parameters has nothing to print: it shows unchecked, and the trends
// after it, the snapshot and the comment are still shown.
TEST_F(DetailedResultViewTest, ATrendWithoutParametersShowsUncheckedAndTheRestFollows)
{
    const CParameterList none;
    const auto empty = result->Trends()->Add(QStringLiteral("E"), none);
    empty->Initialize(QStringLiteral("Empty"), 10, 0);
    const auto late = result->Trends()->Add(QStringLiteral("L"), *configuration->Parameters());
    late->Initialize(QStringLiteral("Late"), 10, 0);
    for (const auto& parameter : *late)
        parameter->setPrintOnReport(true);
    openPage();

    EXPECT_EQ(node(QStringLiteral("E")).childCount(), 0);
    EXPECT_EQ(node(QStringLiteral("E")).checkState(0), Qt::Unchecked);
    EXPECT_EQ(node(QStringLiteral("L")).text(0), QStringLiteral("Late"));
    EXPECT_EQ(node(QStringLiteral("L")).checkState(0), Qt::Checked);
    EXPECT_EQ(node(QStringLiteral("L_TIVO")).checkState(0), Qt::Checked);
    EXPECT_EQ(node(QStringLiteral("1S_PRES")).checkState(0), Qt::Checked);
    EXPECT_EQ(page->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"))->toPlainText(),
              QStringLiteral("Valve replaced"));
    EXPECT_EQ(callBack->changes, 0);

    // The later trend still reacts to its clicks.
    clickCheckBox(node(QStringLiteral("L")));
    EXPECT_FALSE(late->Parameter(QStringLiteral("BRRA"))->PrintOnReport());
    EXPECT_FALSE(late->Parameter(QStringLiteral("TIVO"))->PrintOnReport());
    EXPECT_EQ(callBack->changes, 1);
}

// The comment and its title show only for a result with a comment; without one the tree reaches
// down to the help text.
TEST_F(DetailedResultViewTest, AnEmptyCommentIsHiddenAndTheTreeTakesItsRoom)
{
    openPage();
    const auto& comment = *page->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
    const auto& commentTitle = *page->findChild<QLabel*>(QStringLiteral("lblCommentTitle"));
    const auto* help = page->findChild<QWidget*>(QStringLiteral("xhtHelpText"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(comment.isVisibleTo(page.get()));
    EXPECT_TRUE(commentTitle.isVisibleTo(page.get()));
    EXPECT_LT(page->tree().geometry().bottom(), commentTitle.y());
    EXPECT_LT(comment.geometry().bottom(), help->y());

    page.reset();
    result->setComment(QString());
    openPage();
    const auto& noComment = *page->findChild<QPlainTextEdit*>(QStringLiteral("txtComment"));
    EXPECT_FALSE(noComment.isVisibleTo(page.get()));
    EXPECT_FALSE(page->findChild<QLabel*>(QStringLiteral("lblCommentTitle"))->isVisibleTo(page.get()));
    EXPECT_EQ(page->tree().geometry().bottom() + 1, page->findChild<QWidget*>(QStringLiteral("xhtHelpText"))->y());
}

// A comment of one word of ten megabytes opens at once and is shown whole below the tree.
TEST_F(DetailedResultViewTest, AHugeOneWordCommentIsShownWhole)
{
    const QString comment(10'000'000, u'x');
    result->setComment(comment);
    openPage();
    page->grab();
    const auto* box = page->findChild<ZeltorTests::CommentBox*>(QStringLiteral("txtComment"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->comment(), comment);
}

// A double-click on a trend parameter or a snapshot channel shows that item in the detailed
// window; the result changes only when the window was left with OK.
TEST_F(DetailedResultViewTest, ADoubleClickOnALeafShowsItsItemAndOKRaisesChange)
{
    openPage();
    struct DoubleClick {
        QString node;
        std::shared_ptr<ZeltorGraph::IGraphData> item;
        int32_t answer;
        int changes;
    };
    const std::vector<DoubleClick> cases = {
        {kPredefinedLeaf, trendParameter(QString(), "TIVO"), 1, 1},
        {QStringLiteral("N_BRRA"), trendParameter(QStringLiteral("N"), "BRRA"), 2, 0},
        {QStringLiteral("1S_PRES"), snapshot()->PressureTable(), 1, 1},
        {QStringLiteral("1S_VOLU"), snapshot()->VolumeTable(), 2, 0},
    };
    for (const DoubleClick& c : cases) {
        std::vector<std::shared_ptr<ZeltorGraph::IGraphData>> shown;
        page->setDetailWindow([&](const std::shared_ptr<ZeltorGraph::IGraphData>& item) {
            shown.push_back(item);
            return c.answer;
        });
        callBack->changes = 0;
        doubleClickText(node(c.node));
        ASSERT_EQ(shown.size(), 1u) << c.node.toStdString();
        EXPECT_EQ(shown[0], c.item) << c.node.toStdString();
        EXPECT_EQ(callBack->changes, c.changes) << c.node.toStdString();
    }
    EXPECT_EQ(printFlags(), kInitialFlags);
}

TEST_F(DetailedResultViewTest, ADoubleClickOnARootOrAGroupShowsNothing)
{
    openPage();
    int opened = 0;
    page->setDetailWindow([&](const std::shared_ptr<ZeltorGraph::IGraphData>&) {
        ++opened;
        return 1;
    });
    // Groups before roots: a double-click folds a node up.
    for (const QString& key : {kSnapshotKey, QStringLiteral("N"), QString(), QStringLiteral("S"), QStringLiteral("T")})
        doubleClickText(node(key));
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(callBack->changes, 0);
    EXPECT_EQ(printFlags(), kInitialFlags);
}
