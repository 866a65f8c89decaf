// The Play and Animate loops. Play steps as fast as the target allows and
// keeps the user interface alive at a fixed pace: pending events every
// kEventInterval, the clock panel and the CPU register window every
// kDisplayInterval. Breakpoints are tested before every step.
#include "run/RunControl.h"

#include <algorithm>

#include "run/EventPacer.h"

namespace quorvel {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kEventInterval = std::chrono::milliseconds(10);
constexpr auto kDisplayInterval = std::chrono::milliseconds(50);
// Animate executes one instruction per kAnimatePace.
constexpr auto kAnimatePace = std::chrono::milliseconds(100);
constexpr auto kAnimateSlice = std::chrono::milliseconds(10);
// Play loads ProgramPage again when the PC leaves its first 252 bytes.
constexpr int32_t kPageReach = 251;
} // namespace

void RunControl::beginLoop(bool animate) {
    Stopped = false;
    AnimateMode = animate;
    PlayMode = !animate;
    FirstStep = true;
    LastStop = StopReason::None;
    host_.SetPauseEnabled(true);
    host_.ShowPCLine();
    host_.SuspendTimers();
    host_.FreezeDisplay();
    // BoardOK tells of the last exchange from here on (targetFailed).
    target_.FindBoard();
}

void RunControl::endLoop(int32_t temporaryBreakpoint) {
    if (temporaryBreakpoint >= 0) breakpoints_.Remove(temporaryBreakpoint);
    if (LastStop == StopReason::None) LastStop = StopReason::Pause;
    showPending();
    const bool played = !AnimateMode;
    PlayMode = false;
    AnimateMode = false;
    // After a failed exchange nothing more is read: its message was enough.
    const bool answers = LastStop != StopReason::TargetFailed;
    if (played && answers) host_.UpdateDisassembly();
    host_.ThawDisplay();
    // Play showed only the CPU registers; every open view follows the stop
    // (Animate refreshed them after each step).
    if (played && answers && state_.BoardOK) host_.RefreshRun();
    host_.SetPauseEnabled(false);
    host_.ResumeTimers();
}

bool RunControl::targetFailed() {
    if (state_.BoardOK) return false;
    Stopped = true;
    LastStop = StopReason::TargetFailed;
    return true;
}

bool RunControl::breakpointStops() {
    if (!FirstStep && breakpoints_.Contains(state_.RegPC)) {
        Stopped = true;
        PlayMode = false;
        LastStop = StopReason::Breakpoint;
    } else if (StepLimit > 0 && StepCount >= StepLimit) {
        Stopped = true;
        PlayMode = false;
        LastStop = StopReason::StepLimit;
    }
    if (!Stopped) return false;
    host_.ProcessEvents();
    return true;
}

void RunControl::showPending() {
    if (cpuWindowDue_) {
        cpuWindowDue_ = false;
        host_.RefreshCpuWindow();
    }
    if (clockDue_) ClockCountUpdate();
}

void RunControl::playLoop(int32_t temporaryBreakpoint) {
    beginLoop(false);
    EventPacer events(kEventInterval);
    Clock::time_point shown = events.Now();
    bool simulator = host_.SimulatorSelected();
    while (!Stopped) {
        if (targetFailed() || breakpointStops()) break;
        if (pageStale_ || state_.RegPC < state_.ProgramPageAddress ||
            state_.RegPC > state_.ProgramPageAddress + kPageReach)
            loadPage(state_.RegPC);
        if (!pageStale_) {
            stepIntoOnce(simulator);
            ++StepCount;
            FirstStep = false;
        }
        if (events.Due()) {
            host_.ProcessEvents();
            simulator = host_.SimulatorSelected();
            if (events.Now() - shown >= kDisplayInterval) {
                shown = events.Now();
                showPending();
            }
        }
    }
    endLoop(temporaryBreakpoint);
}

void RunControl::waitAnimatePace(Clock::time_point stepStart) {
    const Clock::time_point due = stepStart + kAnimatePace;
    for (Clock::time_point now = Clock::now(); now < due && !Stopped; now = Clock::now()) {
        host_.Idle(std::min(std::chrono::duration_cast<std::chrono::milliseconds>(due - now) +
                                std::chrono::milliseconds(1),
                            std::chrono::milliseconds(kAnimateSlice)));
        host_.ProcessEvents();
    }
}

void RunControl::animateLoop() {
    beginLoop(true);
    while (!Stopped) {
        if (targetFailed() || breakpointStops()) break;
        // Each step refreshes every view; the page is loaded only when the
        // instruction at the PC is not in it.
        const Clock::time_point start = Clock::now();
        if (ensurePage()) {
            stepIntoOnce(host_.SimulatorSelected());
            ++StepCount;
            FirstStep = false;
        }
        waitAnimatePace(start);
        host_.ProcessEvents();
    }
    endLoop(-1);
}

} // namespace quorvel
