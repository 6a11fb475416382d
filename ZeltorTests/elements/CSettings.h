#pragma once

#include "com/Object.h"

#include <cstdint>
#include <memory>

namespace Nelvar {
class IRegistry;
class IXmlDocument;
class IXmlElement;
} // namespace Nelvar

namespace ZeltorTests {

// The measurement settings of a ventilator test: what the run sends to the instrument at its
// start (gas reference condition, mass-flow calculation, breath detect level, breaths per
// calculation, pressure-peak suppression) and two environment values kept with them. Values are
// stored as given, without range checks. Persisted as "Settings".
class CSettings final : public com::Object {
public:
    // Gas reference conditions of ReferenceUnit.
    enum EReferenceUnit : int32_t {
        eruBTPS = 0,
        eruATPX = 1,
        eruSTPD = 2,
        eruATPS = 3,
        eruATPD = 4,
        eruNTPD = 5,
    };

    int32_t AtmosphericPressure() const { return m_atmosphericPressure; }
    void setAtmosphericPressure(int32_t value) { m_atmosphericPressure = value; }
    int32_t RelativeHumidity() const { return m_relativeHumidity; }
    void setRelativeHumidity(int32_t value) { m_relativeHumidity = value; }
    int32_t ReferenceUnit() const { return m_referenceUnit; }
    void setReferenceUnit(int32_t value) { m_referenceUnit = value; }
    int32_t DetectLevel() const { return m_detectLevel; }
    void setDetectLevel(int32_t value) { m_detectLevel = value; }
    int32_t BreathsPerCalculation() const { return m_breathsPerCalculation; }
    void setBreathsPerCalculation(int32_t value) { m_breathsPerCalculation = value; }
    // Milliseconds.
    int32_t SuppressPressurePeakPeriod() const { return m_suppressPressurePeakPeriod; }
    void setSuppressPressurePeakPeriod(int32_t value) { m_suppressPressurePeakPeriod = value; }
    bool CalculateMassFlow() const { return m_calculateMassFlow; }
    void setCalculateMassFlow(bool value) { m_calculateMassFlow = value; }

    void CopyFrom(const CSettings& source) { *this = source; }
    std::shared_ptr<CSettings> Clone() const { return std::make_shared<CSettings>(*this); }

    // Reads the children of a "Settings" element (its name is not checked): a numeric child that
    // is absent keeps its value; mass-flow calculation is on exactly when its child is present.
    // Host failures reach the caller.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element);
    // A new "Settings" element (not appended); "CalculateMassFlow" is written only when on. Host
    // failures reach the caller.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) const;
    // Takes the defaults that the opened settings key holds; a value that is missing or does not
    // convert leaves its setting as it is. The environment values are not read. Reports no error.
    void LoadDefaults(const std::shared_ptr<Nelvar::IRegistry>& registry);

private:
    int32_t m_atmosphericPressure = 760;
    int32_t m_relativeHumidity = 0;
    int32_t m_referenceUnit = eruBTPS;
    int32_t m_detectLevel = 9000;
    int32_t m_breathsPerCalculation = 1;
    int32_t m_suppressPressurePeakPeriod = 30;
    bool m_calculateMassFlow = true;
};

} // namespace ZeltorTests
