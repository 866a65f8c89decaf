// The board's processor: libvantrel on the board's memory, driven by the
// IDE's own run control (Step Into and Play on a simulator target), so the
// board follows calls, returns and branches exactly as the debugger does.
//
//     BoardMachine machine(host);        // host.ProcessEvents serves the line while code runs
//     machine.Step(registers, code);     // "S"
//     machine.Execute(registers, pc);    // "X": runs until Stop()
#pragma once

#include <array>
#include <cstdint>

#include "MonitorMemory.h"
#include "run/RunControl.h"
#include "target/TargetState.h"
#include "vantrel/VantrelCtrl.h"

namespace quorvel::hc11board {

struct Registers {
    uint8_t A = 0;
    uint8_t B = 0;
    uint16_t IX = 0;
    uint16_t IY = 0;
    uint16_t SP = 0;
    uint8_t CCR = 0;
};

class BoardMachine {
public:
    // host: its ProcessEvents is called every few milliseconds while user code runs.
    explicit BoardMachine(RunHost& host);
    BoardMachine(const BoardMachine&) = delete;
    BoardMachine& operator=(const BoardMachine&) = delete;

    MonitorMemory& Memory() { return memory_; }
    const MonitorMemory& Memory() const { return memory_; }

    // "S": runs the four code bytes from the step buffer at $0009. The
    // instruction form (anything but $BD or $7E first) runs the buffer's
    // instructions, at most four, and ends when the PC leaves $0009..$000C
    // (so an RTI there returns at once); the JSR ($BD) and JMP ($7E) forms run
    // the code they reach until it returns to $000D.
    // Returns the registers afterwards (also saved at $0000..$0008); false
    // when Stop ended it first.
    bool Step(Registers& registers, const std::array<uint8_t, 4>& code);
    // "X": runs freely from pc until Stop.
    void Execute(const Registers& registers, uint16_t pc);
    // Ends Step or Execute at the next instruction (a reset). Safe to call from the host's ProcessEvents.
    void Stop();
    bool Stopping() const { return stopping_; }

    const TargetState& State() const { return state_; }

private:
    void load(const Registers& registers, int32_t pc);
    Registers registers() const;
    // The register save area, as the monitor leaves it when the program stops.
    void saveRegisters();

    TargetState state_;
    MonitorMemory memory_;
    vantrel::CVantrelCtrl cpu_;
    RunControl run_;
    bool stopping_ = false;
};

} // namespace quorvel::hc11board
