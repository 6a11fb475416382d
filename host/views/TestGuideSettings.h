#pragma once

#include "HostViews.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include <memory>

namespace host {

class TestGuideConfig;

// The test-guide settings of a test as two check boxes: the operator may skip the test, the
// operator may mark it not applicable. The host's own settings (TestGuideConfig) are edited in
// place; settings of another kind are shown but cannot be edited.
class TestGuideSettings final : public Nelvar::XTestGuideSettings {
public:
    explicit TestGuideSettings(QWidget* parent = nullptr);

    void SetTestGuideConfig(const std::shared_ptr<Nelvar::ITestGuideConfig>& config) override;
    bool Locked() const override { return m_locked; }
    void setLocked(bool locked) override;
    void setChangeListener(std::function<void()> listener) override { m_changeListener = std::move(listener); }

private:
    void flagClicked(int32_t flag, bool set);
    void showConfig();

    std::shared_ptr<Nelvar::ITestGuideConfig> m_config;
    std::shared_ptr<TestGuideConfig> m_editable; // the same object, when it is the host's
    bool m_locked = false;
    std::function<void()> m_changeListener;
    QVBoxLayout m_layout{this};
    QCheckBox m_allowSkip;
    QCheckBox m_allowNotApplicable;
};

} // namespace host
