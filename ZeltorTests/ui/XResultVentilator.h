#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace Nelvar {
class IResultData;
class IStandard;
class IStandards;
class ITestElement;
} // namespace Nelvar

namespace ZeltorTests {

// The live result list of a running test: one row per measured parameter (the waveform channels
// have none) with its latest value, optionally its minimum, maximum and average, the high and low
// limit of one standard and the display unit; rows of failed measurements are red. Its context
// menu lists the run's standards; the one picked fills the limit columns. A click on a column
// header sorts the rows by that column's text.
class XResultVentilator final : public QWidget {
    Q_OBJECT

public:
    explicit XResultVentilator(QWidget* parent = nullptr);
    ~XResultVentilator() override;

    // Sets up the columns (the statistics columns only with `showStatistics`), a row per selected
    // parameter of the element's configuration, and a menu entry per standard of `standards` that
    // the element's limit data holds; the first entry's limits are shown at once and the first row
    // is reported as selected. A failing step is skipped.
    void Initialize(const std::shared_ptr<Nelvar::ITestElement>& element,
                    const std::shared_ptr<Nelvar::IStandards>& standards, bool showStatistics);
    // The result's measurements into their rows; none empties the list. Stops silently at the
    // first row that fails; the rows after it keep their texts.
    void UpdateDisplay(const std::shared_ptr<Nelvar::IResultData>& result);
    // Every row back to the window-text colour.
    void ClearAllFailed();
    // Removes the row of that parameter key; a key without a row raises subscript (9).
    void RemoveItem(const QString& key);

signals:
    // A row was clicked, or Initialize reports its first row.
    void SelectionChange(const QString& measKey);
    // The limits of this standard are now shown.
    void StandardSelected(const QString& alphaName, const QString& completeName);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The right mouse button over the list opens the standards menu.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createColumns();
    void fillRows(const Nelvar::ITestElement& element);
    void buildStandardsMenu(const Nelvar::ITestElement& element, const std::shared_ptr<Nelvar::IStandards>& standards);
    void loadStandardEntry(const Nelvar::IStandard& standard);
    void ShowStandardLimits(const QString& shortName, const QString& completeName);
    void standardClicked(int32_t index);
    void rowClicked(const QTreeWidgetItem& row);
    void setRowColor(QTreeWidgetItem& row, const QColor& color) const;
    int columnOf(const char* key) const;
    QTreeWidgetItem* rowOf(const QString& key) const;
    QString rowKey(const QTreeWidgetItem& row) const;

    bool m_showStatistics = false;
    std::shared_ptr<Nelvar::IStandards> m_standards;
    bool m_menuBusy = false;
    int32_t m_lastClickedIndex = 1;
    int m_sortColumn = -1;
    QStringList m_columnKeys;
    QTreeWidget m_lvwResult{this};
    QMenu m_mnuStdList{this};
    QAction m_mnuCaption{QStringLiteral("Selected Standards")};
    QAction m_mnuLine1;
    // The loaded standard entries, 1 to n (the template entry 0 is not needed here).
    std::vector<std::unique_ptr<QAction>> m_mnuStandards;
};

} // namespace ZeltorTests
