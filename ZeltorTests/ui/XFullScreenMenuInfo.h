#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace ZeltorGraph {
class IGraphDataParent;
}

namespace ZeltorTests {

// The information panel of the full-screen view's menu: the times, interval and sample count of
// the trend or snapshot selected in the menu, with its title and comment, which the user edits in
// place. Edits go straight into the item when the user leaves the box; a new title is reported
// with the menu entry's bookmark so that the entry and the graph titles follow.
class XFullScreenMenuInfo final : public QWidget {
    Q_OBJECT

public:
    explicit XFullScreenMenuInfo(QWidget* parent = nullptr);

    // The panel's Enabled: enables the frame around all fields.
    void SetEnabled(bool enabled);
    // Refreshes the start time, last sampling and sample count of a shown trend.
    void UpdateLastSample();
    // Opens the title and comment for editing, the title focused and selected; only while the
    // panel is visible.
    void BeginEdit();
    // Empties the fields, lets go of the item and leaves editing.
    void Clear();
    // Shows a trend or a snapshot read-only and keeps it, with the menu entry's bookmark; `item`
    // is left holding the item the panel keeps. None changes nothing.
    void Show(std::shared_ptr<ZeltorGraph::IGraphDataParent>& item, int32_t bookmark);

signals:
    // The user changed the title of the shown item, which already holds it.
    void TitleChanged(int32_t lItemBookmark, const QString& sNewTitle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTrend();
    void showSnapshot();
    void fillSampleFields();
    void setSampleFieldsShown(bool shown);
    // Read-only or editing look of the title and comment boxes.
    void setEditingLook(bool editing);
    void editSwitched(bool ticked);
    void titleLeft();
    void commentLeft();

    std::shared_ptr<ZeltorGraph::IGraphDataParent> m_item;
    int32_t m_bookmark = 0;

    QGroupBox* m_fraInformation;
    QLineEdit* m_txtTitle;
    QLineEdit* m_txtComment;
    QLabel* m_txtStartTime;
    QLabel* m_txtEndTime;
    QLabel* m_lblInterval;
    QLabel* m_txtInterval;
    QLabel* m_lblSamples;
    QLabel* m_txtSamples;
    QCheckBox* m_chkEdit;
};

} // namespace ZeltorTests
