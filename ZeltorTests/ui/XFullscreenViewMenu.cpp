#include "ui/XFullscreenViewMenu.h"

#include "NamedControls.h"

#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "widgets/Twips.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace ZeltorTests {

using Zeltor::named;

namespace {

constexpr int kInfoBoxHeight = 3360;
constexpr int kGap = 60;

} // namespace

XFullscreenViewMenu::XFullscreenViewMenu(QWidget* parent)
    : QWidget(parent)
{
    tliList.setObjectName(QStringLiteral("tliList"));
    xmiInfo.setObjectName(QStringLiteral("xmiInfo"));
    pboButtons.setObjectName(QStringLiteral("pboButtons"));
    fraTrendButtons.setObjectName(QStringLiteral("fraTrendButtons"));
    fraSnaphotButtons.setObjectName(QStringLiteral("fraSnaphotButtons"));
    fraTrendButtons.setTitle(QString::fromUtf8(FullscreenMenuModel::kTrendsCaption));
    fraSnaphotButtons.setTitle(QString::fromUtf8(FullscreenMenuModel::kSnapshotsCaption));

    const std::array<const char*, 3> trendCaptions{"Start", "Stop", "Delete"};
    const std::array<const char*, 3> snapshotCaptions{"Create", "Truncate", "Delete"};
    auto* trendRow = new QHBoxLayout(&fraTrendButtons);
    auto* snapshotRow = new QHBoxLayout(&fraSnaphotButtons);
    for (int32_t index = 0; index < 3; ++index) {
        const auto slot = static_cast<size_t>(index);
        cmdTrend[slot] = named<QPushButton>(QStringLiteral("cmdTrend%1").arg(index).toLatin1().constData(),
                                            QString::fromUtf8(trendCaptions[slot]), &fraTrendButtons);
        cmdSnapshot[slot] =
            named<QPushButton>(QStringLiteral("cmdSnapshot%1").arg(index).toLatin1().constData(),
                               QString::fromUtf8(snapshotCaptions[slot]), &fraSnaphotButtons);
        trendRow->addWidget(cmdTrend[slot]);
        snapshotRow->addWidget(cmdSnapshot[slot]);
        for (const EButtonRow row : {EButtonRow::Trend, EButtonRow::Snapshot}) {
            button(row, index).setEnabled(m_model.buttonEnabled(row, index));
            connect(&button(row, index), &QPushButton::clicked, this,
                    [this, row, index] { m_model.buttonClicked(row, index); });
        }
    }
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("Exit"), &pboButtons);
    connect(cmdExit, &QPushButton::clicked, this, [this] { emit ExitFullScreen(); });
    auto* buttons = new QVBoxLayout(&pboButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(&fraTrendButtons);
    buttons->addWidget(&fraSnaphotButtons);
    buttons->addWidget(cmdExit);

    connect(&xmiInfo, &XFullScreenMenuInfo::TitleChanged, this,
            [this](int32_t bookmark, const QString& title) { m_model.infoTitleChanged(bookmark, title); });

    Zeltor::translateControls(*this);
    infoBoxEnabled(false);
    infoBoxOpened(false);
}

XFullscreenViewMenu::~XFullscreenViewMenu() = default;

QPushButton& XFullscreenViewMenu::TrendButton(int32_t index)
{
    return button(EButtonRow::Trend, index);
}

QPushButton& XFullscreenViewMenu::SnapshotButton(int32_t index)
{
    return button(EButtonRow::Snapshot, index);
}

QPushButton& XFullscreenViewMenu::button(EButtonRow row, int32_t index)
{
    if (index < 0 || index > 2)
        throw com::Error::subscript();
    const auto& buttons = row == EButtonRow::Trend ? cmdTrend : cmdSnapshot;
    return *buttons[static_cast<size_t>(index)];
}

void XFullscreenViewMenu::BeginEdit()
{
    com::ignoreFailure([&] { xmiInfo.BeginEdit(); });
}

void XFullscreenViewMenu::buttonEnabledChanged(EButtonRow row, int32_t index, bool enabled)
{
    button(row, index).setEnabled(enabled);
}

void XFullscreenViewMenu::infoBoxEnabled(bool enabled)
{
    xmiInfo.SetEnabled(enabled);
}

void XFullscreenViewMenu::infoBoxOpened(bool open)
{
    xmiInfo.resize(xmiInfo.width(), open ? widgets::twipsToPixels(kInfoBoxHeight) : 0);
    if (!open)
        xmiInfo.Clear();
    layOut();
}

void XFullscreenViewMenu::infoBoxFilled(std::shared_ptr<ZeltorGraph::IGraphDataParent>& record, int32_t bookmark)
{
    xmiInfo.Show(record, bookmark);
}

void XFullscreenViewMenu::trendSampled()
{
    xmiInfo.UpdateLastSample();
}

void XFullscreenViewMenu::itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark)
{
    emit ItemSelected(item, bookmark);
}

void XFullscreenViewMenu::startTrend()
{
    emit StartTrend();
}

void XFullscreenViewMenu::stopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record)
{
    emit StopTrend(record);
}

void XFullscreenViewMenu::createSnapshot()
{
    emit CreateSnapshot();
}

void XFullscreenViewMenu::truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record)
{
    emit Truncate(record);
}

void XFullscreenViewMenu::deleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record)
{
    emit DeleteGraphDataParent(record);
}

void XFullscreenViewMenu::titleChanged()
{
    emit TitleChanged();
}

void XFullscreenViewMenu::beforeItemClick(bool fOverride)
{
    emit BeforeItemClick(fOverride);
}

void XFullscreenViewMenu::afterItemClick()
{
    emit AfterItemClick();
}

void XFullscreenViewMenu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit ExitFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void XFullscreenViewMenu::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void XFullscreenViewMenu::layOut()
{
    const int gap = widgets::twipsToPixels(kGap);
    const int width = std::max(0, this->width() - 2 * gap);
    const int boxHeight = pboButtons.sizeHint().height();
    const int boxTop = height() - boxHeight - gap;
    pboButtons.setGeometry(gap, boxTop, width, boxHeight);
    const int infoTop = boxTop - xmiInfo.height() - gap;
    xmiInfo.setGeometry(gap, infoTop, width, xmiInfo.height());
    tliList.setGeometry(gap, gap, width, std::max(0, infoTop - gap));
}

} // namespace ZeltorTests
