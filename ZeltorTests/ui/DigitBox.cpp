#include "DigitBox.h"

#include "elements/MGlobalFunctions.h"

#include "format/Format.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ZeltorTests {

namespace {

// A key press that types a character (backspace included); cursor, delete and shortcut keys type
// none and are left to the box.
bool typesCharacter(const QKeyEvent& event)
{
    if (event.text().size() != 1 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar character = event.text().at(0);
    return character.isPrint() || character == QLatin1Char('\b');
}

} // namespace

DigitBox::DigitBox(QWidget* parent) : SelectOnFocusBox(parent) {}

int32_t DigitBox::wholeNumber() const
{
    const double value = std::nearbyint(format::leadingNumber(text()));
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, lowest, highest));
}

void DigitBox::keyPressEvent(QKeyEvent* event)
{
    if (typesCharacter(*event)) {
        const auto code = static_cast<int16_t>(event->text().at(0).unicode());
        if (MGlobalFunctions::FilterDigitKey(code) == 0) {
            event->accept();
            return;
        }
    }
    SelectOnFocusBox::keyPressEvent(event);
}

} // namespace ZeltorTests
