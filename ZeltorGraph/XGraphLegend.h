#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace ZeltorGraph {

// The colour key of a legend entry: a square filled with the entry's curve colour, framed in the
// entry's back colour.
class LegendKey final : public QWidget {
public:
    explicit LegendKey(QWidget* parent);

    void setFillColor(uint32_t color);
    void setBorderColor(uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t m_fillColor = 0xFFFFFF;
    uint32_t m_borderColor = 0x8000000C;
};

// One legend entry under a graph: a check box, a colour key and a caption. A click on the caption
// or the free area toggles the check box; every change of the check box's value, by the user or
// from code, raises Click.
class XGraphLegend final : public QWidget {
public:
    explicit XGraphLegend(QWidget* parent);

    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t color);
    // The colour of the caption text and of the key: the colour of the entry's curve.
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t color);
    QString Caption() const { return lblCaption.text(); }
    // The entry's width follows its caption.
    void setCaption(const QString& caption);
    // 0 unchecked, 1 checked (2 shows the check box greyed).
    int16_t Value() const;
    void setValue(int16_t value);

    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle();

    QCheckBox chkCheck{this};
    LegendKey shpKey{this};
    QLabel lblCaption{this};
    uint32_t m_backColor = 0x8000000C;
    uint32_t m_foreColor = 0xFFFFFF;
};

} // namespace ZeltorGraph
