#pragma once

#include <QLineEdit>

namespace ZeltorPlugin {

// A text box of the settings page: it selects its whole text whenever it receives the focus, so
// that typing replaces what it shows.
class SettingsTextBox : public QLineEdit {
public:
    explicit SettingsTextBox(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// A number box of the settings page: only the keys "0123456789.," and backspace type into it;
// every other character key is discarded.
class SettingsNumberBox final : public SettingsTextBox {
public:
    explicit SettingsNumberBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ZeltorPlugin
