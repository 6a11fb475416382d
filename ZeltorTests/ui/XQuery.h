#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <cstdint>

namespace ZeltorTests {

// A question (Yes/No) or notice (OK) shown inside a view that covers the screen, where an ordinary
// message box could open behind it. The box hides itself before it reports the answer. The
// caller translates the texts.
class XQuery final : public QFrame {
    Q_OBJECT

public:
    enum EStyle : int32_t {
        eqsYesNo = 0,
        eqsOK = 1,
    };

    explicit XQuery(QWidget* parent = nullptr);

    // Shows the box in front of its container with the buttons of `style` and the focus on Yes or
    // OK; any other style keeps the buttons as they are.
    void Show(const QString& message, int32_t style, const QString& title);
    int32_t Style() const { return m_style; }

signals:
    void OKClicked();
    void YesClicked();
    void NoClicked();

protected:
    // "Y" and "N" answer a question, "O" a notice.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void answer(void (XQuery::*clicked)());

    int32_t m_style = eqsYesNo;
    QLabel m_lblTitleBar{QStringLiteral("20526::Please confirm"), this};
    QLabel m_lblMessage{this};
    QPushButton m_cmdOK{QStringLiteral("1::&OK"), this};
    QPushButton m_cmdYes{QStringLiteral("3::&Yes"), this};
    QPushButton m_cmdNo{QStringLiteral("4::&No"), this};
};

} // namespace ZeltorTests
