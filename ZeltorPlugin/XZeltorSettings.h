#pragma once

#include "TabbedPages.h"

#include "PageBase.h"

#include <QString>

#include <memory>

class QCheckBox;
class QComboBox;

namespace Zeltor {
class SuppressionControls;
}

namespace ZeltorPlugin {

class CZeltorSetup;
class SettingsTextBox;

inline const QString kSettingsPageProgId = QStringLiteral("ZeltorPlugin.XZeltorSettings");

// The settings page (page class "ZeltorPlugin.XZeltorSettings"): edits the global settings
// object in place on four tabs, global units, ventilator test settings, default test settings and
// advanced, and reports every user edit as "Change". The page takes no lock. Storing the settings
// is the host's call of RegSave; the page never stores nor reverts an edit.
class XZeltorSettings final : public Zeltor::PageBase {
public:
    XZeltorSettings();
    ~XZeltorSettings() override;

    // Binds the page to the CZeltorSetup the value holds, reloads it from the registry and
    // fills the controls. The breaths per calculation shown are stored at once (1 when the
    // stored count is none of the list's), without a "Change".
    void Initialize(const com::Value& inData) override;
    // Gives the focus to the tab strip.
    void SetFocus() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool isBound() const override { return m_settings != nullptr; }

private:
    void buildGlobalUnits(QWidget& page);
    void buildVentilatorTestSettings(QWidget& page);
    void buildDefaultTestSettings(QWidget& page);
    void buildAdvanced(QWidget& page);
    void fillLists();
    void connectEdits();

    // Enables the compliance controls when a lung is attached, the resistance's when one is.
    void matchLungControls();
    void matchResistanceControls();
    void suppressionMoved(int32_t period);
    // Connects a number box to the setting it edits: the number of its text, left as it is when
    // the text's number does not fit 32 bits.
    void editsNumber(SettingsTextBox* box, void (CZeltorSetup::*set)(int32_t));
    void editsThreshold(SettingsTextBox* box, void (CZeltorSetup::*set)(float));

    std::shared_ptr<CZeltorSetup> m_settings;
    TabbedPages m_tabs;

    QComboBox* m_temperatureUnit = nullptr;
    QComboBox* m_flowUnit = nullptr;
    QComboBox* m_pressureUnit = nullptr;
    QComboBox* m_highPressureUnit = nullptr;
    QComboBox* m_gasMixture = nullptr;

    SettingsTextBox* m_atmosphericPressure = nullptr;
    SettingsTextBox* m_relativeHumidity = nullptr;
    QCheckBox* m_resistanceAttached = nullptr;
    QComboBox* m_resistanceType = nullptr;
    QComboBox* m_resistanceLevel = nullptr;
    QCheckBox* m_lungAttached = nullptr;
    SettingsTextBox* m_complianceValue = nullptr;
    QComboBox* m_complianceUnit = nullptr;

    SettingsTextBox* m_noiseLevel = nullptr;
    SettingsTextBox* m_detectLevel = nullptr;
    QComboBox* m_referenceUnit = nullptr;
    QComboBox* m_breathsPerCalculation = nullptr;
    QCheckBox* m_massFlowCalculation = nullptr;
    Zeltor::SuppressionControls* m_suppression = nullptr;

    SettingsTextBox* m_flowThreshold = nullptr;
    SettingsTextBox* m_pressureThreshold = nullptr;
};

} // namespace ZeltorPlugin
