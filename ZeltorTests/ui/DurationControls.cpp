#include "ui/DurationControls.h"

#include "ui/DigitBox.h"
#include "NamedControls.h"
#include "TranslateControls.h"


#include "com/Failure.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace ZeltorTests {

using Zeltor::label;
using Zeltor::named;

namespace {

constexpr int kMinutesPerStep = 15;
constexpr int32_t kMostHours = 48;

} // namespace

DurationControls::DurationControls(QWidget& parent, QGridLayout& grid, int firstRow, Rounding rounding)
    : QObject(&parent)
    , m_rounding(rounding)
    , m_hours(named<DigitBox>("txtTestDuration(0)", &parent))
    , m_minutes(named<DigitBox>("txtTestDuration(1)", &parent))
    , m_hoursLabel(named<QLabel>("lblTestDurationHours", QStringLiteral("20105::hrs"), &parent))
    , m_minutesLabel(named<QLabel>("lblTestDurationMinutes", QStringLiteral("20106::minutes"), &parent))
    , m_slider(named<QSlider>("sldTestDuration", Qt::Horizontal, &parent))
    , m_indefinite(named<QCheckBox>("chkIndefinite", QStringLiteral("20169::Indefinite"), &parent))
{
    m_slider->setRange(0, kMostMinutes / kMinutesPerStep);
    grid.addWidget(m_hours, firstRow, 1);
    grid.addWidget(m_hoursLabel, firstRow, 2);
    grid.addWidget(m_minutes, firstRow, 3);
    grid.addWidget(m_minutesLabel, firstRow, 4);
    grid.addWidget(m_slider, firstRow + 1, 1, 1, 4);
    grid.addWidget(m_indefinite, firstRow + 2, 1, 1, 4);
    // The boxes react to every change of their text, also to the corrections their own reaction
    // writes; what the controls show from code is written with their signals blocked.
    connect(m_hours, &QLineEdit::textChanged, this, [this] { com::ignoreFailure([&] { boxChanged(); }); });
    connect(m_minutes, &QLineEdit::textChanged, this, [this] { com::ignoreFailure([&] { boxChanged(); }); });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) { com::ignoreFailure([&] { sliderMoved(value); }); });
    connect(m_indefinite, &QCheckBox::clicked, this, [this] { com::ignoreFailure([&] { indefiniteClicked(); }); });
}

void DurationControls::show(int32_t minutes)
{
    showDurationText(minutes);
    setSliderValue(minutes / kMinutesPerStep);
    m_indefinite->setChecked(minutes == 0);
    updateEnabled();
}

void DurationControls::setLocked(bool locked)
{
    m_locked = locked;
    m_hours->setReadOnly(locked);
    m_minutes->setReadOnly(locked);
    updateEnabled();
}

void DurationControls::boxChanged()
{
    const int32_t hours = m_hours->wholeNumber();
    const int32_t minutes = m_minutes->wholeNumber();
    if (hours < 0 || hours > kMostHours) {
        m_hours->setText(hours < 0 ? QStringLiteral("0") : QString::number(kMostHours));
        m_hours->selectAll();
        return;
    }
    if (minutes >= 60 || (hours == kMostHours && minutes >= 1)) {
        m_minutes->setText(hours < kMostHours ? QStringLiteral("59") : QStringLiteral("0"));
        m_minutes->selectAll();
        return;
    }
    const int32_t duration = hours * 60 + minutes;
    setSliderFor(duration);
    if (m_edited)
        m_edited(duration);
}

void DurationControls::sliderMoved(int value)
{
    const int32_t duration = value * kMinutesPerStep;
    showDurationText(duration);
    if (m_edited)
        m_edited(duration);
}

void DurationControls::indefiniteClicked()
{
    updateEnabled();
    if (!m_indefinite->isChecked())
        return; // the boxes keep 0 and 0 until a duration is typed or slid
    showDurationText(0);
    setSliderFor(0);
    if (m_edited)
        m_edited(0);
}

void DurationControls::showDurationText(int32_t minutes)
{
    const QSignalBlocker hours(m_hours);
    const QSignalBlocker minutesBox(m_minutes);
    m_hours->setText(QString::number(minutes / 60));
    m_minutes->setText(QString::number(minutes % 60));
    m_slider->setToolTip(QStringLiteral("%1 %2 %3 %4")
                             .arg(minutes / 60)
                             .arg(Zeltor::translated(QStringLiteral("20105::hrs")))
                             .arg(minutes % 60)
                             .arg(Zeltor::translated(QStringLiteral("20106::minutes"))));
}

void DurationControls::setSliderFor(int32_t minutes)
{
    setSliderValue(m_rounding == Rounding::Down
                       ? minutes / kMinutesPerStep
                       : static_cast<int>(std::nearbyint(static_cast<double>(minutes) / kMinutesPerStep)));
}

void DurationControls::setSliderValue(int value)
{
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(value);
}

void DurationControls::updateEnabled()
{
    const bool definite = !m_indefinite->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{m_hours, m_minutes, m_hoursLabel, m_minutesLabel})
        control->setEnabled(definite);
    m_slider->setEnabled(definite && !m_locked);
    m_indefinite->setEnabled(!m_locked);
}

} // namespace ZeltorTests
