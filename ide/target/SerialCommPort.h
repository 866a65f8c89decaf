// A CommPort on a serial device or a pseudo-terminal, over QSerialPort.
//
//     SerialCommPort port;
//     port.SetOnComm([&](int event) { ... });   // raised from the event loop
//     if (!port.Open("/dev/ttyUSB0")) status = port.ErrorText();
//
// Bytes arrive while the event loop runs or while WaitInput waits. A receive
// event is posted when at least RThreshold bytes wait, and runs from the event
// loop like any other event. CTS is sampled every 100 ms while the port is
// open and a change raises CommEvent 3. A device that cannot report its modem
// lines (a pseudo-terminal) counts as holding CTS.
#pragma once

#include <QSerialPort>
#include <QTimer>

#include "target/CommPort.h"

namespace quorvel {

class SerialCommPort : public CommPort {
public:
    static constexpr qint32 kBaudRate = 38400;
    static constexpr int kCTSPollMs = 100;

    SerialCommPort();
    ~SerialCommPort() override;

    bool Open(const QString& device) override;
    void Close() override;
    bool PortOpen() const override { return port_.isOpen(); }
    QString Device() const override { return device_; }
    QString ErrorText() const override { return error_; }

    bool CTSHolding() const override;
    int InBufferCount() const override;
    void ClearInBuffer() override;
    QByteArray Input() override;
    void Output(const QByteArray& bytes) override;
    void WaitInput(int msecs) override;

    QSerialPort& port() { return port_; }

private:
    void DataArrived();
    void PostReceiveEvent();
    void PollCTS();

    mutable QSerialPort port_;
    QTimer ctsPoll_;
    QString device_;
    QString error_;
    bool lastCTS_ = false;
    bool receivePosted_ = false;
};

} // namespace quorvel
