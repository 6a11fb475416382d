#pragma once

#include "PageBase.h"

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QSlider;

namespace Nelvar {
class XHelpText;
class XTestGuideSettings;
}

namespace ZeltorTests {

class CConfigZeltor;
class DigitBox;

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
    // The boxes and the slider's tip from the stored duration.
    void showDuration();
    void applyIndefinite();
    void durationBoxChanged();
    void sliderChanged(int value);
    void noiseLevelChanged();
    void showSelectedFrame();
    // The slider and "Indefinite" take input when the page is not locked; the slider and the
    // duration boxes only when the duration is not indefinite.
    void updateDurationControls();
    void setSliderSilently(int value);

    std::shared_ptr<CConfigZeltor> m_configuration;
    std::shared_ptr<Nelvar::XTestGuideSettings> m_testGuideSettings;
    std::shared_ptr<Nelvar::XHelpText> m_helpText;
    QListWidget* m_selectConfiguration = nullptr;
    QGroupBox* m_testSettings = nullptr;
    QGroupBox* m_testGuideFrame = nullptr;
    DigitBox* m_hours = nullptr;
    DigitBox* m_minutes = nullptr;
    QLabel* m_hoursLabel = nullptr;
    QLabel* m_minutesLabel = nullptr;
    QSlider* m_slider = nullptr;
    QCheckBox* m_indefinite = nullptr;
    QLabel* m_noiseLabel = nullptr;
    DigitBox* m_noiseLevel = nullptr;
    QLabel* m_noiseUnit = nullptr;
};

} // namespace ZeltorTests
