// The serial port the board is reached through (the frame's MSComm). The
// frame opens and closes it; the board link reads and writes it. A test can
// plug in a port of its own.
//
//     SerialCommPort port;
//     if (!port.Open("/dev/ttyS1"))
//         status = port.ErrorText();
#pragma once

#include <QSerialPort>
#include <QString>

namespace quorvel {

class CommPort {
public:
    virtual ~CommPort() = default;

    // Opens the device at 38400 baud, 8 data bits, no parity, one stop bit,
    // no flow control; an open port is closed first.
    virtual bool Open(const QString& device) = 0;
    virtual void Close() = 0;
    virtual bool PortOpen() const = 0;
    // The device of the last Open.
    virtual QString Device() const = 0;
    // Why the last Open failed.
    virtual QString ErrorText() const = 0;
};

// A CommPort on a real serial device or pseudo-terminal.
class SerialCommPort : public CommPort {
public:
    static constexpr qint32 kBaudRate = 38400;

    bool Open(const QString& device) override;
    void Close() override;
    bool PortOpen() const override { return port_.isOpen(); }
    QString Device() const override { return device_; }
    QString ErrorText() const override { return error_; }

    QSerialPort& port() { return port_; }

private:
    QSerialPort port_;
    QString device_;
    QString error_;
};

} // namespace quorvel
