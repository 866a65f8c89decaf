#include "BoardMachine.h"

#include "target/CcrFlags.h"

namespace quorvel::hc11board {

namespace {
constexpr uint8_t kJsrExtended = 0xBD;
constexpr uint8_t kJmpExtended = 0x7E;

bool inStepBuffer(int32_t pc) {
    return pc >= kStepBuffer && pc < kStepReturn;
}
} // namespace

BoardMachine::BoardMachine(RunHost& host) : memory_(state_), run_(state_, memory_, host) {
    memory_.BindSimulator(cpu_);
    run_.SetSimulatorCode(&memory_);
    state_.BoardOK = true;
}

void BoardMachine::load(const Registers& r, int32_t pc) {
    state_.RegA = r.A;
    state_.RegB = r.B;
    state_.RegIX = r.IX;
    state_.RegIY = r.IY;
    state_.RegSP = r.SP;
    state_.RegCCR = r.CCR;
    state_.RegPC = pc;
    memory_.FindBoard();
    UnpackCCR(state_);
    stopping_ = false;
    run_.InvalidateProgramPage();
    run_.Breakpoints().ClearAll();
}

Registers BoardMachine::registers() const {
    Registers r;
    r.A = state_.RegA;
    r.B = state_.RegB;
    r.IX = static_cast<uint16_t>(state_.RegIX);
    r.IY = static_cast<uint16_t>(state_.RegIY);
    r.SP = static_cast<uint16_t>(state_.RegSP);
    r.CCR = state_.RegCCR;
    return r;
}

void BoardMachine::saveRegisters() {
    const Registers r = registers();
    const std::array<uint8_t, 9> block{r.A,
                                       r.B,
                                       static_cast<uint8_t>(r.IX >> 8),
                                       static_cast<uint8_t>(r.IX),
                                       static_cast<uint8_t>(r.IY >> 8),
                                       static_cast<uint8_t>(r.IY),
                                       static_cast<uint8_t>(r.SP >> 8),
                                       static_cast<uint8_t>(r.SP),
                                       r.CCR};
    for (size_t i = 0; i < block.size(); ++i)
        memory_.TargetMemory()[i] = block[i];
}

bool BoardMachine::Step(Registers& r, const std::array<uint8_t, 4>& code) {
    load(r, kStepBuffer);
    memory_.BeginStep(code);
    if (code[0] == kJsrExtended || code[0] == kJmpExtended) {
        // A whole subroutine: until it returns into the monitor.
        run_.Breakpoints().Add(kStepReturn);
        run_.Play();
    } else {
        // The instructions in the buffer, at most the four it can hold;
        // anything that leaves the buffer ends the step.
        for (int i = 0; i < 4 && inStepBuffer(state_.RegPC); ++i)
            run_.StepInto();
    }
    memory_.EndStep();
    saveRegisters();
    r = registers();
    return !stopping_;
}

void BoardMachine::Execute(const Registers& r, uint16_t pc) {
    load(r, pc);
    run_.Play();
    saveRegisters();
}

void BoardMachine::Stop() {
    stopping_ = true;
    run_.Pause();
}

} // namespace quorvel::hc11board
