#include "QtPrinters.h"
#include "ResultFrame.h"

#include <gtest/gtest.h>

using namespace ZeltorVTI;

namespace {

struct Decoded {
    int32_t type = 0;
    int32_t seq = 0;
    com::Value result = QStringLiteral("caller's");
};

Decoded decode(const QByteArray& hex, int32_t firmwareMajor)
{
    Decoded d;
    ReadResultFrame(QByteArray::fromHex(hex), firmwareMajor, d.type, d.seq, d.result);
    return d;
}

com::Value values(int32_t a, int32_t b, int32_t c, int32_t d)
{
    return com::Value(std::vector<com::Value>{a, b, c, d});
}

} // namespace

TEST(ResultFrameTest, DecodesBothLayouts)
{
    const struct {
        const char* hex;
        int32_t firmwareMajor;
        int32_t type;
        int32_t seq;
        com::Value result;
    } cases[] = {
        {"24 4D 37 00 FFFE 007F 8000 7FFF 0D", 2, 'M', 7, values(-2, 127, -32768, 32767)},
        {"24 41 30 00 FFFFFFFE 00000100 80000000 7FFFFFFF 0D", 3, 'A', 0, values(-2, 256, INT32_MIN, INT32_MAX)},
        // Firmware 2 decodes the 16-bit layout even from a 21-byte frame.
        {"24 42 31 00 0001 0002 0003 0004 0000000000000000 0D", 2, 'B', 1, values(1, 2, 3, 4)},
        {"24 58 2F 00 0000000000000000000000000000000000", 3, 'X', -1, values(0, 0, 0, 0)},
        // Short frames: a 32-bit value takes 0 for missing bytes, a 16-bit value with one missing is 0.
        {"24 41 32 00 000001", 3, 'A', 2, values(256, 0, 0, 0)},
        {"24 41 32 00 0102 03", 2, 'A', 2, values(258, 0, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        const Decoded d = decode(c.hex, c.firmwareMajor);
        EXPECT_EQ(d.type, c.type);
        EXPECT_EQ(d.seq, c.seq);
        EXPECT_EQ(d.result, c.result);
    }
}

TEST(ResultFrameTest, WrongOrMissingMarkerLeavesEverything)
{
    for (const char* hex : {"23 41 30 00 00000001 00000002 00000003 00000004 0D", ""}) {
        const Decoded d = decode(hex, 3);
        EXPECT_EQ(d.type, 0);
        EXPECT_EQ(d.seq, 0);
        EXPECT_EQ(d.result, com::Value(QStringLiteral("caller's")));
    }
}

TEST(ResultFrameTest, DecodeInt16BE)
{
    const QByteArray bytes = QByteArray::fromHex("FFFE007F8000");
    EXPECT_EQ(DecodeInt16BE(bytes, 0), -2);
    EXPECT_EQ(DecodeInt16BE(bytes, 2), 127);
    EXPECT_EQ(DecodeInt16BE(bytes, 4), -32768);
    EXPECT_EQ(DecodeInt16BE(bytes, 5), 0);
}

TEST(ResultFrameTest, WhereAFrameBeginsInStepAndOutOfStep)
{
    using enum ResultStream;
    const struct {
        const char* bytes;
        ResultStream stream;
        bool inStep;
        bool outOfStep;
    } cases[] = {
        {"$A0", Ventilator, true, true},
        {"$D9", Ventilator, true, true},
        {"$M5", Ventilator, true, true},
        {"$X3", Ventilator, true, true},
        {"$Q0", Ventilator, true, false}, // a record type the ventilator stream does not carry
        {"$R0", Ventilator, true, false},
        {"$R0", Readings, true, true},
        {"$\x01" "0", Readings, true, true},
        {"$A/", Ventilator, true, false}, // no digit
        {"$A:", Readings, true, false},
        {"$$A", Ventilator, true, false},
        {"$A", Ventilator, true, false}, // too short to tell
        {"#A0", Ventilator, false, false},
        {"", Readings, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(IsResultFrameStart(QByteArrayView(c.bytes), c.stream, true), c.inStep);
        EXPECT_EQ(IsResultFrameStart(QByteArrayView(c.bytes), c.stream, false), c.outOfStep);
    }
    EXPECT_FALSE(IsResultFrameStart(QByteArrayView("$\0" "0", 3), Readings, false)); // record type 0
}
