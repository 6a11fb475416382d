#include "SettingsTextBoxes.h"

#include <QKeyEvent>

namespace ZeltorPlugin {

namespace {

const QString kNumberKeys = QStringLiteral("0123456789.,\b");

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

SettingsTextBox::SettingsTextBox(QWidget* parent) : QLineEdit(parent) {}

void SettingsTextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
}

SettingsNumberBox::SettingsNumberBox(QWidget* parent) : SettingsTextBox(parent) {}

void SettingsNumberBox::keyPressEvent(QKeyEvent* event)
{
    if (typesCharacter(*event) && !kNumberKeys.contains(event->text().at(0))) {
        event->accept();
        return;
    }
    SettingsTextBox::keyPressEvent(event);
}

} // namespace ZeltorPlugin
