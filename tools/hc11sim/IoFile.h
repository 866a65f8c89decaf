// The I/O unit of hc11sim: every byte the program stores to the output data
// register $6003 is appended to a file.
#pragma once

#include <QFile>

#include "target/IoUnit.h"

namespace quorvel::hc11sim {

class IoFile : public IoUnit {
public:
    // False when the file cannot be opened for appending.
    bool Open(const QString& path) {
        file_.setFileName(path);
        return file_.open(QIODevice::WriteOnly | QIODevice::Append);
    }
    // False when a write failed.
    bool Close() {
        const bool good = file_.flush() && file_.error() == QFileDevice::NoError;
        file_.close();
        return good;
    }
    QString ErrorString() const { return file_.errorString(); }

    void setInFresh(uint8_t) override {}
    void setInDataRegister(uint8_t) override {}
    void setOutFresh(uint8_t) override {}
    void setOutDataRegister(uint8_t data) override { file_.putChar(static_cast<char>(data)); }

private:
    QFile file_;
};

} // namespace quorvel::hc11sim
