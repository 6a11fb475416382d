#include "MeasurementSettingsControls.h"

#include "NamedControls.h"

#include "com/Failure.h"
#include "format/Format.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace Zeltor {

QComboBox* breathsPerCalculationList(QWidget& parent)
{
    auto* list = named<QComboBox>("cboBreathsPerCalculation", &parent);
    list->setToolTip(QStringLiteral("Number of breaths to be averaged for calculating values"));
    for (const int32_t breaths : kBreathsPerCalculation)
        list->addItem(QString::number(breaths));
    list->setCurrentIndex(-1);
    return list;
}

SuppressionControls::SuppressionControls(QWidget& parent, QGridLayout& grid, int row, Rounding rounding)
    : QObject(&parent), m_rounding(rounding),
      m_slider(named<QSlider>("sldSuppressPressurePeakPeriod", Qt::Horizontal, &parent)),
      m_value(label("", "lblSuppressPressurePeakPeriodValue", &parent))
{
    m_slider->setRange(1, 10);
    grid.addWidget(label("20114::Suppress pressure peak period:", "lblSuppressPressurePeakPeriod", &parent), row, 0);
    grid.addWidget(m_slider, row, 1);
    grid.addWidget(m_value, row, 2);
    // The period is handed over when the slider's value changes, not on every mouse move over it.
    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        com::ignoreFailure([&] {
            if (m_moved)
                m_moved(position * kStepMs);
        });
    });
}

void SuppressionControls::show(int32_t period)
{
    showPeriod(period);
    const QSignalBlocker blocker(m_slider);
    if (m_rounding == Rounding::Down)
        m_slider->setValue(period / kStepMs);
    else
        com::ignoreFailure([&] { m_slider->setValue(format::toInt32(period / double{kStepMs})); });
}

void SuppressionControls::showPeriod(int32_t period)
{
    m_value->setText(QStringLiteral("%1 ms").arg(period));
}

} // namespace Zeltor
