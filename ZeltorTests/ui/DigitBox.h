#pragma once

#include "ui/SelectOnFocusBox.h"

#include <cstdint>

namespace ZeltorTests {

// A numeric entry box of the test pages: only the digits and backspace pass a key press, and the
// whole text is selected when the box receives the focus.
class DigitBox final : public SelectOnFocusBox {
public:
    explicit DigitBox(QWidget* parent = nullptr);

    // The text's leading number rounded to a whole number, halves to even, held within the
    // 32-bit range (an oversize entry counts as the largest number); no number gives 0.
    int32_t wholeNumber() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ZeltorTests
