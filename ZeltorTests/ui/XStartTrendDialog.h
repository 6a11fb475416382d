#pragma once

#include <QFrame>

#include <cstdint>
#include <memory>

class QLineEdit;
class QPushButton;

namespace Nelvar {
class XHelpText;
}

namespace ZeltorTests {

class DigitBox;

// The small dialog inside the full-screen view that asks for a new trend's description and
// sampling interval in seconds. It only hands both to the view; the view shows it, starts the
// trend and hides it again. Hidden at creation; Cancel hides it at once.
class XStartTrendDialog final : public QFrame {
    Q_OBJECT

public:
    static constexpr int32_t kDefaultInterval = 15;

    explicit XStartTrendDialog(QWidget* parent = nullptr);
    ~XStartTrendDialog() override;

    // The description offered for the next trend, fully selected.
    void Initialize(const QString& description);

signals:
    // OK with the description as typed (possibly empty) and an interval of at least one second.
    void StartNewTrend(const QString& sDescription, int32_t iInterval);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void confirm();
    void cancel();

    QFrame* m_frame4;
    QLineEdit* m_txtDescription;
    DigitBox* m_txtInterval;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
    std::shared_ptr<Nelvar::XHelpText> m_xhtTrendIntervalHelp;
};

} // namespace ZeltorTests
