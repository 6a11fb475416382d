#include "ResultFrame.h"

#include <vector>

namespace ZeltorVTI {

namespace {

constexpr char kFrameMarker = '$';
constexpr QByteArrayView kVentilatorRecordTypes = "ABCDMX";
constexpr int kValueCount = 4;
constexpr qsizetype kFirstValueByte = 4;

uint32_t byteAt(const QByteArray& frame, qsizetype i)
{
    return i < frame.size() ? static_cast<uint8_t>(frame.at(i)) : 0u;
}

int32_t decodeInt32BE(const QByteArray& frame, qsizetype i)
{
    const uint32_t bits = (byteAt(frame, i) << 24) | (byteAt(frame, i + 1) << 16) | (byteAt(frame, i + 2) << 8)
                          | byteAt(frame, i + 3);
    return static_cast<int32_t>(bits);
}

} // namespace

bool IsResultFrameStart(QByteArrayView bytes, ResultStream stream, bool inStep)
{
    if (bytes.isEmpty() || bytes[0] != kFrameMarker)
        return false;
    if (inStep)
        return true;
    if (bytes.size() < 3)
        return false;
    const char recordType = bytes[1];
    const char sequence = bytes[2];
    const bool carried = stream == ResultStream::Ventilator ? kVentilatorRecordTypes.contains(recordType)
                                                            : recordType != 0;
    return carried && sequence >= '0' && sequence <= '9';
}

int32_t DecodeInt16BE(const QByteArray& frame, qsizetype i)
{
    if (i < 0 || i + 1 >= frame.size())
        return 0;
    return static_cast<int16_t>(static_cast<uint16_t>((byteAt(frame, i) << 8) | byteAt(frame, i + 1)));
}

void ReadResultFrame(const QByteArray& frame, int32_t firmwareMajor, int32_t& testType, int32_t& seqNo,
                     com::Value& result)
{
    if (frame.isEmpty() || frame.at(0) != kFrameMarker)
        return;
    testType = static_cast<int32_t>(byteAt(frame, 1));
    seqNo = static_cast<int32_t>(byteAt(frame, 2)) - '0';
    const bool sixteenBit = firmwareMajor < 3;
    const qsizetype valueBytes = sixteenBit ? 2 : 4;
    std::vector<com::Value> values;
    values.reserve(kValueCount);
    for (int k = 0; k < kValueCount; ++k) {
        const qsizetype at = kFirstValueByte + valueBytes * k;
        values.emplace_back(sixteenBit ? DecodeInt16BE(frame, at) : decodeInt32BE(frame, at));
    }
    result = com::Value(std::move(values));
}

} // namespace ZeltorVTI
