#pragma once

#include "TestElement.h"
#include "TestGuideSession.h"
#include "TestGuideWindow.h"

#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorTests {

class CConfigZeltor;
class CResultZeltor;
class CZeltorLimitData;
class HighResTimer;

inline const QString kTestZeltorProgId = QStringLiteral("ZeltorTests.CTestZeltor");

// The single-reading tests (leakage 200, flow 300, pressure 400, high pressure 500) as the host
// runs them; the kind is the test identifier given to Initialize. Most ITestElement members go to
// the host's element base. Perform shows the test guide window; the operator's start runs a loop
// inside the start command that polls the instrument's readings into the result record and pumps
// the window's messages between polls, until the operator, the instrument, its silence or the
// configured duration, counted on the element's own one-second clock, stops it.
class CTestZeltor final : public Nelvar::ITestElement,
                          private ITestGuideEvents,
                          public std::enable_shared_from_this<CTestZeltor> {
public:
    // Constructs the element with its element base, configuration and limits and no identity;
    // failures of the host's element base make the construction fail.
    static std::shared_ptr<CTestZeltor> create();
    // Stops the element's clock.
    ~CTestZeltor() override;

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
    // The identity goes to the element base; the test identifier also fixes the configuration's
    // test kind. Failures are ignored.
    void Initialize(const QString& plugInID, int32_t testID, int32_t id) override;
    // A copy of this element with copies of its configuration and limits; failures are passed on
    // with this class's source.
    std::shared_ptr<Nelvar::ITestElement> Clone() override;
    void Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    // A "ResultItem" is read into a fresh result; failures are passed on unchanged.
    void Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner) override;
    // Failures are passed on unchanged.
    std::shared_ptr<Nelvar::IXmlElement> Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                              int32_t flag) override;
    void PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                     const std::shared_ptr<Nelvar::ITestSequence>& sequence) override;
    void QuerySetParent(const std::shared_ptr<com::Object>& parent, bool& answer) override;
    void Terminate() override;
    void UpdateReferences() override;
    // One row of (key, translated caption) per parameter of the configuration's list, in list
    // order; as many rows as the list has selected parameters.
    com::Value GetMeasurementList() override;

private:
    // Where a run stands: a start awaits the instrument, a run loops, its end tears the link down.
    // A new start is taken only when idle.
    enum class RunState { Idle, Starting, Running, Ending };

    CTestZeltor() = default;
    void construct();

    // The window's events.
    void StartTest() override;
    void StopTest() override;
    void AbortTest() override;
    void NA() override;
    void NextTest() override;
    void Previous() override;
    void ResetCalculations() override {}
    void Skip() override;
    void TimerTick() override {}

    std::shared_ptr<CConfigZeltor> configuration() const;
    std::shared_ptr<CZeltorLimitData> limitData() const;
    std::shared_ptr<Nelvar::ITestElementBase> CloneBase() const;
    void CopyFrom(const CTestZeltor& source);
    void PrepareResult(bool fNew);

    void startRun();
    com::Value BuildStartParameters();
    void StartClock();
    void stopClock();
    void RunResultLoop();
    // One poll of the instrument and what its frame asks for; true when a frame came.
    bool pollInstrument();
    void onClockTick();
    void StopTestRun();
    void endRun();

    std::shared_ptr<Nelvar::ITestElementBase> m_base;
    std::shared_ptr<CResultZeltor> m_result;
    TestGuideSession m_session;
    std::shared_ptr<HighResTimer> m_clock;
    int32_t m_elapsed = 0;
    int32_t m_emptyPolls = 0;
    int32_t m_duration = 0;
    bool m_stopRequested = false;
    RunState m_runState = RunState::Idle;
};

} // namespace ZeltorTests
