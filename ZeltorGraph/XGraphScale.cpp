#include "XGraphScale.h"

#include "TranslateControls.h"

#include "com/Error.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "widgets/Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace ZeltorGraph {

namespace {

const QString kSource = QStringLiteral("XGraphScale");
constexpr int kButtonTwips = 300;
constexpr int kStripPadding = 30;
constexpr int32_t kAutoScaleButton = 2;

} // namespace

ScaleButton::ScaleButton(QWidget* parent)
    : QWidget(parent)
{
    resize(widgets::twipsToPixels(kButtonTwips), widgets::twipsToPixels(kButtonTwips));
}

void ScaleButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void ScaleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
    if (m_pressed) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ScaleButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    update();
}

void ScaleButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    update();
    if (rect().contains(event->position().toPoint()))
        click();
}

void ScaleButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        click();
}

void ScaleButton::click()
{
    if (onClick)
        com::ignoreFailure(onClick);
}

XGraphScaleStrip::XGraphScaleStrip(QWidget* parent, ScaleDirection direction, const char* scrollMinusTip,
                                   const char* scrollPlusTip)
    : QWidget(parent)
    , m_direction(direction)
{
    const std::array<const char*, kButtonCount> tips{"20421::Zoom in", scrollMinusTip, "20420::Toggle auto scaling",
                                                     scrollPlusTip, "20422::Zoom out"};
    for (int32_t index = 0; index < kButtonCount; ++index) {
        auto& slot = imgScale[static_cast<size_t>(index)];
        slot = new ScaleButton(this);
        slot->setObjectName(QStringLiteral("imgScale%1").arg(index));
        slot->setToolTip(QString::fromUtf8(tips[static_cast<size_t>(index)]));
        slot->onClick = [this, index] { buttonClicked(index); };
    }
    Zeltor::translateControls(*this);
    refreshPictures();
    layOut();
}

void XGraphScaleStrip::setAutoScale(bool autoScale)
{
    if (autoScale == m_autoScale)
        return;
    m_autoScale = autoScale;
    refreshPictures();
}

ScaleButton& XGraphScaleStrip::button(int32_t index) const
{
    if (index < 0 || index >= kButtonCount)
        throw com::Error::subscript(kSource);
    return *imgScale[static_cast<size_t>(index)];
}

bool XGraphScaleStrip::EnableButton(int32_t index) const
{
    return !button(index).isHidden();
}

void XGraphScaleStrip::setEnableButton(int32_t index, bool enabled)
{
    button(index).setVisible(enabled);
    layOut();
}

void XGraphScaleStrip::buttonClicked(int32_t index)
{
    // A click that arrives from inside a ScaleAction handler is dropped.
    if (m_busy)
        return;
    const com::FlagGuard busy(m_busy);
    if (index == kAutoScaleButton) {
        m_autoScale = !m_autoScale;
        refreshPictures();
    }
    if (onScaleAction)
        com::ignoreFailure([&] { onScaleAction(index); });
}

void XGraphScaleStrip::refreshPictures()
{
    const int size = widgets::twipsToPixels(kButtonTwips);
    for (int32_t index = 0; index < kButtonCount; ++index)
        button(index).setPicture(scaleButtonPicture(m_direction, index, m_autoScale, size));
}

void XGraphScaleStrip::layOut()
{
    const int buttonSize = widgets::twipsToPixels(kButtonTwips);
    const int padding = widgets::twipsToPixels(kStripPadding);
    int position = 0;
    const auto place = [&](int32_t index) {
        ScaleButton& each = button(index);
        if (each.isHidden())
            return;
        if (m_direction == ScaleDirection::X)
            each.move(position, 0);
        else
            each.move(0, position);
        position += buttonSize;
    };
    if (m_direction == ScaleDirection::X) {
        for (int32_t index = kButtonCount - 1; index >= 0; --index)
            place(index);
        resize(position + padding, buttonSize + padding);
    } else {
        for (int32_t index = 0; index < kButtonCount; ++index)
            place(index);
        resize(buttonSize + padding, position + padding);
    }
}

XGraphScaleX::XGraphScaleX(QWidget* parent)
    : XGraphScaleStrip(parent, ScaleDirection::X, "20426::Scroll curve right", "20425::Scroll curve left")
{
}

XGraphScaleY::XGraphScaleY(QWidget* parent)
    : XGraphScaleStrip(parent, ScaleDirection::Y, "20423::Scroll data up", "20424::Scroll data down.")
{
}

} // namespace ZeltorGraph
