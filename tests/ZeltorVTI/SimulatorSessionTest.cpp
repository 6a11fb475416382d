#include "VtiFixture.h"

#include "CParameterView.h"
#include "LineNoise.h"
#include "SimulatorPort.h"
#include "SimulatorProgram.h"

#include "Instruments.h"
#include "events/QtEventLoop.h"
#include "serial/DataLink.h"
#include "serial/PortFinder.h"

#include <QElapsedTimer>

#include <algorithm>

using namespace ZeltorVTI;

namespace {

const com::Value kVentilatorStart(std::vector<com::Value>{QStringLiteral("100"), QStringLiteral("0"),
                                                          QStringLiteral("0"), QStringLiteral("5"),
                                                          QStringLiteral("1"), QStringLiteral("0"),
                                                          QStringLiteral("0"), QStringLiteral("0")});

struct StreamRecord {
    int32_t type = 0;
    com::Value values;
};

int countOf(const std::vector<StreamRecord>& records, char type)
{
    return static_cast<int>(
        std::count_if(records.begin(), records.end(), [type](const StreamRecord& r) { return r.type == type; }));
}

// Drives one whole session on the connection of GMTI: identity, parameter views, settings, a
// measurement streaming for `streamingMs`, and the end of remote mode. `pump` lets time pass.
void runWholeSession(const std::function<void(int)>& pump, int streamingMs, std::vector<StreamRecord>& records)
{
    const auto vti = GMTI.VTI();
    const auto info = vti->StartRemote();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->TypeName(), QStringLiteral("Zeltor"));
    EXPECT_EQ(vti->SerialNo(), QStringLiteral("ZT-100234"));
    EXPECT_EQ(vti->FWVersionMajor(), 3);

    auto view = std::make_shared<CParameterView>();
    view->setSlotNumber(4);
    view->setDescription(QStringLiteral("Volume, all"));
    view->SetPredefinedViewRate(epvVolume);
    vti->UploadParameterView(view);
    EXPECT_EQ(vti->GetParameterViewList().at(3).toString(), QStringLiteral("Volume, all"));
    EXPECT_EQ(vti->GetParameterView(4),
              com::Value(std::vector<com::Value>{QStringLiteral("4"), QStringLiteral("Volume, all"),
                                                 QStringLiteral("MIVO"), QStringLiteral("TIVO")}));
    auto empty = std::make_shared<CParameterView>();
    empty->setSlotNumber(4);
    vti->UploadParameterView(empty);
    EXPECT_EQ(vti->GetParameterViewList().at(3).toString(), QString());

    vti->ApplyMTISettings(QStringLiteral("Ann"), QStringLiteral("Ward 4"), QStringLiteral("ZT-100234"));
    EXPECT_EQ(vti->GetMTISettings().at(0).toString(), QStringLiteral("Ann"));

    vti->SetDataLinkMode(serial::edlmStreaming, eds32Bit);
    vti->StartTest({kVentilatorStart});
    for (int i = 0; i < streamingMs; ++i) {
        pump(1);
        while (vti->BufferCount() > 0) {
            StreamRecord record;
            int32_t seq = 0;
            vti->GetTestResult(record.type, seq, record.values);
            records.push_back(record);
        }
    }
    vti->SetDataLinkMode(serial::edlmCommand);
    vti->EndRemote();
    EXPECT_EQ(vti->ConnectionState(), evtiNotConnected);
}

// Lets `ms` milliseconds of real time pass on the Qt event loop.
void pumpRealTime(int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms)
        events::EventLoop::current().pumpOnce();
}

} // namespace

// The real serial path: the simulator program on a pty, opened through QSerialPort.
class SimulatorSessionTest : public VtiFixture {
protected:
    void TearDown() override
    {
        m_sim.reset();
        VtiFixture::TearDown();
    }

    // Starts zeltor-sim with `arguments` on the Qt event loop and makes its pty the configured port.
    void startZeltorSim(const QStringList& arguments)
    {
        events::EventLoop::install(std::make_shared<events::QtEventLoop>());
        m_sim = std::make_unique<SimulatorProgram>(QStringLiteral(ZELTOR_SIM_PATH), arguments);
        const QString& device = m_sim->devicePath();
        ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
        serial::setConfiguredPort(device);
    }

private:
    std::unique_ptr<SimulatorProgram> m_sim;
};

TEST_F(SimulatorSessionTest, WholeSessionWithTheBuiltInSimulator)
{
    simulator::registerSimulatorPort();
    serial::setConfiguredPort(QStringLiteral("sim"));
    std::vector<StreamRecord> records;
    runWholeSession([&](int ms) { loop->advance(ms); }, 10000, records);
    EXPECT_TRUE(boxes->shown().empty());
    // Ten seconds of streaming: 25 waveform packets a second and the four blocks of every breath
    // (15 breaths a minute).
    EXPECT_NEAR(countOf(records, 'M'), 250, 2);
    EXPECT_EQ(countOf(records, 'A'), 2);
    EXPECT_EQ(countOf(records, 'A'), countOf(records, 'D'));
    EXPECT_EQ(countOf(records, 0), 0);
    serial::unregisterVirtualPort(QStringLiteral("sim"));
}

TEST_F(SimulatorSessionTest, WholeSessionOverAPtyWithZeltorSim)
{
    ASSERT_NO_FATAL_FAILURE(startZeltorSim({}));
    std::vector<StreamRecord> records;
    runWholeSession(pumpRealTime, 1000, records);
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_GT(countOf(records, 'M'), 0);
    EXPECT_EQ(countOf(records, 0), 0);
}

// Noise on the line: one byte of the stream is lost and four stray bytes come in later. The
// stream is found again each time, so the run keeps its waveform packets, a frame or two apart.
TEST_F(SimulatorSessionTest, StreamOverAPtyGoesOnAfterALostAndAStrayByte)
{
    ASSERT_NO_FATAL_FAILURE(startZeltorSim({QStringLiteral("--lose-stream-byte"), QStringLiteral("100"),
                                            QStringLiteral("--garbage-in-stream"), QStringLiteral("400")}));
    std::vector<StreamRecord> records;
    runWholeSession(pumpRealTime, 2000, records);
    EXPECT_TRUE(boxes->shown().empty());
    // Two seconds of 25 waveform packets a second, less at most two for each fault.
    EXPECT_GE(countOf(records, 'M'), 40);
    EXPECT_EQ(countOf(records, 0), 0);
}

// Frame-like noise on the line between two waveform packets ("$", a record type and a digit, then
// random bytes): no record comes out of it. The breath blocks keep the simulated lung's 60 breaths
// a minute and 21 % oxygen, and the waveform packets go on.
TEST_F(SimulatorSessionTest, FrameLikeNoiseOverAPtyYieldsNoRecord)
{
    const qsizetype frameSize = eds32Bit;
    const QByteArray noise = frameLikeNoise(frameSize, 16, 17);
    ASSERT_NO_FATAL_FAILURE(startZeltorSim({QStringLiteral("--rate"), QStringLiteral("60"),
                                            QStringLiteral("--garbage-bytes"), QString::fromLatin1(noise.toHex()),
                                            QStringLiteral("--garbage-in-stream"), QString::number(20 * frameSize)}));
    std::vector<StreamRecord> records;
    runWholeSession(pumpRealTime, 2500, records);
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_GE(countOf(records, 'M'), 50);
    EXPECT_GE(countOf(records, 'A'), 1);
    for (const StreamRecord& record : records) {
        ASSERT_TRUE(QByteArrayView("MABCD").contains(static_cast<char>(record.type))) << record.type;
        if (record.type == 'A') {
            EXPECT_EQ(record.values.at(0).toInt32(), 600); // breath rate, tenths
        } else if (record.type == 'D') {
            EXPECT_EQ(record.values.at(1).toInt32(), 210); // oxygen level, tenths
        }
    }
}
