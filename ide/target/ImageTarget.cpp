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
    NotifyIoUnit(ioUnit_, address, value);
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

// The simulator is always reachable: an erase succeeds from the first moment.
void ImageTarget::FlashErase() {
    FindBoard();
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

void ImageTarget::BindSimulator(vantrel::CVantrelCtrl& simulator) {
    simulator_ = &simulator;
    simulator.setMemoryCallbacks(
        [](void* self, int32_t address, int16_t* value) {
            static_cast<ImageTarget*>(self)->ReadMemory(address, *value);
        },
        [](void* self, int32_t address, int16_t value) {
            static_cast<ImageTarget*>(self)->WriteMemory(address, value);
        },
        this);
}

// The program read the I/O unit's input byte: it is no longer fresh.
void ImageTarget::ReadMemory(int32_t address, int16_t& value) {
    value = at(address);
    if (address == kIoInData && ioUnitShown_) {
        memory_[kIoInFresh] = 0;
        if (ioUnit_) ioUnit_->setInFresh(0);
    }
}

// The program wrote the I/O unit's output byte: it is fresh until the user reads it.
void ImageTarget::WriteMemory(int32_t address, int16_t value) {
    const auto byte = static_cast<uint8_t>(value);
    at(address) = byte;
    if (address == kIoOutData && ioUnitShown_) {
        memory_[kIoOutFresh] = 1;
        if (ioUnit_) {
            ioUnit_->setOutDataRegister(byte);
            ioUnit_->setOutFresh(1);
        }
    }
}

void ImageTarget::StepTarget(const std::array<uint8_t, 5>& code, StepWait /*wait*/) {
    if (!simulator_) {
        state_.BoardOK = false;
        return;
    }
    int16_t a = state_.RegA, b = state_.RegB, ccr = state_.RegCCR;
    int32_t ix = state_.RegIX, iy = state_.RegIY, sp = state_.RegSP;
    simulator_->Step(a, b, ix, iy, sp, ccr, code[0], code[1], code[2], code[3], code[4]);

    // The register save area, as a board's monitor keeps it.
    memory_[0x0000] = static_cast<uint8_t>(a);
    memory_[0x0001] = static_cast<uint8_t>(b);
    memory_[0x0002] = static_cast<uint8_t>(ix >> 8);
    memory_[0x0003] = static_cast<uint8_t>(ix);
    memory_[0x0004] = static_cast<uint8_t>(iy >> 8);
    memory_[0x0005] = static_cast<uint8_t>(iy);
    memory_[0x0006] = static_cast<uint8_t>(sp >> 8);
    memory_[0x0007] = static_cast<uint8_t>(sp);
    memory_[0x0008] = static_cast<uint8_t>(ccr);
    state_.RegA = static_cast<uint8_t>(a);
    state_.RegB = static_cast<uint8_t>(b);
    state_.RegIX = ix & 0xFFFF;
    state_.RegIY = iy & 0xFFFF;
    state_.RegSP = sp & 0xFFFF;
    state_.RegCCR = static_cast<uint8_t>(ccr);
    UnpackCCR(state_);
}

} // namespace quorvel
