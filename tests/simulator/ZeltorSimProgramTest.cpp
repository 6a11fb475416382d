#include "SimulatorProgram.h"
#include "WireDecoding.h"

#include "events/EventLoop.h"
#include "serial/SerialPortLink.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace simulator::testing {
namespace {

constexpr int kWaitMs = SimulatorProgram::kWaitMs;

// zeltor-sim on the real event loop.
class ZeltorSimProgram : public ::testing::Test {
protected:
    void SetUp() override { events::EventLoop::install(nullptr); }

    // Sends `frame` and pumps the real event loop until a reply frame is there.
    static QStringList ask(serial::SerialPortLink& link, const QByteArray& frame)
    {
        link.Send(frame);
        SimulatorProgram::pumpUntil([&] { return link.BufferCount() > 0; });
        return replyFields(link.Receive());
    }

    static std::shared_ptr<serial::SerialPortLink> openPort(const QString& device)
    {
        QString why;
        auto link = serial::SerialPortLink::open(device, serial::parseLineSettings("38400,O,8,1"), why);
        EXPECT_TRUE(link) << qPrintable(why);
        return link;
    }
};

TEST_F(ZeltorSimProgram, ServesThePtyItPrintsUntilTerminated)
{
    // Its replies go out at the pace of the instrument's line.
    SimulatorProgram sim(QStringLiteral(ZELTOR_SIM_PATH),
                         {"--model", "Bench Lung", "--serial", "SN-9", "--firmware", "2.10", "--baud", "38400"});
    const QString& device = sim.devicePath();
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

    QProcess& process = sim.process();
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(kWaitMs));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(ZeltorSimProgram, RefusesABadCommandLineWithAMessage)
{
    const QStringList bad[] = {{"--rate", "fast"}, {"--hold", "9"}, {"--errm", "GMTD=x"}, {"--garbage-bytes", "zz"},
                              {"--lose-stream-byte=-1"}, {"--garbage-in-stream", "x"}, {"--baud", "0"}, {"--nonsense"}};
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(qPrintable(arguments.join(' ')));
        QProcess process;
        process.start(QStringLiteral(ZELTOR_SIM_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(kWaitMs));
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << "no device path";
        EXPECT_FALSE(process.readAllStandardError().isEmpty());
    }
}

} // namespace
} // namespace simulator::testing
