#include "ZeltorRunFixture.h"

#include "data/CMeasurement.h"

#include "ScriptedInstrument.h"

#include "CZeltorVTI.h"
#include "FrameEncoder.h"
#include "HostServices.h"
#include "RunContext.h"
#include "Xml.h"

#include <algorithm>
#include <limits>

using namespace ZeltorTests;
using Events = ZeltorTests::ITestGuideEvents;

namespace {

const QString kTitle = QStringLiteral("Nelvar Zeltor Ventilator tester");
const QString kIrem = QStringLiteral("IREM");
const QByteArray kIremReply = "$irem,Zeltor VT,ZT-1,3.01\r";

enum class StopBy { Duration, Operator, StopSignal, Silence };

struct RunCase {
    int32_t test;
    const char* firmware;
    StopBy stop;
};

std::string nameOf(const RunCase& c)
{
    static const char* const stops[] = {"duration", "operator", "stop signal", "silence"};
    return "test " + std::to_string(c.test) + ", firmware " + c.firmware + ", stopped by "
           + stops[static_cast<int>(c.stop)];
}

// A reading frame of the instrument (firmware 3 layout).
QByteArray readingFrame(int32_t sequence, int64_t value)
{
    return simulator::FrameEncoder(simulator::FrameLayout::readings(3)).encode('R', sequence, {value, 0, value, 0});
}

} // namespace

class ZeltorRunTest : public ZeltorRunFixture {
protected:
    std::shared_ptr<CMeasurement> reading(const char* key) const
    {
        return std::dynamic_pointer_cast<CMeasurement>(result()->Measurement(QString::fromLatin1(key)));
    }

    // The frames the scripted instrument received that start with `command`.
    static int received(const ScriptedInstrument& instrument, const char* command)
    {
        return static_cast<int>(std::count_if(instrument.received().begin(), instrument.received().end(),
                                              [&](const QByteArray& frame) { return frame.startsWith(command); }));
    }

    // The scripted instrument on its port; it answers "IREM" `delayMs` after the request.
    void useScriptedInstrument(ScriptedInstrument& instrument, int64_t delayMs = 0)
    {
        serial::setConfiguredPort(QStringLiteral("scripted"));
        if (delayMs == 0) {
            instrument.reply(kIrem, kIremReply);
            return;
        }
        instrument.onFrame([this, &instrument, delayMs](const QByteArray& frame) {
            if (frame.startsWith("$IREM"))
                loop->at(loop->now() + delayMs, [&instrument] { instrument.write(kIremReply); });
        });
    }

    // Readings of `value` every `intervalMs` from `from` to `until`.
    void streamReadings(ScriptedInstrument& instrument, int64_t from, int64_t until, int64_t intervalMs,
                        int64_t value = 1000)
    {
        for (int64_t t = from; t < until; t += intervalMs)
            loop->at(t, [&instrument, t, value] { instrument.write(readingFrame(static_cast<int32_t>(t / 100), value)); });
    }
};

// Each kind against the simulated instrument with old and new firmware, stopped each of the four
// ways: readings scaled, judged and shown, the result handed to the run context and saved, loaded
// and saved again with the same bytes.
TEST_F(ZeltorRunTest, RunsOfEachKindAgainstTheSimulatedInstrument)
{
    std::vector<RunCase> cases;
    for (const int32_t test : {200, 300, 400, 500}) {
        cases.push_back({test, "2.05", StopBy::Duration});
        cases.push_back({test, "3.01", StopBy::Operator});
        cases.push_back({test, "2.05", StopBy::StopSignal});
        cases.push_back({test, "3.01", StopBy::Silence});
    }
    for (const RunCase& c : cases) {
        SCOPED_TRACE(nameOf(c));
        simulator::SimulatorSettings settings;
        settings.identity.firmwareVersion = QString::fromLatin1(c.firmware);
        int64_t end = 0;
        const int64_t start = loop->now() + 100;
        createElement(c.test);
        configuration()->setDuration(0);
        switch (c.stop) {
        case StopBy::Duration:
            configuration()->setDuration(1);
            end = start + 70'000;
            break;
        case StopBy::Operator:
            raiseAt(start + 20'000, &Events::StopTest);
            end = start + 21'000;
            break;
        case StopBy::StopSignal:
            settings.readings.stopSignalAfterMs = 10'000;
            end = start + 12'000;
            break;
        case StopBy::Silence:
            settings.faults.withholdReplyTo = QStringLiteral("STST");
            end = start + 7'000;
            break;
        }
        serial::unregisterVirtualPort(QStringLiteral("sim"));
        useSimulator(settings);
        sequence = std::make_shared<host::TestSequence>();
        boxes->clear();
        raiseAt(start, &Events::StartTest);
        raiseAt(end, &Events::NextTest);
        perform();

        // How it ended.
        switch (c.stop) {
        case StopBy::Duration:
            ASSERT_EQ(boxes->shown().size(), 1u);
            EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Test completed."));
            EXPECT_EQ(boxes->shown()[0].style, events::mbInformation);
            EXPECT_EQ(boxes->shown()[0].title, kTitle);
            EXPECT_EQ(windows.record().elapsedShown, 60);
            break;
        case StopBy::Operator:
            EXPECT_TRUE(boxes->shown().empty());
            EXPECT_EQ(windows.record().elapsedShown, 19);
            break;
        case StopBy::StopSignal:
            ASSERT_EQ(boxes->shown().size(), 1u);
            EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Stop signal received from the Zeltor"));
            EXPECT_EQ(boxes->shown()[0].style, events::mbInformation);
            EXPECT_EQ(boxes->shown()[0].title, kTitle);
            break;
        case StopBy::Silence:
            ASSERT_EQ(boxes->shown().size(), 1u);
            EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("It appears that the Zeltor unit has stopped streaming "
                                                             "results. Test aborted.\r\nTime Elapsed: 00:00:04"));
            EXPECT_EQ(boxes->shown()[0].style, events::mbCritical);
            EXPECT_EQ(boxes->shown()[0].title, QStringLiteral("Zeltor Ventilator tester"));
            break;
        }
        const QStringList& calls = windows.record().calls;
        EXPECT_EQ(calls.count(QStringLiteral("Running")), 1);
        EXPECT_TRUE(calls.contains(QStringLiteral("enable stop")));
        EXPECT_TRUE(calls.contains(QStringLiteral("SetStoppedState")));
        EXPECT_TRUE(calls.contains(QStringLiteral("NotRunning")));
        EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
        EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavNext});
        ASSERT_EQ(sequence->ReadyElements().size(), 1u);
        ASSERT_NE(result(), nullptr);

        // The readings: two samples a frame, and the window shown the result on every frame of
        // sequence 0, one in ten.
        if (c.stop == StopBy::Silence) {
            EXPECT_EQ(result()->Status(), ResultRecord::ersFail) << "a run cut off is no pass";
            EXPECT_EQ(result()->Comment(), QStringLiteral("It appears that the Zeltor unit has stopped streaming "
                                                          "results. Test aborted. Time Elapsed: 00:00:04"));
            EXPECT_EQ(windows.record().resultUpdates, 1) << "shown once, cut off";
            continue;
        }
        EXPECT_EQ(result()->Status(), ResultRecord::ersPass);
        const char* key = c.test == 300 ? "ACFL" : c.test == 500 ? "HIPR" : "ACPR";
        const auto measured = reading(key);
        const int updates = windows.record().resultUpdates;
        ASSERT_GT(updates, 0);
        EXPECT_GE(measured->SampleCount(), 2 * (10 * (updates - 1) + 1));
        EXPECT_LE(measured->SampleCount(), 2 * 10 * updates);
        if (c.stop == StopBy::Duration) {
            EXPECT_NEAR(measured->SampleCount(), 2 * 610, 4) << "61 seconds of ten readings a second";
        }
        switch (c.test) {
        case 200:
            EXPECT_NEAR(measured->MaxValue(), 50.0, 0.02);
            EXPECT_LT(measured->MinValue(), measured->MaxValue());
            EXPECT_NEAR(reading("LERA")->AverageValue(), 0.2, 1e-6);
            EXPECT_EQ(reading("LERA")->SampleCount(), measured->SampleCount());
            break;
        case 300:
            EXPECT_NEAR(measured->AverageValue(), 500.0, 0.01);
            break;
        case 400:
            EXPECT_NEAR(measured->AverageValue(), 50.0, 0.001);
            break;
        case 500:
            EXPECT_NEAR(measured->AverageValue(), 4000.0, 0.01);
            break;
        }

        // Saved as "ResultItem", loaded into a new element of the kind and saved again.
        const auto document = Nelvar::xmlService().CreateDocument();
        document->setDocumentElement(result()->Save(document));
        const QString saved = document->Xml();
        const auto ran = element;
        createElement(c.test);
        element->Load(document->DocumentElement(), nullptr);
        ASSERT_NE(result(), ran->Result());
        const auto again = Nelvar::xmlService().CreateDocument();
        again->setDocumentElement(result()->Save(again));
        EXPECT_EQ(again->Xml(), saved);
    }
}

// The flow test counts flow inside its noise level as none.
TEST_F(ZeltorRunTest, FlowInsideTheNoiseLevelIsNoReading)
{
    const struct {
        int32_t noiseLevel;
        bool measured;
    } cases[] = {{500, false}, {300, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.noiseLevel);
        simulator::SimulatorSettings settings;
        settings.readings.flowMlPerS = 5.0; // 50 raw tenths: inside 83.3, on the edge of 50
        serial::unregisterVirtualPort(QStringLiteral("sim"));
        useSimulator(settings);
        createElement(300);
        configuration()->setNoiseLevel(c.noiseLevel);
        raiseAt(loop->now() + 10, &Events::StartTest);
        raiseAt(loop->now() + 3000, &Events::StopTest);
        raiseAt(loop->now() + 3100, &Events::NextTest);
        perform();
        const auto flow = reading("ACFL");
        EXPECT_EQ(flow->HasSamples(), c.measured);
        EXPECT_EQ(flow->CurrentValue(), c.measured ? 5.0f : 0.0f);
        EXPECT_EQ(result()->Status(), c.measured ? ResultRecord::ersPass : ResultRecord::ersNone);
    }
}

// The start command carries the test and its noise level, which the instrument takes up to 9999
// (10000 itself goes as it is).
TEST_F(ZeltorRunTest, StartFrameCarriesTheTestAndItsNoiseLevel)
{
    const struct {
        int32_t test;
        int32_t noiseLevel;
        const char* frame;
    } cases[] = {
        {300, 10001, "$STST,300,0,ATPX,1,9999,9000,1,10\r"},
        {300, 10000, "$STST,300,0,ATPX,1,10000,9000,1,10\r"},
        {200, 250, "$STST,200,0,ATPX,1,250,9000,1,10\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        ScriptedInstrument instrument;
        useScriptedInstrument(instrument);
        createElement(c.test);
        configuration()->setNoiseLevel(c.noiseLevel);
        raiseAt(loop->now() + 10, &Events::StartTest);
        raiseAt(loop->now() + 100, &Events::AbortTest);
        perform();
        EXPECT_EQ(received(instrument, c.frame), 1);
        EXPECT_EQ(received(instrument, "$ATST"), 1);
        EXPECT_EQ(element->Result(), nullptr);
    }
}

// The instrument's answer arrives after the operator's abort or stop: the measurement is not
// started and the link is ended at once.
TEST_F(ZeltorRunTest, AbortOrStopDuringTheConnectWaitStartsNothing)
{
    for (const auto event : {&Events::AbortTest, &Events::StopTest}) {
        const bool abort = event == &Events::AbortTest;
        SCOPED_TRACE(abort ? "abort" : "stop");
        ScriptedInstrument instrument;
        useScriptedInstrument(instrument, 500);
        createElement(400);
        sequence = std::make_shared<host::TestSequence>();
        const int64_t start = loop->now() + 10;
        raiseAt(start, &Events::StartTest);
        raiseAt(start + 100, event);
        raiseAt(start + 200, &Events::StartTest); // F9 while the answer is awaited: ignored
        if (!abort)
            raiseAt(start + 2000, &Events::NextTest);
        perform();
        EXPECT_EQ(received(instrument, "$IREM"), 1);
        EXPECT_EQ(received(instrument, "$STST"), 0);
        EXPECT_EQ(received(instrument, "$EREM"), 1);
        EXPECT_FALSE(windows.record().calls.contains(QStringLiteral("Running")));
        EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
        EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
        EXPECT_TRUE(boxes->shown().empty());
        if (abort) {
            EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavAbort});
            EXPECT_EQ(element->Result(), nullptr);
        } else {
            // The start made a result for the run, which received nothing: reported, not passed.
            ASSERT_EQ(sequence->ReadyElements().size(), 1u);
            EXPECT_EQ(element->Result()->Status(), ResultRecord::ersNone);
        }
    }
}

// Stop and abort pressed while the loop runs come from within its message pumping; the stop goes
// out once, also when pressed again while the instrument's answer to it is awaited, and a start
// meanwhile is ignored.
TEST_F(ZeltorRunTest, StopAndAbortDuringTheLoopStopTheMeasurementOnce)
{
    for (const bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "abort" : "stop");
        ScriptedInstrument instrument; // never answers "EREM": the stop waits for it
        useScriptedInstrument(instrument);
        createElement(400);
        sequence = std::make_shared<host::TestSequence>();
        const int64_t start = loop->now() + 10;
        streamReadings(instrument, start + 100, start + 2000, 100);
        raiseAt(start, &Events::StartTest);
        raiseAt(start + 2000, &Events::StopTest);
        raiseAt(start + 2500, &Events::StopTest);
        raiseAt(start + 2600, &Events::StartTest);
        if (abort)
            raiseAt(start + 3000, &Events::AbortTest);
        raiseAt(start + 10'000, &Events::NextTest);
        perform();
        EXPECT_EQ(received(instrument, "$STST"), 1);
        EXPECT_EQ(received(instrument, "$ATST"), 1);
        EXPECT_EQ(received(instrument, "$EREM"), 1);
        EXPECT_EQ(windows.record().calls.count(QStringLiteral("Running")), 1);
        EXPECT_TRUE(boxes->shown().empty());
        EXPECT_EQ(ZeltorVTI::GMTI.VTI()->ConnectionState(), ZeltorVTI::evtiNotConnected);
        if (abort) {
            EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavAbort});
            EXPECT_EQ(element->Result(), nullptr);
        } else {
            EXPECT_EQ(sequence->Navigations(), std::vector<Nelvar::ENavigation>{Nelvar::enavNext});
            EXPECT_EQ(reading("ACPR")->SampleCount(), 2 * 19);
            EXPECT_EQ(reading("ACPR")->CurrentValue(), 10.0f);
        }
    }
}

// Readings less than five seconds apart keep the run going; five seconds of silence stop it.
TEST_F(ZeltorRunTest, FiveSecondsWithoutAReadingStopTheRun)
{
    ScriptedInstrument instrument;
    useScriptedInstrument(instrument);
    instrument.reply(QStringLiteral("EREM"), "$erem\r");
    createElement(400);
    streamReadings(instrument, 500, 20'000, 4'900);
    const int64_t lastReading = 500 + 3 * 4'900;
    bool runningBeforeFiveSeconds = false;
    bool runningAfterFiveSeconds = true;
    loop->at(lastReading + 4'950, [&] { runningBeforeFiveSeconds = windows.current()->running(); });
    loop->at(lastReading + 5'050, [&] { runningAfterFiveSeconds = windows.current()->running(); });
    raiseAt(10, &Events::StartTest);
    raiseAt(30'000, &Events::NextTest);
    perform();
    EXPECT_TRUE(runningBeforeFiveSeconds);
    EXPECT_FALSE(runningAfterFiveSeconds);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].style, events::mbCritical);
    EXPECT_EQ(reading("ACPR")->SampleCount(), 2 * 4);
}

// Readings, then the instrument falls silent or the link is lost: the run is cut off. Its result
// fails and says why in its comment, after what the operator wrote, its readings keep their own
// status, and it is shown and saved so.
TEST_F(ZeltorRunTest, ARunCutOffBySilenceOrALostLinkFails)
{
    for (const bool linkLost : {false, true}) {
        SCOPED_TRACE(linkLost ? "link lost" : "instrument silent");
        ScriptedInstrument instrument;
        useScriptedInstrument(instrument);
        createElement(400);
        sequence = std::make_shared<host::TestSequence>();
        judgeWithoutLimits(*element->Limits());
        const int64_t start = loop->now() + 10;
        streamReadings(instrument, start + 100, start + 3000, 100);
        loop->at(start + 2500, [&] { result()->setComment(QStringLiteral("Lung B")); });
        if (linkLost)
            loop->at(start + 3000, [&] { instrument.breakLink(); });
        int updatesBeforeTheCutOff = 0;
        loop->at(start + 4000, [&] { updatesBeforeTheCutOff = windows.record().resultUpdates; });
        raiseAt(start, &Events::StartTest);
        raiseAt(start + 10'000, &Events::NextTest);
        perform();

        ASSERT_EQ(boxes->shown().size(), 1u);
        EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("It appears that the Zeltor unit has stopped streaming "
                                                         "results. Test aborted.\r\nTime Elapsed: 00:00:07"));
        ASSERT_EQ(sequence->ReadyElements().size(), 1u);
        EXPECT_EQ(result()->Status(), ResultRecord::ersFail);
        const QString comment = QStringLiteral("Lung B; It appears that the Zeltor unit has stopped streaming "
                                               "results. Test aborted. Time Elapsed: 00:00:07");
        EXPECT_EQ(result()->Comment(), comment);
        EXPECT_EQ(reading("ACPR")->Status(), CMeasurement::emsPass);
        EXPECT_EQ(reading("ACPR")->SampleCount(), 2 * 29);
        EXPECT_GT(updatesBeforeTheCutOff, 0);
        EXPECT_EQ(windows.record().resultUpdates, updatesBeforeTheCutOff + 1) << "the cut-off is shown";

        const auto document = Nelvar::xmlService().CreateDocument();
        document->setDocumentElement(result()->Save(document));
        createElement(400);
        element->Load(document->DocumentElement(), nullptr);
        EXPECT_EQ(result()->Status(), ResultRecord::ersFail);
        EXPECT_EQ(result()->Comment(), comment);
        boxes->clear();
    }
}

// A registry duration beyond the longest a seconds count holds: the run goes on until it is
// stopped.
TEST_F(ZeltorRunTest, AHugeDurationRunsUntilStopped)
{
    useSimulator();
    setSetting(QStringLiteral("Duration"), std::numeric_limits<int32_t>::max());
    createElement(500);
    raiseAt(10, &Events::StartTest);
    raiseAt(5'000, &Events::StopTest);
    raiseAt(6'000, &Events::NextTest);
    perform();
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_EQ(windows.record().calls.count(QStringLiteral("Running")), 1);
    EXPECT_EQ(windows.record().elapsedShown, 4);
    EXPECT_TRUE(reading("HIPR")->HasSamples());
}

// An error inside the loop (here: the link was dropped under the run) ends the run with a fresh
// result and a freshly initialised window, and its clock stopped: no tick of it ends anything
// later.
TEST_F(ZeltorRunTest, AnErrorInsideTheLoopEndsTheRunAndItsClock)
{
    useSimulator();
    createElement(400);
    configuration()->setDuration(1);
    raiseAt(10, &Events::StartTest);
    loop->at(2'000, [] { ZeltorVTI::GMTI.ResetVTI(); });
    raiseAt(100'000, &Events::NextTest);
    perform();
    ASSERT_EQ(boxes->shown().size(), 1u) << "the link's own message, and no \"Test completed.\"";
    EXPECT_NE(boxes->shown()[0].text, QStringLiteral("Test completed."));
    EXPECT_EQ(windows.record().calls.count(QStringLiteral("Initialize")), 2);
    EXPECT_TRUE(windows.record().calls.contains(QStringLiteral("SetStoppedState")));
    EXPECT_FALSE(reading("ACPR")->HasSamples()) << "the run's readings went with its result";
    EXPECT_EQ(windows.record().elapsedShown, 1);
}

// A second run in the same window counts its own duration from its own start.
TEST_F(ZeltorRunTest, ASecondRunInTheSameWindowHasItsOwnClock)
{
    useSimulator();
    createElement(500);
    configuration()->setDuration(1);
    raiseAt(10, &Events::StartTest);
    raiseAt(30'000, &Events::StopTest);
    raiseAt(40'000, &Events::StartTest);
    bool runningAt90s = false;
    loop->at(90'000, [&] { runningAt90s = windows.current()->running(); });
    raiseAt(120'000, &Events::NextTest);
    perform();
    EXPECT_TRUE(runningAt90s);
    ASSERT_EQ(boxes->shown().size(), 1u);
    EXPECT_EQ(boxes->shown()[0].text, QStringLiteral("Test completed."));
    EXPECT_EQ(windows.record().calls.count(QStringLiteral("Running")), 2);
    EXPECT_NEAR(reading("HIPR")->SampleCount(), 2 * 610, 4) << "the second run's readings only";
}

TEST_F(ZeltorRunTest, NavigationKeepsOrDropsTheResult)
{
    const struct {
        const char* name;
        void (Events::*event)();
        bool start;
        std::vector<Nelvar::ENavigation> navigations;
        bool reported;
        bool resultKept;
        int32_t status;
    } cases[] = {
        {"skip after a run", &Events::Skip, true, {Nelvar::enavSkip}, false, false, 0},
        {"not applicable", &Events::NA, false, {Nelvar::enavNext}, true, true, ResultRecord::ersNotApplicable},
        {"next without a start", &Events::NextTest, false, {Nelvar::enavNext}, false, true, 0},
        {"previous after a run", &Events::Previous, true, {Nelvar::enavPrevious}, true, true, ResultRecord::ersPass},
    };
    useSimulator();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        createElement(200);
        sequence = std::make_shared<host::TestSequence>();
        if (c.start) {
            raiseAt(loop->now() + 10, &Events::StartTest);
            raiseAt(loop->now() + 3000, &Events::StopTest);
        }
        raiseAt(loop->now() + 4000, c.event);
        perform();
        EXPECT_EQ(sequence->Navigations(), c.navigations);
        EXPECT_EQ(sequence->ReadyElements().size(), c.reported ? 1u : 0u);
        ASSERT_EQ(element->Result() != nullptr, c.resultKept);
        if (c.resultKept) {
            EXPECT_EQ(element->Result()->Status(), c.status);
        }
        EXPECT_EQ(windows.current(), nullptr);
    }

    // A run in an earlier Perform of the element is reported when a later one is left with next.
    raiseAt(loop->now() + 10, &Events::StartTest);
    raiseAt(loop->now() + 3000, &Events::StopTest);
    raiseAt(loop->now() + 4000, &Events::NextTest);
    perform();
    sequence = std::make_shared<host::TestSequence>();
    raiseAt(loop->now() + 1000, &Events::NextTest);
    perform();
    ASSERT_EQ(sequence->ReadyElements().size(), 1u);
    EXPECT_EQ(element->Result()->Status(), ResultRecord::ersPass);
}
