// The one surface through which the IDE reads and writes the target, whether
// it is the simulator or a board behind the serial port. Operations never
// throw: a failure clears TargetState::BoardOK (after telling the user), and
// callers test BoardOK and stop early.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "target/TargetState.h"

namespace quorvel {

class TargetAccess {
public:
    explicit TargetAccess(TargetState& state) : state_(state) {}
    virtual ~TargetAccess() = default;
    TargetAccess(const TargetAccess&) = delete;
    TargetAccess& operator=(const TargetAccess&) = delete;

    TargetState& state() { return state_; }

    // Checks the link and sets BoardOK.
    virtual void FindBoard() = 0;
    // Shows the link state in the status bar.
    virtual void BoardStatus() = 0;

    virtual void InByte(int32_t address, uint8_t& value) = 0;
    // `bytes` is resized to `count`; element i holds the byte at address + i.
    virtual void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) = 0;
    // Register mirror from the register save area $0000..$0008, flags unpacked.
    virtual void InCPU() = 0;
    // MemoryBlock from MemoryBlockAddress.
    virtual void InMemory() = 0;
    // ProgramPage from ProgramPageAddress.
    virtual void InProgram() = 0;
    // StackBytes from RegSP.
    virtual void InStack() = 0;
    virtual void InResetVector(int32_t& value) = 0;
    virtual void OutByte(int32_t address, uint8_t value) = 0;
    virtual void OutBytes(int32_t address, std::span<const uint8_t> bytes) = 0;
    // $E000..$FFFF := $FF.
    virtual void FlashErase() = 0;
    // Writes into flash (or, on the simulator, into the image).
    virtual void Programm(int32_t address, std::span<const uint8_t> bytes) = 0;

    // How long a step may take on the board: a single instruction answers at
    // once; a whole subroutine (Step Over, Step Out) may run for ever.
    enum class StepWait { Instruction, Subroutine };

    // Executes `code` on the target with the register mirror (A, B, IX, IY,
    // SP, CCR) and takes the resulting registers back into the mirror, flags
    // unpacked. The simulator runs the instruction in `code` (its bytes, padded
    // with $01) and rewrites the register save area $0000..$0008; the board
    // gets the step command with the first four bytes. RegPC is the caller's.
    virtual void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) = 0;
    // Ends a Subroutine wait that is in progress (Pause); the step then fails.
    virtual void AbandonWait() {}

    // Lets the target run the program freely from startPC with the register
    // mirror (Run). Only a board can; any other target leaves BoardOK false.
    virtual void Execute(int32_t startPC) {
        (void)startPC;
        state_.BoardOK = false;
    }

protected:
    TargetState& state_;
};

} // namespace quorvel
