#include "serial/SerialPortLink.h"

#include "PtyPair.h"
#include "RaisedNumber.h"
#include "events/QtEventLoop.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TEST(LineSettings, ReadsBaudParityDataAndStopBits)
{
    const struct {
        const char* text;
        qint32 baud;
        QSerialPort::Parity parity;
        QSerialPort::DataBits data;
        QSerialPort::StopBits stop;
    } cases[] = {
        {"38400,O,8,1", 38400, QSerialPort::OddParity, QSerialPort::Data8, QSerialPort::OneStop},
        {"9600,N,7,2", 9600, QSerialPort::NoParity, QSerialPort::Data7, QSerialPort::TwoStop},
        {"115200,e,8,1.5", 115200, QSerialPort::EvenParity, QSerialPort::Data8, QSerialPort::OneAndHalfStop},
        {" 1200 , m , 5 , 1 ", 1200, QSerialPort::MarkParity, QSerialPort::Data5, QSerialPort::OneStop},
        {"300,S,6,2", 300, QSerialPort::SpaceParity, QSerialPort::Data6, QSerialPort::TwoStop},
    };
    for (const auto& c : cases) {
        const serial::LineSettings line = serial::parseLineSettings(QString::fromLatin1(c.text));
        EXPECT_EQ(line.baudRate, c.baud) << c.text;
        EXPECT_EQ(line.parity, c.parity) << c.text;
        EXPECT_EQ(line.dataBits, c.data) << c.text;
        EXPECT_EQ(line.stopBits, c.stop) << c.text;
    }
}

TEST(LineSettings, TextsThatDoNotReadAreInvalidCalls)
{
    for (const char* text : {"", "38400,O,8", "38400,O,8,1,1", "38400,X,8,1", "38400,,8,1", "38400,O,9,1",
                             "38400,O,4,1", "38400,O,8,3", "38400,O,8,0", "x,O,8,1", "0,O,8,1", "-9600,O,8,1",
                             "38400.5,O,8,1", "38400,O,eight,1"})
        EXPECT_EQ(raisedNumber([&] { serial::parseLineSettings(QString::fromLatin1(text)); }), com::errInvalidCall)
            << '"' << text << '"';
}

class SerialPortLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.isOpen());
        QString why;
        link = serial::SerialPortLink::open(pty.devicePath(), serial::parseLineSettings(QStringLiteral("38400,O,8,1")), why);
        ASSERT_NE(link, nullptr) << why.toStdString();
    }

    // Pumps the Qt loop until `done` or a generous bound, so a broken link fails instead of hanging.
    bool pumpUntil(const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        for (int pumps = 0; pumps < 100'000 && clock.elapsed() < 10'000; ++pumps) {
            if (done())
                return true;
            loop.pumpOnce();
        }
        return done();
    }

    PtyPair pty;
    events::QtEventLoop loop;
    std::shared_ptr<serial::SerialPortLink> link;
};

TEST_F(SerialPortLinkTest, ReceivesFramesFromTheDevice)
{
    EXPECT_EQ(link->State(), serial::edlsOpen);
    EXPECT_EQ(link->Receive(), QByteArray()); // nothing yet: empty at once
    pty.write("$#gpl,1,2\r$#g");
    ASSERT_TRUE(pumpUntil([&] { return link->BufferCount() == 1; }));
    EXPECT_EQ(link->Receive(), QByteArray("$#gpl,1,2\r"));
    pty.write("pd\r");
    ASSERT_TRUE(pumpUntil([&] { return link->BufferCount() == 1; }));
    EXPECT_EQ(link->Receive(), QByteArray("$#gpd\r"));

    link->setLinkMode(serial::edlmStreaming);
    link->setFrameSize(3);
    pty.write(QByteArray("\x01\x02\r\x04", 4));
    ASSERT_TRUE(pumpUntil([&] { return link->BufferCount() == 1; }));
    EXPECT_EQ(link->Receive(), QByteArray("\x01\x02\r", 3));
}

TEST_F(SerialPortLinkTest, SentBytesReachTheDeviceEvenWhenTheLinkClosesAtOnce)
{
    link->Send("$GPL\r");
    EXPECT_EQ(pty.read(5), QByteArray("$GPL\r"));
    link->Send("$EREM\r");
    link->Close();
    EXPECT_EQ(link->State(), serial::edlsClosed);
    EXPECT_EQ(pty.read(6), QByteArray("$EREM\r"));
    EXPECT_EQ(raisedNumber([&] { link->Send("$x\r"); }), serial::kErrLinkFailure);
    EXPECT_EQ(link->Receive(), QByteArray());
}

TEST_F(SerialPortLinkTest, ADeviceThatGoesAwayFailsTheLink)
{
    pty.closeMaster();
    EXPECT_TRUE(pumpUntil([&] { return link->State() == serial::edlsFailed; }));
    EXPECT_EQ(raisedNumber([&] { link->Send("$x\r"); }), serial::kErrLinkFailure);
}

TEST(SerialPortLink, ADeviceThatCannotBeOpenedGivesTheReason)
{
    QString why;
    EXPECT_EQ(serial::SerialPortLink::open(QStringLiteral("/nonexistent/ttyZ"), {}, why), nullptr);
    EXPECT_FALSE(why.isEmpty());
}

} // namespace
