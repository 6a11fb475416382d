#include "VtiFixture.h"

#include "FrameEncoder.h"
#include "LineNoise.h"

#include "serial/DataLink.h"
#include "serial/FrameBuffer.h"

#include <ostream>
#include <vector>

using namespace ZeltorVTI;

namespace {

constexpr qsizetype kBytesPerMs = 5;

struct Record {
    int32_t type = 0;
    int32_t seq = 0;
    com::Value values;
    bool operator==(const Record&) const = default;
};

void PrintTo(const Record& record, std::ostream* out)
{
    *out << record.type << '/' << record.seq << ' ' << ::testing::PrintToString(record.values);
}

com::Value startParameters(int32_t testId)
{
    std::vector<com::Value> texts{QString::number(testId)};
    for (const char* text : {"0", "0", "5", "1", "0", "0", "0"})
        texts.emplace_back(QString::fromLatin1(text));
    return com::Value(std::move(texts));
}

// The frames an instrument sends and the records they stand for.
struct SentStream {
    explicit SentStream(const simulator::FrameEncoder& frameEncoder) : encoder(frameEncoder) {}

    void add(char type, int32_t seq, int32_t v0, int32_t v1, int32_t v2, int32_t v3)
    {
        bytes += encoder.encode(type, seq, {v0, v1, v2, v3});
        records.push_back({type, seq, com::Value(std::vector<com::Value>{v0, v1, v2, v3})});
    }

    const simulator::FrameEncoder& encoder;
    QByteArray bytes;
    std::vector<Record> records;
};

// Every decoded record is one that was sent, in the order sent, and at most two sent ones are
// missing, all of them between `firstLost` and `lastLost`.
void expectSentRecordsInOrder(const std::vector<Record>& decoded, const std::vector<Record>& sent, size_t firstLost,
                              size_t lastLost)
{
    std::vector<size_t> lost;
    size_t next = 0;
    for (const Record& record : decoded) {
        while (next < sent.size() && !(sent[next] == record))
            lost.push_back(next++);
        ASSERT_LT(next, sent.size()) << "not sent, or out of order: " << ::testing::PrintToString(record);
        ++next;
    }
    while (next < sent.size())
        lost.push_back(next++);
    EXPECT_LE(lost.size(), 2u) << ::testing::PrintToString(lost);
    for (const size_t index : lost) {
        EXPECT_GE(index, firstLost);
        EXPECT_LE(index, lastLost);
    }
}

} // namespace

// The connection streaming the result frames of one test from an instrument with a firmware.
class StreamingFixture : public VtiFixture {
protected:
    // testId 100 streams the ventilator's frames, the single-reading tests their readings.
    simulator::FrameEncoder startStreaming(const char* firmware, int32_t testId)
    {
        instrument.reply(QStringLiteral("IREM"), QByteArray("$irem,Zeltor VT,ZT-1,") + firmware + "\r");
        vti()->StartRemote();
        const int32_t major = vti()->FWVersionMajor();
        const simulator::FrameEncoder encoder(testId == 100 ? simulator::FrameLayout::ventilator(major)
                                                            : simulator::FrameLayout::readings(major));
        vti()->SetDataLinkMode(serial::edlmStreaming, encoder.layout().frameSize);
        vti()->StartTest({startParameters(testId)});
        return encoder;
    }

    // The instrument sends `stream` a few bytes every millisecond while the results are polled,
    // until the line has been quiet long enough for the last frame to come.
    std::vector<Record> pollWhileSending(const QByteArray& stream)
    {
        const int64_t start = loop->now();
        for (qsizetype i = 0; i < stream.size(); i += kBytesPerMs)
            loop->at(start + 1 + i / kBytesPerMs,
                     [this, piece = stream.mid(i, kBytesPerMs)] { instrument.write(piece); });
        std::vector<Record> decoded;
        for (qsizetype ms = 0; ms < stream.size() / kBytesPerMs + 2 * serial::FrameBuffer::kQuietMs; ++ms) {
            loop->advance(1);
            while (vti()->BufferCount() > 0) {
                Record record;
                vti()->GetTestResult(record.type, record.seq, record.values);
                decoded.push_back(record);
            }
        }
        return decoded;
    }
};

namespace {

constexpr int kFrames = 12;
constexpr int kFaultyFrame = 4;

enum class FaultKind { StrayByte, LostByte };

// One byte too many or too few in the result stream, in frame kFaultyFrame.
struct StreamFault {
    const char* name;
    const char* firmware; // "2.10": the ventilator streams 13-byte frames of 16-bit values
    int32_t testId;       // 100 streams waveform packets 'M', the single-reading tests readings 'R'
    FaultKind kind;
    int32_t offset; // within the faulty frame; a negative offset counts from its end
    char stray = '\0';
};

void PrintTo(const StreamFault& fault, std::ostream* out)
{
    *out << fault.name;
}

} // namespace

class StreamFaultTest : public StreamingFixture, public ::testing::WithParamInterface<StreamFault> {};

// The stream goes on after the fault: every record decoded is one that was sent, and only the
// frames next to the fault may be lost, two at most.
TEST_P(StreamFaultTest, TheFramesAfterAStrayOrALostByteAreDecodedAgain)
{
    const StreamFault& fault = GetParam();
    const simulator::FrameEncoder encoder = startStreaming(fault.firmware, fault.testId);
    const qsizetype frameSize = encoder.layout().frameSize;
    SentStream sent(encoder);
    for (int32_t i = 0; i < kFrames; ++i)
        sent.add(fault.testId == 100 ? 'M' : 'R', i % 10, 100 + i, -i, 1000 * i, 7);
    QByteArray stream = sent.bytes;
    const qsizetype at = kFaultyFrame * frameSize + (fault.offset >= 0 ? fault.offset : frameSize + fault.offset);
    if (fault.kind == FaultKind::StrayByte)
        stream.insert(at, fault.stray);
    else
        stream.remove(at, 1);

    const std::vector<Record> decoded = pollWhileSending(stream);

    expectSentRecordsInOrder(decoded, sent.records, kFaultyFrame - 1, kFaultyFrame + 1);
    EXPECT_TRUE(boxes->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StreamFaultTest,
    ::testing::Values(
        StreamFault{"Ventilator16_StrayByteBetweenFrames", "2.10", 100, FaultKind::StrayByte, 0},
        StreamFault{"Ventilator16_StrayMarkerBetweenFrames", "2.10", 100, FaultKind::StrayByte, 0, '$'},
        StreamFault{"Ventilator16_StrayByteAmongTheValues", "2.10", 100, FaultKind::StrayByte, 6, '\xA5'},
        StreamFault{"Ventilator16_LostMarker", "2.10", 100, FaultKind::LostByte, 0},
        StreamFault{"Ventilator16_LostValueByte", "2.10", 100, FaultKind::LostByte, 6},
        StreamFault{"Ventilator16_LostLastByte", "2.10", 100, FaultKind::LostByte, -1},
        StreamFault{"Ventilator32_StrayByteBetweenFrames", "3.01", 100, FaultKind::StrayByte, 0},
        StreamFault{"Ventilator32_StrayMarkerBetweenFrames", "3.01", 100, FaultKind::StrayByte, 0, '$'},
        StreamFault{"Ventilator32_StrayByteAmongTheValues", "3.01", 100, FaultKind::StrayByte, 10, '\xA5'},
        StreamFault{"Ventilator32_LostMarker", "3.01", 100, FaultKind::LostByte, 0},
        StreamFault{"Ventilator32_LostValueByte", "3.01", 100, FaultKind::LostByte, 10},
        StreamFault{"Ventilator32_LostLastByte", "3.01", 100, FaultKind::LostByte, -1},
        StreamFault{"Readings16_StrayByteAmongTheValues", "2.10", 300, FaultKind::StrayByte, 6, '\xA5'},
        StreamFault{"Readings32_LostValueByte", "3.01", 200, FaultKind::LostByte, 10}),
    [](const ::testing::TestParamInfo<StreamFault>& param) { return std::string(param.param.name); });

class FrameLikeNoiseTest : public StreamingFixture, public ::testing::WithParamInterface<const char*> {};

// A burst of line noise between two frames, in pieces that begin like frames ("$", a record type
// of the ventilator and a sequence digit) and go on with random bytes, yields no record: no breath
// rate, oxygen level or stop signal out of the noise. The frames around it are kept.
TEST_P(FrameLikeNoiseTest, NoiseThatStartsLikeFramesYieldsNoRecord)
{
    const simulator::FrameEncoder encoder = startStreaming(GetParam(), 100);
    const int32_t frameSize = encoder.layout().frameSize;
    SentStream sent(encoder);
    // 15 breaths a minute, 21 % oxygen, and the waveform packets between the breaths.
    const auto breath = [&sent](int32_t seq) {
        sent.add('A', seq, 150, 500, 6000, 2000);
        sent.add('B', seq, 500, 1200, 7500, 200);
        sent.add('C', seq, 0, 100, 200, -6000);
        sent.add('D', seq, 250, 210, 800, 1000);
    };
    for (int32_t i = 0; i < 3; ++i)
        sent.add('M', i, 500 * i, 40 * i, 500 * i + 20, 40 * i + 2);
    breath(1);
    const qsizetype burstAt = sent.bytes.size();
    const size_t framesBefore = sent.records.size();
    breath(2);
    for (int32_t i = 3; i < 6; ++i)
        sent.add('M', i, 500 * i, 40 * i, 500 * i + 20, 40 * i + 2);

    const QByteArray burst = frameLikeNoise(frameSize, 16, 13);
    const QByteArray stream = sent.bytes.left(burstAt) + burst + sent.bytes.mid(burstAt);

    const std::vector<Record> decoded = pollWhileSending(stream);

    expectSentRecordsInOrder(decoded, sent.records, framesBefore - 1, framesBefore);
    EXPECT_TRUE(boxes->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Firmwares, FrameLikeNoiseTest, ::testing::Values("2.10", "3.01"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return std::string(param.param[0] == '2' ? "Frames16" : "Frames32");
                         });
