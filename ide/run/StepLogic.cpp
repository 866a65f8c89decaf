// Step Into and MakeStep: the IDE's side of every change of flow, and the
// execution of the remaining instructions on the simulator or the board.
#include "run/RunControl.h"

#include "run/RunTexts.h"

namespace quorvel {

namespace {

constexpr uint8_t kRts = 0x39;
constexpr uint8_t kRti = 0x3B;
constexpr uint8_t kJsrExtended = 0xBD;
constexpr uint8_t kJmpExtended = 0x7E;
constexpr uint8_t kPadding = 0x01; // NOP
constexpr int32_t kStackPointerSave = 0x0006;

uint8_t high(int32_t word) {
    return static_cast<uint8_t>((word >> 8) & 0xFF);
}
uint8_t low(int32_t word) {
    return static_cast<uint8_t>(word & 0xFF);
}

} // namespace

bool RunControl::analyse(Flow& flow, bool simulator) {
    // NextAddress may hand back an address past $FFFF (the page-index rule);
    // RegPC itself stays within 0..65535.
    int32_t address = state_.RegPC;
    if (!disassembler_.NextAddress(address, false, flow.fallThrough, flow.taken, flow.isCall, flow.isReturn))
        return false;
    // The two analyses differ for calls only. On the simulator the second
    // one, which would read the same image again, is left out for the rest;
    // the board gets both reads of a bit-test branch's byte.
    if (!flow.isCall && simulator) {
        flow.target = flow.fallThrough;
        return true;
    }
    address = state_.RegPC;
    return disassembler_.NextAddress(address, true, flow.target, flow.taken, flow.isCall, flow.isReturn);
}

void RunControl::writeStackPointer() {
    const std::array<uint8_t, 2> sp{high(state_.RegSP), low(state_.RegSP)};
    target_.OutBytes(kStackPointerSave, sp);
}

bool RunControl::popReturn() {
    target_.InStack();
    if (!state_.BoardOK) return false; // no return address to trust
    state_.RegSP = (state_.RegSP + 2) & 0xFFFF;
    writeStackPointer();
    state_.RegPC = state_.StackBytes[2] * 256 + state_.StackBytes[3];
    return true;
}

void RunControl::pushCall(int32_t target, int32_t returnAddress) {
    state_.RegPC = target;
    // High byte at SP-1, low byte at SP, as the CPU pushes it.
    state_.RegSP = (state_.RegSP - 1) & 0xFFFF;
    const std::array<uint8_t, 2> address{high(returnAddress), low(returnAddress)};
    target_.OutBytes(state_.RegSP, address);
    state_.RegSP = (state_.RegSP - 1) & 0xFFFF;
    writeStackPointer();
}

bool RunControl::prepareReturnFromInterrupt() {
    interruptReturn_ = -1;
    // RTI pulls CCR, B, A, X, Y and then the PC from SP+8 (high) and SP+9.
    target_.InBytes((state_.RegSP + 8) & 0xFFFF, readBuffer_, 2);
    if (!state_.BoardOK || readBuffer_.size() != 2) return false;
    interruptReturn_ = readBuffer_[0] * 256 + readBuffer_[1];
    return true;
}

bool RunControl::stepIntoOnce(bool simulator) {
    ClockCount += disassembler_.CycleCount(state_.RegPC);
    Flow flow;
    if (!analyse(flow, simulator)) return false;
    if (flow.isReturn) {
        if (!popReturn()) return false;
        ExecuteOnTarget = false;
    } else if (flow.isCall) {
        pushCall(flow.target, flow.fallThrough);
        ExecuteOnTarget = false;
    } else if (flow.taken) {
        if (StopAtIdleLoop && flow.target == state_.RegPC) {
            Stopped = true;
            LastStop = StopReason::IdleLoop;
        }
        state_.RegPC = flow.target;
        ExecuteOnTarget = false;
    } else {
        if (pageByte(state_.RegPC) == kRti && !prepareReturnFromInterrupt()) return false;
        ExecuteOnTarget = true;
    }
    StepIntoMode = true;
    StepOverMode = false;
    StepOutMode = false;
    makeStep(simulator);
    return true;
}

void RunControl::MakeStep() {
    makeStep(host_.SimulatorSelected());
}

void RunControl::makeStep(bool simulator) {
    // An RTI's stacked PC belongs to this step only.
    const int32_t resumeAt = interruptReturn_;
    interruptReturn_ = -1;
    target_.FindBoard();
    if (!state_.BoardOK) return;
    bool executed = false;
    if (ExecuteOnTarget) {
        executed = simulator ? simulatorStep(resumeAt) : boardStep(resumeAt);
        if (!state_.BoardOK) {
            // No display update after a failed exchange; the count was taken.
            clockCountChanged();
            return;
        }
    }
    if (!PlayMode)
        host_.Refresh();
    else if (executed)
        cpuWindowDue_ = true; // Play shows the CPU registers at display rate
    clockCountChanged();
}

bool RunControl::simulatorStep(int32_t resumeAt) {
    if (StepOverMode || StepOutMode) {
        // The simulator steps over and out with breakpoints; this is the guard.
        host_.Message(StepOverMode ? kCalledDoStepOver : kCalledDoStepOut, kSimulatorError);
        return false;
    }
    const int length = instructionLength(state_.RegPC);
    std::array<uint8_t, 5> code;
    code.fill(kPadding);
    if (code_) {
        code_->CodeBytes(state_.RegPC, code.data(), length);
    } else {
        target_.InBytes(state_.RegPC, readBuffer_, length);
        if (!state_.BoardOK) return false;
        for (size_t i = 0; i < readBuffer_.size() && i < code.size(); ++i)
            code[i] = readBuffer_[i];
    }
    target_.StepTarget(code, TargetAccess::StepWait::Instruction);
    if (!state_.BoardOK) return false;
    state_.RegPC = resumeAt >= 0 ? resumeAt : (state_.RegPC + length) & 0xFFFF;
    return true;
}

bool RunControl::boardStep(int32_t resumeAt) {
    std::array<uint8_t, 5> code;
    code.fill(kPadding);
    auto wait = TargetAccess::StepWait::Instruction;
    if (StepOverMode) {
        // The monitor calls the subroutine and regains control when it returns.
        code[0] = kJsrExtended;
        code[1] = high(callTarget_);
        code[2] = low(callTarget_);
        state_.RegPC = (state_.RegPC + instructionLength(state_.RegPC)) & 0xFFFF;
        wait = TargetAccess::StepWait::Subroutine;
    } else if (StepOutMode) {
        // The subroutine's return lands in the monitor ($000D was written over it).
        code[0] = kJmpExtended;
        code[1] = high(state_.RegPC);
        code[2] = low(state_.RegPC);
        state_.RegPC = state_.StackBytes[2] * 256 + state_.StackBytes[3];
        wait = TargetAccess::StepWait::Subroutine;
    } else {
        const int length = instructionLength(state_.RegPC);
        for (int i = 0; i < length && i < 4; ++i)
            code[static_cast<size_t>(i)] = pageByte(int64_t{state_.RegPC} + i);
        // The PC moves on before the exchange and does not go back when it fails.
        state_.RegPC = resumeAt >= 0 ? resumeAt : (state_.RegPC + length) & 0xFFFF;
    }
    waitingOnBoard_ = wait == TargetAccess::StepWait::Subroutine;
    target_.StepTarget(code, wait);
    waitingOnBoard_ = false;
    return true;
}

void RunControl::boardStepOver() {
    ExecuteOnTarget = true;
    StepIntoMode = true;
    StepOverMode = false;
    StepOutMode = false;
    Flow flow;
    if (!analyse(flow, false)) return;
    callTarget_ = flow.target;
    if (flow.isReturn) {
        if (!popReturn()) return;
        ExecuteOnTarget = false;
    } else if (flow.isCall) {
        StepOverMode = true;
        StepIntoMode = false;
    } else if (flow.taken) {
        state_.RegPC = flow.target;
        ExecuteOnTarget = false;
    } else if (pageByte(state_.RegPC) == kRti && !prepareReturnFromInterrupt()) {
        return;
    }
    host_.FreezeDisplay();
    MakeStep();
    host_.ThawDisplay();
}

void RunControl::boardStepOut() {
    target_.InStack();
    if (!state_.BoardOK) return;
    // The subroutine's RTS then returns into the monitor at $000D.
    const std::array<uint8_t, 2> monitor{0x00, 0x0D};
    target_.OutBytes((state_.RegSP + 1) & 0xFFFF, monitor);
    if (!state_.BoardOK) return;
    host_.ShowPCLine();
    StepOutMode = true;
    StepIntoMode = false;
    StepOverMode = false;
    ExecuteOnTarget = true;
    host_.FreezeDisplay();
    MakeStep();
    host_.ThawDisplay();
}

bool RunControl::stepOverAddress(int32_t& address) {
    const uint8_t opcode = pageByte(state_.RegPC);
    if (opcode == kRti) {
        if (!prepareReturnFromInterrupt()) return false;
        address = interruptReturn_;
        interruptReturn_ = -1;
        return true;
    }
    // NextAddress takes an RTS's return address from StackBytes.
    if (opcode == kRts) {
        target_.InStack();
        if (!state_.BoardOK) return false;
    }
    Flow flow;
    int32_t pc = state_.RegPC;
    if (!disassembler_.NextAddress(pc, false, flow.fallThrough, flow.taken, flow.isCall, flow.isReturn))
        return false;
    address = flow.fallThrough;
    return true;
}

} // namespace quorvel
