// The I/O unit of hc11sim: every byte the program stores to the output data
// register $6003 is appended to a file, and bytes given on the command line
// are entered on the input unit one at a time, as a user would: the first at
// the start, the next as soon as the program has read the one before.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include <QFile>

#include "target/ImageTarget.h"
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
        if (!file_.isOpen()) return true;
        const bool good = file_.flush() && file_.error() == QFileDevice::NoError;
        file_.close();
        return good;
    }
    QString ErrorString() const { return file_.errorString(); }

    // Enters the first byte at once, the others one by one as the program reads them.
    void EnterInput(ImageTarget& target, const std::vector<uint8_t>& bytes) {
        target_ = &target;
        input_.assign(bytes.begin(), bytes.end());
        enterNext();
    }

    void setInFresh(uint8_t setting) override {
        if ((setting & 1) == 0) enterNext();
    }
    void setInDataRegister(uint8_t) override {}
    void setOutFresh(uint8_t) override {}
    void setOutDataRegister(uint8_t data) override {
        if (file_.isOpen()) file_.putChar(static_cast<char>(data));
    }

private:
    void enterNext() {
        if (!target_ || input_.empty()) return;
        ImageTarget::Image& memory = target_->TargetMemory();
        memory[kIoInData] = input_.front();
        memory[kIoInFresh] = 1;
        input_.pop_front();
    }

    QFile file_;
    ImageTarget* target_ = nullptr;
    std::deque<uint8_t> input_;
};

} // namespace quorvel::hc11sim
