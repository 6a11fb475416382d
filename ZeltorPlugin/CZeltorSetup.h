#pragma once

#include "GlobalSettings.h"

#include "PlugIn.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorPlugin {

// The plug-in's global settings (display units, environment, test defaults, the attached lung
// and resistance, the volume calculation's zero thresholds) and their storage in the settings
// key of the registry, which the test elements, parameter definitions and unit conversion read
// too. The host sees it as its ISetup and decides when it is saved.
class CZeltorSetup final : public Nelvar::ISetup, public std::enable_shared_from_this<CZeltorSetup> {
public:
    // Reads the template path and the settings: RegLoad of the plug-in's registry key.
    void Load();

    // The test template file: the registry value "Configuration", or "ZeltorPlugin.mpc" in the
    // plug-in library's folder when that is missing or empty.
    const QString& TemplatePath() const { return m_templatePath; }
    void setTemplatePath(const QString& path) { m_templatePath = path; }

    int32_t FlowUnit() const { return m_settings.FlowUnit; }
    void setFlowUnit(int32_t unit) { m_settings.FlowUnit = unit; }
    int32_t PressureUnit() const { return m_settings.PressureUnit; }
    void setPressureUnit(int32_t unit) { m_settings.PressureUnit = unit; }
    int32_t HighPressureUnit() const { return m_settings.HighPressureUnit; }
    void setHighPressureUnit(int32_t unit) { m_settings.HighPressureUnit = unit; }
    int32_t TemperatureUnit() const { return m_settings.TemperatureUnit; }
    void setTemperatureUnit(int32_t unit) { m_settings.TemperatureUnit = unit; }
    bool ExternalLungAttached() const { return m_settings.ExternalLungAttached; }
    void setExternalLungAttached(bool attached) { m_settings.ExternalLungAttached = attached; }
    int32_t ComplianceValue() const { return m_settings.ComplianceValue; }
    void setComplianceValue(int32_t value) { m_settings.ComplianceValue = value; }
    int32_t ComplianceUnit() const { return m_settings.ComplianceUnit; }
    void setComplianceUnit(int32_t unit) { m_settings.ComplianceUnit = unit; }
    bool ExternalResistanceAttached() const { return m_settings.ExternalResistanceAttached; }
    void setExternalResistanceAttached(bool attached) { m_settings.ExternalResistanceAttached = attached; }
    int32_t ExternalResistanceType() const { return m_settings.ExternalResistanceType; }
    void setExternalResistanceType(int32_t type) { m_settings.ExternalResistanceType = type; }
    int32_t ResistanceLevel() const { return m_settings.ResistanceLevel; }
    void setResistanceLevel(int32_t level) { m_settings.ResistanceLevel = level; }
    int32_t GasMixture() const { return m_settings.GasMixture; }
    void setGasMixture(int32_t mixture) { m_settings.GasMixture = mixture; }
    int32_t ReferenceUnit() const { return m_settings.ReferenceUnit; }
    void setReferenceUnit(int32_t unit) { m_settings.ReferenceUnit = unit; }
    bool CalculateMassFlow() const { return m_settings.CalculateMassFlow; }
    void setCalculateMassFlow(bool calculate) { m_settings.CalculateMassFlow = calculate; }
    int32_t AtmosphericPressure() const { return m_settings.AtmosphericPressure; }
    void setAtmosphericPressure(int32_t pressure) { m_settings.AtmosphericPressure = pressure; }
    int32_t BreathsPerCalculation() const { return m_settings.BreathsPerCalculation; }
    // Stores only 1, 2, 4, 8, 16 or 32; any other count is ignored.
    void setBreathsPerCalculation(int32_t breaths);
    int32_t DetectLevel() const { return m_settings.DetectLevel; }
    void setDetectLevel(int32_t level) { m_settings.DetectLevel = level; }
    int32_t NoiseLevel() const { return m_settings.NoiseLevel; }
    void setNoiseLevel(int32_t level) { m_settings.NoiseLevel = level; }
    int32_t RelativeHumidity() const { return m_settings.RelativeHumidity; }
    void setRelativeHumidity(int32_t humidity) { m_settings.RelativeHumidity = humidity; }
    int32_t SuppressPressurePeakPeriod() const { return m_settings.SuppressPressurePeakPeriod; }
    void setSuppressPressurePeakPeriod(int32_t period) { m_settings.SuppressPressurePeakPeriod = period; }
    float FlowThreshold() const { return m_settings.FlowThreshold; }
    void setFlowThreshold(float threshold) { m_settings.FlowThreshold = threshold; }
    float PressureThreshold() const { return m_settings.PressureThreshold; }
    void setPressureThreshold(float threshold) { m_settings.PressureThreshold = threshold; }

    // ISetup
    bool HasDialog() const override { return true; }
    QString Settings() const override { return {}; }
    void setSettings(const QString&) override {}
    // The settings page (page class "ZeltorPlugin.XZeltorSettings") in the plug-in's dialog host
    // form, initialised with this object, which it reloads from the registry; none, and no error,
    // when any step fails or this object is not held by a shared pointer.
    std::shared_ptr<Nelvar::IDialog> CreateDialog() override;
    // Reads the template path, then the settings in the registry's reading order; both arguments
    // are ignored, the keys are fixed. A settings key without values leaves every setting as it
    // is; a missing value, or one that does not convert, leaves its setting and the next value is
    // read. The registry's errors for a key that cannot be opened or a registry that cannot be
    // read pass on unchanged; any other failure ends the load quietly.
    void RegLoad(int32_t hKey, const QString& sRegKey) override;
    // Writes the settings key anew with the 22 settings, keeping the values of the key that
    // other readers own; both arguments are ignored. Errors pass on with this class's source;
    // what was written stays written.
    void RegSave(int32_t hKey, const QString& sRegKey) override;

private:
    QString m_templatePath;
    GlobalSettings m_settings;
};

} // namespace ZeltorPlugin
