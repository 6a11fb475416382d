#pragma once

#include "ui/ConfigurationPage.h"

#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace Zeltor {
class SuppressionControls;
}

namespace ZeltorTests {

class CConfigVentilator;
class CTestVentilator;
class DigitBox;
class DurationControls;
class XParameterView;

// The configuration page of the ventilator test (page class "ZeltorTests.XConfigVentilatorDialog"),
// handed the test element: edits the test's CConfigVentilator in place on five frames: the
// duration, the measurement parameters sent to the instrument, the parameters shown during the
// test, the predefined trend and the test-guide settings. Bad input is corrected in the box where
// it was typed; every edit that reaches the configuration is reported as "Change".
class XConfigVentilatorDialog final : public ConfigurationPage {
public:
    XConfigVentilatorDialog();
    ~XConfigVentilatorDialog() override;

    // Binds the page to the CTestVentilator the value holds and its configuration and fills it;
    // anything else, or a test without configuration, hides the page and leaves it unbound.
    void Initialize(const com::Value& inData) override;
    // Gives the focus to the list of frames.
    void SetFocus() override;

protected:
    void lockChanged(bool locked) override;
    void frameSelected(int index) override;
    void framesPlaced(int helpTextTop) override;
    bool isBound() const override { return m_configuration != nullptr; }

private:
    QGroupBox& createMeasurementFrame();
    QGroupBox& createTrendFrame();
    void loadControls();
    void showSuppressionTip(int32_t period);
    void showTrendIntervalEnabled(bool enabled);

    // The reactions to the user's edits.
    void detectLevelChanged();
    void referenceUnitChosen(const QString& text);
    void breathsPerCalculationChosen(const QString& text);
    void suppressionChanged(int32_t period);
    void trendingClicked();
    void trendIntervalChanged();
    void parameterViewChanged();

    std::shared_ptr<CTestVentilator> m_test;
    std::shared_ptr<CConfigVentilator> m_configuration;
    QGroupBox* m_testSettings = nullptr;
    QGroupBox* m_measurementParams = nullptr;
    QGroupBox* m_parameterFrame = nullptr;
    QGroupBox* m_trendSettings = nullptr;
    DurationControls* m_duration = nullptr;
    DigitBox* m_detectLevel = nullptr;
    QComboBox* m_referenceUnit = nullptr;
    QComboBox* m_breathsPerCalculation = nullptr;
    QCheckBox* m_massFlow = nullptr;
    Zeltor::SuppressionControls* m_suppression = nullptr;
    XParameterView* m_parameterView = nullptr;
    QCheckBox* m_trendingActive = nullptr;
    DigitBox* m_trendInterval = nullptr;
};

} // namespace ZeltorTests
