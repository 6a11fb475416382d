#pragma once

#include "ScaleButtonPictures.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

namespace ZeltorGraph {

// One image button of a scale strip: shows its picture, looks pressed while the mouse is down on
// it, and clicks when the mouse is released on it; a double click counts as one more click.
class ScaleButton final : public QWidget {
public:
    explicit ScaleButton(QWidget* parent);

    void setPicture(const QPixmap& picture);
    bool pressed() const { return m_pressed; }

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void click();

    QPixmap m_picture;
    bool m_pressed = false;
};

// A strip of five scale buttons under or beside a plot. A click raises ScaleAction with the
// button's index (0 zoom in, 1 and 3 scroll, 2 toggle auto-scaling, 4 zoom out); the auto-scaling
// button first flips AutoScale. Hidden buttons take no room: the X strip lays its buttons out
// from right to left, the Y strip from top to bottom.
class XGraphScaleStrip : public QWidget {
public:
    static constexpr int kButtonCount = 5;

    bool AutoScale() const { return m_autoScale; }
    // Only a real change refreshes the pictures.
    void setAutoScale(bool autoScale);
    // Whether button `index` (0 to 4) is shown; another index is an error.
    bool EnableButton(int32_t index) const;
    void setEnableButton(int32_t index, bool enabled);

    ScaleButton& button(int32_t index) const;

    std::function<void(int32_t action)> onScaleAction;

protected:
    XGraphScaleStrip(QWidget* parent, ScaleDirection direction, const char* scrollMinusTip,
                     const char* scrollPlusTip);

private:
    void buttonClicked(int32_t index);
    void refreshPictures();
    void layOut();

    ScaleDirection m_direction;
    std::array<ScaleButton*, kButtonCount> imgScale{};
    bool m_autoScale = true;
    bool m_busy = false;
};

// The X strip: left to right zoom out, scroll curve left, auto, scroll curve right, zoom in.
class XGraphScaleX final : public XGraphScaleStrip {
public:
    explicit XGraphScaleX(QWidget* parent);
};

// The Y strip: top to bottom zoom in, scroll data up, auto, scroll data down, zoom out.
class XGraphScaleY final : public XGraphScaleStrip {
public:
    explicit XGraphScaleY(QWidget* parent);
};

} // namespace ZeltorGraph
