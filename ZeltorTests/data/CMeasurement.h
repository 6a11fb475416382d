#pragma once

#include "Measurement.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IReport;
}

namespace ZeltorTests {

class CParameterDef;

// The running statistics of one parameter during a test (current, maximum, minimum, average and
// the number of counted samples, all in the base unit) and its pass or fail status. The creator
// binds the parameter definition before anything else.
class CMeasurement final : public Nelvar::IMeasurement {
public:
    enum EStatus : int32_t {
        emsNotEvaluated = 0,
        emsPass = 1,
        emsFail = 2,
    };

    // IMeasurement
    QString Description() const override;
    QString Key() const override;
    QString LimitKey() const override;
    int32_t Status() const override { return m_status; }
    QString Unit() const override;
    // The formatted current value of a single reading, the formatted average of any other kind.
    com::Value Value() const override;
    com::Value PresetValue() const override { return {}; }
    int32_t ValueType() const override { return 1; }
    QString ValueFormat() const override;
    QString Flags() const override { return {}; }
    QString ToolTipText() const override { return {}; }
    // Reads a "Measurement" element of this parameter's key; raises 0x8004A3FF for another one.
    // A value is the leading number of its text; one beyond the Single range raises overflow (6),
    // the description naming the measurement and the value. The sample count is not stored and
    // stays as it is; a value read gives the measurement values.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const com::Value& owner = {}) override;
    // A "Measurement" element (not appended) with the values in the base unit; a measurement
    // without values writes them empty, so that it is read back without values.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;

    const std::shared_ptr<CParameterDef>& ParameterDef() const { return m_parameterDef; }
    void setParameterDef(std::shared_ptr<CParameterDef> definition);

    // Counts a sample in the base unit. Until the first counted sample, a sample of exactly 0 only
    // becomes the current value.
    void AddSample(float value);
    // Maximum, minimum and average become the current value, which then counts as the one sample
    // the statistics start again from.
    void ResetStatistics();
    void setStatus(int32_t status) { m_status = status; }

    float MaxValue() const { return m_max; }
    float MinValue() const { return m_min; }
    float CurrentValue() const { return m_current; }
    float AverageValue() const { return m_average; }
    int32_t SampleCount() const { return m_sampleCount; }
    bool HasSamples() const { return m_sampleCount >= 1; }
    // Counted samples, or values read from its record: the measurement has figures to show.
    bool HasValues() const { return HasSamples() || m_valuesLoaded; }

    // Current, minimum, maximum and average in the display unit and the value format, with the
    // user's decimal separator.
    QStringList FormattedValues() const;
    // "|caption      |max|min|average|unit;" for the report's result table, "-" for each figure of
    // a measurement without values; empty when the report prints failed measurements only and
    // this one did not fail.
    QString ReportRow(Nelvar::IReport& report) const;

private:
    const CParameterDef& definition() const;
    QString formatted(float baseValue) const;

    std::shared_ptr<CParameterDef> m_parameterDef;
    bool m_hasConverter = false;
    int32_t m_status = emsNotEvaluated;
    int32_t m_statusFlags = 0;
    float m_current = 0.0f;
    float m_max = 0.0f;
    float m_min = 0.0f;
    float m_average = 0.0f;
    int32_t m_sampleCount = 0;
    bool m_valuesLoaded = false;
};

} // namespace ZeltorTests
