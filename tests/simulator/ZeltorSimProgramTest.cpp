#include "WireDecoding.h"

#include "events/EventLoop.h"
#include "serial/SerialPortLink.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace simulator::testing {
namespace {

constexpr int kWaitMs = 10'000;

// zeltor-sim started with `arguments`, stopped with SIGTERM at the end.
class ZeltorSimProgram : public ::testing::Test {
protected:
    void SetUp() override { events::EventLoop::install(nullptr); }
    void TearDown() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }

    QString start(const QStringList& arguments)
    {
        m_process.start(QStringLiteral(ZELTOR_SIM_PATH), arguments);
        if (!m_process.waitForStarted(kWaitMs))
            return {};
        QElapsedTimer clock;
        clock.start();
        while (!m_process.canReadLine() && clock.elapsed() < kWaitMs)
            m_process.waitForReadyRead(100);
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }

    // Sends `frame` and pumps the real event loop until a reply frame is there.
    static QStringList ask(serial::SerialPortLink& link, const QByteArray& frame)
    {
        link.Send(frame);
        QElapsedTimer clock;
        clock.start();
        while (link.BufferCount() == 0 && clock.elapsed() < kWaitMs)
            events::EventLoop::current().pumpOnce();
        return replyFields(link.Receive());
    }

    static std::shared_ptr<serial::SerialPortLink> openPort(const QString& device)
    {
        QString why;
        auto link = serial::SerialPortLink::open(device, serial::parseLineSettings("38400,O,8,1"), why);
        EXPECT_TRUE(link) << qPrintable(why);
        return link;
    }

    QProcess m_process;
};

TEST_F(ZeltorSimProgram, ServesThePtyItPrintsUntilTerminated)
{
    const QString device = start({"--model", "Bench Lung", "--serial", "SN-9", "--firmware", "2.10"});
    ASSERT_TRUE(device.startsWith("/dev/")) << qPrintable(device);

    // The system opens the port twice: a probe, then the real link.
    {
        const auto probe = openPort(device);
        ASSERT_TRUE(probe);
        probe->Close();
    }
    const auto link = openPort(device);
    ASSERT_TRUE(link);
    EXPECT_EQ(ask(*link, "$IREM\r"), (QStringList{"irem", "Bench Lung", "SN-9", "2.10"}));
    EXPECT_EQ(ask(*link, "$PMTD,Ann\\, Lee,Ward 4,SN-9\r"), (QStringList{"gmtd", "Ann, Lee", "Ward 4", "SN-9"}));
    link->Close();

    m_process.terminate();
    ASSERT_TRUE(m_process.waitForFinished(kWaitMs));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);
}

TEST_F(ZeltorSimProgram, RefusesABadCommandLineWithAMessage)
{
    const QStringList bad[] = {{"--rate", "fast"}, {"--hold", "9"}, {"--errm", "GMTD=x"}, {"--garbage-bytes", "zz"},
                              {"--lose-stream-byte=-1"}, {"--garbage-in-stream", "x"}, {"--nonsense"}};
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(qPrintable(arguments.join(' ')));
        m_process.start(QStringLiteral(ZELTOR_SIM_PATH), arguments);
        ASSERT_TRUE(m_process.waitForFinished(kWaitMs));
        EXPECT_EQ(m_process.exitCode(), 2);
        EXPECT_TRUE(m_process.readAllStandardOutput().isEmpty()) << "no device path";
        EXPECT_FALSE(m_process.readAllStandardError().isEmpty());
    }
}

} // namespace
} // namespace simulator::testing
