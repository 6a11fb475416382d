#include "ProgressSphere.h"

#include <QPainter>
#include <QRadialGradient>

namespace host {

namespace {

constexpr int32_t kStepInterval = 100; // milliseconds
constexpr int kStepAngle = 30;         // degrees

} // namespace

ProgressSphere::ProgressSphere(QWidget* parent)
    : Nelvar::XProgressSphere(parent), m_timer(events::EventLoop::current().createTimer())
{
    m_timer->setInterval(kStepInterval);
    m_timer->setTick([this] {
        m_angle = (m_angle + kStepAngle) % 360;
        update();
    });
}

void ProgressSphere::Start()
{
    m_timer->setEnabled(true);
}

void ProgressSphere::Stop()
{
    m_timer->setEnabled(false);
    update();
}

bool ProgressSphere::Turning() const
{
    return m_timer->Enabled();
}

void ProgressSphere::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ball = QRectF(rect()).adjusted(2, 2, -2, -2);
    QRadialGradient shade(ball.center() - QPointF(ball.width() / 5, ball.height() / 5), ball.width() / 1.5);
    const QColor base = Turning() ? QColor(0x2f, 0x81, 0xf7) : palette().color(QPalette::Mid);
    shade.setColorAt(0, base.lighter(170));
    shade.setColorAt(1, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(ball);
    if (!Turning())
        return;
    painter.setPen(QPen(palette().color(QPalette::Base), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ball.adjusted(4, 4, -4, -4), -m_angle * 16, 90 * 16);
}

} // namespace host
