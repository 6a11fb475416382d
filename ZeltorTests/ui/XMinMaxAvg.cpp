#include "ui/XMinMaxAvg.h"

#include "data/CMeasurement.h"
#include "TranslateControls.h"

#include "GMiscConverters.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "widgets/Fonts.h"

namespace ZeltorTests {

XMinMaxAvg::XMinMaxAvg(QWidget* parent) : QWidget(parent)
{
    const std::pair<QLabel*, const char*> names[] = {
        {&m_lblTitle, "lblTitle"},
        {&m_lblMin, "lblMin"},
        {&m_lblMinValue, "lblMinValue"},
        {&m_lblMax, "lblMax"},
        {&m_lblMaxValue, "lblMaxValue"},
        {&m_lblAverage, "lblAverage"},
        {&m_lblAverageValue, "lblAverageValue"},
        {&m_lblTimeElapsed, "lblTimeElapsed"},
        {&m_lblTimeElapsedValue, "lblTimeElapsedValue"},
        {&m_lblTimeRemaining, "lblTimeRemaining"},
        {&m_lblTimeRemainingValue, "lblTimeRemainingValue"},
    };
    for (const auto& [label, name] : names)
        label->setObjectName(QString::fromLatin1(name));
    m_fraTime.setObjectName(QStringLiteral("fraTime"));
    m_fraTime.setFrameShape(QFrame::StyledPanel);

    m_lblTitle.setFont(widgets::windowsFont(QStringLiteral("Arial"), 9.75, true));
    for (QLabel* value : {&m_lblMinValue, &m_lblMaxValue, &m_lblAverageValue, &m_lblTimeElapsedValue,
                          &m_lblTimeRemainingValue})
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_layout.addWidget(&m_lblTitle, 0, 0, 1, 2);
    m_layout.addWidget(&m_lblMin, 1, 0);
    m_layout.addWidget(&m_lblMinValue, 1, 1);
    m_layout.addWidget(&m_lblMax, 2, 0);
    m_layout.addWidget(&m_lblMaxValue, 2, 1);
    m_layout.addWidget(&m_lblAverage, 3, 0);
    m_layout.addWidget(&m_lblAverageValue, 3, 1);
    m_timeLayout.addWidget(&m_lblTimeElapsed, 0, 0);
    m_timeLayout.addWidget(&m_lblTimeElapsedValue, 0, 1);
    m_timeLayout.addWidget(&m_lblTimeRemaining, 1, 0);
    m_timeLayout.addWidget(&m_lblTimeRemainingValue, 1, 1);
    m_layout.addWidget(&m_fraTime, 4, 0, 1, 2);
    m_layout.setRowStretch(5, 1);
    m_fraTime.hide();

    Zeltor::translateControls(*this);
}

void XMinMaxAvg::setTitle(const QString& title)
{
    m_lblTitle.setText(title);
}

void XMinMaxAvg::Initialize(int32_t durationSeconds)
{
    if (durationSeconds == 0)
        return;
    m_fraTime.show();
    m_lblTimeRemainingValue.setText(ZeltorConverter::GMiscConverters::SecondsToTimeString(durationSeconds));
}

void XMinMaxAvg::UpdateTimer(const QString& elapsed, const QString& remaining)
{
    if (m_fraTime.isHidden())
        return;
    m_lblTimeElapsedValue.setText(elapsed);
    m_lblTimeRemainingValue.setText(remaining);
}

void XMinMaxAvg::UpdateValues(const std::shared_ptr<Nelvar::IMeasurement>& measurement)
{
    QStringList texts;
    com::ignoreFailure([&] {
        texts = com::required(std::dynamic_pointer_cast<CMeasurement>(measurement)).FormattedValues();
    });
    if (texts.size() < 4)
        return;
    m_lblMinValue.setText(texts[1]);
    m_lblMaxValue.setText(texts[2]);
    m_lblAverageValue.setText(texts[3]);
}

} // namespace ZeltorTests
