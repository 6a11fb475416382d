#include "ui/DigitBox.h"

#include "TypedKeys.h"

#include "elements/MGlobalFunctions.h"

#include "format/Format.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ZeltorTests {

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
    if (Zeltor::typesCharacter(*event)) {
        const auto code = static_cast<int16_t>(event->text().at(0).unicode());
        if (MGlobalFunctions::FilterDigitKey(code) == 0) {
            event->accept();
            return;
        }
    }
    SelectOnFocusBox::keyPressEvent(event);
}

} // namespace ZeltorTests
