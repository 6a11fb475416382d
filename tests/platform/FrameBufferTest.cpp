#include "serial/FrameBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using serial::FrameBuffer;

std::vector<QByteArray> takeAll(FrameBuffer& buffer)
{
    std::vector<QByteArray> frames;
    while (buffer.frameCount() > 0)
        frames.push_back(buffer.takeFrame());
    return frames;
}

TEST(FrameBuffer, CommandFramesEndAtAnUnescapedCarriageReturn)
{
    const struct {
        const char* name;
        std::vector<QByteArray> appends;
        std::vector<QByteArray> frames;
    } cases[] = {
        {"one frame", {"$#gpl,1\r"}, {"$#gpl,1\r"}},
        {"no end yet", {"$#gpl,1"}, {}},
        {"escaped CR", {"$a\\\rb\r"}, {"$a\\\rb\r"}},
        {"escaped backslash before CR", {"$a\\\\\rb\r"}, {"$a\\\\\r", "b\r"}},
        {"split across appends", {"$ab", "c,", "1\r"}, {"$abc,1\r"}},
        {"escape split from the CR", {"$a\\", "\rb\r"}, {"$a\\\rb\r"}},
        {"several in one append", {"$a\r$b\r$c"}, {"$a\r", "$b\r"}},
        {"empty frames", {"\r\r"}, {"\r", "\r"}},
        {"bytes of any value", {QByteArray("\0\xff\r", 3)}, {QByteArray("\0\xff\r", 3)}},
    };
    for (const auto& c : cases) {
        FrameBuffer buffer;
        for (const QByteArray& bytes : c.appends)
            buffer.append(bytes);
        EXPECT_EQ(takeAll(buffer), c.frames) << c.name;
    }
}

TEST(FrameBuffer, TheRestOfAnUnfinishedFrameWaitsForMore)
{
    FrameBuffer buffer;
    buffer.append("$a\r$b");
    EXPECT_EQ(buffer.frameCount(), 1);
    EXPECT_EQ(buffer.takeFrame(), QByteArray("$a\r"));
    EXPECT_EQ(buffer.takeFrame(), QByteArray()); // nothing complete: empty, at once
    buffer.append("c\r");
    EXPECT_EQ(buffer.takeFrame(), QByteArray("$bc\r"));
}

TEST(FrameBuffer, StreamingCutsFixedSizeFrames)
{
    FrameBuffer buffer;
    buffer.setMode(serial::edlmStreaming);
    buffer.append("abcd\re"); // nothing is cut while the frame size is 0
    EXPECT_EQ(buffer.frameCount(), 0);
    buffer.setFrameSize(4);
    buffer.append("fgh");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"abcd", "\refg"}));
    buffer.append("ijklm");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"hijk"}));
    buffer.setFrameSize(3);
    buffer.append("n");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"lmn"}));
    buffer.setFrameSize(0);
    buffer.append("opqrstuvw");
    EXPECT_EQ(buffer.frameCount(), 0);
}

TEST(FrameBuffer, SwitchingModesRecutsWhatWaits)
{
    FrameBuffer buffer;
    buffer.setFrameSize(2);
    buffer.append("$ok\r12345");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"$ok\r"}));
    buffer.setMode(serial::edlmStreaming);
    EXPECT_EQ(buffer.mode(), serial::edlmStreaming);
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"12", "34"}));
    buffer.append("6\\");
    buffer.setMode(serial::edlmCommand);
    buffer.append("\r7\r");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"56", "\\\r7\r"}));
    buffer.setMode(42); // not a mode: kept as it was
    EXPECT_EQ(buffer.mode(), serial::edlmCommand);

    buffer.append("$x\r$y");
    buffer.clear();
    buffer.append("z\r");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"z\r"}));
}

// A frame start as a stream of "#<digit>.." frames would have it: in step a "#" will do, out of
// step only "#" and a digit find the stream again.
bool hashFrameStart(QByteArrayView bytes, bool inStep)
{
    return bytes.size() >= 2 && bytes[0] == '#' && (inStep || (bytes[1] >= '0' && bytes[1] <= '9'));
}

TEST(FrameBuffer, StreamingWithAFrameStartDropsBytesUntilAFrameBegins)
{
    const struct {
        const char* name;
        QByteArray stream;
        std::vector<QByteArray> frames;
    } cases[] = {
        {"in step", "#1ab#2cd#3ef", {"#1ab", "#2cd", "#3ef"}},
        {"a stray byte between frames", "#1abX#2cd#3ef", {"#1ab", "#2cd", "#3ef"}},
        {"a stray byte inside a frame", "#1aXb#2cd#3ef", {"#1aX", "#2cd", "#3ef"}},
        {"a lost byte", "#1a#2cd#3ef", {"#1a#", "#3ef"}},
        {"in step a bare # will do", "#1ab#xcd#3ef", {"#1ab", "#xcd", "#3ef"}},
        {"out of step a bare # will not", "#1abX#xcd#3ef", {"#1ab", "#3ef"}},
        {"leading garbage", "XY#1ab", {"#1ab"}},
        {"nothing begins", "abcdefghij", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool bytewise : {false, true}) {
            FrameBuffer buffer;
            buffer.setMode(serial::edlmStreaming);
            buffer.setFrameSize(4);
            buffer.setFrameStart(hashFrameStart);
            if (bytewise) {
                for (const char byte : c.stream)
                    buffer.append(QByteArray(1, byte));
            } else {
                buffer.append(c.stream);
            }
            EXPECT_EQ(takeAll(buffer), c.frames) << (bytewise ? "byte by byte" : "at once");
        }
    }
}

TEST(FrameBuffer, DroppedBytesAreGoneButAFrameBeginningAtTheEndWaits)
{
    FrameBuffer buffer;
    buffer.setMode(serial::edlmStreaming);
    buffer.setFrameSize(4);
    buffer.setFrameStart(hashFrameStart);
    buffer.append("abcdef#1");
    EXPECT_EQ(buffer.frameCount(), 0);
    buffer.append("gh");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"#1gh"}));
    buffer.setFrameStart({}); // fixed cuts again
    buffer.append("wxyz");
    EXPECT_EQ(takeAll(buffer), (std::vector<QByteArray>{"wxyz"}));
}

} // namespace
