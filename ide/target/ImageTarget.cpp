#include "target/ImageTarget.h"

#include "target/CcrFlags.h"

namespace quorvel {

ImageTarget::ImageTarget(TargetState& state) : TargetAccess(state) {}

uint8_t& ImageTarget::at(int64_t address, int64_t offset) {
    return memory_[static_cast<size_t>((address + offset) & 0xFFFF)];
}

void ImageTarget::FindBoard() {
    state_.BoardOK = true;
}

// The status text and the I/O-unit notices belong to the main window.
void ImageTarget::BoardStatus() {}

void ImageTarget::InByte(int32_t address, uint8_t& value) {
    FindBoard();
    if (!state_.BoardOK) return;
    value = at(address);
    BoardStatus();
}

void ImageTarget::InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) {
    FindBoard();
    if (!state_.BoardOK) return;
    bytes.resize(count > 0 ? static_cast<size_t>(count) : 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = at(address, static_cast<int64_t>(i));
    BoardStatus();
}

void ImageTarget::InCPU() {
    FindBoard();
    if (!state_.BoardOK) return;
    state_.RegA = memory_[0x0000];
    state_.RegB = memory_[0x0001];
    state_.RegIX = memory_[0x0002] * 256 + memory_[0x0003];
    state_.RegIY = memory_[0x0004] * 256 + memory_[0x0005];
    state_.RegSP = memory_[0x0006] * 256 + memory_[0x0007];
    state_.RegCCR = memory_[0x0008];
    UnpackCCR(state_);
    BoardStatus();
}

void ImageTarget::InMemory() {
    FindBoard();
    if (!state_.BoardOK) return;
    for (size_t i = 0; i < state_.MemoryBlock.size(); ++i)
        state_.MemoryBlock[i] = at(state_.MemoryBlockAddress, static_cast<int64_t>(i));
    BoardStatus();
}

void ImageTarget::InProgram() {
    FindBoard();
    if (!state_.BoardOK) return;
    for (size_t i = 0; i < state_.ProgramPage.size(); ++i)
        state_.ProgramPage[i] = at(state_.ProgramPageAddress, static_cast<int64_t>(i));
    BoardStatus();
}

void ImageTarget::InStack() {
    FindBoard();
    if (!state_.BoardOK) return;
    for (int k = 1; k <= 9; ++k)
        state_.StackBytes[static_cast<size_t>(k)] = at(state_.RegSP, k - 1);
    BoardStatus();
}

void ImageTarget::InResetVector(int32_t& value) {
    value = memory_[0xFFFE] * 256 + memory_[0xFFFF];
}

void ImageTarget::OutByte(int32_t address, uint8_t value) {
    FindBoard();
    if (!state_.BoardOK) return;
    at(address) = value;
    BoardStatus();
}

void ImageTarget::OutBytes(int32_t address, std::span<const uint8_t> bytes) {
    FindBoard();
    if (!state_.BoardOK) return;
    for (size_t i = 0; i < bytes.size(); ++i)
        at(address, static_cast<int64_t>(i)) = bytes[i];
    BoardStatus();
}

void ImageTarget::FlashErase() {
    for (size_t a = 0xE000; a <= 0xFFFF; ++a)
        memory_[a] = 0xFF;
}

void ImageTarget::Programm(int32_t address, std::span<const uint8_t> bytes) {
    FindBoard();
    if (!state_.BoardOK) return;
    for (size_t i = 0; i < bytes.size(); ++i)
        at(address, static_cast<int64_t>(i)) = bytes[i];
    BoardStatus();
}

} // namespace quorvel
