#pragma once

#include "ui/ConfigurationPage.h"

#include <cstdint>
#include <memory>

class QLabel;

namespace ZeltorTests {

class CConfigZeltor;
class DigitBox;
class DurationControls;

// The configuration page of the single-reading tests (page class "ZeltorTests.XConfigDialog"):
// edits a CConfigZeltor in place: the duration in hours and minutes, on a quarter-hour slider or
// "indefinite", the flow test's noise level, and the test's test-guide settings. Every edit that
// reaches the configuration is reported as "Change".
class XConfigDialog final : public ConfigurationPage {
public:
    explicit XConfigDialog();
    ~XConfigDialog() override;

    // Binds the page to the CConfigZeltor the value holds and fills it; anything else hides the
    // page and leaves it unbound.
    void Initialize(const com::Value& inData) override;
    // Gives the focus to the hours box.
    void SetFocus() override;

protected:
    void lockChanged(bool locked) override;
    bool isBound() const override { return m_configuration != nullptr; }

private:
    // Takes a numeric noise level; any other text is selected for correction and not taken.
    bool noiseLevelEdited();

    std::shared_ptr<CConfigZeltor> m_configuration;
    DurationControls* m_duration = nullptr;
    QLabel* m_noiseLabel = nullptr;
    DigitBox* m_noiseLevel = nullptr;
    QLabel* m_noiseUnit = nullptr;
};

} // namespace ZeltorTests
