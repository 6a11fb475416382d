#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QCheckBox;
class QGridLayout;
class QLabel;
class QSlider;
class QWidget;

namespace ZeltorTests {

class DigitBox;

// The duration controls of the test configuration pages, placed in a grid from a given row: the
// hours and minutes boxes with their unit labels, a quarter-hour slider up to 48 hours and
// "Indefinite". Typed values are corrected in the box (hours within 0 to 48, minutes below 60,
// nothing beyond 48 hours); each accepted duration is handed to the page once, as is each slider
// position and a tick of "Indefinite" (a duration of 0).
class DurationControls final : public QObject {
public:
    // How the slider follows a typed duration: whole quarter hours (rounded down) or the nearest
    // quarter hour (halves to even). A shown duration always sets whole quarter hours.
    enum class Rounding { Down, Nearest };
    static constexpr int32_t kMostMinutes = 48 * 60;

    DurationControls(QWidget& parent, QGridLayout& grid, int firstRow, Rounding rounding);

    // Shows the duration without handing it back: boxes, slider and its tip; 0 ticks "Indefinite".
    void show(int32_t minutes);
    // Called with each duration the user sets, from the boxes, the slider or "Indefinite".
    void setEditedHandler(std::function<void(int32_t minutes)> handler) { m_edited = std::move(handler); }
    // Locked: the boxes are read-only, the slider and "Indefinite" take no input.
    void setLocked(bool locked);
    DigitBox& hoursBox() const { return *m_hours; }

private:
    void boxChanged();
    void sliderMoved(int value);
    void indefiniteClicked();
    void showDurationText(int32_t minutes);
    void setSliderFor(int32_t minutes);
    void setSliderValue(int value);
    void updateEnabled();

    Rounding m_rounding;
    bool m_locked = false;
    std::function<void(int32_t)> m_edited;
    DigitBox* m_hours;
    DigitBox* m_minutes;
    QLabel* m_hoursLabel;
    QLabel* m_minutesLabel;
    QSlider* m_slider;
    QCheckBox* m_indefinite;
};

} // namespace ZeltorTests
