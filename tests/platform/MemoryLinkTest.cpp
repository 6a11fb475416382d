#include "serial/MemoryLink.h"

#include "RaisedNumber.h"
#include "events/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class MemoryLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events::EventLoop::install(loop);
        std::tie(link, instrument) = serial::MemoryLink::createPair(3);
        instrument->setReader([this](const QByteArray& frame) { received.push_back({loop->now(), frame}); });
    }
    void TearDown() override { events::EventLoop::install(nullptr); }

    std::shared_ptr<events::VirtualEventLoop> loop = std::make_shared<events::VirtualEventLoop>();
    std::shared_ptr<serial::MemoryLink> link;
    std::shared_ptr<serial::MemoryInstrumentEnd> instrument;
    std::vector<std::pair<int64_t, QByteArray>> received;
};

TEST_F(MemoryLinkTest, BytesArriveAfterTheLatencyAndAreCutIntoFrames)
{
    EXPECT_EQ(link->State(), serial::edlsOpen);
    EXPECT_EQ(link->Receive(), QByteArray()); // nothing there: empty at once
    instrument->write("$#a,1\r$#b");
    loop->advance(3);
    EXPECT_EQ(link->BufferCount(), 0);
    loop->pumpOnce();
    EXPECT_EQ(link->BufferCount(), 1);
    instrument->write(",2\r$#c\r");
    loop->advance(4);
    EXPECT_EQ(link->BufferCount(), 3);
    EXPECT_EQ(link->Receive(), QByteArray("$#a,1\r"));
    EXPECT_EQ(link->Receive(), QByteArray("$#b,2\r"));
    EXPECT_EQ(link->BufferCount(), 1);
    EXPECT_EQ(link->Receive(), QByteArray("$#c\r"));
    EXPECT_EQ(link->Receive(), QByteArray());

    link->setLinkMode(serial::edlmStreaming);
    link->setFrameSize(4);
    EXPECT_EQ(link->LinkMode(), serial::edlmStreaming);
    instrument->write("0123456");
    loop->advance(4);
    EXPECT_EQ(link->BufferCount(), 1);
    EXPECT_EQ(link->Receive(), QByteArray("0123"));
}

TEST_F(MemoryLinkTest, SentFramesReachTheInstrumentAfterTheLatency)
{
    link->Send("$GPL\r");
    link->Send("$GPD,1\r");
    loop->advance(10);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], std::make_pair(int64_t{3}, QByteArray("$GPL\r")));
    EXPECT_EQ(received[1].second, QByteArray("$GPD,1\r"));
    EXPECT_TRUE(instrument->linkOpen());
}

TEST_F(MemoryLinkTest, CloseStopsTheLinkAndReleasesItsCompanion)
{
    const auto companion = std::make_shared<int>(1);
    link->keepAlive(companion);
    EXPECT_EQ(companion.use_count(), 2);
    instrument->write("$late\r");
    link->Send("$EREM\r");
    link->Close();
    EXPECT_EQ(companion.use_count(), 1);
    EXPECT_EQ(link->State(), serial::edlsClosed);
    EXPECT_FALSE(instrument->linkOpen());
    loop->advance(10);
    EXPECT_EQ(link->BufferCount(), 0); // nothing arrives once closed
    EXPECT_TRUE(received.empty());     // nor does a frame still under way reach the instrument
    try {
        link->Send("$x\r");
        ADD_FAILURE() << "sent on a closed link";
    } catch (const com::Error& error) {
        EXPECT_EQ(error.number(), serial::kErrLinkFailure);
        EXPECT_EQ(error.source(), QStringLiteral("DataLink"));
    }
}

TEST_F(MemoryLinkTest, ABrokenLinkFails)
{
    instrument->breakLink();
    EXPECT_EQ(link->State(), serial::edlsFailed);
    EXPECT_EQ(raisedNumber([&] { link->Send("$x\r"); }), serial::kErrLinkFailure);
    instrument->write("$y\r");
    loop->advance(10);
    EXPECT_EQ(link->BufferCount(), 0);
}

TEST_F(MemoryLinkTest, EitherEndMayGoFirst)
{
    instrument->write("$a\r");
    link->Send("$b\r");
    link.reset();
    loop->advance(10); // the bytes under way find no link and are dropped
    EXPECT_FALSE(instrument->linkOpen());
    EXPECT_TRUE(received.empty());

    auto [other, end] = serial::MemoryLink::createPair();
    other->Send("$c\r");
    end.reset();
    loop->advance(10);
    EXPECT_EQ(other->State(), serial::edlsOpen);
}

} // namespace
