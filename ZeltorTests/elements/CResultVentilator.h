#pragma once

#include "elements/ResultRecord.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Nelvar {
class IReport;
} // namespace Nelvar

namespace ZeltorTests {

class CConfigVentilator;
class CSnapshotColl;
class CTrendCollection;
class CWaveformData;
class CZeltorCalculationSet;
class CZeltorLimitData;

// The result of one ventilator test run: the whole-run statistics of every breath parameter, a
// second set that collects the values between two trend samples, the trends, the live waveform
// and the snapshots, the pass/fail status, the comment and the service record. Persisted as
// "ResultItem".
class CResultVentilator final : public ResultRecord {
public:
    CResultVentilator();

    // Prepares a fresh result for a run of this configuration. The live waveform's key goes on
    // counting ("0S", "1S", ...) and the integrated volume is kept. A failing step is skipped.
    void InitializeResult(const std::shared_ptr<CConfigVentilator>& configuration,
                          const std::shared_ptr<CZeltorLimitData>& limits);
    // One breath-parameter block 'A' to 'D'; once breaths are detected it also feeds the trend
    // set while the last trend records. Reports no error.
    void AddParameterResult(int32_t blockId, const com::Value& data, int32_t firmwareMajor);
    // One waveform packet (pressure 1, flow 1, pressure 2, flow 2, raw) into the live tables, with
    // the volume integrated from the flow. Reports no error.
    void AddWaveformData(int32_t sequence, const com::Value& packet, int32_t firmwareMajor);
    // On the run's clock: before the first breath the last trend's start moves to `seconds`;
    // afterwards it takes a sample from the trend set, whose statistics then restart.
    void AddTrendSample(int32_t seconds);
    // The live waveform, frozen at the test's elapsed time and the live view's X position, becomes
    // a snapshot; a new live waveform replaces it.
    void TakeSnapshot(int32_t currentX);
    // Not applicable (3) also drops the trends and the snapshots.
    void SetStatus(int32_t status) override;

    const std::shared_ptr<CZeltorLimitData>& Limits() const { return m_limits; }
    const std::shared_ptr<CZeltorCalculationSet>& CalculationSet() const { return m_calculations; }
    const std::shared_ptr<CTrendCollection>& Trends() const { return m_trends; }
    const std::shared_ptr<CSnapshotColl>& Snapshots() const { return m_snapshots; }
    const std::shared_ptr<CWaveformData>& WaveformData() const { return m_waveform; }
    bool BreathsDetected() const { return m_breathsDetected; }

    // IResultData
    bool HasDialog() const override { return true; }
    // Reads a "ResultItem" into the prepared result; raises 0x8004A3EB for another element. A
    // measurement, trend or snapshot that cannot be read passes its error on (wrapped with this
    // class's source), its description naming the record; what was read before stays.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
              const std::shared_ptr<Nelvar::IProgress>& progress) override;
    // A "ResultItem" element (not appended); raises 0x8004A3EC when the document makes none.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document) override;
    // The result table, then, when the report asks for details at print level 3, the trends and
    // the snapshots. Nothing without a report; failures are ignored. The second argument is not
    // used.
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;

private:
    const Measurements* measurements() const override;
    QString pageClass() const override;
    std::shared_ptr<CWaveformData> newLiveWaveform(const std::shared_ptr<CWaveformData>& previous);
    void readThresholds();
    // The volume in ml after one flow sample (raw): it restarts at 0 while flow and pressure are at
    // rest.
    float integratedVolume(int32_t rawFlow, float pressure);
    void loadMeasurement(const std::shared_ptr<Nelvar::IXmlElement>& element) const;
    void loadPlugInData(const Nelvar::IXmlElement& plugInData);

    std::shared_ptr<CConfigVentilator> m_configuration;
    std::shared_ptr<CZeltorCalculationSet> m_calculations;
    std::shared_ptr<CZeltorCalculationSet> m_trendCalculations;
    std::shared_ptr<CTrendCollection> m_trends;
    std::shared_ptr<CWaveformData> m_waveform;
    std::shared_ptr<CSnapshotColl> m_snapshots;
    std::shared_ptr<CZeltorLimitData> m_limits;
    int32_t m_snapshotCounter = 0;
    float m_integratedVolume = 0.0f;
    float m_flowThreshold = 0.0f;
    float m_pressureThreshold = 0.0f;
    bool m_breathsDetected = false;
};

} // namespace ZeltorTests
