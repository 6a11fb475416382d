#pragma once

#include "SimulatorPort.h"
#include "WireDecoding.h"

#include "events/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>

namespace simulator::testing {

// A simulated instrument on an in-memory link, driven from the system's end of the link on a
// virtual clock.
class SimulatorFixture : public ::testing::Test {
protected:
    SimulatorFixture() { events::EventLoop::install(m_loop); }
    void TearDown() override
    {
        link.reset();
        events::EventLoop::install(nullptr);
    }

    void open(const SimulatorSettings& settings = {}) { link = openSimulatorLink(settings); }
    void send(const QByteArray& bytes) { link->Send(bytes); }
    void advance(int64_t milliseconds) { m_loop->advance(milliseconds); }

    // Every frame waiting on the link, in the link's current mode.
    std::vector<QByteArray> frames()
    {
        std::vector<QByteArray> taken;
        while (link->BufferCount() > 0)
            taken.push_back(link->Receive());
        return taken;
    }

    // Sends one command in command mode and returns the fields of the replies that arrived
    // within `waitMs`.
    std::vector<QStringList> exchange(const QByteArray& frame, int64_t waitMs = 20)
    {
        send(frame);
        advance(waitMs);
        std::vector<QStringList> replies;
        for (const QByteArray& reply : frames())
            replies.push_back(replyFields(reply));
        return replies;
    }

    // The fields of the one reply to `frame`.
    QStringList ask(const QByteArray& frame)
    {
        const std::vector<QStringList> replies = exchange(frame);
        EXPECT_EQ(replies.size(), 1u) << frame.constData();
        return replies.empty() ? QStringList() : replies.front();
    }

    // From now on the link hands out single bytes, so frames() gives the raw byte stream.
    void watchRawBytes()
    {
        link->setLinkMode(serial::edlmStreaming);
        link->setFrameSize(1);
    }
    QByteArray rawBytes()
    {
        QByteArray bytes;
        for (const QByteArray& byte : frames())
            bytes += byte;
        return bytes;
    }

    // The system's way into a measurement: remote mode, streaming frames of `frameSize`, then
    // "STST" with eight parameters.
    void startTest(int testId, int frameSize)
    {
        ASSERT_EQ(ask("$IREM\r").value(0), QStringLiteral("irem"));
        link->setLinkMode(serial::edlmStreaming);
        link->setFrameSize(frameSize);
        send(QByteArrayLiteral("$STST,") + QByteArray::number(testId) + ",0,BTPS,0,500,10,1,50\r");
    }

    std::shared_ptr<serial::MemoryLink> link;

private:
    std::shared_ptr<events::VirtualEventLoop> m_loop = std::make_shared<events::VirtualEventLoop>();
};

} // namespace simulator::testing
