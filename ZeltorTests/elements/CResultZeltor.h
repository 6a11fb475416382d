#pragma once

#include "elements/ResultRecord.h"

#include "com/Value.h"

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class IZeltorConfiguration;

// The result of one run of a single-reading test: one measurement per reading of the test's
// configuration, fed from the instrument's result frames and judged against the test's limits.
// Persisted as "ResultItem" without trends or snapshots.
class CResultZeltor final : public ResultRecord {
public:
    CResultZeltor();

    // A new, empty measurement per parameter of the configuration, in list order, and status 0;
    // the flow test (300) also takes its dead band from the noise level. The comment, the
    // identifier and the service record stay. A failing step is skipped.
    void InitializeResult(const std::shared_ptr<IZeltorConfiguration>& configuration, int32_t testId);
    // The two readings of one result frame (values 2 and then 0, and for the leakage test the leak
    // rates in values 3 and then 1) as samples of the test's measurements, scaled by the firmware
    // of the connected instrument; flow readings inside the dead band count as 0. Frames of other
    // tests, readings without a measurement and missing values are skipped. Reports no error.
    void AddInstrumentData(int32_t testId, int32_t sequence, const com::Value& values);
    // Flow readings strictly inside plus or minus this raw value count as 0 (flow test only).
    float DeadBand() const { return m_deadBand; }

    // IResultData
    // Only a result with a comment has something to show.
    bool HasDialog() const override { return !Comment().isEmpty(); }
    // Replaces the record by a "ResultItem": comment, status, service record and identifier are
    // reset first, and the measurements are made anew from the record's "Measurement" children,
    // each bound to the configuration's parameter of its key; a child of a key that the
    // configuration lacks, or that the measurement rejects, is left out. Raises 0x8004A3EB for
    // another element, and a measurement that cannot be read passes its error on (wrapped with
    // this class's source), its description naming the measurement.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
              const std::shared_ptr<Nelvar::IProgress>& progress) override;
    // A "ResultItem" element (not appended); raises 0x8004A3EC when the document makes none.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // The result table of the measurements, as the ventilator result prints it, and nothing
    // else. Nothing without a report; failures are ignored. The run context is not used.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;

private:
    const Measurements* measurements() const override { return &m_measurements; }
    QString pageClass() const override;
    void UpdateDeadBand();
    int32_t ApplyDeadBand(int32_t raw) const;
    void addSample(const QString& key, double value) const;
    std::shared_ptr<CMeasurement> LoadMeasurement(const std::shared_ptr<Nelvar::IXmlElement>& element) const;

    Measurements m_measurements;
    std::shared_ptr<IZeltorConfiguration> m_configuration;
    float m_deadBand = 0.0f;
};

} // namespace ZeltorTests
