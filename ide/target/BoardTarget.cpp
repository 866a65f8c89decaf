#include "target/BoardTarget.h"

#include <algorithm>

#include "target/BoardPacket.h"
#include "target/CcrFlags.h"

namespace quorvel {

namespace {

uint8_t At(const QByteArray& data, int index) {
    return static_cast<uint8_t>(data.at(index));
}

int32_t WordAt(const QByteArray& data, int index) {
    return At(data, index) * 256 + At(data, index + 1);
}

int32_t Wrapped(int64_t address) {
    return static_cast<int32_t>(address & 0xFFFF);
}

} // namespace

BoardTarget::BoardTarget(TargetState& state, BoardLink& link) : TargetAccess(state), link_(link) {}

void BoardTarget::FindBoard() {
    link_.FindBoard();
}

void BoardTarget::BoardStatus() {
    link_.BoardStatus();
}

bool BoardTarget::ReadBlock(int32_t address, int count, QByteArray& data) {
    QByteArray block;
    for (int done = 0; done < count;) {
        const int piece = std::min(count - done, kMaxReadCount);
        QByteArray part;
        if (!link_.Read(Wrapped(int64_t{address} + done), piece, part)) return false;
        block.append(part);
        done += piece;
    }
    data = block;
    return true;
}

void BoardTarget::InByte(int32_t address, uint8_t& value) {
    FindBoard();
    if (!state_.BoardOK) return;
    QByteArray data;
    if (link_.Read(address, 1, data)) value = At(data, 0);
    BoardStatus();
}

void BoardTarget::InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) {
    FindBoard();
    if (!state_.BoardOK) return;
    QByteArray data;
    if (count <= 0)
        bytes.clear();
    else if (ReadBlock(address, count, data))
        bytes.assign(data.cbegin(), data.cend());
    BoardStatus();
}

void BoardTarget::InCPU() {
    FindBoard();
    if (!state_.BoardOK) return;
    QByteArray data;
    if (link_.Read(0x0000, 9, data)) {
        state_.RegA = At(data, 0);
        state_.RegB = At(data, 1);
        state_.RegIX = WordAt(data, 2);
        state_.RegIY = WordAt(data, 4);
        state_.RegSP = WordAt(data, 6);
        state_.RegCCR = At(data, 8);
        UnpackCCR(state_);
    }
    BoardStatus();
    link_.Host().ProcessEvents();
}

void BoardTarget::InMemory() {
    FindBoard();
    if (!state_.BoardOK) return;
    const size_t piece = kMaxReadCount;
    for (size_t offset = 0; offset < state_.MemoryBlock.size(); offset += piece) {
        QByteArray data;
        if (!link_.Read(Wrapped(int64_t{state_.MemoryBlockAddress} + static_cast<int64_t>(offset)),
                        kMaxReadCount, data))
            break;
        std::copy(data.cbegin(), data.cend(),
                  state_.MemoryBlock.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    BoardStatus();
}

void BoardTarget::InProgram() {
    FindBoard();
    if (!state_.BoardOK) return;
    QByteArray data;
    if (link_.Read(Wrapped(state_.ProgramPageAddress), kMaxReadCount, data, BoardLink::ReadKind::ProgramPage))
        std::copy(data.cbegin(), data.cend(), state_.ProgramPage.begin());
    BoardStatus();
    link_.Host().ProcessEvents();
}

void BoardTarget::InStack() {
    FindBoard();
    if (!state_.BoardOK) return;
    QByteArray data;
    if (link_.Read(Wrapped(state_.RegSP), 9, data))
        for (int k = 1; k <= 9; ++k)
            state_.StackBytes[static_cast<size_t>(k)] = At(data, k - 1);
    BoardStatus();
}

void BoardTarget::InResetVector(int32_t& value) {
    std::vector<uint8_t> vector;
    InBytes(0xFFFE, vector, 2);
    if (state_.BoardOK && vector.size() == 2) value = vector[0] * 256 + vector[1];
}

void BoardTarget::OutByte(int32_t address, uint8_t value) {
    FindBoard();
    if (!state_.BoardOK) return;
    NotifyIoUnit(ioUnit_, address, value);
    const uint8_t byte[1] = {value};
    link_.Write(Wrapped(address), byte);
    BoardStatus();
}

void BoardTarget::WriteBlock(int32_t address, std::span<const uint8_t> bytes, bool program) {
    for (size_t done = 0; done < bytes.size();) {
        const size_t piece = std::min<size_t>(bytes.size() - done, kMaxWriteCount);
        const int32_t at = Wrapped(int64_t{address} + static_cast<int64_t>(done));
        const auto part = bytes.subspan(done, piece);
        if (!(program ? link_.Program(at, part) : link_.Write(at, part))) return;
        done += piece;
    }
}

void BoardTarget::OutBytes(int32_t address, std::span<const uint8_t> bytes) {
    FindBoard();
    if (!state_.BoardOK) return;
    WriteBlock(address, bytes, false);
    BoardStatus();
}

void BoardTarget::FlashErase() {
    link_.Erase();
}

void BoardTarget::Programm(int32_t address, std::span<const uint8_t> bytes) {
    FindBoard();
    if (!state_.BoardOK) return;
    WriteBlock(address, bytes, true);
    BoardStatus();
}

void BoardTarget::StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) {
    QByteArray reply;
    if (link_.Step({code[0], code[1], code[2], code[3]}, wait == StepWait::Subroutine, reply)) {
        state_.RegA = At(reply, 1);
        state_.RegB = At(reply, 2);
        state_.RegIX = WordAt(reply, 3);
        state_.RegIY = WordAt(reply, 5);
        state_.RegSP = WordAt(reply, 7);
        state_.RegCCR = At(reply, 9);
        UnpackCCR(state_);
    }
    BoardStatus();
}

void BoardTarget::AbandonWait() {
    link_.AbandonWait();
}

void BoardTarget::Execute(int32_t startPC) {
    FindBoard();
    if (!state_.BoardOK) return;
    // The program runs: an earlier reset is no news any more.
    if (link_.Execute(Wrapped(startPC))) link_.SetStatusSuffix(QString());
    BoardStatus();
}

} // namespace quorvel
