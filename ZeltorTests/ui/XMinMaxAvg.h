#pragma once

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IMeasurement;
}

namespace ZeltorTests {

// The panel of the ventilator test's window that shows the minimum, maximum and average so far
// of the parameter the operator selected, and, for a timed test, the elapsed and remaining time.
// It holds no data: the window pushes titles, times and measurements into it.
class XMinMaxAvg final : public QWidget {
    Q_OBJECT

public:
    explicit XMinMaxAvg(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    // A duration other than 0 shows the time lines with the whole duration remaining; an
    // indefinite test (0) keeps them hidden.
    void Initialize(int32_t durationSeconds);
    // Only while the time lines are shown.
    void UpdateTimer(const QString& elapsed, const QString& remaining);
    // Minimum, maximum and average of the measurement in its display unit and format; a
    // measurement that cannot give them leaves the texts as they were.
    void UpdateValues(const std::shared_ptr<Nelvar::IMeasurement>& measurement);

private:
    QGridLayout m_layout{this};
    QLabel m_lblTitle{QStringLiteral("Title")};
    QLabel m_lblMin{QStringLiteral("20504::Minimum value:")};
    QLabel m_lblMinValue{QStringLiteral("0,00")};
    QLabel m_lblMax{QStringLiteral("20503::Maximum value:")};
    QLabel m_lblMaxValue{QStringLiteral("0,00")};
    QLabel m_lblAverage{QStringLiteral("20505::Average value:")};
    QLabel m_lblAverageValue{QStringLiteral("0,00")};
    QFrame m_fraTime;
    QGridLayout m_timeLayout{&m_fraTime};
    QLabel m_lblTimeElapsed{QStringLiteral("20351::Elapsed")};
    QLabel m_lblTimeElapsedValue{QStringLiteral("00:00:00")};
    QLabel m_lblTimeRemaining{QStringLiteral("20352::Remaining")};
    QLabel m_lblTimeRemainingValue{QStringLiteral("00:00:00")};
};

} // namespace ZeltorTests
