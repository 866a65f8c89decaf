#include "target/SerialCommPort.h"

#include <algorithm>

#include <QThread>

namespace quorvel {

SerialCommPort::SerialCommPort() {
    port_.setReadBufferSize(0);
    QObject::connect(&port_, &QIODevice::readyRead, &port_, [this] { DataArrived(); });
    ctsPoll_.setInterval(kCTSPollMs);
    QObject::connect(&ctsPoll_, &QTimer::timeout, &port_, [this] { PollCTS(); });
}

SerialCommPort::~SerialCommPort() {
    Close();
}

bool SerialCommPort::Open(const QString& device) {
    Close();
    device_ = device;
    error_.clear();
    port_.setPortName(device);
    port_.setBaudRate(kBaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (device.trimmed().isEmpty()) {
        error_ = QStringLiteral("No port name");
        return false;
    }
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = port_.errorString();
        port_.clearError();
        return false;
    }
    lastCTS_ = CTSHolding();
    ctsPoll_.start();
    return true;
}

void SerialCommPort::Close() {
    ctsPoll_.stop();
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

bool SerialCommPort::CTSHolding() const {
    if (!port_.isOpen()) return false;
    const QSerialPort::PinoutSignals lines = port_.pinoutSignals();
    const QSerialPort::SerialPortError error = port_.error();
    if (error != QSerialPort::NoError) {
        port_.clearError();
        // A pseudo-terminal has no modem lines: the board behind it is there.
        return error == QSerialPort::UnsupportedOperationError;
    }
    return (lines & QSerialPort::ClearToSendSignal) != 0;
}

int SerialCommPort::InBufferCount() const {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

void SerialCommPort::ClearInBuffer() {
    if (!port_.isOpen()) return;
    // Bytes still on their way in the driver go as well.
    port_.clear(QSerialPort::Input);
    port_.readAll();
    port_.clearError();
}

QByteArray SerialCommPort::Input() {
    if (!port_.isOpen()) return {};
    return InputLen() > 0 ? port_.read(InputLen()) : port_.readAll();
}

void SerialCommPort::Output(const QByteArray& bytes) {
    if (!port_.isOpen()) return;
    port_.write(bytes);
    // Out now: the caller may wait for the reply without an event loop.
    port_.flush();
}

void SerialCommPort::WaitInput(int msecs) {
    if (!port_.isOpen()) {
        QThread::msleep(static_cast<unsigned long>(std::clamp(msecs, 0, 5)));
        return;
    }
    if (port_.waitForReadyRead(std::max(msecs, 0))) return;
    const QSerialPort::SerialPortError error = port_.error();
    port_.clearError();
    // A line that fails at once (a board gone away) must not make the
    // caller's wait a busy loop.
    if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
        QThread::msleep(static_cast<unsigned long>(std::clamp(msecs, 0, 5)));
}

void SerialCommPort::DataArrived() {
    if (RThreshold() > 0 && InBufferCount() >= RThreshold()) PostReceiveEvent();
}

// The receive event runs from the event loop, as MSComm's OnComm does; by
// then the bytes may have been taken, so the threshold is tested again.
void SerialCommPort::PostReceiveEvent() {
    if (receivePosted_) return;
    receivePosted_ = true;
    QMetaObject::invokeMethod(
        &port_,
        [this] {
            receivePosted_ = false;
            if (RThreshold() > 0 && InBufferCount() >= RThreshold()) RaiseOnComm(kCommEventReceive);
        },
        Qt::QueuedConnection);
}

void SerialCommPort::PollCTS() {
    const bool cts = CTSHolding();
    if (cts == lastCTS_) return;
    lastCTS_ = cts;
    RaiseOnComm(kCommEventCTS);
}

} // namespace quorvel
