#include "SerialPortLink.h"

#include "com/Error.h"

#include <QStringList>
#include <QTimer>

namespace serial {

namespace {

QSerialPort::Parity parityOf(const QString& text)
{
    const QString p = text.trimmed().toUpper();
    if (p == QLatin1String("N")) return QSerialPort::NoParity;
    if (p == QLatin1String("E")) return QSerialPort::EvenParity;
    if (p == QLatin1String("O")) return QSerialPort::OddParity;
    if (p == QLatin1String("M")) return QSerialPort::MarkParity;
    if (p == QLatin1String("S")) return QSerialPort::SpaceParity;
    throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
}

QSerialPort::StopBits stopBitsOf(const QString& text)
{
    const QString s = text.trimmed();
    if (s == QLatin1String("1")) return QSerialPort::OneStop;
    if (s == QLatin1String("1.5")) return QSerialPort::OneAndHalfStop;
    if (s == QLatin1String("2")) return QSerialPort::TwoStop;
    throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
}

int wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
    return value;
}

} // namespace

LineSettings parseLineSettings(const QString& settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
    LineSettings line;
    line.baudRate = wholeNumber(parts[0]);
    if (line.baudRate <= 0)
        throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
    line.parity = parityOf(parts[1]);
    const int dataBits = wholeNumber(parts[2]);
    if (dataBits < 5 || dataBits > 8)
        throw com::Error::invalidCall(QString::fromLatin1(kErrorSource));
    line.dataBits = static_cast<QSerialPort::DataBits>(dataBits);
    line.stopBits = stopBitsOf(parts[3]);
    return line;
}

std::shared_ptr<SerialPortLink> SerialPortLink::open(const QString& device, const LineSettings& line, QString& why)
{
    auto link = std::shared_ptr<SerialPortLink>(new SerialPortLink);
    link->m_port = std::make_unique<QSerialPort>(device);
    QSerialPort& port = *link->m_port;
    if (!port.open(QIODevice::ReadWrite)) {
        why = port.errorString();
        return nullptr;
    }
    // A pty accepts only some of these; what it refuses does not matter to it.
    port.setBaudRate(line.baudRate);
    port.setParity(line.parity);
    port.setDataBits(line.dataBits);
    port.setStopBits(line.stopBits);
    port.setFlowControl(QSerialPort::NoFlowControl);
    SerialPortLink* raw = link.get();
    QObject::connect(&port, &QSerialPort::readyRead, &port, [raw] { raw->takeIn(); });
    QObject::connect(&port, &QSerialPort::errorOccurred, &port, [raw](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError
            || error == QSerialPort::ReadError || error == QSerialPort::WriteError)
            raw->fail();
    });
    return link;
}

int32_t SerialPortLink::State() const
{
    if (m_failed)
        return edlsFailed;
    return m_port && m_port->isOpen() ? edlsOpen : edlsClosed;
}

void SerialPortLink::Close()
{
    m_failed = false;
    if (m_port)
        m_port->close();
    m_frames.clear();
}

void SerialPortLink::Send(const QByteArray& frame)
{
    if (State() != edlsOpen || m_port->write(frame) != frame.size())
        throw com::Error(kErrLinkFailure, QString::fromLatin1(kErrorSource), QStringLiteral("Cannot send on the link"));
    // Written out now rather than when the event loop next runs, so that a frame sent just before
    // the link closes still leaves. What the device cannot take yet follows from the event loop.
    m_port->flush();
}

void SerialPortLink::fail()
{
    if (m_failed)
        return;
    m_failed = true;
    // A port that went away keeps reporting errors on every pump; it is closed once the port's
    // own error handling has returned.
    QTimer::singleShot(0, m_port.get(), [port = m_port.get()] { port->close(); });
}

void SerialPortLink::takeIn()
{
    m_frames.append(m_port->readAll());
}

} // namespace serial
