#pragma once

#include "XGraph.h"

#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace ZeltorTests {

// A modal window that shows one stored graph item of a result (a trend parameter or a snapshot's
// channel table) large in a graph, for the user to zoom and scale it. OK keeps the view in the
// item's graph settings; Cancel, Esc and the close box drop it, the X window that the graph wrote
// into a snapshot's channel tables while it was shown included.
class FDetailedResultView final : public QWidget {
public:
    enum EAnswer : int32_t { edaOK = 1, edaCancel = 2 };

    FDetailedResultView();
    ~FDetailedResultView() override;

    // Shows the window modally for the item until it is hidden; 1 after OK, 2 otherwise. An error
    // of the graph passes on, after the graph has let the item go.
    int32_t ShowDetail(const std::shared_ptr<ZeltorGraph::IGraphData>& item);

    ZeltorGraph::XGraph& graph() { return xgrTrend; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The X window of one item's settings, as it was before the window was shown.
    struct SavedXWindow {
        std::shared_ptr<ZeltorGraph::IGraphSettings> settings;
        bool autoScaleX = false;
        float xmin = 0.0f;
        float xmax = 0.0f;
    };

    static std::vector<SavedXWindow> saveXWindows(const ZeltorGraph::IGraphData& item);
    static void restoreXWindows(const std::vector<SavedXWindow>& saved);
    void answer(bool accepted);

    ZeltorGraph::XGraph xgrTrend{this};
    QPushButton cmdOK{QStringLiteral("1::&OK"), this};
    QPushButton cmdCancel{QStringLiteral("2::&Cancel"), this};
    std::shared_ptr<ZeltorGraph::IGraphData> m_item;
    bool m_accepted = false;
    bool m_shown = false;
};

} // namespace ZeltorTests
