#include "SimulatorFixture.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

namespace simulator::testing {
namespace {

using Streaming = SimulatorFixture;

constexpr int32_t kTypeM = 'M';
constexpr int32_t kTypeX = 'X';

std::vector<ResultFrame> decodeAll(const std::vector<QByteArray>& frames, int32_t firmwareMajor)
{
    std::vector<ResultFrame> decoded;
    for (const QByteArray& frame : frames)
        decoded.push_back(decodeResultFrame(frame, firmwareMajor));
    return decoded;
}

// The breath groups of a stream: every 'A' followed by 'B', 'C', 'D'.
std::vector<BreathBlocks> breathGroups(const std::vector<ResultFrame>& frames, int32_t firmwareMajor)
{
    std::vector<BreathBlocks> groups;
    for (size_t i = 0; i + 3 < frames.size(); ++i) {
        if (frames[i].type != 'A')
            continue;
        EXPECT_EQ(frames[i + 1].type, 'B');
        EXPECT_EQ(frames[i + 2].type, 'C');
        EXPECT_EQ(frames[i + 3].type, 'D');
        groups.push_back(decodeBreathBlocks({frames[i], frames[i + 1], frames[i + 2], frames[i + 3]}, firmwareMajor));
    }
    return groups;
}

struct LungCase {
    const char* name;
    LungSettings lung;
};

void PrintTo(const LungCase& lungCase, std::ostream* out)
{
    *out << lungCase.name;
}

class VentilatorStreaming : public SimulatorFixture, public ::testing::WithParamInterface<LungCase> {};

TEST_P(VentilatorStreaming, WaveformAndBreathBlocksGiveBackTheLung)
{
    const LungSettings& lung = GetParam().lung;
    SimulatorSettings settings;
    settings.lung = lung;
    open(settings);
    startTest(100, 21);
    const int64_t runMs = 13'000;
    advance(runMs + 20);

    const std::vector<QByteArray> raw = frames();
    for (const QByteArray& frame : raw)
        ASSERT_EQ(frame.size(), 21);
    const std::vector<ResultFrame> stream = decodeAll(raw, 3);

    // 25 waveform packets per second, their sequence digits counting without a gap.
    std::vector<ResultFrame> packets;
    std::copy_if(stream.begin(), stream.end(), std::back_inserter(packets), [](const ResultFrame& f) { return f.type == kTypeM; });
    EXPECT_EQ(packets.size(), static_cast<size_t>(runMs / 40));
    for (size_t i = 0; i < packets.size(); ++i)
        ASSERT_EQ(packets[i].sequence, static_cast<int32_t>(i % 10)) << "packet " << i;

    // The waveform as the result record takes it: pressures in hundredths, flows in tenths,
    // volume integrated from the flow at 50 samples per second.
    double volumeMl = 0.0;
    double peakVolumeMl = 0.0;
    double minimumPressure = 1e9;
    double peakPressure = -1e9;
    double peakFlow = 0.0;
    std::vector<double> breathStartVolumesMl;
    const int64_t samplesPerBreath = std::llround(60.0 / lung.rateBpm * 50.0);
    int64_t sampleIndex = 0;
    for (const ResultFrame& packet : packets) {
        for (const int k : {0, 2}) {
            const double pressure = static_cast<float>(static_cast<float>(packet.values[k]) * 0.01f);
            const double flow = static_cast<float>(static_cast<float>(packet.values[k + 1]) * 0.1f);
            volumeMl += flow / 50.0;
            minimumPressure = std::min(minimumPressure, pressure);
            peakPressure = std::max(peakPressure, pressure);
            peakFlow = std::max(peakFlow, flow);
            peakVolumeMl = std::max(peakVolumeMl, volumeMl);
            if (sampleIndex++ % samplesPerBreath == 0)
                breathStartVolumesMl.push_back(volumeMl);
        }
    }
    EXPECT_NEAR(peakVolumeMl, lung.tidalVolumeL * 1000.0, 0.01 * lung.tidalVolumeL * 1000.0);
    // The volume returns to where it started at every breath's end, and does not drift.
    ASSERT_GE(breathStartVolumesMl.size(), 2u);
    for (const double start : breathStartVolumesMl) {
        EXPECT_NEAR(start, 0.0, 1.0);
        EXPECT_NEAR(start, breathStartVolumesMl.front(), 0.1);
    }
    EXPECT_NEAR(minimumPressure, lung.peepCmH2O, 0.02);

    // One group of blocks per breath, after the packet in which the breath ended.
    const std::vector<BreathBlocks> groups = breathGroups(stream, 3);
    ASSERT_EQ(groups.size(), static_cast<size_t>(std::floor(runMs / 1000.0 * lung.rateBpm / 60.0 + 1e-9)));
    for (const BreathBlocks& b : groups) {
        EXPECT_NEAR(b.BRRA, lung.rateBpm, 0.05);
        EXPECT_NEAR(b.TIVO, lung.tidalVolumeL, 0.0005);
        EXPECT_NEAR(b.MIVO, lung.tidalVolumeL * lung.rateBpm, 0.0005);
        EXPECT_NEAR(b.IERA, lung.ieRatio, 0.005);
        EXPECT_NEAR(b.INHO, lung.inspiratoryHoldS, 0.005);
        EXPECT_NEAR(b.INPE + b.EXPE, 60.0 / lung.rateBpm, 0.01);
        EXPECT_NEAR(b.PEPR, lung.peepCmH2O, 0.005);
        EXPECT_NEAR(b.MEEP, lung.peepCmH2O, 0.005);
        EXPECT_NEAR(b.TEMP, lung.temperatureC, 0.05);
        EXPECT_NEAR(b.OXLE, lung.oxygenPercent, 0.05);
        EXPECT_NEAR(b.ATPR, lung.atmosphericHPa * 1.0197162, 0.06);
        // The breath's figures agree with its waveform.
        EXPECT_NEAR(b.INPF, peakFlow, 0.15);
        // The pressure peaks at the end of the inspiratory flow, at most one sample interval
        // after the highest pressure sample.
        const double riseInOneSample = b.INPF / lung.complianceMlPerCmH2O / 50.0;
        EXPECT_GE(b.INPP, peakPressure - 0.01);
        EXPECT_LE(b.INPP, peakPressure + riseInOneSample + 0.01);
        EXPECT_GT(b.MEIP, b.PEPR);
        EXPECT_LT(b.MEIP, b.INPP);
        EXPECT_GT(b.EXPF, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Lungs, VentilatorStreaming,
    ::testing::Values(
        LungCase{"Defaults", LungSettings{}},
        LungCase{"StiffFastWarmRich", LungSettings{.rateBpm = 20, .tidalVolumeL = 0.35, .ieRatio = 1.5,
                                                   .inspiratoryHoldS = 0.0, .peepCmH2O = 8, .complianceMlPerCmH2O = 20,
                                                   .resistanceCmH2OPerLps = 10, .temperatureC = 34.5,
                                                   .oxygenPercent = 60, .atmosphericHPa = 950}},
        LungCase{"SlowEmptyingLung", LungSettings{.rateBpm = 12, .tidalVolumeL = 0.8, .ieRatio = 3,
                                                  .inspiratoryHoldS = 0.5, .peepCmH2O = 0, .complianceMlPerCmH2O = 60,
                                                  .resistanceCmH2OPerLps = 20, .temperatureC = 18,
                                                  .oxygenPercent = 100, .atmosphericHPa = 1030}}),
    [](const ::testing::TestParamInfo<LungCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(Streaming, FirmwareTwoStreamsThirteenByteSixteenBitFrames)
{
    SimulatorSettings settings;
    settings.identity.firmwareVersion = "2.05";
    open(settings);
    startTest(100, 13);
    advance(4'100);

    const std::vector<QByteArray> raw = frames();
    ASSERT_FALSE(raw.empty());
    for (const QByteArray& frame : raw) {
        ASSERT_EQ(frame.size(), 13);
        ASSERT_EQ(frame.at(0), '$');
    }
    const std::vector<ResultFrame> stream = decodeAll(raw, 2);
    EXPECT_EQ(std::count_if(stream.begin(), stream.end(), [](const ResultFrame& f) { return f.type == kTypeM; }), 102);
    const std::vector<BreathBlocks> groups = breathGroups(stream, 2);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_NEAR(groups[0].PEPR, 5.0, 0.05);
    EXPECT_NEAR(groups[0].TIVO, 0.5, 0.0005);
    EXPECT_NEAR(groups[0].OXLE, 21.0, 0.05);
    EXPECT_GT(groups[0].INPP, 15.0f);
    EXPECT_LT(groups[0].INPP, 20.0f);
}

TEST_F(Streaming, AbortStopsTheStreamWithOneStopFrame)
{
    open();
    startTest(100, 21);
    advance(2'000);
    frames();
    send("$ATST\r");
    advance(3'000);
    const std::vector<ResultFrame> tail = decodeAll(frames(), 3);
    ASSERT_FALSE(tail.empty());
    EXPECT_EQ(tail.back().type, kTypeX);
    EXPECT_EQ(std::count_if(tail.begin(), tail.end(), [](const ResultFrame& f) { return f.type == kTypeX; }), 1);
    EXPECT_LE(tail.size(), 2u) << "nothing streams after the stop";

    link->setLinkMode(serial::edlmCommand);
    EXPECT_EQ(ask("$GMTD\r").value(0), "gmtd") << "the instrument is back in remote mode, idle";
}

TEST_F(Streaming, EndingRemoteModeStopsTheStreamWithoutAStopFrame)
{
    open();
    startTest(100, 21);
    advance(1'000);
    frames();
    // As the ventilator test stops: back to command mode, then "EREM".
    watchRawBytes();
    send("$EREM\r");
    advance(2'000);
    const QByteArray tail = rawBytes();
    EXPECT_TRUE(tail.endsWith("$erem\r"));
    EXPECT_LE(tail.size(), 21 + 6);
    EXPECT_FALSE(tail.startsWith("$X"));
    link->setLinkMode(serial::edlmCommand);
    EXPECT_EQ(ask("$GMTD\r").value(2), "6004") << "remote mode has ended";
}

struct ReadingCase {
    int testId;
    const char* firmware;
};

void PrintTo(const ReadingCase& readingCase, std::ostream* out)
{
    *out << "test " << readingCase.testId << ", firmware " << readingCase.firmware;
}

class SingleReadings : public SimulatorFixture, public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(SingleReadings, StreamAboutTenReadingsASecondThatDecodeToTheSettings)
{
    const auto [testId, firmware] = GetParam();
    const int32_t major = firmware[0] - '0';
    SimulatorSettings settings;
    settings.identity.firmwareVersion = firmware;
    settings.readings = {.pressureCmH2O = 60, .leakRateCmH2OPerS = 0.5, .flowMlPerS = 1250, .highPressureCmH2O = 3500};
    open(settings);
    startTest(testId, 21);
    advance(3'020);

    const std::vector<QByteArray> raw = frames();
    ASSERT_EQ(raw.size(), 30u);
    // The decoding of the single-reading result: pressures by the firmware's scale, leak rate
    // and flow in tenths, high pressure by ten times the pressure scale.
    const float s = major >= 3 ? 0.01f : 0.1f;
    const float h = static_cast<float>(s * 10.0f);
    for (size_t i = 0; i < raw.size(); ++i) {
        SCOPED_TRACE(i);
        const ResultFrame frame = decodeResultFrame(raw[i], major);
        ASSERT_GE(frame.type, 1);
        ASSERT_NE(frame.type, kTypeX);
        EXPECT_EQ(frame.sequence, static_cast<int32_t>(i % 10));
        const auto v = [&frame](int k) { return static_cast<double>(frame.values[static_cast<size_t>(k)]); };
        const double later = (static_cast<double>(i) + 1) * 0.1;
        switch (testId) {
        case 200:
            EXPECT_NEAR(static_cast<float>(v(0) * s), 60 - 0.5 * later, s);
            EXPECT_NEAR(static_cast<float>(v(2) * s), 60 - 0.5 * (later - 0.05), s);
            EXPECT_NEAR(static_cast<float>(v(1) * 0.1f), 0.5, 1e-6);
            EXPECT_NEAR(static_cast<float>(v(3) * 0.1f), 0.5, 1e-6);
            break;
        case 300:
            EXPECT_NEAR(static_cast<float>(v(0) * 0.1f), 1250, 0.01);
            EXPECT_NEAR(static_cast<float>(v(2) * 0.1f), 1250, 0.01);
            break;
        case 400:
            EXPECT_NEAR(static_cast<float>(v(0) * s), 60, 1e-4);
            EXPECT_NEAR(static_cast<float>(v(2) * s), 60, 1e-4);
            break;
        case 500:
            EXPECT_NEAR(static_cast<float>(v(0) * h), 3500, 0.01);
            EXPECT_NEAR(static_cast<float>(v(2) * h), 3500, 0.01);
            break;
        }
    }

    send("$ATST\r");
    advance(20);
    frames();
    advance(1'000);
    EXPECT_TRUE(frames().empty()) << "the abort ends the readings without a stop frame";
}

INSTANTIATE_TEST_SUITE_P(TestsAndFirmware, SingleReadings,
    ::testing::Values(ReadingCase{200, "3.01"}, ReadingCase{300, "3.01"}, ReadingCase{400, "3.01"}, ReadingCase{500, "3.01"},
                      ReadingCase{200, "2.05"}, ReadingCase{300, "2.05"}, ReadingCase{400, "2.05"}, ReadingCase{500, "2.05"}),
    [](const ::testing::TestParamInfo<ReadingCase>& caseInfo) {
        return "Test" + std::to_string(caseInfo.param.testId) + "_Firmware" + std::string(1, caseInfo.param.firmware[0]);
    });

// A stop on the instrument: the readings end with one 'X' frame.
TEST_F(Streaming, AStopOnTheInstrumentEndsTheReadingsWithAStopFrame)
{
    SimulatorSettings settings;
    settings.readings.stopSignalAfterMs = 1'000;
    open(settings);
    startTest(400, 21);
    advance(3'020);
    const std::vector<ResultFrame> stream = decodeAll(frames(), 3);
    ASSERT_EQ(stream.size(), 10u);
    EXPECT_EQ(std::count_if(stream.begin(), stream.end(), [](const ResultFrame& f) { return f.type == kTypeX; }), 1);
    EXPECT_EQ(stream.back().type, kTypeX);
}

TEST_F(Streaming, LeakageReadingsStopFallingAtZero)
{
    SimulatorSettings settings;
    settings.readings.pressureCmH2O = 1.0;
    settings.readings.leakRateCmH2OPerS = 1.0;
    open(settings);
    startTest(200, 21);
    advance(2'020);
    const std::vector<QByteArray> raw = frames();
    ASSERT_EQ(raw.size(), 20u);
    const ResultFrame last = decodeResultFrame(raw.back(), 3);
    EXPECT_EQ(last.values[0], 0);
    EXPECT_EQ(last.values[1], 0) << "no leak without pressure";
}

} // namespace
} // namespace simulator::testing
