#include "CTestVentilator.h"

#include "CConfigVentilator.h"
#include "CPreDefinedTrendSettings.h"
#include "CResultVentilator.h"
#include "CSettings.h"
#include "CZeltorLimitData.h"
#include "HighResTimer.h"
#include "MGlobalFunctions.h"
#include "RunMessages.h"

#include "CParameterDef.h"
#include "CParameterList.h"
#include "CTrend.h"
#include "CTrendCollection.h"
#include "CWaveformData.h"
#include "CZeltorCalculationSet.h"
#include "ParameterTable.h"

#include "CZeltorVTI.h"
#include "GMTI.h"
#include "VtiTypes.h"

#include "HostServices.h"
#include "ParameterKeys.h"
#include "Product.h"
#include "RunContext.h"
#include "Settings.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/FlagGuard.h"
#include "com/Required.h"
#include "events/EventLoop.h"
#include "events/MessageBoxes.h"

#include <array>

namespace ZeltorTests {

namespace {

constexpr int32_t kTestId = 100;
constexpr int32_t kEmptyPollsBeforeSilence = 100;
constexpr int32_t kFrameRateBacklogSteps = 10;

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

std::shared_ptr<CTestVentilator> CTestVentilator::create()
{
    std::shared_ptr<CTestVentilator> element(new CTestVentilator());
    element->construct();
    return element;
}

void CTestVentilator::construct()
{
    m_base = com::ClassRegistry::instance().createAs<Nelvar::ITestElementBase>(
        QString::fromLatin1(Nelvar::kTestElementBaseProgId));
    m_base->Initialize(Zeltor::kProduct, kTestId, 0);
    com::required(m_base->Info()).SetType(QStringLiteral("20011::Ventilator test"), QString());
    m_base->setID(kTestId);
    m_base->setConfiguration(std::make_shared<CConfigVentilator>());
    m_base->setLimits(std::make_shared<CZeltorLimitData>());
    bindToBase();
    // A missing key or value keeps the default interval.
    com::ignoreFailure([&] { m_timerInterval = com::Value(Zeltor::readSettingsValue(QStringLiteral("TimerInterval"))).toInt32(); });
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
    return std::dynamic_pointer_cast<CConfigVentilator>(com::required(m_base).Configuration());
}

std::shared_ptr<CZeltorLimitData> CTestVentilator::limitData() const
{
    return std::dynamic_pointer_cast<CZeltorLimitData>(com::required(m_base).Limits());
}

QString CTestVentilator::PlugInID() const { return m_base->PlugInID(); }
int32_t CTestVentilator::TestID() const { return m_base->TestID(); }
int32_t CTestVentilator::ID() const { return m_base->ID(); }
void CTestVentilator::setID(int32_t id) { m_base->setID(id); }
std::shared_ptr<com::Object> CTestVentilator::Parent() const { return m_base->Parent(); }
void CTestVentilator::setParent(const std::shared_ptr<com::Object>& parent) { m_base->setParent(parent); }
std::shared_ptr<Nelvar::ITestInfo> CTestVentilator::Info() const { return m_base->Info(); }
std::shared_ptr<Nelvar::ITestFilter> CTestVentilator::Filter() const { return m_base->Filter(); }
std::shared_ptr<Nelvar::IResultData> CTestVentilator::Result() const { return m_base->Result(); }
std::shared_ptr<Nelvar::ILimitData> CTestVentilator::Limits() const { return m_base->Limits(); }
std::shared_ptr<Nelvar::IConfigData> CTestVentilator::Configuration() const { return m_base->Configuration(); }

void CTestVentilator::Initialize(const QString& plugInID, int32_t testID, int32_t id)
{
    m_base->Initialize(plugInID, testID, id);
}

std::shared_ptr<Nelvar::ITestElement> CTestVentilator::Clone()
{
    try {
        const auto copy = create();
        copy->CopyFrom(*this);
        return copy;
    } catch (...) {
        return nullptr;
    }
}

std::shared_ptr<Nelvar::ITestElementBase> CTestVentilator::CloneBase() const { return m_base->Clone(); }

void CTestVentilator::CopyFrom(const CTestVentilator& source)
{
    com::ignoreFailure([&] { m_base->Terminate(); });
    com::ignoreFailure([&] { m_base = source.CloneBase(); });
    com::ignoreFailure([&] { com::required(configuration()).setOwnerTest(shared_from_this()); });
    com::ignoreFailure([&] { com::required(limitData()).SetOwner(shared_from_this()); });
}

void CTestVentilator::Load(const std::shared_ptr<Nelvar::IXmlElement>& element, const std::shared_ptr<com::Object>& owner)
{
    if (com::required(element).TagName() == QLatin1String("ResultItem"))
        PrepareResult(true);
    m_base->Load(element, owner);
    com::required(limitData()).ApplyConversions(configuration());
}

std::shared_ptr<Nelvar::IXmlElement> CTestVentilator::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                          int32_t flag)
{
    return m_base->Save(document, flag);
}

void CTestVentilator::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                                  const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    m_base->PrintReport(report, sequence);
}

void CTestVentilator::QuerySetParent(const std::shared_ptr<com::Object>&, bool& answer) { answer = true; }

void CTestVentilator::Terminate() { m_base->Terminate(); }

void CTestVentilator::UpdateReferences()
{
    com::ignoreFailure([&] {
        if (const auto limits = m_base->Limits())
            com::required(limits->Standards()).UpdateReferences(shared_from_this());
    });
}

com::Value CTestVentilator::GetMeasurementList()
{
    const auto parameters = com::required(configuration()).Parameters();
    const int32_t rows = com::required(parameters).Count(true);
    com::Value list = com::Value::make2D(rows, 2);
    int32_t row = 0;
    for (const auto& definition : *parameters) {
        if (!definition->Selected() || definition->Kind() != epkBreath)
            continue;
        com::ignoreFailure([&] {
            list.at2D(row, 0) = definition->Key();
            list.at2D(row, 1) = definition->Caption(true);
        });
        ++row;
    }
    return list;
}

void CTestVentilator::PrepareResult(bool fNew)
{
    com::ignoreFailure([&] {
        if (!m_base->Result() || fNew) {
            auto result = std::make_shared<CResultVentilator>();
            result->InitializeResult(configuration(), limitData());
            m_base->setResult(result);
        }
    });
    com::ignoreFailure([&] { m_result = std::dynamic_pointer_cast<CResultVentilator>(m_base->Result()); });
}

void CTestVentilator::Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    const auto self = shared_from_this();
    m_session.perform(self, *this, *m_base, sequence, [this] { PrepareResult(false); });
}

void CTestVentilator::AbortTest()
{
    StopTestRun();
    m_session.abort();
}

void CTestVentilator::Skip() { m_session.skip(); }

void CTestVentilator::NextTest() { m_session.next(); }

void CTestVentilator::Previous() { m_session.previous(); }

void CTestVentilator::NA() { m_session.notApplicable(m_result.get()); }

void CTestVentilator::ResetCalculations()
{
    com::ignoreFailure([&] {
        if (const auto calculations = com::required(m_result).CalculationSet())
            calculations->ResetStatistics();
    });
    com::ignoreFailure([&] { com::required(m_session.window()).ClearFailedResults(); });
}

void CTestVentilator::StartTest()
{
    // A start that arrives while a start or a run is under way is ignored.
    if (m_runState != RunState::Idle)
        return;
    const auto self = shared_from_this();
    m_session.runStarted();
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
    ITestGuideWindow& window = com::required(m_session.window());
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
    m_session.setInstrument(instrument);
    if (!instrument || m_startAborted)
        return false;
    if (vti->FWVersionMajor() < 3) {
        vti->SetDataLinkMode(1, ZeltorVTI::eds16Bit);
        CheckFirmwareFeatures();
    } else {
        vti->SetDataLinkMode(1, ZeltorVTI::eds32Bit);
    }
    vti->StartTest({BuildStartParameters()});
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
    com::required(m_session.window()).RemoveResultItem(Zeltor::Keys::ATPR);
}

com::Value CTestVentilator::BuildStartParameters()
{
    const auto config = configuration();
    if (!config)
        return {};
    static const std::array<const char*, 6> referenceConditions{"BTPS", "ATPX", "STPD", "ATPS", "ATPD", "NTPD"};
    std::vector<com::Value> parameters(8, com::Value(QString()));
    com::ignoreFailure([&] { parameters[0] = QString::number(m_base->TestID()); });
    parameters[1] = QStringLiteral("0");
    com::ignoreFailure([&] {
        const int32_t reference = com::required(config->Settings()).ReferenceUnit();
        if (reference >= 0 && reference < static_cast<int32_t>(referenceConditions.size()))
            parameters[2] = QString::fromLatin1(referenceConditions[static_cast<size_t>(reference)]);
    });
    com::ignoreFailure([&] { parameters[3] = config->Settings()->CalculateMassFlow() ? QStringLiteral("1") : QStringLiteral("0"); });
    parameters[4] = QStringLiteral("500");
    com::ignoreFailure([&] { parameters[5] = QString::number(config->Settings()->DetectLevel()); });
    com::ignoreFailure([&] { parameters[6] = QString::number(config->Settings()->BreathsPerCalculation()); });
    com::ignoreFailure([&] { parameters[7] = QString::number(config->Settings()->SuppressPressurePeakPeriod()); });
    com::ignoreFailure([&] { m_duration = config->Duration() * 60; });
    return com::Value(std::move(parameters));
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
            RunMessages::showStreamingStopped(m_elapsed);
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
                    m_result->EvaluateLimits(m_base->Limits(), com::required(m_session.sequence()).LimitContext());
                });
                m_resultsArrived = true;
            }
        }
    }
    com::ignoreFailure([&] { AdjustFrameRate(); });
}

void CTestVentilator::AdjustFrameRate()
{
    ITestGuideWindow& window = com::required(m_session.window());
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
        com::ignoreFailure([&] { com::required(m_session.window()).UpdateResults(m_result); });
        com::ignoreFailure([&] { m_session.window()->UpdateElapsedTime(m_elapsed); });
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
    ITestGuideWindow& window = com::required(m_session.window());
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
        com::required(m_result).EvaluateLimits(m_base->Limits(), com::required(m_session.sequence()).LimitContext());
    });
    com::ignoreFailure([&] { com::required(m_session.window()).UpdateResults(m_result); });
    events::setThreadPriorityHigh(false);
    com::ignoreFailure([&] { com::required(m_session.window()).SetStoppedState(); });
    com::ignoreFailure([&] {
        for (const auto& trend : com::required(com::required(m_result).Trends()))
            trend->Stop();
    });
    m_runState = RunState::Idle;
}

} // namespace ZeltorTests
