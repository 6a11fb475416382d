#pragma once

#include "TestGuideHost.h"

#include "events/EventLoop.h"

#include <memory>

namespace host {

// A turning sphere that tells the operator a run is going. It turns on the event loop's clock.
class ProgressSphere final : public Nelvar::XProgressSphere {
    Q_OBJECT

public:
    explicit ProgressSphere(QWidget* parent = nullptr);

    void Start() override;
    void Stop() override;
    bool Turning() const override;
    int Angle() const { return m_angle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<events::Timer> m_timer;
    int m_angle = 0;
};

} // namespace host
