// The run commands and the display procedures around them.
#include "run/RunControl.h"

#include "frame/StatusText.h"
#include "run/RunTexts.h"

namespace quorvel {

// Marks a command at work; a command that arrives meanwhile (from the events
// a loop or a board wait processes) is ignored.
class RunControl::BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

RunControl::RunControl(TargetState& state, TargetAccess& target, RunHost& host)
    : state_(state), target_(target), host_(host), disassembler_(state, target) {
    readBuffer_.reserve(16);
}

void RunControl::RunHC11() {
    if (busy_) return;
    BusyScope busy(busy_);
    target_.FindBoard();
    if (!state_.BoardOK) return;
    if (host_.SimulatorSelected()) {
        // The Run command is disabled in simulator mode; this is its guard.
        host_.Message(kCalledRunHC11, kSimulatorError);
        return;
    }
    target_.Execute(state_.RegPC); // "X"
    if (state_.BoardOK) {
        Running = true;
        host_.FreezeDisplay();
        // A free run cannot be paused: it ends when the board is reset.
        host_.SetPauseEnabled(false);
    }
    target_.BoardStatus();
    host_.DebugMenus();
}

void RunControl::Play() {
    if (busy_) return;
    BusyScope busy(busy_);
    playLoop();
}

void RunControl::Animate() {
    if (busy_) return;
    BusyScope busy(busy_);
    animateLoop();
}

void RunControl::Pause() {
    Stopped = true;
    if (waitingOnBoard_) target_.AbandonWait();
}

void RunControl::StepInto() {
    if (busy_) return;
    BusyScope busy(busy_);
    if (!ensurePage()) return;
    stepIntoOnce(host_.SimulatorSelected());
}

void RunControl::StepOver() {
    if (busy_) return;
    BusyScope busy(busy_);
    if (!ensurePage()) return;
    if (!host_.SimulatorSelected()) {
        boardStepOver();
        return;
    }
    int32_t address = 0;
    if (!stepOverAddress(address)) return;
    // The end of the Play loop shows the stop in every view.
    runToTemporary(address);
}

void RunControl::StepOut() {
    if (busy_) return;
    BusyScope busy(busy_);
    if (!host_.SimulatorSelected()) {
        boardStepOut();
        return;
    }
    // The return address of the current subroutine, at SP+1 (high) and SP+2.
    target_.InBytes((state_.RegSP + 1) & 0xFFFF, readBuffer_, 2);
    if (!state_.BoardOK || readBuffer_.size() != 2) return;
    runToTemporary(readBuffer_[0] * 256 + readBuffer_[1]);
}

void RunControl::RunToCursor(int32_t address) {
    if (busy_) return;
    BusyScope busy(busy_);
    // A breakpoint already there stops Play by itself and stays.
    const bool temporary = !breakpoints_.Contains(address);
    if (temporary && !breakpoints_.Add(address)) {
        host_.Message(kBreakpointErrorTitle, kBreakpointFullText);
        return;
    }
    host_.ShowPCLine();
    playLoop(temporary ? address : -1);
}

void RunControl::GetResetVector() {
    if (busy_) return;
    BusyScope busy(busy_);
    target_.InResetVector(state_.RegPC);
    host_.ShowPCLine();
}

void RunControl::ResetCounter() {
    ClockCount = 0;
    ClockCountUpdate();
}

void RunControl::ClockCountUpdate() {
    clockDue_ = false;
    host_.ClockCountUpdate(ClockCountText());
}

QString RunControl::ClockCountText() const {
    return ClockText(ClockCount);
}

bool RunControl::runToTemporary(int32_t address) {
    if (!breakpoints_.Add(address)) return false;
    playLoop(address);
    return true;
}

} // namespace quorvel
