// Run control: Play, Animate, Pause, Step Into/Over/Out, Run To Cursor, the
// board's free run, the breakpoint table and the cycle counter, on whichever
// target TargetAccess reaches. The IDE keeps the program counter (RegPC) and
// performs every change of flow itself: taken branches, jumps, calls (the
// return address pushed with OutBytes) and returns (popped with InStack). Only
// the other instructions are executed on the target, one at a time through
// TargetAccess::StepTarget, except that the board runs a whole subroutine for
// Step Over and Step Out.
//
//     TargetState state;
//     ImageTarget target(state);
//     vantrel::CVantrelCtrl simulator;
//     target.BindSimulator(simulator);
//     ImageCode code(target.TargetMemory());
//     QuietRunHost host;                       // the IDE passes its main window's host
//     RunControl run(state, target, host);
//     run.SetSimulatorCode(&code);
//     run.Breakpoints().Add(0xE020);
//     run.Play();                              // until Pause or the breakpoint
//
// Everything runs on the caller's thread. Play and Animate process pending
// events (RunHost::ProcessEvents) as they go, so Pause and the other commands
// arrive inside them; a command that arrives while another one is still at
// work is ignored, except Pause and Reset Counter.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include <QString>

#include "codetools/Disassembler.h"
#include "run/Breakpoints.h"
#include "run/CodeImage.h"
#include "run/RunHost.h"
#include "target/TargetAccess.h"
#include "target/TargetState.h"
#include "vantrel/OpcodeTable.h"

namespace quorvel {

class RunControl {
public:
    RunControl(TargetState& state, TargetAccess& target, RunHost& host);
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // ---- State, read by the views and the commands' enabled states ----
    bool Stopped = true;      // no Play or Animate loop runs
    bool PlayMode = false;    // the Play loop runs
    bool AnimateMode = false; // the Animate loop runs
    bool Running = false;     // the board runs the program freely (after Run, until it is reset)
    bool FirstStep = false;   // the first pass of a loop: a breakpoint at the start does not stop it
    // The step request MakeStep carries out: whether the instruction runs on
    // the target, and which of the three step commands asked.
    bool ExecuteOnTarget = false;
    bool StepIntoMode = false;
    bool StepOverMode = false;
    bool StepOutMode = false;
    // The cycle counter: E-clock cycles of every instruction stepped by Step
    // Into (and so by Play, Animate, Run To Cursor and the simulator's Step
    // Over and Step Out). 64 bits wide: Play on the simulator passes 2^31
    // cycles within a minute.
    int64_t ClockCount = 0;

    BreakpointTable& Breakpoints() { return breakpoints_; }
    const BreakpointTable& Breakpoints() const { return breakpoints_; }
    Disassembler& Analysis() { return disassembler_; }

    // ---- For runs without a user (hc11sim, hc11board) ----
    // Play stops once StepCount reaches StepLimit; 0: no limit.
    int64_t StepLimit = 0;
    // Play stops after a branch or jump to its own address (an idle loop such as BRA *).
    bool StopAtIdleLoop = false;
    // Step Into passes made by Play and Animate.
    int64_t StepCount = 0;
    // TargetFailed: an exchange with the target failed (its message was shown once).
    enum class StopReason { None, Pause, Breakpoint, IdleLoop, StepLimit, TargetFailed };
    // Why the last Play or Animate loop ended.
    StopReason LastStop = StopReason::None;

    // The simulator's image, read directly for code while the simulator is
    // the target; null: through TargetAccess.
    void SetSimulatorCode(const CodeImage* code) { code_ = code; }

    // ---- Commands (the Run and Debug menus) ----
    void RunHC11();
    void Play();
    void Animate();
    // Ends a running loop at its next test; also ends a board Step Over or
    // Step Out that is still waiting for the board.
    void Pause();
    void StepInto();
    void StepOver();
    void StepOut();
    // Plays until the PC reaches address (the disassembly cursor). A full
    // breakpoint table refuses it with the breakpoint message.
    void RunToCursor(int32_t address);
    void GetResetVector();
    void ResetCounter();

    // ---- Procedures ----
    // Executes the step request on the target, then updates the display.
    void MakeStep();
    // Shows the cycle counter now.
    void ClockCountUpdate();
    // "Clock= " and the count with at least eight digits.
    QString ClockCountText() const;
    // The next step loads ProgramPage again (the target's code changed behind run control).
    void InvalidateProgramPage() { pageStale_ = true; }
    // True while a command is at work.
    bool Busy() const { return busy_; }
    // True while a board Step Over or Step Out waits for the subroutine to return.
    bool WaitingOnBoard() const { return waitingOnBoard_; }
    // No loop runs, no board wait and no free run: the stepping commands may start.
    bool Idle() const { return Stopped && !PlayMode && !AnimateMode && !waitingOnBoard_ && !Running; }

private:
    struct Flow {
        int32_t fallThrough = 0; // the next address, a call's return address
        int32_t target = 0;      // the next address, a call's destination
        bool taken = false;
        bool isCall = false;
        bool isReturn = false;
    };
    class BusyScope;

    // Step Into: flow on the IDE's side, the rest through MakeStep. False
    // when the flow analysis (or a read it needed) failed; then nothing was
    // done beyond counting the cycles. simulator: the simulator is the
    // target (the loops ask once per round of events, the only place where
    // the choice can change).
    bool stepIntoOnce(bool simulator);
    // Both flow analyses (the simulator skips the second one where it cannot differ).
    bool analyse(Flow& flow, bool simulator);
    void makeStep(bool simulator);
    // RTS: the return address from the stack, SP += 2.
    bool popReturn();
    // BSR/JSR: the return address pushed, SP -= 2, PC := target.
    void pushCall(int32_t target, int32_t returnAddress);
    // RTI runs on the target, which restores the PC from the stack; for the
    // RTI at the PC the stacked PC is read first (into interruptReturn_), so
    // that the IDE can follow it. False when that read failed.
    bool prepareReturnFromInterrupt();
    void writeStackPointer();

    // Execute the step request; resumeAt: the PC after the instruction when
    // it is an RTI, else -1 (the PC moves past the instruction).
    bool simulatorStep(int32_t resumeAt);
    bool boardStep(int32_t resumeAt);
    void boardStepOver();
    void boardStepOut();
    // The address Step Over on the simulator stops at.
    bool stepOverAddress(int32_t& address);
    // Plays with a temporary breakpoint at address; false (nothing done) with a full table.
    bool runToTemporary(int32_t address);

    void playLoop(int32_t temporaryBreakpoint = -1);
    void animateLoop();
    void beginLoop(bool animate);
    void endLoop(int32_t temporaryBreakpoint);
    bool breakpointStops();
    // Ends the loop after a failed exchange with the target: a board that
    // stopped answering would otherwise raise one message per pass.
    bool targetFailed();
    void waitAnimatePace(std::chrono::steady_clock::time_point stepStart);
    void showPending();
    // During Play the clock panel follows at display rate (showPending).
    void clockCountChanged() {
        if (PlayMode)
            clockDue_ = true;
        else
            ClockCountUpdate();
    }

    // ProgramPage: the page-index rule (an address below the page start lies
    // past $FFFF, the page may run across it) and loads.
    int64_t pageIndex(int64_t address) const {
        return address < state_.ProgramPageAddress ? address + 65536 - state_.ProgramPageAddress
                                                   : address - state_.ProgramPageAddress;
    }
    uint8_t pageByte(int64_t address) const {
        const int64_t index = pageIndex(address);
        return index >= 0 && index < 256 ? state_.ProgramPage[static_cast<size_t>(index)] : 0;
    }
    int instructionLength(int32_t address) const {
        return vantrel::decode(pageByte(address), pageByte(int64_t{address} + 1)).info->length;
    }
    bool pageHolds(int32_t address) const;
    void loadPage(int32_t address);
    // Loads the page at the PC when the instruction there does not lie in it; false when that failed.
    bool ensurePage();

    TargetState& state_;
    TargetAccess& target_;
    RunHost& host_;
    Disassembler disassembler_;
    BreakpointTable breakpoints_;
    const CodeImage* code_ = nullptr;

    bool busy_ = false;
    bool pageStale_ = true;
    bool waitingOnBoard_ = false;
    // Display work Play owes at its next display tick.
    bool cpuWindowDue_ = false;
    bool clockDue_ = false;
    // The PC an RTI about to run on the target takes from the stack; -1: none.
    int32_t interruptReturn_ = -1;
    // The destination of the call board Step Over runs.
    int32_t callTarget_ = 0;
    std::vector<uint8_t> readBuffer_;
};

} // namespace quorvel
