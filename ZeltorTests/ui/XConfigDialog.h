#pragma once

#include "PageBase.h"

#include <cstdint>
#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;

namespace Nelvar {
class XHelpText;
class XTestGuideSettings;
}

namespace ZeltorTests {

class CConfigZeltor;
class DigitBox;
class DurationControls;

// The configuration page of the single-reading tests (page class "ZeltorTests.XConfigDialog"):
// edits a CConfigZeltor in place: the duration in hours and minutes, on a quarter-hour slider or
// "indefinite", the flow test's noise level, and the test's test-guide settings. Every edit that
// reaches the configuration is reported as "Change".
class XConfigDialog final : public Zeltor::PageBase {
public:
    explicit XConfigDialog(QWidget* parent = nullptr);
    ~XConfigDialog() override;

    // Binds the page to the CConfigZeltor the value holds and fills it; anything else hides the
    // page and leaves it unbound.
    void Initialize(const com::Value& inData) override;
    // Gives the focus to the hours box.
    void SetFocus() override;

protected:
    void lockChanged(bool locked) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void loadControls();
    void durationEdited(int32_t minutes);
    void noiseLevelChanged();
    void showSelectedFrame();

    std::shared_ptr<CConfigZeltor> m_configuration;
    std::shared_ptr<Nelvar::XTestGuideSettings> m_testGuideSettings;
    std::shared_ptr<Nelvar::XHelpText> m_helpText;
    QListWidget* m_selectConfiguration = nullptr;
    QGroupBox* m_testSettings = nullptr;
    QGroupBox* m_testGuideFrame = nullptr;
    DurationControls* m_duration = nullptr;
    QLabel* m_noiseLabel = nullptr;
    DigitBox* m_noiseLevel = nullptr;
    QLabel* m_noiseUnit = nullptr;
};

} // namespace ZeltorTests
