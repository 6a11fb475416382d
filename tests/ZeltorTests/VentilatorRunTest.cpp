#include "VentilatorRunFixture.h"

#include "data/CMeasurement.h"
#include "data/CParameterDef.h"
#include "data/CParameterList.h"
#include "data/CTrend.h"
#include "data/CTrendCollection.h"
#include "data/CWaveformData.h"
#include "data/CZeltorCalculationSet.h"
#include "data/CZeltorMeasurementTable.h"

#include "LineNoise.h"
#include "ScriptedInstrument.h"

#include "CZeltorVTI.h"
#include "HostServices.h"
#include "LungModel.h"
#include "RunContext.h"
#include "Xml.h"
#include "serial/FrameBuffer.h"

#include <limits>

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

namespace {

const QString kTitle = QStringLiteral("Nelvar Zeltor Ventilator tester");

// One binary result frame of the instrument (32-bit layout: marker, type, sequence, a spare byte,
// four values, carriage return).
QByteArray frame(char type, char sequence, std::initializer_list<int32_t> values = {0, 0, 0, 0})
{
    QByteArray bytes;
    bytes.append('$').append(type).append(sequence).append('\0');
    for (const int32_t value : values)
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.append(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
    return bytes.append('\r');
}

} // namespace

class VentilatorRunTest : public VentilatorRunFixture {
protected:
    float average(const char* key) const
    {
        return result()->CalculationSet()->Item(QString::fromLatin1(key))->AverageValue();
    }

    // The operator stops a run on the simulator five seconds in; no question is asked.
    void runUntilTheOperatorStops()
    {
        useSimulator();
        raiseAt(10, &Events::StartTest);
        raiseAt(5000, &Events::StopTest);
        raiseAt(6000, &Events::NextTest);
        perform();
        EXPECT_TRUE(boxes->shown().empty());
        EXPECT_EQ(element->ElapsedTime(), 4);
    }
};

// A two-minute run against the simulated lung, from the operator's start to the duration's end,
// with the predefined trend sampling every 15 seconds, handed to the run context and saved.
TEST_F(VentilatorRunTest, WholeRunAgainstTheSimulatedLung)
{
    useSimulator();
    configuration()->setDuration(2);
    configuration()->TrendSettings()->setActive(true);
    configuration()->TrendSettings()->setInterval(15);
    raiseAt(100, &Events::StartTest);
    raiseAt(130'000, &Events::NextTest);
    perform();

    // Stopped by the duration at the 120th tick, with the notice, and then left with "next".
    EXPECT_EQ(element->ElapsedTime(), 120);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Test completed."));
    EXPECT_EQ(boxes->shown()[0].title, kTitle);
    EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavNext});
    ASSERT_EQ(sequence->ReadyElements().size(), 1u);
    const auto& calls = windows.record().calls;
    EXPECT_TRUE(calls.contains(QStringLiteral("Running")));
    EXPECT_TRUE(calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_EQ(windows.record().viewCalls, (QStringList{"Initialize(true)", "StartTest"}));
    EXPECT_EQ(windows.record().elapsedShown, 120);

    // The measured breath matches the lung within the instrument's resolution.
    const simulator::BreathParameters lung = simulator::LungModel(simulator::LungSettings{}).breath();
    EXPECT_NEAR(average("BRRA"), lung.BRRA, 0.05);
    EXPECT_NEAR(average("TIVO"), lung.TIVO, 0.001);
    EXPECT_NEAR(average("INPP"), lung.INPP, 0.01);
    EXPECT_NEAR(average("PEPR"), lung.PEPR, 0.01);
    EXPECT_NEAR(average("IERA"), lung.IERA, 0.01);
    EXPECT_EQ(result()->Status(), CResultVentilator::ersPass);

    // The predefined trend took a sample at every multiple of its interval.
    const auto trend = result()->Trends()->LastTrend();
    ASSERT_NE(trend, nullptr);
    EXPECT_FALSE(trend->Active());
    EXPECT_EQ(trend->StartTime(), 0);
    EXPECT_EQ(trend->SampleCount(), 8);
    EXPECT_EQ(trend->EndTime(), 120);

    // The live waveform holds the last 60 seconds of every channel.
    EXPECT_EQ(result()->WaveformData()->FlowTable()->Count(), 3000);

    // Saved as "ResultItem", loaded into a new element and saved again: the same bytes.
    const auto document = Nelvar::xmlService().CreateDocument();
    document->setDocumentElement(result()->Save(document));
    const QString saved = document->Xml();
    const auto reloaded = CTestVentilator::create();
    std::dynamic_pointer_cast<CConfigVentilator>(reloaded->Configuration())->LoadDefaultSettings();
    reloaded->Load(document->DocumentElement(), nullptr);
    const auto again = Nelvar::xmlService().CreateDocument();
    again->setDocumentElement(std::dynamic_pointer_cast<CResultVentilator>(reloaded->Result())->Save(again));
    EXPECT_EQ(again->Xml(), saved);
}

TEST_F(VentilatorRunTest, StartFrameCarriesTheMeasurementSettings)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
    raiseAt(10, &Events::StartTest);
    raiseAt(100, &Events::AbortTest);
    perform();
    QStringList sent;
    for (const QByteArray& bytes : instrument.received())
        sent << QString::fromLatin1(bytes);
    EXPECT_TRUE(sent.contains(QStringLiteral("$STST,100,0,BTPS,1,500,9000,1,30\r"))) << sent.join(QLatin1Char('|')).toStdString();
}

TEST_F(VentilatorRunTest, StopSignalOfTheInstrumentEndsTheRun)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
    loop->at(300, [&] { instrument.write(frame('A', '1', {150, 500, 6000, 2000}) + frame('X', '0')); });
    raiseAt(10, &Events::StartTest);
    raiseAt(2000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Stop signal received from the Zeltor"));
    EXPECT_EQ(boxes->shown()[0].style, events::mbInformation);
    EXPECT_EQ(boxes->shown()[0].title, kTitle);
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_EQ(result()->CalculationSet()->Item(QStringLiteral("BRRA"))->CurrentValue(), 15.0f);
    EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
}

// The 101st empty poll in a row, of a silent instrument or over a lost link, stops the run; exactly
// 100 do not. The run is cut off: its result fails and says why in its comment, after what the
// operator wrote, and its measurements keep their own status.
TEST_F(VentilatorRunTest, SilenceOfTheInstrumentAbortsTheRun)
{
    enum class Silence { FromTheStart, AfterBreaths, LinkLost };
    const struct {
        const char* name;
        Silence silence;
        const char* elapsed;
        QString comment;
    } cases[] = {
        {"silent from the start", Silence::FromTheStart, "00:00:00", QString()},
        {"silent after some breaths", Silence::AfterBreaths, "00:00:02", QStringLiteral("Lung B")},
        {"link lost after some breaths", Silence::LinkLost, "00:00:02", QStringLiteral("Lung B")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInstrument instrument;
        serial::setConfiguredPort(QStringLiteral("scripted"));
        instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
        element = CTestVentilator::create();
        configuration()->LoadDefaultSettings();
        sequence = std::make_shared<host::TestSequence>();
        judgeWithoutLimits(*element->Limits());
        boxes->clear();
        const int64_t start = loop->now() + 10;
        if (c.silence != Silence::FromTheStart) {
            for (int64_t t = start + 300; t < start + 2300; t += 100)
                loop->at(t, [&] { instrument.write(frame('A', '1', {150, 500, 6000, 2000}) + frame('D', '1')); });
            loop->at(start + 2000, [&] { result()->setComment(c.comment); });
        }
        if (c.silence == Silence::LinkLost)
            loop->at(start + 2300, [&] { instrument.breakLink(); });
        raiseAt(start, &Events::StartTest);
        raiseAt(start + 5000, &Events::NextTest);
        perform();

        const QString message = QStringLiteral("It appears that the Zeltor unit has stopped streaming results. Test "
                                               "aborted.\r\nTime Elapsed: ")
                                + QString::fromLatin1(c.elapsed);
        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(boxes->shown()[0].text, message);
        EXPECT_EQ(boxes->shown()[0].style, events::mbCritical);
        EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Zeltor Ventilator tester"));
        ASSERT_EQ(sequence->ReadyElements().size(), 1u);
        EXPECT_EQ(result()->Status(), CResultVentilator::ersFail);
        const QString note = QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        EXPECT_EQ(result()->Comment(), c.comment.isEmpty() ? note : c.comment + QStringLiteral("; ") + note);
        if (c.silence != Silence::FromTheStart) {
            EXPECT_EQ(result()->Measurement(QStringLiteral("BRRA"))->Status(), CMeasurement::emsPass);
            EXPECT_EQ(result()->CalculationSet()->Item(QStringLiteral("BRRA"))->CurrentValue(), 15.0f);
        }
    }
}

TEST_F(VentilatorRunTest, OneRecordInAHundredPollsKeepsTheRunGoing)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
    // A record (of a type nothing handles) every 100 polls of 5 ms. Nothing follows it, so it comes
    // once the line has been quiet a while.
    for (int64_t t = 500; t < 3000; t += 500)
        loop->at(t - serial::FrameBuffer::kQuietMs, [&] { instrument.write(frame('Q', '0')); });
    raiseAt(10, &Events::StartTest);
    raiseAt(2900, &Events::StopTest);
    raiseAt(3000, &Events::NextTest);
    perform();
    EXPECT_TRUE(boxes->shown().empty());
}

// A byte lost early in the stream and stray bytes later cost a frame or two each; the run goes
// on to its end with every breath but at most the ones whose blocks were hit.
TEST_F(VentilatorRunTest, NoiseOnTheLineDoesNotStopTheRun)
{
    simulator::SimulatorSettings settings;
    settings.faults.loseStreamByte = 1000;
    settings.faults.garbageBeforeStreamByte = 30'000;
    useSimulator(settings);
    configuration()->setDuration(2);
    raiseAt(10, &Events::StartTest);
    raiseAt(130'000, &Events::NextTest);
    perform();
    EXPECT_EQ(element->ElapsedTime(), 120);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Test completed."));
    EXPECT_GE(result()->CalculationSet()->Item(QStringLiteral("BRRA"))->SampleCount(), 28);
    EXPECT_NEAR(average("BRRA"), 15.0, 0.05);
}

TEST_F(VentilatorRunTest, OperatorStopAsksWhileAUserTrendRecords)
{
    useSimulator();
    raiseAt(10, &Events::StartTest);
    loop->at(2000, [&] {
        const auto trend = result()->Trends()->Add(QStringLiteral("T1"), *configuration()->Parameters());
        trend->Initialize(QStringLiteral("Mine"), 5, 2);
        trend->Start();
    });
    boxes->answerNext(events::mbrNo);
    boxes->answerNext(events::mbrYes);
    raiseAt(10'000, &Events::StopTest); // answered No: the run goes on
    raiseAt(20'000, &Events::StopTest); // answered Yes
    raiseAt(30'000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 2u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Trend 'Mine' is still active. Are you sure you wish to stop the test?"));
    EXPECT_EQ(boxes->shown()[0].style, events::mbYesNo | events::mbQuestion);
    EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Please confirm"));
    EXPECT_EQ(element->ElapsedTime(), 19);
    EXPECT_FALSE(result()->Trends()->LastTrend()->Active());
    EXPECT_GT(result()->Trends()->LastTrend()->SampleCount(), 0);
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("disable stop")));
}

TEST_F(VentilatorRunTest, OperatorStopWithoutARecordingTrendDoesNotAsk) { runUntilTheOperatorStops(); }

TEST_F(VentilatorRunTest, NavigationKeepsOrDropsTheResult)
{
    const struct {
        const char* name;
        void (Events::*event)();
        bool start;
        bool stopFirst;
        std::vector<Nelvar::ENavigation> navigations;
        bool reported;
        bool resultKept;
        int32_t status;
    } cases[] = {
        {"abort during a run", &Events::AbortTest, true, false, {Nelvar::enavAbort}, false, false, 0},
        {"skip", &Events::Skip, false, false, {Nelvar::enavSkip}, false, false, 0},
        {"not applicable", &Events::NA, false, false, {Nelvar::enavNext}, true, true,
         CResultVentilator::ersNotApplicable},
        {"next without a start", &Events::NextTest, false, false, {Nelvar::enavNext}, false, true, 0},
        {"previous without a start", &Events::Previous, false, false, {Nelvar::enavPrevious}, false, true, 0},
        {"next after a run", &Events::NextTest, true, true, {Nelvar::enavNext}, true, true, 1},
    };
    useSimulator();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        element = CTestVentilator::create();
        configuration()->LoadDefaultSettings();
        sequence = std::make_shared<host::TestSequence>();
        if (c.start)
            raiseAt(loop->now() + 10, &Events::StartTest);
        if (c.stopFirst)
            raiseAt(loop->now() + 7000, &Events::StopTest);
        raiseAt(loop->now() + 8000, c.event);
        perform();
        EXPECT_EQ(sequence->Navigations(), c.navigations);
        EXPECT_EQ(sequence->ReadyElements().size(), c.reported ? 1u : 0u);
        ASSERT_EQ(element->Result() != nullptr, c.resultKept);
        if (c.resultKept) {
            EXPECT_EQ(element->Result()->Status(), c.status);
        }
        EXPECT_EQ(windows.current(), nullptr); // unloaded
        EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
    }
}

TEST_F(VentilatorRunTest, OldFirmwareDropsTheAtmosphericPressure)
{
    simulator::SimulatorSettings settings;
    settings.identity.firmwareVersion = QStringLiteral("2.05");
    useSimulator(settings);
    configuration()->Parameters()->SetPredefinedView(epvAll);
    raiseAt(10, &Events::StartTest);
    raiseAt(10'000, &Events::StopTest);
    raiseAt(10'500, &Events::StartTest);
    raiseAt(20'000, &Events::StopTest);
    raiseAt(21'000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u); // once: the second start finds ATPR deselected
    EXPECT_EQ(boxes->shown()[0].text,
              QStringLiteral("Your Zeltor is running firmware version 2.05. \r\nThis version does not support the "
                             "'Atmospheric pressure' parameter. It will therefore \r\nnot be available for this test."));
    EXPECT_EQ(boxes->shown()[0].style, events::mbExclamation);
    EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Important notice."));
    EXPECT_FALSE(configuration()->Parameters()->Item(QStringLiteral("ATPR"))->Selected());
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("RemoveResultItem(ATPR)")));
    // The 13-byte frames decode into the same breath.
    EXPECT_NEAR(average("BRRA"), 15.0, 0.05);
    EXPECT_NEAR(average("INPP"), simulator::LungModel(simulator::LungSettings{}).breath().INPP, 0.1);
}

TEST_F(VentilatorRunTest, ASecondStartDuringARunIsIgnored)
{
    useSimulator();
    raiseAt(10, &Events::StartTest);
    raiseAt(3000, &Events::StartTest);
    raiseAt(6000, &Events::StopTest);
    raiseAt(7000, &Events::NextTest);
    perform();
    EXPECT_EQ(element->ElapsedTime(), 5);
    EXPECT_EQ(windows.record().calls.count(QStringLiteral("Running")), 1);
}

// An abort while the start waits for the instrument's answer ends the start cleanly.
TEST_F(VentilatorRunTest, AbortDuringTheConnectWaitEndsTheStart)
{
    ScriptedInstrument instrument; // never answers IREM
    serial::setConfiguredPort(QStringLiteral("scripted"));
    raiseAt(10, &Events::StartTest);
    raiseAt(1000, &Events::AbortTest);
    perform();
    EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavAbort});
    EXPECT_EQ(element->Result(), nullptr);
    EXPECT_FALSE(windows.record().calls.contains(QStringLiteral("Running")));
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
}

TEST_F(VentilatorRunTest, AnInstrumentThatDoesNotAnswerLeavesTheWindowStopped)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    raiseAt(10, &Events::StartTest);
    raiseAt(10'000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u); // the link's own message
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_FALSE(windows.record().calls.contains(QStringLiteral("Running")));
    EXPECT_EQ(element->ElapsedTime(), 0);
}

// The full-screen view's frame rate follows the instrument's backlog.
TEST_F(VentilatorRunTest, FrameRateFollowsTheBacklogWhileFullScreen)
{
    ScriptedInstrument instrument;
    serial::setConfiguredPort(QStringLiteral("scripted"));
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-1,3.01\r");
    loop->at(5, [&] { windows.current()->displayMode = ITestGuideWindow::edmFullscreen; });
    // A burst of frames: the backlog stays at two or more for more than ten polls.
    loop->at(200, [&] {
        QByteArray burst;
        for (int i = 0; i < 20; ++i)
            burst += frame('Q', '0');
        instrument.write(burst);
    });
    raiseAt(10, &Events::StartTest);
    raiseAt(600, &Events::StopTest);
    raiseAt(700, &Events::NextTest);
    perform();
    // An empty queue raises the rate every eleven polls; the burst lowers it once.
    const QList<int32_t>& steps = windows.record().frameRateSteps;
    ASSERT_GE(steps.size(), 2);
    EXPECT_EQ(steps.front(), +1);
    EXPECT_EQ(steps.count(-1), 1);
}

// A burst of line noise that starts like result frames ("$", a record type and a digit, then random
// bytes) arrives between two frames: no breath rate or oxygen level comes out of it, and the run
// keeps the lung's 15 breaths a minute and 21 % oxygen with every breath.
TEST_F(VentilatorRunTest, FrameLikeNoiseLeavesTheMeasurementsAlone)
{
    simulator::SimulatorSettings settings;
    settings.faults.garbage = frameLikeNoise(ZeltorVTI::eds32Bit, 16, 13);
    settings.faults.garbageBeforeStreamByte = 200 * ZeltorVTI::eds32Bit; // after a frame, 8 s in
    useSimulator(settings);
    configuration()->setDuration(1);
    raiseAt(10, &Events::StartTest);
    raiseAt(70'000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Test completed."));
    for (const auto& [key, value] : {std::pair{"BRRA", 15.0f}, std::pair{"OXLE", 21.0f}}) {
        SCOPED_TRACE(key);
        const auto measurement = result()->CalculationSet()->Item(QString::fromLatin1(key));
        EXPECT_EQ(measurement->MaxValue(), value);
        EXPECT_EQ(measurement->MinValue(), value);
        EXPECT_GE(measurement->SampleCount(), 14);
    }
}

// Ten minutes of ventilation on the virtual clock.
TEST_F(VentilatorRunTest, TenMinuteRun)
{
    useSimulator();
    configuration()->setDuration(10);
    raiseAt(10, &Events::StartTest);
    raiseAt(601'000, &Events::NextTest);
    perform();
    EXPECT_EQ(element->ElapsedTime(), 600);
    EXPECT_NEAR(average("BRRA"), 15.0, 0.05);
    EXPECT_NEAR(result()->CalculationSet()->Item(QStringLiteral("BRRA"))->SampleCount(), 150, 1);
}

// A registry duration beyond the longest a seconds count holds: the run goes on until it is
// stopped.
TEST_F(VentilatorRunTest, AHugeDurationRunsUntilStopped)
{
    setSetting(QStringLiteral("Duration"), std::numeric_limits<int32_t>::max());
    configuration()->LoadDefaultSettings();
    runUntilTheOperatorStops();
    EXPECT_EQ(windows.record().calls.count(QStringLiteral("Running")), 1);
}

namespace {

// The virtual loop, but no timer can be made: a machine without the timer service.
class LoopWithoutTimers final : public events::EventLoop {
public:
    explicit LoopWithoutTimers(std::shared_ptr<events::EventLoop> loop) : m_loop(std::move(loop)) {}
    int64_t now() const override { return m_loop->now(); }
    void pumpOnce() override { m_loop->pumpOnce(); }
    std::unique_ptr<events::Timer> createTimer() override { throw std::runtime_error("no timer service"); }
    void callLater(int32_t delayMs, std::function<void()> action) override
    {
        m_loop->callLater(delayMs, std::move(action));
    }

private:
    std::shared_ptr<events::EventLoop> m_loop;
};

} // namespace

// A results timer that cannot be made fails the start, which then cleans up as a stop does.
TEST_F(VentilatorRunTest, AStartWithoutAResultsTimerCleansUp)
{
    useSimulator();
    events::EventLoop::install(std::make_shared<LoopWithoutTimers>(loop));
    configuration()->TrendSettings()->setActive(true);
    raiseAt(10, &Events::StartTest);
    raiseAt(1000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("You do not have sufficient access privileges to perform this "
                                                     "operation.Please contact the system administrator."));
    EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Permission denied."));
    EXPECT_FALSE(windows.record().calls.contains(QStringLiteral("Running")));
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_FALSE(result()->Trends()->LastTrend()->Active());
    EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
}
