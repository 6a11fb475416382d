#include "serial/PortFinder.h"

#include "PtyPair.h"
#include "RaisedNumber.h"
#include "serial/MemoryLink.h"
#include "serial/SerialPortLink.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PortFinderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedEnvironment = qgetenv("ZELTOR_PORT");
        qunsetenv("ZELTOR_PORT");
        serial::setConfiguredPort(QString());
    }

    void TearDown() override
    {
        serial::setConfiguredPort(QString());
        serial::unregisterVirtualPort(QStringLiteral("test-port"));
        if (m_savedEnvironment.isNull())
            qunsetenv("ZELTOR_PORT");
        else
            qputenv("ZELTOR_PORT", m_savedEnvironment);
    }

    int32_t found()
    {
        int32_t id = -1;
        finder.FindInstrument(QStringLiteral("Zeltor"), QString(), id);
        return id;
    }

    serial::PortFinder finder;

private:
    QByteArray m_savedEnvironment;
};

TEST_F(PortFinderTest, TheHostsPortWinsOverTheEnvironment)
{
    EXPECT_EQ(serial::configuredPort(), QString());
    qputenv("ZELTOR_PORT", "/dev/from-environment");
    EXPECT_EQ(serial::configuredPort(), QStringLiteral("/dev/from-environment"));
    serial::setConfiguredPort(QStringLiteral("sim"));
    EXPECT_EQ(serial::configuredPort(), QStringLiteral("sim"));
}

TEST_F(PortFinderTest, NoPortOrOneThatCannotBeOpenedIsNotFound)
{
    EXPECT_EQ(found(), 0);
    qputenv("ZELTOR_PORT", "/nonexistent/ttyZ");
    EXPECT_EQ(found(), 0);
    serial::setConfiguredPort(QStringLiteral("not-registered"));
    EXPECT_EQ(found(), 0);
    try {
        finder.OpenPort(0, QStringLiteral("38400,O,8,1"));
        ADD_FAILURE() << "opened port 0";
    } catch (const com::Error& error) {
        EXPECT_EQ(error.number(), serial::kErrPortOpenFailed);
        EXPECT_EQ(error.source(), QStringLiteral("DataLink"));
    }
}

TEST_F(PortFinderTest, AVirtualPortOpensItsLink)
{
    std::shared_ptr<serial::MemoryLink> served;
    serial::registerVirtualPort(QStringLiteral("test-port"), [&]() -> std::shared_ptr<serial::IDataLink> {
        served = serial::MemoryLink::createPair().first;
        return served;
    });
    qputenv("ZELTOR_PORT", "test-port");
    EXPECT_EQ(found(), 1);
    const auto link = serial::dataLinkManager()->Ports()->OpenPort(1, QStringLiteral("38400,O,8,1"));
    EXPECT_EQ(link, served);
    EXPECT_EQ(raisedNumber([&] { finder.OpenPort(2, QStringLiteral("38400,O,8,1")); }), serial::kErrPortOpenFailed);

    serial::registerVirtualPort(QStringLiteral("test-port"), [] { return std::shared_ptr<serial::IDataLink>(); });
    EXPECT_EQ(raisedNumber([&] { finder.OpenPort(1, QStringLiteral("38400,O,8,1")); }), serial::kErrPortOpenFailed);
    serial::unregisterVirtualPort(QStringLiteral("test-port"));
    EXPECT_EQ(found(), 0);
}

TEST_F(PortFinderTest, ADeviceThatOpensIsFoundAndOpenedWithTheSettings)
{
    PtyPair pty;
    ASSERT_TRUE(pty.isOpen());
    serial::setConfiguredPort(pty.devicePath());
    EXPECT_EQ(found(), 1);
    EXPECT_EQ(raisedNumber([&] { finder.OpenPort(1, QStringLiteral("38400,Q,8,1")); }), com::errInvalidCall);
    const auto link = finder.OpenPort(1, QStringLiteral("38400,O,8,1"));
    ASSERT_NE(std::dynamic_pointer_cast<serial::SerialPortLink>(link), nullptr);
    EXPECT_EQ(link->State(), serial::edlsOpen);
    link->Close();
}

} // namespace
