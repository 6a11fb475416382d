#pragma once

#include "DataLink.h"
#include "FrameBuffer.h"

#include <QSerialPort>

#include <memory>
#include <utility>

namespace serial {

// Baud rate, parity, data and stop bits of a settings text such as "38400,O,8,1".
struct LineSettings {
    qint32 baudRate = 38400;
    QSerialPort::Parity parity = QSerialPort::OddParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Parses "baud,parity,data,stop": parity N, E, O, M or S; data bits 5 to 8; stop bits 1, 1.5 or 2.
// A settings text that does not read so raises 5 (invalid call).
LineSettings parseLineSettings(const QString& settings);

// A link over a real serial device (or a pty). Received bytes are taken in as Qt delivers them
// while the message pump runs; Receive and BufferCount only look at what has arrived.
class SerialPortLink final : public IDataLink {
public:
    static std::shared_ptr<SerialPortLink> open(const QString& device, const LineSettings& line, QString& why);

    int32_t BufferCount() const override { return m_frames.frameCount(); }
    int32_t State() const override;
    int32_t LinkMode() const override { return m_frames.mode(); }
    void setLinkMode(int32_t mode) override { m_frames.setMode(mode); }
    void setFrameSize(int32_t bytes) override { m_frames.setFrameSize(bytes); }
    void setFrameStart(FrameStart isFrameStart) override { m_frames.setFrameStart(std::move(isFrameStart)); }
    void Close() override;
    QByteArray Receive() override { return m_frames.takeFrame(); }
    void Send(const QByteArray& frame) override;

private:
    SerialPortLink() = default;
    void takeIn();
    // The device went away or reported a read or write error: the link fails for good.
    void fail();

    std::unique_ptr<QSerialPort> m_port;
    FrameBuffer m_frames;
    bool m_failed = false;
};

} // namespace serial
