#pragma once

#include "MessageBoxes.h"

namespace events {

// Shows a modal QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& text, int32_t style, const QString& title) override;
};

// Without a display: prints the box to standard error and answers with its first button.
class TerminalMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& text, int32_t style, const QString& title) override;
};

} // namespace events
