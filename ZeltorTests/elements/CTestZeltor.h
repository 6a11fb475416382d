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

class CConfigZeltor;
class CParameterDef;
class CResultZeltor;
class HighResTimer;

inline const QString kTestZeltorProgId = QStringLiteral("ZeltorTests.CTestZeltor");

// The single-reading tests (leakage 200, flow 300, pressure 400, high pressure 500) as the host
// runs them; the kind is the test identifier given to Initialize. Perform shows the test guide
// window; the operator's start runs a loop inside the start command that polls the instrument's
// readings into the result record and pumps the window's messages between polls, until the
// operator, the instrument, its silence or the configured duration, counted on the element's own
// one-second clock, stops it.
class CTestZeltor final : public ZeltorTestElement {
public:
    // Constructs the element with its element base, configuration and limits and no identity;
    // failures of the host's element base make the construction fail.
    static std::shared_ptr<CTestZeltor> create();
    // Stops the element's clock.
    ~CTestZeltor() override;

private:
    // Where a run stands: a start awaits the instrument, a run loops, its end tears the link down.
    // A new start is taken only when idle.
    enum class RunState { Idle, Starting, Running, Ending };

    friend class ZeltorTestElement;
    CTestZeltor();

    // The window's events of a run; its clock and the reset of calculations do nothing here.
    void StartTest() override;
    void StopTest() override;

    // ZeltorTestElement
    std::shared_ptr<ZeltorTestElement> newElement() const override { return create(); }
    void bindToBase() override;
    // Passes the failure on with this class's source.
    std::shared_ptr<Nelvar::ITestElement> cloneFailed() const override;
    // The test identifier fixes the configuration's test kind; failures are ignored.
    void identified() override;
    // Every parameter: the list holds the test's readings only.
    bool listsParameter(const CParameterDef&) const override { return true; }
    void PrepareResult(bool fNew) override;
    void StopTestRun() override;

    std::shared_ptr<CConfigZeltor> configuration() const;

    void startRun();
    ZeltorVTI::StartCommand BuildStartParameters();
    void StartClock();
    void stopClock();
    void RunResultLoop();
    // One poll of the instrument and what its frame asks for; true when a frame came.
    bool pollInstrument();
    void onClockTick();
    void endRun();

    std::shared_ptr<CResultZeltor> m_result;
    std::shared_ptr<HighResTimer> m_clock;
    int32_t m_elapsed = 0;
    int32_t m_emptyPolls = 0;
    int32_t m_duration = 0;
    bool m_stopRequested = false;
    RunState m_runState = RunState::Idle;
};

} // namespace ZeltorTests
