#include "elements/CTestVentilator.h"

#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "elements/CSettings.h"
#include "elements/CZeltorLimitData.h"
#include "elements/DurationSeconds.h"
#include "elements/HighResTimer.h"
#include "elements/MGlobalFunctions.h"
#include "elements/RunMessages.h"

#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/ParameterTable.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "StartCommand.h"
#include "VtiTypes.h"

#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "Registry.h"
#include "RunContext.h"
#include "SettingsValueNames.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "events/MessageBoxes.h"

namespace ZeltorTests {

namespace {

constexpr int32_t kTestId = 100;
constexpr int32_t kEmptyPollsBeforeSilence = 100;
constexpr int32_t kFrameRateBacklogSteps = 10;
// The noise level the ventilator test sends in its start command.
constexpr int32_t kNoiseLevel = 500;

enum ERecordType : int32_t {
    ertFirstBlock = 'A',
    ertLastBlock = 'D',
    ertWaveform = 'M',
    ertStop = 'X',
};

QString text(const QString& key, const QStringList& arguments = {})
{
    return Nelvar::languageService().GetText(Zeltor::kProduct, key, arguments);
}

} // namespace

std::shared_ptr<CTestVentilator> CTestVentilator::create() { return make<CTestVentilator>(); }

CTestVentilator::CTestVentilator()
{
    Nelvar::ITestElementBase& base = elementBase();
    base.Initialize(Zeltor::kProduct, kTestId, 0);
    com::required(base.Info()).SetType(QStringLiteral("20011::Ventilator test"), QString());
    base.setID(kTestId);
    base.setConfiguration(std::make_shared<CConfigVentilator>());
    base.setLimits(std::make_shared<CZeltorLimitData>());
    // A settings key that cannot be opened fails the construction; a missing or unconvertible
    // value keeps the default interval.
    const auto registry = com::ClassRegistry::instance().createAs<Nelvar::IRegistry>(
        QString::fromLatin1(Nelvar::kRegistryProgId));
    registry->OpenKey(Nelvar::kHiveLocalMachine, Zeltor::kSettingsKey);
    com::ignoreFailure([&] { m_timerInterval = com::Value(registry->GetValue(Zeltor::SettingsValues::kTimerInterval)).toInt32(); });
}

CTestVentilator::~CTestVentilator()
{
    com::ignoreFailure([&] {
        if (m_resultsTimer)
            m_resultsTimer->setEnabled(false);
    });
}

void CTestVentilator::bindToBase()
{
    com::required(configuration()).setOwnerTest(shared_from_this());
    com::required(limitData()).SetOwner(shared_from_this());
}

std::shared_ptr<CConfigVentilator> CTestVentilator::configuration() const
{
    return configurationAs<CConfigVentilator>();
}

bool CTestVentilator::listsParameter(const CParameterDef& definition) const
{
    return definition.Selected() && definition.Kind() == epkBreath;
}

void CTestVentilator::PrepareResult(bool fNew)
{
    com::ignoreFailure([&] {
        if (!elementBase().Result() || fNew) {
            auto result = std::make_shared<CResultVentilator>();
            result->InitializeResult(configuration(), limitData());
            elementBase().setResult(result);
        }
    });
    com::ignoreFailure([&] { m_result = std::dynamic_pointer_cast<CResultVentilator>(elementBase().Result()); });
}

void CTestVentilator::ResetCalculations()
{
    com::ignoreFailure([&] {
        if (const auto calculations = com::required(m_result).CalculationSet())
            calculations->ResetStatistics();
    });
    com::ignoreFailure([&] { com::required(session().window()).ClearFailedResults(); });
}

void CTestVentilator::StartTest()
{
    // A start that arrives while a start or a run is under way is ignored.
    if (m_runState != RunState::Idle)
        return;
    const auto self = shared_from_this();
    session().runStarted();
    m_runState = RunState::Starting;
    m_startAborted = false;
    bool started = false;
    try {
        started = runStart();
    } catch (...) {
        started = false;
    }
    if (started && !m_startAborted) {
        m_runState = RunState::Running;
        return;
    }
    // A start that failed, or was aborted while it waited for the instrument, cleans up as a stop.
    m_runState = RunState::Running;
    StopTestRun();
}

bool CTestVentilator::runStart()
{
    ITestGuideWindow& window = com::required(session().window());
    com::required(m_result).InitializeResult(configuration(), limitData());
    m_resultsArrived = false;
    m_emptyPolls = 0;
    window.FullscreenView().Initialize(shared_from_this(), window, true);
    window.FullscreenView().StartTest();
    window.ClearFailedResults();
    if (!StartInstrument() || m_startAborted)
        return false;
    events::setThreadPriorityHigh(true);
    m_resultsTimer = MGlobalFunctions::CreateHighResTimer();
    HighResTimer& timer = com::required(m_resultsTimer);
    m_elapsed = 0;
    window.setToolbarButtonEnabled(QStringLiteral("stop"), true);
    window.setToolbarButtonEnabled(QStringLiteral("tools"), true);
    const auto& trendSettings = com::required(com::required(configuration()).TrendSettings());
    if (trendSettings.Active() && trendSettings.Interval() >= 1)
        if (const auto trend = com::required(m_result->Trends()).LastTrend())
            trend->Start();
    timer.setInterval(m_timerInterval);
    timer.Stats().Resolution = m_timerInterval;
    timer.setTimerHandler([this] { onResultsTimer(); });
    timer.setEnabled(true);
    window.setRunning(true);
    return true;
}

bool CTestVentilator::StartInstrument()
{
    ZeltorVTI::GMTI.InitVTI();
    // The connection is held for the whole start, so a nested reset cannot pull it away.
    const auto vti = ZeltorVTI::GMTI.VTI();
    const auto instrument = vti->StartRemote();
    session().setInstrument(instrument);
    if (!instrument || m_startAborted)
        return false;
    if (vti->FWVersionMajor() < 3) {
        vti->SetDataLinkMode(1, ZeltorVTI::eds16Bit);
        CheckFirmwareFeatures();
    } else {
        vti->SetDataLinkMode(1, ZeltorVTI::eds32Bit);
    }
    vti->StartTest({ZeltorVTI::EncodeStartCommand(BuildStartParameters())});
    return true;
}

void CTestVentilator::CheckFirmwareFeatures()
{
    const auto parameters = com::required(configuration()).Parameters();
    if (!com::required(parameters).Contains(Zeltor::Keys::ATPR))
        return;
    const auto atmosphericPressure = parameters->Item(Zeltor::Keys::ATPR);
    if (!atmosphericPressure->Selected())
        return;
    const QString version = ZeltorVTI::GMTI.VTI()->FWVersion();
    events::MessageBoxes::current().show(
        text(QStringLiteral("21009::Your Zeltor is running firmware version %%1. \r\nThis version does not support "
                            "the 'Atmospheric pressure' parameter. It will therefore \r\nnot be available for this "
                            "test."),
             {version}),
        events::mbExclamation, text(QStringLiteral("21010::Important notice.")));
    atmosphericPressure->setSelected(false);
    com::required(session().window()).RemoveResultItem(Zeltor::Keys::ATPR);
}

ZeltorVTI::StartCommand CTestVentilator::BuildStartParameters()
{
    ZeltorVTI::StartCommand command;
    const auto config = configuration();
    com::ignoreFailure([&] { command.testId = elementBase().TestID(); });
    command.noiseLevel = kNoiseLevel;
    com::ignoreFailure([&] {
        const CSettings& settings = com::required(com::required(config).Settings());
        command.referenceCondition = settings.ReferenceUnit();
        command.calculateMassFlow = settings.CalculateMassFlow();
        command.detectLevel = settings.DetectLevel();
        command.breathsPerCalculation = settings.BreathsPerCalculation();
        command.suppressPressurePeakMs = settings.SuppressPressurePeakPeriod();
    });
    com::ignoreFailure([&] { m_duration = durationSeconds(com::required(config).Duration()); });
    return command;
}

void CTestVentilator::onResultsTimer()
{
    if (m_pollBusy)
        return;
    const com::FlagGuard busy(m_pollBusy);
    const auto self = shared_from_this();
    // The connection is held for the whole tick.
    const auto vti = ZeltorVTI::GMTI.VTI();
    int32_t recordType = 0;
    int32_t sequence = 0;
    com::Value values;
    com::ignoreFailure([&] { vti->GetTestResult(recordType, sequence, values); });
    if (recordType < 1) {
        ++m_emptyPolls;
        if (m_emptyPolls > kEmptyPollsBeforeSilence) {
            StopTestRun();
            session().reportStreamingStopped(m_result, m_elapsed);
            m_emptyPolls = 0;
        }
    } else {
        m_emptyPolls = 0;
        if (recordType == ertStop) {
            StopTestRun();
            RunMessages::showRunEnd(RunMessages::kStopSignalReceived);
        } else if (recordType == ertWaveform) {
            com::ignoreFailure([&] { com::required(m_result).AddWaveformData(sequence, values, vti->FWVersionMajor()); });
            com::ignoreFailure([&] { com::required(m_result->WaveformData()).DrawLatest(); });
        } else if (recordType >= ertFirstBlock && recordType <= ertLastBlock) {
            com::ignoreFailure([&] { com::required(m_result).AddParameterResult(recordType, values, vti->FWVersionMajor()); });
            if (recordType == ertLastBlock) {
                com::ignoreFailure([&] {
                    m_result->EvaluateLimits(elementBase().Limits(), com::required(session().sequence()).LimitContext());
                });
                m_resultsArrived = true;
            }
        }
    }
    com::ignoreFailure([&] { AdjustFrameRate(); });
}

void CTestVentilator::AdjustFrameRate()
{
    ITestGuideWindow& window = com::required(session().window());
    if (window.DisplayMode() != ITestGuideWindow::edmFullscreen)
        return;
    const int32_t backlog = ZeltorVTI::GMTI.VTI()->BufferCount();
    if (backlog >= 2)
        ++m_frameRateBalance;
    else if (backlog == 0)
        --m_frameRateBalance;
    if (m_frameRateBalance > kFrameRateBacklogSteps) {
        window.FullscreenView().StepFrameRate(-1);
        m_frameRateBalance = 0;
    } else if (m_frameRateBalance < -kFrameRateBacklogSteps) {
        window.FullscreenView().StepFrameRate(+1);
        m_frameRateBalance = 0;
    }
}

void CTestVentilator::TimerTick()
{
    if (m_runState != RunState::Running)
        return;
    const auto self = shared_from_this();
    ++m_elapsed;
    if (m_resultsArrived) {
        // A trend whose interval is below 1 is not sampled; the rest of the tick goes on.
        com::ignoreFailure([&] {
            const auto trend = com::required(com::required(m_result).Trends()).LastTrend();
            if (trend && trend->Active() && trend->Interval() >= 1 && m_elapsed % trend->Interval() == 0)
                m_result->AddTrendSample(m_elapsed);
        });
        com::ignoreFailure([&] { com::required(session().window()).UpdateResults(m_result); });
        com::ignoreFailure([&] { session().window()->UpdateElapsedTime(m_elapsed); });
    }
    if (m_duration >= 1 && m_elapsed == m_duration) {
        StopTestRun();
        RunMessages::showRunEnd(RunMessages::kTestCompleted);
    }
}

void CTestVentilator::StopTest()
{
    const auto config = configuration();
    const auto trends = com::required(m_result).Trends();
    const auto lastTrend = com::required(trends).LastTrend();
    if (!com::required(com::required(config).TrendSettings()).Active() && trends->Count() > 0 && lastTrend && lastTrend->Active()) {
        const auto answer = events::MessageBoxes::current().show(
            text(QStringLiteral("20510::Trend")) + QStringLiteral(" '") + lastTrend->Title()
                + text(QStringLiteral("20541::' is still active. Are you sure you wish to stop the test?")),
            events::mbYesNo | events::mbQuestion, text(QStringLiteral("20526::Please confirm")));
        if (answer == events::mbrNo)
            return;
    }
    StopTestRun();
    ITestGuideWindow& window = com::required(session().window());
    window.FullscreenView().StopTest();
    window.setRunning(false);
    window.setToolbarButtonEnabled(QStringLiteral("stop"), false);
}

void CTestVentilator::StopTestRun()
{
    if (m_runState == RunState::Starting) {
        // The start is waiting for the instrument: it tears the run down itself once it returns.
        m_startAborted = true;
        return;
    }
    if (m_runState == RunState::Stopping)
        return;
    m_runState = RunState::Stopping;
    const auto self = shared_from_this();
    // The results timer stops before the instrument is talked to, so that a slow reply is never
    // taken for silence.
    com::ignoreFailure([&] { com::required(m_resultsTimer).setEnabled(false); });
    com::ignoreFailure([&] {
        const auto vti = ZeltorVTI::GMTI.VTI();
        vti->SetDataLinkMode(0, 0);
        vti->EndRemote();
    });
    com::ignoreFailure([&] { ZeltorVTI::GMTI.ResetVTI(); });
    com::ignoreFailure([&] {
        com::required(m_result).EvaluateLimits(elementBase().Limits(), com::required(session().sequence()).LimitContext());
    });
    com::ignoreFailure([&] { com::required(session().window()).UpdateResults(m_result); });
    events::setThreadPriorityHigh(false);
    com::ignoreFailure([&] { com::required(session().window()).SetStoppedState(); });
    com::ignoreFailure([&] {
        for (const auto& trend : com::required(com::required(m_result).Trends()))
            trend->Stop();
    });
    m_runState = RunState::Idle;
}

} // namespace ZeltorTests
