#include "ui/XDetailedResultView.h"

#include "elements/CResultVentilator.h"
#include "data/CSnapshotColl.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CTrendParameter.h"
#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"
#include "ui/FDetailedResultView.h"

#include "HostViews.h"
#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "widgets/Twips.h"

#include <QTextDocument>

#include <algorithm>

namespace ZeltorTests {

namespace {

const QString kTrendsRoot = QStringLiteral("T");
const QString kSnapshotsRoot = QStringLiteral("S");
constexpr int kKeySuffix = 4; // a leaf's key ends in its parameter or channel key
constexpr int kTreeTop = 270;
constexpr int kHelpBottomGap = 50;
constexpr int kCommentAboveHelp = 120;
constexpr int kLabelAboveComment = 240;
constexpr int kTreeAboveComment = 360;
constexpr int kHelpHeight = 900;

XDetailedResultView::ENodeKind kindOf(const QTreeWidgetItem& node)
{
    return static_cast<XDetailedResultView::ENodeKind>(node.data(0, XDetailedResultView::kKindRole).toInt());
}

QString keyOf(const QTreeWidgetItem& node)
{
    return node.data(0, XDetailedResultView::kKeyRole).toString();
}

bool isChecked(const QTreeWidgetItem& node)
{
    return node.checkState(0) == Qt::Checked;
}

void setChecked(QTreeWidgetItem& node, bool checked)
{
    node.setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

// The channel table of a snapshot by the end of a node's key, or none.
std::shared_ptr<CZeltorMeasurementTable> channelOf(const CWaveformData& snapshot, const QString& key)
{
    for (const auto& table : snapshot.ChannelTables())
        if (table && key.endsWith(table->Key()))
            return table;
    return nullptr;
}

} // namespace

XDetailedResultView::XDetailedResultView()
    : m_detailWindow([](const std::shared_ptr<ZeltorGraph::IGraphData>& item) {
          FDetailedResultView window;
          return window.ShowDetail(item);
      })
{
    setObjectName(QStringLiteral("XDetailedResultView"));
    lblTitle.setObjectName(QStringLiteral("lblTitle"));
    tvwTrends.setObjectName(QStringLiteral("tvwTrends"));
    lblCommentTitle.setObjectName(QStringLiteral("lblCommentTitle"));
    txtComment.setObjectName(QStringLiteral("txtComment"));
    txtComment.setReadOnly(true);
    tvwTrends.setHeaderHidden(true);
    createHelpText();
    setHelpText(QStringLiteral(
        "20167::The above TreeView displays all trends and snapshots that are stored in the current test "
        "template. Double-clicking a parameter will display it in full-screen mode. Check the parameters that "
        "should be included on the printed test report."));
    connectEdit(tvwTrends.model(), &QAbstractItemModel::dataChanged,
                [this](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                    return checksChanged(first, last, roles);
                },
                {.whileLocked = false});
    connectEdit(&tvwTrends, &QTreeWidget::itemDoubleClicked, [this] { return detailKept(); }, {.whileLocked = false});
    Zeltor::translateControls(*this);
    lblTitle.move(0, 0);
}

XDetailedResultView::~XDetailedResultView() = default;

QTreeWidgetItem* XDetailedResultView::addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                              ENodeKind kind, bool checked)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tvwTrends);
    node->setText(0, text);
    node->setData(0, kKeyRole, key);
    node->setData(0, kKindRole, static_cast<int>(kind));
    node->setFlags(node->flags() | Qt::ItemIsUserCheckable);
    setChecked(*node, checked);
    m_nodes.push_back(node);
    return node;
}

void XDetailedResultView::Initialize(const com::Value& inData)
{
    const LoadingScope loading(*this);
    com::ignoreFailure([&] {
        const auto result = inData.objectAs<CResultVentilator>();
        if (!result)
            return;
        m_trends = result->Trends();
        m_snapshots = result->Snapshots();
        if (m_trends && m_trends->Count() >= 1) {
            QTreeWidgetItem* root =
                addNode(nullptr, kTrendsRoot, Zeltor::translated(QStringLiteral("20379::Trends")), enkRoot);
            root->setExpanded(true);
            // A trend that cannot be listed is skipped; the others, the snapshots and the comment
            // still are.
            for (const auto& trend : *m_trends)
                com::ignoreFailure([&] { addTrendNodes(*root, com::required(trend)); });
            setCheckedFromChildren(*root);
        }
        if (m_snapshots && m_snapshots->Count() >= 1) {
            QTreeWidgetItem* root =
                addNode(nullptr, kSnapshotsRoot, Zeltor::translated(QStringLiteral("20380::Snapshots")), enkRoot);
            root->setExpanded(true);
            for (const auto& snapshot : *m_snapshots)
                com::ignoreFailure([&] { addSnapshotNodes(*root, com::required(snapshot)); });
            setCheckedFromChildren(*root);
        }
        const QString comment = result->Comment();
        txtComment.setComment(comment);
        lblCommentTitle.setVisible(!comment.isEmpty());
        txtComment.setVisible(!comment.isEmpty());
    });
    layOut();
}

void XDetailedResultView::addTrendNodes(QTreeWidgetItem& root, const CTrend& trend)
{
    QTreeWidgetItem* node = addNode(&root, trend.Key(), trend.Title(), enkTrend);
    node->setExpanded(true);
    for (const auto& parameter : trend)
        addNode(node, trend.Key() + QLatin1Char('_') + parameter->Key(), parameter->Caption(true), enkTrendParameter,
                parameter->PrintOnReport());
    setCheckedFromChildren(*node);
}

void XDetailedResultView::addSnapshotNodes(QTreeWidgetItem& root, const CWaveformData& snapshot)
{
    QTreeWidgetItem* node = addNode(&root, snapshot.Key(), snapshot.Title(), enkSnapshot);
    node->setExpanded(true);
    for (const auto& table : snapshot.ChannelTables())
        addNode(node, snapshot.Key() + QLatin1Char('_') + table->Key(), table->Caption(true), enkChannel,
                table->PrintOnReport());
    setCheckedFromChildren(*node);
}

std::pair<size_t, size_t> XDetailedResultView::childRange(const QTreeWidgetItem& node) const
{
    const QTreeWidgetItem* first = node.child(0);
    const QTreeWidgetItem* last = node.child(node.childCount() - 1);
    const auto position = [this](const QTreeWidgetItem* wanted) {
        return static_cast<size_t>(std::find(m_nodes.begin(), m_nodes.end(), wanted) - m_nodes.begin());
    };
    return {position(first), position(last)};
}

bool XDetailedResultView::allChildrenChecked(const QTreeWidgetItem& node) const
{
    // A trend without parameters has nothing to print: it shows unchecked.
    if (node.childCount() == 0)
        return false;
    const auto [first, last] = childRange(node);
    for (size_t index = first; index <= last && index < m_nodes.size(); ++index)
        if (!isChecked(*m_nodes[index]))
            return false;
    return true;
}

void XDetailedResultView::setChildrenChecked(const QTreeWidgetItem& node)
{
    if (node.childCount() == 0)
        return;
    const auto [first, last] = childRange(node);
    for (size_t index = first; index <= last && index < m_nodes.size(); ++index)
        setChecked(*m_nodes[index], isChecked(node));
}

void XDetailedResultView::setCheckedFromChildren(QTreeWidgetItem& node)
{
    setChecked(node, allChildrenChecked(node));
}

void XDetailedResultView::writePrintFlags(const QTreeWidgetItem& group)
{
    if (kindOf(group) == enkTrend) {
        const auto trend = com::required(m_trends).Item(keyOf(group));
        for (int index = 0; index < group.childCount(); ++index) {
            const QTreeWidgetItem& leaf = *group.child(index);
            com::required(com::required(trend).Parameter(keyOf(leaf).right(kKeySuffix)))
                .setPrintOnReport(isChecked(leaf));
        }
    } else if (kindOf(group) == enkSnapshot) {
        const auto snapshot = com::required(m_snapshots).Item(keyOf(group));
        for (int index = 0; index < group.childCount(); ++index) {
            const QTreeWidgetItem& leaf = *group.child(index);
            if (const auto table = channelOf(com::required(snapshot), keyOf(leaf)))
                table->setPrintOnReport(isChecked(leaf));
        }
    }
}

bool XDetailedResultView::checksChanged(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles)
{
    if (!roles.contains(Qt::CheckStateRole))
        return false;
    // The checks the page sets in answer are its own writes.
    const LoadingScope answering(*this);
    for (int row = first.row(); row <= last.row(); ++row)
        checkChanged(com::required(nodeAt(first.siblingAtRow(row))));
    return true;
}

QTreeWidgetItem* XDetailedResultView::nodeAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    if (!index.parent().isValid())
        return tvwTrends.topLevelItem(index.row());
    QTreeWidgetItem* const parent = nodeAt(index.parent());
    return parent ? parent->child(index.row()) : nullptr;
}

void XDetailedResultView::checkChanged(QTreeWidgetItem& node)
{
    switch (kindOf(node)) {
    case enkTrendParameter:
    case enkChannel: {
        QTreeWidgetItem& group = com::required(node.parent());
        writePrintFlags(group);
        setCheckedFromChildren(group);
        setCheckedFromChildren(com::required(group.parent()));
        break;
    }
    case enkTrend:
    case enkSnapshot:
        setChildrenChecked(node);
        writePrintFlags(node);
        setCheckedFromChildren(com::required(node.parent()));
        break;
    case enkRoot: {
        const auto [first, last] = childRange(node);
        for (size_t index = first; index <= last && index < m_nodes.size(); ++index) {
            QTreeWidgetItem& group = *m_nodes[index];
            if (kindOf(group) != enkTrend && kindOf(group) != enkSnapshot)
                continue;
            setChecked(group, isChecked(node));
            setChildrenChecked(group);
            writePrintFlags(group);
        }
        break;
    }
    }
}

bool XDetailedResultView::detailKept()
{
    const QTreeWidgetItem* node = tvwTrends.currentItem();
    if (!node || !node->parent())
        return false;
    std::shared_ptr<ZeltorGraph::IGraphData> item;
    const QString leafKey = keyOf(*node).right(kKeySuffix);
    if (kindOf(*node) == enkTrendParameter) {
        if (const auto trend = com::required(m_trends).Item(keyOf(*node->parent())))
            item = trend->Parameter(leafKey);
    } else if (kindOf(*node) == enkChannel) {
        if (const auto snapshot = com::required(m_snapshots).Item(keyOf(*node->parent())))
            item = channelOf(*snapshot, leafKey);
    }
    return item && m_detailWindow(item) == FDetailedResultView::edaOK;
}

void XDetailedResultView::SetFocus()
{
    com::ignoreFailure([&] { tvwTrends.setFocus(Qt::OtherFocusReason); });
}

void XDetailedResultView::lockChanged(bool locked)
{
    tvwTrends.setEnabled(!locked);
}

void XDetailedResultView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void XDetailedResultView::layOut()
{
    const auto px = widgets::twipsToPixels;
    const int width = this->width();
    lblTitle.resize(width, lblTitle.sizeHint().height());
    Nelvar::XHelpText* const help = helpText();
    const int helpHeight = help ? px(kHelpHeight) : 0;
    const int helpTop = height() - px(kHelpBottomGap) - helpHeight;
    if (help)
        help->setGeometry(0, helpTop, width, helpHeight);
    int treeBottom = helpTop;
    if (!txtComment.isHidden() && !txtComment.document()->isEmpty()) {
        const int commentTop = helpTop - px(kCommentAboveHelp) - txtComment.height();
        txtComment.setGeometry(0, commentTop, width, txtComment.height());
        lblCommentTitle.setGeometry(0, commentTop - px(kLabelAboveComment), width, lblCommentTitle.sizeHint().height());
        treeBottom = commentTop - px(kTreeAboveComment);
    }
    tvwTrends.setGeometry(0, px(kTreeTop), width, std::max(0, treeBottom - px(kTreeTop)));
}

} // namespace ZeltorTests
