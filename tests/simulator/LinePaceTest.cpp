#include "LinePace.h"

#include <gtest/gtest.h>

namespace simulator::testing {
namespace {

// Sends `bytes` on the line a millisecond at a time from `startMs`, as the pty server does; the
// millisecond in which the last byte went.
int64_t lastByteAt(LinePace& line, int64_t startMs, int64_t bytes)
{
    int64_t now = startMs;
    for (;;) {
        const int64_t sent = line.allowance(now, bytes);
        line.spend(sent);
        bytes -= sent;
        if (bytes == 0)
            return now;
        now += line.msUntilNextByte();
    }
}

TEST(LinePace, AnUnpacedLineTakesEverythingAtOnce)
{
    LinePace line;
    EXPECT_FALSE(line.paced());
    EXPECT_EQ(line.allowance(0, 5000), 5000);
    line.spend(5000);
    EXPECT_EQ(line.allowance(0, 5000), 5000);
}

// One waveform packet and the four breath blocks of 21 bytes each, sent together: the line hands
// over its transmit buffer at once and the rest at 11 bits a character.
TEST(LinePace, ABurstGoesOutAtTheLinesPace)
{
    struct Case {
        int32_t baud;
        int64_t lastByteMs;
    };
    for (const Case c : {Case{38400, 26}, Case{9600, 102}}) {
        SCOPED_TRACE(c.baud);
        LinePace line(c.baud);
        ASSERT_TRUE(line.paced());
        EXPECT_EQ(line.allowance(1000, 105), 16) << "the transmit buffer";
        line.spend(16);
        EXPECT_EQ(line.allowance(1000, 89), 0);
        EXPECT_EQ(lastByteAt(line, 1000, 89), 1000 + c.lastByteMs);
    }
}

TEST(LinePace, AnIdleLineSavesNoMoreThanItsTransmitBuffer)
{
    LinePace line(38400);
    EXPECT_EQ(lastByteAt(line, 0, 200), 53);
    EXPECT_EQ(line.allowance(60'000, 200), 16);
}

} // namespace
} // namespace simulator::testing
