#include "MonitorMemory.h"

namespace quorvel::hc11board {

namespace {
bool isRam(int32_t address) {
    return (address & 0xFFFF) < kFlashStart;
}
} // namespace

void MonitorMemory::Receive(uint8_t byte) {
    if (received_.size() < kReceiveLimit) received_.push_back(byte);
}

void MonitorMemory::BeginStep(const std::array<uint8_t, 4>& code) {
    step_ = code;
    stepping_ = true;
}

void MonitorMemory::Write(int32_t address, uint8_t value) {
    if (isRam(address)) TargetMemory()[static_cast<size_t>(address & 0xFFFF)] = value;
}

void MonitorMemory::Program(int32_t address, uint8_t value) {
    uint8_t& cell = TargetMemory()[static_cast<size_t>(address & 0xFFFF)];
    cell = isRam(address) ? value : static_cast<uint8_t>(cell & value);
}

void MonitorMemory::OutByte(int32_t address, uint8_t value) {
    FindBoard();
    Write(address, value);
}

void MonitorMemory::OutBytes(int32_t address, std::span<const uint8_t> bytes) {
    FindBoard();
    for (size_t i = 0; i < bytes.size(); ++i)
        Write(address + static_cast<int32_t>(i), bytes[i]);
}

void MonitorMemory::CodeBytes(int32_t address, uint8_t* bytes, int count) const {
    const Image& memory = TargetMemory();
    for (int i = 0; i < count; ++i) {
        const int32_t at = (address + i) & 0xFFFF;
        const int32_t inStep = at - kStepBuffer;
        bytes[i] = stepping_ && inStep >= 0 && inStep < 4 ? step_[static_cast<size_t>(inStep)]
                                                          : memory[static_cast<size_t>(at)];
    }
}

void MonitorMemory::ReadMemory(int32_t address, int16_t& value) {
    if (address == kSciStatus) {
        value = static_cast<int16_t>(kSciTdre | kSciTc | (received_.empty() ? 0 : kSciRdrf));
        return;
    }
    if (address == kSciData) {
        if (!received_.empty()) {
            lastReceived_ = received_.front();
            received_.pop_front();
        }
        value = lastReceived_;
        return;
    }
    ImageTarget::ReadMemory(address, value);
}

void MonitorMemory::WriteMemory(int32_t address, int16_t value) {
    if (address == kSciData) {
        if (transmit_) transmit_(static_cast<uint8_t>(value));
        return;
    }
    if (!isRam(address)) return;
    ImageTarget::WriteMemory(address, value);
}

} // namespace quorvel::hc11board
