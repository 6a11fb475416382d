#include "CTestZeltor.h"

#include "CConfigZeltor.h"
#include "CResultZeltor.h"
#include "CZeltorLimitData.h"
#include "HighResTimer.h"
#include "MGlobalFunctions.h"
#include "RunMessages.h"

#include "CParameterDef.h"
#include "CParameterList.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "VtiTypes.h"

#include "HostServices.h"
#include "RunContext.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "format/Format.h"
#include "serial/DataLink.h"

#include <vector>

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

} // namespace

std::shared_ptr<CTestZeltor> CTestZeltor::create()
{
    std::shared_ptr<CTestZeltor> element(new CTestZeltor());
    element->construct();
    return element;
}

void CTestZeltor::construct()
{
    m_base = com::ClassRegistry::instance().createAs<Nelvar::ITestElementBase>(
        QString::fromLatin1(Nelvar::kTestElementBaseProgId));
    m_base->setConfiguration(std::make_shared<CConfigZeltor>());
    const auto limits = std::make_shared<CZeltorLimitData>();
    m_base->setLimits(limits);
    limits->SetOwner(shared_from_this());
}

CTestZeltor::~CTestZeltor() { stopClock(); }

std::shared_ptr<CConfigZeltor> CTestZeltor::configuration() const
{
    return std::dynamic_pointer_cast<CConfigZeltor>(com::required(m_base).Configuration());
}

std::shared_ptr<CZeltorLimitData> CTestZeltor::limitData() const
{
    return std::dynamic_pointer_cast<CZeltorLimitData>(com::required(m_base).Limits());
}

QString CTestZeltor::PlugInID() const { return m_base->PlugInID(); }
int32_t CTestZeltor::TestID() const { return m_base->TestID(); }
int32_t CTestZeltor::ID() const { return m_base->ID(); }
void CTestZeltor::setID(int32_t id) { m_base->setID(id); }
std::shared_ptr<com::Object> CTestZeltor::Parent() const { return m_base->Parent(); }
void CTestZeltor::setParent(const std::shared_ptr<com::Object>& parent) { m_base->setParent(parent); }
std::shared_ptr<Nelvar::ITestInfo> CTestZeltor::Info() const { return m_base->Info(); }
std::shared_ptr<Nelvar::ITestFilter> CTestZeltor::Filter() const { return m_base->Filter(); }
std::shared_ptr<Nelvar::IResultData> CTestZeltor::Result() const { return m_base->Result(); }
std::shared_ptr<Nelvar::ILimitData> CTestZeltor::Limits() const { return m_base->Limits(); }
std::shared_ptr<Nelvar::IConfigData> CTestZeltor::Configuration() const { return m_base->Configuration(); }

void CTestZeltor::Initialize(const QString& plugInID, int32_t testID, int32_t id)
{
    com::ignoreFailure([&] { m_base->Initialize(plugInID, testID, id); });
    com::ignoreFailure([&] { com::required(configuration()).setTestKind(m_base->TestID()); });
}

std::shared_ptr<Nelvar::ITestElement> CTestZeltor::Clone()
{
    try {
        const auto copy = create();
        copy->CopyFrom(*this);
        return copy;
    } catch (...) {
        Nelvar::errorService().ReportError(com::currentError(), kSource);
        throw; // not reached: the error service does not return
    }
}

std::shared_ptr<Nelvar::ITestElementBase> CTestZeltor::CloneBase() const { return m_base->Clone(); }

void CTestZeltor::CopyFrom(const CTestZeltor& source)
{
    m_base->Terminate();
    m_base = source.CloneBase();
    com::required(limitData()).SetOwner(shared_from_this());
}

void CTestZeltor::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner)
{
    if (com::required(element).TagName() == QLatin1String("ResultItem"))
        PrepareResult(true);
    m_base->Load(element, owner);
    com::required(limitData()).ApplyConversions(configuration());
}

std::shared_ptr<Nelvar::IXmlElement> CTestZeltor::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                      int32_t flag)
{
    return m_base->Save(document, flag);
}

void CTestZeltor::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                              const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    m_base->PrintReport(report, sequence);
}

void CTestZeltor::QuerySetParent(const std::shared_ptr<com::Object>&, bool& answer) { answer = true; }

void CTestZeltor::Terminate() { m_base->Terminate(); }

void CTestZeltor::UpdateReferences()
{
    com::ignoreFailure([&] {
        if (const auto limits = m_base->Limits())
            com::required(limits->Standards()).UpdateReferences(shared_from_this());
    });
}

com::Value CTestZeltor::GetMeasurementList()
{
    com::Value list = com::Value::make2D(0, 2);
    com::ignoreFailure([&] {
        const CParameterList& parameters = com::required(com::required(configuration()).Parameters());
        list = com::Value::make2D(parameters.Count(true), 2);
        int32_t row = 0;
        for (const auto& definition : parameters) {
            com::ignoreFailure([&] {
                list.at2D(row, 0) = definition->Key();
                list.at2D(row, 1) = definition->Caption(true);
            });
            ++row;
        }
    });
    return list;
}

void CTestZeltor::PrepareResult(bool fNew)
{
    com::ignoreFailure([&] {
        if (!m_base->Result() || fNew) {
            auto result = std::make_shared<CResultZeltor>();
            result->InitializeResult(configuration(), m_base->TestID());
            m_base->setResult(result);
        }
    });
    com::ignoreFailure([&] { m_result = std::dynamic_pointer_cast<CResultZeltor>(m_base->Result()); });
}

void CTestZeltor::Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    const auto self = shared_from_this();
    m_session.perform(self, *this, *m_base, sequence, [this] { PrepareResult(false); });
}

void CTestZeltor::StopTest() { StopTestRun(); }

void CTestZeltor::AbortTest()
{
    StopTestRun();
    m_session.abort();
}

void CTestZeltor::Skip() { m_session.skip(); }

void CTestZeltor::NextTest() { m_session.next(); }

void CTestZeltor::Previous() { m_session.previous(); }

void CTestZeltor::NA() { m_session.notApplicable(m_result.get()); }

void CTestZeltor::StartTest()
{
    // A start that arrives while a start or a run is under way is ignored: the window's commands
    // stay live while the instrument's reply is awaited and while the loop runs.
    if (m_runState != RunState::Idle)
        return;
    const auto self = shared_from_this();
    m_runState = RunState::Starting;
    m_stopRequested = false;
    m_session.runStarted();
    // The instrument link shows its own failures.
    com::ignoreFailure([&] { startRun(); });
    m_runState = RunState::Ending;
    endRun();
    m_runState = RunState::Idle;
}

void CTestZeltor::startRun()
{
    com::required(m_result).InitializeResult(configuration(), m_base->TestID());
    ZeltorVTI::GMTI.InitVTI();
    // The connection is held for the whole start, so a nested reset cannot pull it away.
    const auto vti = ZeltorVTI::GMTI.VTI();
    m_session.setInstrument(vti->StartRemote());
    // A stop or abort while the instrument's answer was awaited: the measurement is not started.
    if (m_stopRequested)
        return;
    const com::Value parameters = BuildStartParameters();
    // Single readings always come in 32-bit frames; their layout still follows the firmware.
    vti->SetDataLinkMode(serial::edlmStreaming, ZeltorVTI::eds32Bit);
    vti->StartTest({parameters});
    ITestGuideWindow& window = com::required(m_session.window());
    window.setToolbarButtonEnabled(kStopButton, true);
    window.setRunning(true);
    m_runState = RunState::Running;
    RunResultLoop();
}

com::Value CTestZeltor::BuildStartParameters()
{
    std::vector<com::Value> parameters(8, com::Value(QString()));
    const auto config = configuration();
    if (!config)
        return com::Value(std::move(parameters));
    const int32_t noiseLevel = config->NoiseLevel();
    parameters[0] = QString::number(m_base->TestID());
    parameters[1] = QStringLiteral("0");
    parameters[2] = QStringLiteral("ATPX");
    parameters[3] = QStringLiteral("1");
    parameters[4] = noiseLevel > kNoiseLevelLimit ? QStringLiteral("9999") : QString::number(noiseLevel);
    parameters[5] = QStringLiteral("9000");
    parameters[6] = QStringLiteral("1");
    parameters[7] = QStringLiteral("10");
    // A duration whose seconds leave 32 bits overflows (6) and fails the start.
    m_duration = format::toInt32(static_cast<double>(config->Duration()) * 60.0);
    return com::Value(std::move(parameters));
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
        com::ignoreFailure([&] { com::required(m_session.window()).Initialize(shared_from_this(), m_session.sequence()); });
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
            RunMessages::showStreamingStopped(m_elapsed);
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
    result.AddInstrumentData(m_base->TestID(), sequence, values);
    result.EvaluateLimits(m_base->Limits(), com::required(m_session.sequence()).LimitContext());
    if (sequence == 0)
        com::required(m_session.window()).UpdateResults(m_result);
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
    com::ignoreFailure([&] { com::required(m_session.window()).UpdateElapsedTime(m_elapsed); });
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
    com::ignoreFailure([&] { com::required(m_session.window()).SetStoppedState(); });
    com::ignoreFailure([&] { com::required(m_session.window()).setRunning(false); });
}

void CTestZeltor::endRun()
{
    com::ignoreFailure([&] { ZeltorVTI::GMTI.VTI()->SetDataLinkMode(serial::edlmCommand, 0); });
    com::ignoreFailure([&] { ZeltorVTI::GMTI.VTI()->EndRemote(); });
    com::ignoreFailure([&] { ZeltorVTI::GMTI.ResetVTI(); });
    com::ignoreFailure([&] { com::required(m_session.window()).SetStoppedState(); });
}

} // namespace ZeltorTests
