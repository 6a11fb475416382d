#pragma once

#include "TestElement.h"
#include "TestGuideSession.h"
#include "TestGuideWindow.h"

#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CConfigVentilator;
class CResultVentilator;
class CZeltorLimitData;
class HighResTimer;

inline const QString kTestVentilatorProgId = QStringLiteral("ZeltorTests.CTestVentilator");

// The ventilator test (test 100) as the host runs it. Most ITestElement members go to the host's
// element base. Perform shows the test guide window; inside it the operator starts a run, which
// streams the instrument's results into the result record on a results timer and samples trends
// on the window's one-second clock until the operator, the instrument, its silence or the
// configured duration stops it.
class CTestVentilator final : public Nelvar::ITestElement,
                              private ITestGuideEvents,
                              public std::enable_shared_from_this<CTestVentilator> {
public:
    // Constructs the element with its element base, configuration and limits; failures of the
    // host's element base make the construction fail.
    static std::shared_ptr<CTestVentilator> create();
    ~CTestVentilator() override;

    // Seconds since the start of the running test.
    int32_t ElapsedTime() const { return m_elapsed; }
    int32_t TimerInterval() const { return m_timerInterval; }

    // ITestElement
    QString PlugInID() const override;
    int32_t TestID() const override;
    int32_t ID() const override;
    void setID(int32_t id) override;
    std::shared_ptr<com::Object> Parent() const override;
    void setParent(const std::shared_ptr<com::Object>& parent) override;
    std::shared_ptr<Nelvar::ITestInfo> Info() const override;
    std::shared_ptr<Nelvar::ITestFilter> Filter() const override;
    std::shared_ptr<Nelvar::IResultData> Result() const override;
    std::shared_ptr<Nelvar::ILimitData> Limits() const override;
    std::shared_ptr<Nelvar::IConfigData> Configuration() const override;
    void Initialize(const QString& plugInID, int32_t testID, int32_t id) override;
    std::shared_ptr<Nelvar::ITestElement> Clone() override;
    void Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                              int32_t flag) override;
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void QuerySetParent(const std::shared_ptr<com::Object>& parent, bool& answer) override;
    void Terminate() override;
    void UpdateReferences() override;
    com::Value GetMeasurementList() override;

private:
    // Where a run stands: a start waits for the instrument, a run streams, a stop tears down.
    enum class RunState { Idle, Starting, Running, Stopping };

    CTestVentilator() = default;
    void construct();

    // The window's events.
    void StartTest() override;
    void StopTest() override;
    void AbortTest() override;
    void NA() override;
    void NextTest() override;
    void Previous() override;
    void ResetCalculations() override;
    void Skip() override;
    void TimerTick() override;

    std::shared_ptr<CConfigVentilator> configuration() const;
    std::shared_ptr<CZeltorLimitData> limitData() const;
    void bindToBase();
    std::shared_ptr<Nelvar::ITestElementBase> CloneBase() const;
    void CopyFrom(const CTestVentilator& source);
    void PrepareResult(bool fNew);

    bool runStart();
    bool StartInstrument();
    void CheckFirmwareFeatures();
    com::Value BuildStartParameters();
    void StopTestRun();
    void onResultsTimer();
    void AdjustFrameRate();

    std::shared_ptr<Nelvar::ITestElementBase> m_base;
    std::shared_ptr<CResultVentilator> m_result;
    TestGuideSession m_session;
    std::shared_ptr<HighResTimer> m_resultsTimer;
    int32_t m_timerInterval = 5;
    int32_t m_duration = 0;
    bool m_pollBusy = false;
    int32_t m_emptyPolls = 0;
    int32_t m_elapsed = 0;
    int32_t m_frameRateBalance = 0;
    bool m_resultsArrived = false;
    RunState m_runState = RunState::Idle;
    bool m_startAborted = false;
};

} // namespace ZeltorTests
