#pragma once

#include <cstdint>
#include <memory>

// Free functions shared by the test elements and their windows.
class QLineEdit;

namespace ZeltorTests {
class HighResTimer;
}

namespace ZeltorTests::MGlobalFunctions {

// A new high-resolution timer, or none when none can be made even at a second try; the user has
// then been told that the permission is missing.
std::shared_ptr<HighResTimer> CreateHighResTimer();

// The key code of a digit key or backspace as it is; 0 for any other key, which the caller drops.
int16_t FilterDigitKey(int16_t keyCode);

// Selects the whole text of a text box.
void SelectAllText(QLineEdit& textBox);

} // namespace ZeltorTests::MGlobalFunctions
