#pragma once

#include "ui/FullscreenMenuModel.h"
#include "ui/XFullScreenMenuInfo.h"

#include "GraphInterfaces.h"

#include "widgets/TreeListWidget.h"

#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

namespace ZeltorTests {

// The side menu of the full-screen live view on screen: the tree of its model, the information
// panel under it and the trend and snapshot buttons, which follow the model's button states.
// The user's clicks go to the model; what the model raises comes out as the signals below.
class XFullscreenViewMenu final : public QWidget, private FullscreenMenuModel::Listener {
    Q_OBJECT

public:
    explicit XFullscreenViewMenu(QWidget* parent = nullptr);
    ~XFullscreenViewMenu() override;

    FullscreenMenuModel& model() { return m_model; }
    XFullScreenMenuInfo& MenuInfo() { return xmiInfo; }
    // Index 0 start, 1 stop, 2 delete; 0 create, 1 truncate, 2 delete. Another index is an error.
    QPushButton& TrendButton(int32_t index);
    QPushButton& SnapshotButton(int32_t index);
    void BeginEdit();

signals:
    void ExitFullScreen();
    void ItemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& igdSelected, int32_t iItemBM);
    void StartTrend();
    void StopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void CreateSnapshot();
    void Truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void TitleChanged();
    void DeleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& igdp);
    void BeforeItemClick(bool fOverride);
    void AfterItemClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    using EButtonRow = FullscreenMenuModel::EButtonRow;

    QPushButton& button(EButtonRow row, int32_t index);
    void layOut();

    // FullscreenMenuModel::Listener
    void buttonEnabledChanged(EButtonRow row, int32_t index, bool enabled) override;
    void infoBoxEnabled(bool enabled) override;
    void infoBoxOpened(bool open) override;
    void infoBoxFilled(std::shared_ptr<ZeltorGraph::IGraphDataParent>& record, int32_t bookmark) override;
    void trendSampled() override;
    void itemSelected(const std::shared_ptr<ZeltorGraph::IGraphData>& item, int32_t bookmark) override;
    void startTrend() override;
    void stopTrend(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override;
    void createSnapshot() override;
    void truncate(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override;
    void deleteGraphDataParent(const std::shared_ptr<ZeltorGraph::IGraphDataParent>& record) override;
    void titleChanged() override;
    void beforeItemClick(bool fOverride) override;
    void afterItemClick() override;

    widgets::TreeListWidget tliList{this};
    XFullScreenMenuInfo xmiInfo{this};
    QWidget pboButtons{this};
    QGroupBox fraTrendButtons{&pboButtons};
    QGroupBox fraSnaphotButtons{&pboButtons};
    std::array<QPushButton*, 3> cmdTrend{};
    std::array<QPushButton*, 3> cmdSnapshot{};
    QPushButton* cmdExit = nullptr;
    FullscreenMenuModel m_model{tliList.model(), *this};
};

} // namespace ZeltorTests
