#include "ui/SelectOnFocusBox.h"

#include "elements/MGlobalFunctions.h"

namespace ZeltorTests {

SelectOnFocusBox::SelectOnFocusBox(QWidget* parent) : QLineEdit(parent) {}

void SelectOnFocusBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    MGlobalFunctions::SelectAllText(*this);
}

} // namespace ZeltorTests
