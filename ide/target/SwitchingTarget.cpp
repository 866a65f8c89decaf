#include "target/SwitchingTarget.h"

namespace quorvel {

SwitchingTarget::SwitchingTarget(TargetState& state, ImageTarget& image, BoardTarget& board)
    : TargetAccess(state), image_(image), board_(board) {}

void SwitchingTarget::SetIoUnit(IoUnit* unit) {
    image_.SetIoUnit(unit);
    board_.SetIoUnit(unit);
}

template <typename Operation>
void SwitchingTarget::OnImage(Operation operation) {
    operation(image_);
    if (state_.BoardOK) BoardStatus();
}

void SwitchingTarget::FindBoard() {
    board_.FindBoard();
}

void SwitchingTarget::BoardStatus() {
    board_.BoardStatus();
}

void SwitchingTarget::InByte(int32_t address, uint8_t& value) {
    if (!SimEnabled()) return board_.InByte(address, value);
    OnImage([&](ImageTarget& image) { image.InByte(address, value); });
}

void SwitchingTarget::InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) {
    if (!SimEnabled()) return board_.InBytes(address, bytes, count);
    OnImage([&](ImageTarget& image) { image.InBytes(address, bytes, count); });
}

void SwitchingTarget::InCPU() {
    if (!SimEnabled()) return board_.InCPU();
    OnImage([](ImageTarget& image) { image.InCPU(); });
}

void SwitchingTarget::InMemory() {
    if (!SimEnabled()) return board_.InMemory();
    OnImage([](ImageTarget& image) { image.InMemory(); });
}

void SwitchingTarget::InProgram() {
    if (!SimEnabled()) return board_.InProgram();
    OnImage([](ImageTarget& image) { image.InProgram(); });
}

void SwitchingTarget::InStack() {
    if (!SimEnabled()) return board_.InStack();
    OnImage([](ImageTarget& image) { image.InStack(); });
}

// The simulator's reset vector comes straight from the image and leaves BoardOK alone.
void SwitchingTarget::InResetVector(int32_t& value) {
    if (!SimEnabled()) return board_.InResetVector(value);
    image_.InResetVector(value);
}

void SwitchingTarget::OutByte(int32_t address, uint8_t value) {
    if (!SimEnabled()) return board_.OutByte(address, value);
    OnImage([&](ImageTarget& image) { image.OutByte(address, value); });
}

void SwitchingTarget::OutBytes(int32_t address, std::span<const uint8_t> bytes) {
    if (!SimEnabled()) return board_.OutBytes(address, bytes);
    OnImage([&](ImageTarget& image) { image.OutBytes(address, bytes); });
}

void SwitchingTarget::FlashErase() {
    if (!SimEnabled()) return board_.FlashErase();
    image_.FlashErase();
}

void SwitchingTarget::Programm(int32_t address, std::span<const uint8_t> bytes) {
    if (!SimEnabled()) return board_.Programm(address, bytes);
    OnImage([&](ImageTarget& image) { image.Programm(address, bytes); });
}

void SwitchingTarget::StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) {
    if (!SimEnabled()) return board_.StepTarget(code, wait);
    image_.StepTarget(code, wait);
}

void SwitchingTarget::AbandonWait() {
    board_.AbandonWait();
}

void SwitchingTarget::Execute(int32_t startPC) {
    if (!SimEnabled()) return board_.Execute(startPC);
    image_.Execute(startPC);
}

} // namespace quorvel
