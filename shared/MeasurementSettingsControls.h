#pragma once

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;
class QSlider;
class QWidget;

// The controls of the instrument's measurement settings that the settings page and the ventilator
// test's configuration page both show.
namespace Zeltor {

// The numbers of breaths a calculation can average, in the order the pages list them.
inline constexpr std::array<int32_t, 6> kBreathsPerCalculation{1, 2, 4, 8, 16, 32};

// The list of kBreathsPerCalculation ("cboBreathsPerCalculation", with its tip), without a selection.
QComboBox* breathsPerCalculationList(QWidget& parent);

// The suppress-pressure-peak-period controls in one row of a grid: the caption
// ("lblSuppressPressurePeakPeriod"), the slider ("sldSuppressPressurePeakPeriod", positions 1 to 10
// of 10 ms each) and the label of the period ("lblSuppressPressurePeakPeriodValue").
class SuppressionControls final : public QObject {
public:
    // How a shown period sets the slider: whole steps (rounded down) or the nearest step (halves
    // to even; a period whose step does not fit 32 bits leaves the slider as it is).
    enum class Rounding { Down, Nearest };
    static constexpr int32_t kStepMs = 10;

    SuppressionControls(QWidget& parent, QGridLayout& grid, int row, Rounding rounding);

    // Shows a stored period without handing it back: the label as it is, the slider at its step.
    void show(int32_t period);
    // Writes the period into the label.
    void showPeriod(int32_t period);
    // Called with the period of each new slider position.
    void setMovedHandler(std::function<void(int32_t period)> handler) { m_moved = std::move(handler); }
    QSlider& slider() const { return *m_slider; }

private:
    Rounding m_rounding;
    std::function<void(int32_t)> m_moved;
    QSlider* m_slider;
    QLabel* m_value;
};

} // namespace Zeltor
