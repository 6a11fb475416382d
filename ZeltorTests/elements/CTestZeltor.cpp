#include "elements/CTestZeltor.h"

#include "elements/CConfigZeltor.h"
#include "elements/CResultZeltor.h"
#include "elements/CSettings.h"
#include "elements/CZeltorLimitData.h"
#include "elements/DurationSeconds.h"
#include "elements/HighResTimer.h"
#include "elements/MGlobalFunctions.h"
#include "elements/RunMessages.h"

#include "data/CParameterDef.h"
#include "data/CParameterList.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "StartCommand.h"
#include "VtiTypes.h"

#include "HostServices.h"
#include "RunContext.h"
#include "Standards.h"
#include "Xml.h"

#include "com/Failure.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "serial/DataLink.h"

namespace ZeltorTests {

namespace {

const QString kSource = QStringLiteral("ZeltorTests.CTestZeltor");
const QString kStopButton = QStringLiteral("stop");

constexpr int32_t kRecordTypeStop = 'X';
constexpr int32_t kEmptyPollsBeforeSilence = 1000;
// An empty poll waits this long for the next reading, so that the loop does not spin a core and
// the 1001st empty poll in a row comes about five seconds after the last reading.
constexpr int32_t kEmptyPollWaitMs = 5;
constexpr int32_t kClockIntervalMs = 1000;
constexpr int32_t kClockResolutionMs = 10;
// The instrument takes noise levels up to 9999; 10000 goes as it is.
constexpr int32_t kNoiseLevelLimit = 10000;
constexpr int32_t kNoiseLevelSent = 9999;
// What the single readings send in the start command's other measurement fields.
constexpr int32_t kDetectLevel = 9000;
constexpr int32_t kBreathsPerCalculation = 1;
constexpr int32_t kSuppressPressurePeakMs = 10;

} // namespace

std::shared_ptr<CTestZeltor> CTestZeltor::create() { return make<CTestZeltor>(); }

CTestZeltor::CTestZeltor()
{
    elementBase().setConfiguration(std::make_shared<CConfigZeltor>());
    elementBase().setLimits(std::make_shared<CZeltorLimitData>());
}

void CTestZeltor::bindToBase() { com::required(limitData()).SetOwner(shared_from_this()); }

CTestZeltor::~CTestZeltor() { stopClock(); }

std::shared_ptr<CConfigZeltor> CTestZeltor::configuration() const { return configurationAs<CConfigZeltor>(); }

void CTestZeltor::identified()
{
    com::ignoreFailure([&] { com::required(configuration()).setTestKind(elementBase().TestID()); });
}

std::shared_ptr<Nelvar::ITestElement> CTestZeltor::cloneFailed() const
{
    Nelvar::errorService().ReportError(com::currentError(), kSource);
    throw; // not reached: the error service does not return
}

void CTestZeltor::PrepareResult(bool fNew)
{
    com::ignoreFailure([&] {
        if (!elementBase().Result() || fNew) {
            auto result = std::make_shared<CResultZeltor>();
            result->InitializeResult(configuration(), elementBase().TestID());
            elementBase().setResult(result);
        }
    });
    com::ignoreFailure([&] { m_result = std::dynamic_pointer_cast<CResultZeltor>(elementBase().Result()); });
}

void CTestZeltor::StopTest() { StopTestRun(); }

void CTestZeltor::StartTest()
{
    // A start that arrives while a start or a run is under way is ignored: the window's commands
    // stay live while the instrument's reply is awaited and while the loop runs.
    if (m_runState != RunState::Idle)
        return;
    const auto self = shared_from_this();
    m_runState = RunState::Starting;
    m_stopRequested = false;
    session().runStarted();
    // The instrument link shows its own failures.
    com::ignoreFailure([&] { startRun(); });
    m_runState = RunState::Ending;
    endRun();
    m_runState = RunState::Idle;
}

void CTestZeltor::startRun()
{
    com::required(m_result).InitializeResult(configuration(), elementBase().TestID());
    ZeltorVTI::GMTI.InitVTI();
    // The connection is held for the whole start, so a nested reset cannot pull it away.
    const auto vti = ZeltorVTI::GMTI.VTI();
    session().setInstrument(vti->StartRemote());
    // A stop or abort while the instrument's answer was awaited: the measurement is not started.
    if (m_stopRequested)
        return;
    const com::Value parameters = ZeltorVTI::EncodeStartCommand(BuildStartParameters());
    // Single readings always come in 32-bit frames; their layout still follows the firmware.
    vti->SetDataLinkMode(serial::edlmStreaming, ZeltorVTI::eds32Bit);
    vti->StartTest({parameters});
    ITestGuideWindow& window = com::required(session().window());
    window.setToolbarButtonEnabled(kStopButton, true);
    window.setRunning(true);
    m_runState = RunState::Running;
    RunResultLoop();
}

ZeltorVTI::StartCommand CTestZeltor::BuildStartParameters()
{
    ZeltorVTI::StartCommand command;
    const auto config = configuration();
    if (!config)
        return command;
    const int32_t noiseLevel = config->NoiseLevel();
    command.testId = elementBase().TestID();
    command.referenceCondition = CSettings::eruATPX;
    command.calculateMassFlow = true;
    command.noiseLevel = noiseLevel > kNoiseLevelLimit ? kNoiseLevelSent : noiseLevel;
    command.detectLevel = kDetectLevel;
    command.breathsPerCalculation = kBreathsPerCalculation;
    command.suppressPressurePeakMs = kSuppressPressurePeakMs;
    m_duration = durationSeconds(config->Duration());
    return command;
}

void CTestZeltor::StartClock()
{
    m_elapsed = 0;
    m_emptyPolls = 0;
    com::ignoreFailure([&] { m_clock = MGlobalFunctions::CreateHighResTimer(); });
    com::ignoreFailure([&] { com::required(m_clock).setInterval(kClockIntervalMs); });
    com::ignoreFailure([&] { com::required(m_clock).Stats().Resolution = kClockResolutionMs; });
    com::ignoreFailure([&] { com::required(m_clock).setTimerHandler([this] { onClockTick(); }); });
    com::ignoreFailure([&] { com::required(m_clock).setEnabled(true); });
}

void CTestZeltor::stopClock()
{
    com::ignoreFailure([&] {
        if (m_clock)
            m_clock->setEnabled(false);
    });
}

void CTestZeltor::RunResultLoop()
{
    StartClock();
    // Every way out of the loop stops the clock, so that no tick of it can end a later run.
    struct ClockStop {
        CTestZeltor& element;
        ~ClockStop() { element.stopClock(); }
    } const clockStop{*this};
    try {
        events::EventLoop& loop = events::EventLoop::current();
        while (!m_stopRequested) {
            if (pollInstrument())
                loop.pumpOnce();
            else
                loop.pumpFor(kEmptyPollWaitMs);
        }
    } catch (...) {
        // The run's readings are dropped with its result, and the window starts afresh.
        m_stopRequested = true;
        PrepareResult(true);
        com::ignoreFailure([&] { com::required(session().window()).Initialize(shared_from_this(), session().sequence()); });
    }
}

bool CTestZeltor::pollInstrument()
{
    int32_t recordType = 0;
    int32_t sequence = 0;
    com::Value values;
    ZeltorVTI::GMTI.VTI()->GetTestResult(recordType, sequence, values);
    if (recordType < 1) {
        if (++m_emptyPolls > kEmptyPollsBeforeSilence) {
            StopTestRun();
            session().reportStreamingStopped(m_result, m_elapsed);
            m_emptyPolls = 0;
        }
        return false;
    }
    if (recordType == kRecordTypeStop) {
        StopTestRun();
        RunMessages::showRunEnd(RunMessages::kStopSignalReceived);
        return true;
    }
    m_emptyPolls = 0;
    CResultZeltor& result = com::required(m_result);
    result.AddInstrumentData(elementBase().TestID(), sequence, values);
    result.EvaluateLimits(elementBase().Limits(), com::required(session().sequence()).LimitContext());
    if (sequence == 0)
        com::required(session().window()).UpdateResults(m_result);
    return true;
}

void CTestZeltor::onClockTick()
{
    if (m_duration >= 1 && m_elapsed == m_duration) {
        StopTestRun();
        RunMessages::showRunEnd(RunMessages::kTestCompleted);
        return;
    }
    ++m_elapsed;
    com::ignoreFailure([&] { com::required(session().window()).UpdateElapsedTime(m_elapsed); });
}

void CTestZeltor::StopTestRun()
{
    // The clock stops first: no tick arrives while the instrument is talked to.
    stopClock();
    const bool alreadyStopped = m_stopRequested;
    m_stopRequested = true;
    // The stop runs once per run, and only on a running one: a start that awaits the instrument's
    // answer, and the end of a run, tear the link down themselves, and a stop that arrives during
    // the stop's own reply wait finds it under way.
    if (m_runState != RunState::Running || alreadyStopped)
        return;
    const auto vti = ZeltorVTI::GMTI.VTI();
    com::ignoreFailure([&] { vti->StopTest(); });
    com::ignoreFailure([&] { vti->SetDataLinkMode(serial::edlmCommand, 0); });
    com::ignoreFailure([&] { vti->EndRemote(); });
    com::ignoreFailure([&] { com::required(session().window()).SetStoppedState(); });
    com::ignoreFailure([&] { com::required(session().window()).setRunning(false); });
}

void CTestZeltor::endRun()
{
    com::ignoreFailure([&] { ZeltorVTI::GMTI.VTI()->SetDataLinkMode(serial::edlmCommand, 0); });
    com::ignoreFailure([&] { ZeltorVTI::GMTI.VTI()->EndRemote(); });
    com::ignoreFailure([&] { ZeltorVTI::GMTI.ResetVTI(); });
    com::ignoreFailure([&] { com::required(session().window()).SetStoppedState(); });
}

} // namespace ZeltorTests
