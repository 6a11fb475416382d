#pragma once

#include "elements/ZeltorTestElement.h"

#include "com/Value.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace ZeltorVTI {
struct StartCommand;
}

namespace ZeltorTests {

class CConfigVentilator;
class CParameterDef;
class CResultVentilator;
class HighResTimer;

inline const QString kTestVentilatorProgId = QStringLiteral("ZeltorTests.CTestVentilator");

// The ventilator test (test 100) as the host runs it. Perform shows the test guide window; inside
// it the operator starts a run, which streams the instrument's results into the result record on
// a results timer and samples trends on the window's one-second clock until the operator, the
// instrument, its silence or the configured duration stops it.
class CTestVentilator final : public ZeltorTestElement {
public:
    // Seconds since the start of the running test.
    int32_t ElapsedTime() const { return m_elapsed; }
    int32_t TimerInterval() const { return m_timerInterval; }

    // Constructs the element with its element base, configuration and limits, and reads the
    // results timer's interval; failures up to the opening of the settings key make the
    // construction fail.
    static std::shared_ptr<CTestVentilator> create();
    ~CTestVentilator() override;

private:
    friend class ZeltorTestElement;
    CTestVentilator();

    // ZeltorTestElement
    std::shared_ptr<ZeltorTestElement> newElement() const override { return create(); }
    void bindToBase() override;
    // A copy that cannot be made is none.
    std::shared_ptr<Nelvar::ITestElement> cloneFailed() const override { return nullptr; }
    // The selected breath parameters.
    bool listsParameter(const CParameterDef& definition) const override;
    void PrepareResult(bool fNew) override;
    void StopTestRun() override;

    std::shared_ptr<CConfigVentilator> configuration() const;

    // The window's events of a run.
    void StartTest() override;
    void StopTest() override;
    void ResetCalculations() override;
    void TimerTick() override;

    bool runStart();
    bool StartInstrument();
    void CheckFirmwareFeatures();
    ZeltorVTI::StartCommand BuildStartParameters();
    void onResultsTimer();
    void AdjustFrameRate();

    // Where a run stands: a start waits for the instrument, a run streams, a stop tears down.
    enum class RunState { Idle, Starting, Running, Stopping };

    std::shared_ptr<CResultVentilator> m_result;
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
