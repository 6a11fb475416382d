#pragma once

#include "ui/CommentBox.h"
#include "PageBase.h"

#include "GraphInterfaces.h"

#include <QLabel>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ZeltorTests {

class CSnapshotColl;
class CTrend;
class CTrendCollection;
class CWaveformData;

// The page of a ventilator test's result (page class "ZeltorTests.XDetailedResultView"): a tree
// of the result's stored trends and snapshots with check boxes, in which the user ticks the trend
// parameters and snapshot channels that the report prints, and double-clicks one to examine it in
// the detailed result window; below it the result's comment. Every change of a print flag, and
// every view kept with OK in the window, is reported as "Change".
class XDetailedResultView final : public Zeltor::PageBase {
public:
    // What a node of the tree stands for.
    enum ENodeKind : int32_t { enkRoot = 0, enkTrend = 1, enkSnapshot = 2, enkTrendParameter = 3, enkChannel = 4 };
    // The roles under which a node keeps its key (a text; the predefined trend's is empty) and its
    // kind.
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kKindRole = Qt::UserRole + 1;

    XDetailedResultView();
    ~XDetailedResultView() override;

    // Fills the tree from the ventilator result the value holds; raises nothing and changes no
    // flag while it fills.
    void Initialize(const com::Value& inData) override;
    void SetFocus() override;

    // How the page shows the detailed window for an item: 1 when the user kept the view with OK.
    // The real window by default; tests answer it.
    using DetailWindow = std::function<int32_t(const std::shared_ptr<ZeltorGraph::IGraphData>& item)>;
    void setDetailWindow(DetailWindow window) { m_detailWindow = std::move(window); }

    QTreeWidget& tree() { return tvwTrends; }

protected:
    void lockChanged(bool locked) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text, ENodeKind kind,
                             bool checked = false);
    void addTrendNodes(QTreeWidgetItem& root, const CTrend& trend);
    void addSnapshotNodes(QTreeWidgetItem& root, const CWaveformData& snapshot);
    // Whether every node from the node's first to its last child, in the order the nodes were
    // added, is checked; a node without children is not.
    bool allChildrenChecked(const QTreeWidgetItem& node) const;
    void setChildrenChecked(const QTreeWidgetItem& node);
    void setCheckedFromChildren(QTreeWidgetItem& node);
    void writePrintFlags(const QTreeWidgetItem& group);
    // Answers the user's change of checks: returns whether the changed data were checks.
    bool checksChanged(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles);
    QTreeWidgetItem* nodeAt(const QModelIndex& index) const;
    void checkChanged(QTreeWidgetItem& node);
    // Shows the double-clicked leaf in the detailed window: whether the user kept the view with OK.
    bool detailKept();
    // The node's range of children in the order of adding: [first, last].
    std::pair<size_t, size_t> childRange(const QTreeWidgetItem& node) const;
    void layOut();

    QLabel lblTitle{QStringLiteral("20149::Stored trends and snapshots"), this};
    QTreeWidget tvwTrends{this};
    QLabel lblCommentTitle{QStringLiteral("20386::Comment"), this};
    CommentBox txtComment{this};

    std::shared_ptr<CTrendCollection> m_trends;
    std::shared_ptr<CSnapshotColl> m_snapshots;
    // The nodes in the order they were added.
    std::vector<QTreeWidgetItem*> m_nodes;
    DetailWindow m_detailWindow;
};

} // namespace ZeltorTests
