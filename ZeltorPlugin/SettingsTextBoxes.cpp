#include "SettingsTextBoxes.h"

#include "TypedKeys.h"

#include <QKeyEvent>

namespace ZeltorPlugin {

namespace {

const QString kNumberKeys = QStringLiteral("0123456789.,\b");


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
    if (Zeltor::typesCharacter(*event) && !kNumberKeys.contains(event->text().at(0))) {
        event->accept();
        return;
    }
    SettingsTextBox::keyPressEvent(event);
}

} // namespace ZeltorPlugin
