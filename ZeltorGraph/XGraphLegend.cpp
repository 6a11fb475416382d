#include "XGraphLegend.h"

#include "com/Failure.h"
#include "widgets/Colors.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ZeltorGraph {

namespace {

constexpr int kCaptionLeft = 510;
constexpr int kCaptionTop = 30;
constexpr int kCaptionHeight = 210;
constexpr int kCheckSize = 255;

Qt::CheckState checkStateOf(int16_t value)
{
    switch (value) {
    case 0:
        return Qt::Unchecked;
    case 1:
        return Qt::Checked;
    default:
        return Qt::PartiallyChecked;
    }
}

} // namespace

LegendKey::LegendKey(QWidget* parent)
    : QWidget(parent)
{
}

void LegendKey::setFillColor(uint32_t color)
{
    m_fillColor = color;
    update();
}

void LegendKey::setBorderColor(uint32_t color)
{
    m_borderColor = color;
    update();
}

void LegendKey::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), widgets::colorOf(m_fillColor, palette()));
    painter.setPen(widgets::colorOf(m_borderColor, palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

XGraphLegend::XGraphLegend(QWidget* parent)
    : QWidget(parent)
{
    chkCheck.setObjectName(QStringLiteral("chkCheck"));
    shpKey.setObjectName(QStringLiteral("shpKey"));
    lblCaption.setObjectName(QStringLiteral("lblCaption"));
    chkCheck.setGeometry(widgets::twipsRect(0, 0, kCheckSize, kCheckSize));
    shpKey.setGeometry(widgets::twipsRect(240, 15, 255, 255));
    lblCaption.setFont(widgets::windowsFont(QStringLiteral("Verdana"), 9.0, true));
    lblCaption.setGeometry(widgets::twipsRect(kCaptionLeft, kCaptionTop, 0, kCaptionHeight));
    // The caption passes its clicks on to the entry, which toggles the check box.
    lblCaption.installEventFilter(this);
    connect(&chkCheck, &QCheckBox::stateChanged, this, [this] {
        if (onClick)
            com::ignoreFailure(onClick);
    });
    setBackColor(m_backColor);
    setForeColor(m_foreColor);
    resize(widgets::twipsToPixels(kCaptionLeft), widgets::twipsToPixels(kCheckSize));
}

void XGraphLegend::setBackColor(uint32_t color)
{
    m_backColor = color;
    widgets::setBackColor(*this, color);
    widgets::setBackColor(chkCheck, color);
    shpKey.setBorderColor(color);
}

void XGraphLegend::setForeColor(uint32_t color)
{
    m_foreColor = color;
    widgets::setForeColor(lblCaption, color);
    shpKey.setFillColor(color);
}

void XGraphLegend::setCaption(const QString& caption)
{
    lblCaption.setText(caption);
    const int width = lblCaption.fontMetrics().horizontalAdvance(caption);
    lblCaption.resize(width, lblCaption.height());
    resize(lblCaption.x() + width, height());
}

int16_t XGraphLegend::Value() const
{
    switch (chkCheck.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    default:
        return 2;
    }
}

void XGraphLegend::setValue(int16_t value)
{
    const Qt::CheckState state = checkStateOf(value);
    // Greyed only from code: a click on the box goes between unchecked and checked.
    chkCheck.setTristate(state == Qt::PartiallyChecked);
    chkCheck.setCheckState(state);
}

void XGraphLegend::toggle()
{
    setValue(Value() == 0 ? 1 : 0);
}

void XGraphLegend::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        toggle();
}

bool XGraphLegend::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &lblCaption && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        toggle();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ZeltorGraph
