// The board's side of every target-access operation: each one is a monitor
// command through the BoardLink. Every operation but FlashErase (and the
// step, which run control prepares) first calls FindBoard, stops at once when
// BoardOK is false, and ends with BoardStatus.
//
//     BoardTarget board(state, link);
//     state.MemoryBlockAddress = 0x1000;
//     board.InMemory();          // four "R" of 256 bytes
//     if (state.BoardOK) ...     // MemoryBlock holds $1000..$13FF
//
// Blocks longer than one packet carries (256 bytes read, 255 written) go in
// several packets; the first failure ends the operation. On a failure the
// outputs keep what they held, except the pieces of MemoryBlock already read.
#pragma once

#include "target/BoardLink.h"
#include "target/IoUnit.h"
#include "target/TargetAccess.h"

namespace quorvel {

class BoardTarget : public TargetAccess {
public:
    BoardTarget(TargetState& state, BoardLink& link);

    BoardLink& Link() { return link_; }
    // Where OutByte's notices for $6000..$6003 go.
    void SetIoUnit(IoUnit* unit) { ioUnit_ = unit; }

    void FindBoard() override;
    void BoardStatus() override;

    void InByte(int32_t address, uint8_t& value) override;
    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override;
    void InCPU() override;
    void InMemory() override;
    void InProgram() override;
    void InStack() override;
    void InResetVector(int32_t& value) override;
    void OutByte(int32_t address, uint8_t value) override;
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override;
    void FlashErase() override;
    void Programm(int32_t address, std::span<const uint8_t> bytes) override;
    // "S" with the first four code bytes; a single instruction may take a
    // second, a subroutine as long as it likes.
    void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) override;
    void AbandonWait() override;
    // "X": the board runs the program from startPC with the register mirror;
    // once it does, the status no longer tells of an earlier reset.
    void Execute(int32_t startPC) override;

private:
    // count bytes from address in as many "R" as it takes.
    bool ReadBlock(int32_t address, int count, QByteArray& data);
    // The bytes in pieces of "W" (program: "P").
    void WriteBlock(int32_t address, std::span<const uint8_t> bytes, bool program);

    BoardLink& link_;
    IoUnit* ioUnit_ = nullptr;
};

} // namespace quorvel
