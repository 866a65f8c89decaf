// The serial port the board is reached through (the main window's MSComm),
// with the properties the board protocol uses. SerialCommPort is the real
// one over QSerialPort; ScriptedCommPort stands in for it in tests.
//
//     port.SetRThreshold(6);                  // receive events from 6 bytes on
//     port.SetOnComm([&](int event) { ... }); // CommEvent 2 (data) or 3 (CTS)
//     if (!port.Open("/dev/ttyS1")) status = port.ErrorText();
//     port.ClearInBuffer();                   // InBufferCount = 0
//     port.Output(packet);
//     while (port.InBufferCount() < 5) port.WaitInput(10);
//     QByteArray reply = port.Input();        // InputLen 0: everything waiting
//
// The base class is a port with no line behind it: it never opens a device of
// its own, nothing arrives, output goes nowhere and CTS is low.
#pragma once

#include <functional>
#include <utility>

#include <QByteArray>
#include <QString>

namespace quorvel {

// OnComm's CommEvent values.
inline constexpr int kCommEventReceive = 2;
inline constexpr int kCommEventCTS = 3;

class CommPort {
public:
    using OnCommHandler = std::function<void(int commEvent)>;

    virtual ~CommPort() = default;

    // Opens the device (the CommPort property) at 38400 baud, 8 data bits,
    // no parity, one stop bit, binary; an open port is closed first.
    virtual bool Open(const QString& device) = 0;
    virtual void Close() = 0;
    virtual bool PortOpen() const = 0;
    // The device of the last Open: where FindBoard reopens a closed port.
    virtual QString Device() const = 0;
    // Why the last Open failed.
    virtual QString ErrorText() const = 0;

    // The board holds CTS while it is connected.
    virtual bool CTSHolding() const { return false; }
    // Bytes waiting in the receive buffer.
    virtual int InBufferCount() const { return 0; }
    // InBufferCount = 0: drops everything received so far.
    virtual void ClearInBuffer() {}
    // Receive events only when at least this many bytes wait; 0: none.
    void SetRThreshold(int threshold) { rThreshold_ = threshold; }
    int RThreshold() const { return rThreshold_; }
    // What Input reads: 0 everything waiting, n at most n bytes.
    void SetInputLen(int length) { inputLen_ = length; }
    int InputLen() const { return inputLen_; }
    virtual QByteArray Input() { return {}; }
    virtual void Output(const QByteArray& bytes) { (void)bytes; }
    // Blocks for at most `msecs` until more bytes arrive; it is how a reply
    // is awaited without processing events.
    virtual void WaitInput(int msecs) { (void)msecs; }

    // The OnComm event. A port raises it from its owner's event processing,
    // never from inside Input, Output or WaitInput.
    void SetOnComm(OnCommHandler handler) { onComm_ = std::move(handler); }

protected:
    void RaiseOnComm(int commEvent) {
        if (onComm_) onComm_(commEvent);
    }

private:
    OnCommHandler onComm_;
    int rThreshold_ = 0;
    int inputLen_ = 0;
};

} // namespace quorvel
