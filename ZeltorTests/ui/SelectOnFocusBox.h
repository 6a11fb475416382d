#pragma once

#include <QLineEdit>

namespace ZeltorTests {

// A text box that selects its whole text whenever it receives the focus, so that typing replaces
// what it shows.
class SelectOnFocusBox : public QLineEdit {
public:
    explicit SelectOnFocusBox(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace ZeltorTests
