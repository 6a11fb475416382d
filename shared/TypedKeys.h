#pragma once

#include <QKeyEvent>

namespace Zeltor {

// A key press that types a character (backspace included); cursor, delete and shortcut keys type
// none and are left to the box. The key filters of the number boxes judge only these.
inline bool typesCharacter(const QKeyEvent& event)
{
    if (event.text().size() != 1 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar character = event.text().at(0);
    return character.isPrint() || character == QLatin1Char('\b');
}

} // namespace Zeltor
