#include "VtiFixture.h"

#include "FrameEncoder.h"

#include "serial/DataLink.h"

#include <algorithm>
#include <ostream>
#include <vector>

using namespace ZeltorVTI;

namespace {

constexpr int kFrames = 12;
constexpr int kFaultyFrame = 4;
constexpr qsizetype kBytesPerMs = 5;

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

} // namespace

class StreamFaultTest : public VtiFixture, public ::testing::WithParamInterface<StreamFault> {};

// The stream goes on after the fault: the frames before it and those from the second frame after
// it are decoded as sent, and at most two frames are lost or garbled on the way.
TEST_P(StreamFaultTest, TheFramesAfterAStrayOrALostByteAreDecodedAgain)
{
    const StreamFault& fault = GetParam();
    instrument.reply(QStringLiteral("IREM"), QByteArray("$irem,Zeltor VT,ZT-1,") + fault.firmware + "\r");
    vti()->StartRemote();
    const int32_t major = vti()->FWVersionMajor();
    const bool ventilator = fault.testId == 100;
    const simulator::FrameEncoder encoder(ventilator ? simulator::FrameLayout::ventilator(major)
                                                     : simulator::FrameLayout::readings(major));
    const qsizetype frameSize = encoder.layout().frameSize;
    vti()->SetDataLinkMode(serial::edlmStreaming, encoder.layout().frameSize);
    vti()->StartTest({startParameters(fault.testId)});

    const char recordType = ventilator ? 'M' : 'R';
    std::vector<Record> sent;
    QByteArray stream;
    for (int32_t i = 0; i < kFrames; ++i) {
        stream += encoder.encode(recordType, i, {100 + i, -i, 1000 * i, 7});
        sent.push_back({recordType, i % 10, com::Value(std::vector<com::Value>{100 + i, -i, 1000 * i, 7})});
    }
    const qsizetype at = kFaultyFrame * frameSize + (fault.offset >= 0 ? fault.offset : frameSize + fault.offset);
    if (fault.kind == FaultKind::StrayByte)
        stream.insert(at, fault.stray);
    else
        stream.remove(at, 1);

    // The instrument sends a few bytes every millisecond while the results are polled.
    const int64_t start = loop->now();
    for (qsizetype i = 0; i < stream.size(); i += kBytesPerMs)
        loop->at(start + 1 + i / kBytesPerMs, [this, piece = stream.mid(i, kBytesPerMs)] { instrument.write(piece); });
    std::vector<Record> decoded;
    int undecoded = 0;
    for (qsizetype ms = 0; ms < stream.size() / kBytesPerMs + 20; ++ms) {
        loop->advance(1);
        while (vti()->BufferCount() > 0) {
            Record record;
            vti()->GetTestResult(record.type, record.seq, record.values);
            if (record.type == 0)
                ++undecoded;
            else
                decoded.push_back(record);
        }
    }

    EXPECT_EQ(undecoded, 0);
    ASSERT_GE(decoded.size(), static_cast<size_t>(kFrames - 2));
    ASSERT_LE(decoded.size(), static_cast<size_t>(kFrames));
    const std::vector<Record> before(sent.begin(), sent.begin() + kFaultyFrame);
    const std::vector<Record> after(sent.begin() + kFaultyFrame + 2, sent.end());
    EXPECT_EQ(std::vector<Record>(decoded.begin(), decoded.begin() + kFaultyFrame), before);
    EXPECT_EQ(std::vector<Record>(decoded.end() - static_cast<qsizetype>(after.size()), decoded.end()), after);
    const auto intact = std::count_if(sent.begin(), sent.end(), [&](const Record& record) {
        return std::find(decoded.begin(), decoded.end(), record) != decoded.end();
    });
    EXPECT_GE(intact, kFrames - 2);
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
