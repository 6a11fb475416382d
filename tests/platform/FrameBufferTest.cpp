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

// A streaming buffer of 4-byte "#" frames on a clock that the test moves.
struct HashStream {
    HashStream()
    {
        buffer.setMode(serial::edlmStreaming);
        buffer.setFrameSize(4);
        buffer.setFrameStart(hashFrameStart);
    }

    int64_t now = 0;
    FrameBuffer buffer{[this] { return now; }};
};

TEST(FrameBuffer, StreamingWithAFrameStartTakesFramesThatTheNextOneFollows)
{
    const struct {
        const char* name;
        QByteArray stream;
        std::vector<QByteArray> frames;
    } cases[] = {
        {"in step", "#1ab#2cd#3ef", {"#1ab", "#2cd", "#3ef"}},
        {"a stray byte between frames", "#1abX#2cd#3ef#4gh", {"#2cd", "#3ef", "#4gh"}},
        {"a stray byte inside a frame", "#1aXb#2cd#3ef#4gh", {"#2cd", "#3ef", "#4gh"}},
        {"a lost byte", "#1a#2cd#3ef#4gh", {"#2cd", "#3ef", "#4gh"}},
        {"in step a bare # will do", "#1ab#xcd#3ef", {"#1ab", "#xcd", "#3ef"}},
        {"out of step a bare # will not", "#1abX#xcd#3ef#4gh#5ij", {"#3ef", "#4gh", "#5ij"}},
        {"noise that starts like frames", "#1ab#7x#8yzw#2cd#3ef#4gh", {"#1ab", "#2cd", "#3ef", "#4gh"}},
        {"out of step one frame behind is not enough", "X#5ab#6cdQ#2cd#3ef#4gh", {"#2cd", "#3ef", "#4gh"}},
        {"leading garbage", "XY#1ab#2cd#3ef", {"#1ab", "#2cd", "#3ef"}},
        {"out of step the last frames wait for more", "XY#1ab#2cd", {}},
        {"nothing begins", "abcdefghij", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool bytewise : {false, true}) {
            HashStream line;
            if (bytewise) {
                for (const char byte : c.stream)
                    line.buffer.append(QByteArray(1, byte));
            } else {
                line.buffer.append(c.stream);
            }
            line.now += FrameBuffer::kQuietMs;
            EXPECT_EQ(takeAll(line.buffer), c.frames) << (bytewise ? "byte by byte" : "at once");
        }
    }
}

TEST(FrameBuffer, InStepTheLastFrameComesOnceTheLineIsQuiet)
{
    HashStream line;
    line.buffer.append("#1ab#2cd");
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#1ab"}));
    line.now += FrameBuffer::kQuietMs - 1;
    EXPECT_EQ(line.buffer.frameCount(), 0);
    line.now += 1;
    EXPECT_EQ(line.buffer.frameCount(), 1);
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#2cd"}));

    // A byte behind the frame: it waits for the rest of the next frame, however quiet the line.
    line.buffer.append("#3ef#");
    line.now += 1000;
    EXPECT_EQ(line.buffer.frameCount(), 0);
    line.buffer.append("4gh");
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#3ef"}));

    line.now += FrameBuffer::kQuietMs;
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#4gh"}));

    // Out of step the last frames wait for more, however quiet the line.
    line.buffer.append("X#5ij#6kl");
    line.now += 1000;
    EXPECT_EQ(line.buffer.frameCount(), 0);
    line.buffer.append("#7mn");
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#5ij", "#6kl"}));
    line.now += FrameBuffer::kQuietMs;
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#7mn"}));

    // Fixed cuts again without a frame start.
    line.buffer.append("#8o");
    line.buffer.setFrameStart({});
    line.buffer.append("pwxyz");
    EXPECT_EQ(takeAll(line.buffer), (std::vector<QByteArray>{"#8op", "wxyz"}));
}

} // namespace
