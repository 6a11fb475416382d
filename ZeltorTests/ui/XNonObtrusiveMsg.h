#pragma once

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class HighResTimer;

// A notice shown over a view that needs no answer: it is centred over a container and hides
// itself after a given time. The caller translates the texts.
class XNonObtrusiveMsg final : public QFrame {
    Q_OBJECT

public:
    explicit XNonObtrusiveMsg(QWidget* parent = nullptr);
    ~XNonObtrusiveMsg() override;

    // Shows the notice for `milliseconds`, centred in `container`; a notice already shown takes
    // the new texts and time. Without a close timer (none can be made) it raises and changes
    // nothing.
    void Show(const QString& message, const QString& caption, int32_t milliseconds, const QWidget& container);
    void Hide();

private:
    std::shared_ptr<HighResTimer> m_closeTimer;
    QVBoxLayout m_layout{this};
    QFrame m_fraFrame;
    QVBoxLayout m_frameLayout{&m_fraFrame};
    QLabel m_lblTitle{QStringLiteral("Title")};
    QLabel m_lblMsg{QStringLiteral("Message")};
};

} // namespace ZeltorTests
