#include "ui/FDetailedResultView.h"

#include "data/CWaveformData.h"
#include "data/CZeltorMeasurementTable.h"

#include "TranslateControls.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>

namespace ZeltorTests {

namespace {

constexpr int kMargin = 120;
constexpr int kDesignWidth = 12000;
constexpr int kDesignHeight = 8000;

} // namespace

FDetailedResultView::FDetailedResultView()
{
    setObjectName(QStringLiteral("FDetailedResultView"));
    xgrTrend.setObjectName(QStringLiteral("xgrTrend"));
    cmdOK.setObjectName(QStringLiteral("cmdOK"));
    cmdCancel.setObjectName(QStringLiteral("cmdCancel"));
    resize(widgets::twipsToPixels(kDesignWidth), widgets::twipsToPixels(kDesignHeight));
    connect(&cmdOK, &QPushButton::clicked, this, [this] { answer(true); });
    connect(&cmdCancel, &QPushButton::clicked, this, [this] { answer(false); });
}

FDetailedResultView::~FDetailedResultView()
{
    xgrTrend.DestroyPipeline(false);
}

int32_t FDetailedResultView::ShowDetail(const std::shared_ptr<ZeltorGraph::IGraphData>& item)
{
    m_item = item;
    m_accepted = false;
    Zeltor::translateControls(*this);
    const ZeltorGraph::IGraphData& shown = com::required(item);
    setWindowTitle(shown.Title());
    const std::vector<SavedXWindow> saved = saveXWindows(shown);
    try {
        xgrTrend.CreatePipeLine(item, 0);
    } catch (...) {
        xgrTrend.DestroyPipeline(false);
        restoreXWindows(saved);
        throw;
    }
    setWindowModality(Qt::ApplicationModal);
    m_shown = true;
    show();
    events::EventLoop::current().runModal([this] { return m_shown; });
    xgrTrend.DestroyPipeline(m_accepted);
    if (!m_accepted)
        restoreXWindows(saved);
    return m_accepted ? edaOK : edaCancel;
}

std::vector<FDetailedResultView::SavedXWindow> FDetailedResultView::saveXWindows(const ZeltorGraph::IGraphData& item)
{
    // A snapshot's channel writes the X window it shows into all three tables of its snapshot.
    std::vector<std::shared_ptr<ZeltorGraph::IGraphSettings>> touched{item.Settings()};
    if (const auto snapshot = std::dynamic_pointer_cast<CWaveformData>(item.Parent()))
        for (const auto& table : snapshot->ChannelTables())
            touched.push_back(table->Settings());
    std::vector<SavedXWindow> saved;
    for (const auto& settings : touched)
        if (settings)
            saved.push_back({settings, settings->AutoScaleX(), settings->Xmin(), settings->Xmax()});
    return saved;
}

void FDetailedResultView::restoreXWindows(const std::vector<SavedXWindow>& saved)
{
    for (const SavedXWindow& each : saved) {
        each.settings->setAutoScaleX(each.autoScaleX);
        each.settings->setXmin(each.xmin);
        each.settings->setXmax(each.xmax);
    }
}

void FDetailedResultView::answer(bool accepted)
{
    m_accepted = accepted;
    m_shown = false;
    hide();
}

void FDetailedResultView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        com::ignoreFailure([&] { answer(false); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void FDetailedResultView::closeEvent(QCloseEvent* event)
{
    // The close box counts as Cancel.
    com::ignoreFailure([&] { answer(false); });
    event->accept();
}

void FDetailedResultView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int margin = widgets::twipsToPixels(kMargin);
    const QSize button = cmdCancel.sizeHint().expandedTo(cmdOK.sizeHint());
    const int top = height() - button.height() - margin;
    cmdCancel.setGeometry(width() - button.width() - margin, top, button.width(), button.height());
    cmdOK.setGeometry(cmdCancel.x() - button.width() - margin, top, button.width(), button.height());
    xgrTrend.setGeometry(0, 0, width(), std::max(0, top - margin));
}

} // namespace ZeltorTests
