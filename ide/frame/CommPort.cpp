#include "frame/CommPort.h"

namespace quorvel {

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
    return true;
}

void SerialCommPort::Close() {
    if (port_.isOpen()) port_.close();
}

} // namespace quorvel
