#include "VtiFixture.h"

#include "serial/PortFinder.h"

void VtiFixture::SetUp()
{
    HostFixture::SetUp();
    serial::setConfiguredPort(QStringLiteral("scripted"));
    ZeltorVTI::GMTI.ResetVTI();
}

void VtiFixture::TearDown()
{
    ZeltorVTI::GMTI.ResetVTI();
    serial::setConfiguredPort(QString());
    HostFixture::TearDown();
}

void VtiFixture::connect()
{
    instrument.reply(QStringLiteral("IREM"), "$irem,Zeltor VT,ZT-100234,3.01\r");
    vti()->StartRemote();
    ASSERT_EQ(vti()->ConnectionState(), ZeltorVTI::evtiIdle);
}

std::optional<int32_t> VtiFixture::errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const com::Error& error) {
        return error.number();
    }
    return std::nullopt;
}

QStringList VtiFixture::sentFrames() const
{
    QStringList frames;
    for (const QByteArray& frame : instrument.received())
        frames << QString::fromLatin1(frame);
    return frames;
}
