// What run control needs from the program around it: the main window in the
// IDE, a few lines in the command-line tools. Run control calls these and
// nothing else of the user interface; it never touches a widget.
//
//     class frmMainRunHost : public RunHost { ... };   // forwards to frmMain
//     RunControl run(state, target, host);
//     run.Play();
//
// QuietRunHost (below) implements everything as "nothing to show", for hosts
// without windows.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

#include <QString>

namespace quorvel {

class RunHost {
public:
    virtual ~RunHost() = default;

    // True while the simulator is the target (SimEnabled), false for the board.
    virtual bool SimulatorSelected() const = 0;

    // ---- Views ----
    // The disassembly window (when shown) redraws and shows the PC line;
    // then, when BoardOK, RefreshRun.
    virtual void Refresh() = 0;
    // Every open register, stack, watch, on-chip register and PIA window redraws.
    virtual void RefreshRun() = 0;
    // The CPU register window redraws when it is shown (the only view Play keeps up to date).
    virtual void RefreshCpuWindow() = 0;
    // The disassembly window shows the PC line (its Go To PC Address).
    virtual void ShowPCLine() = 0;
    // At the end of Play: the disassembly window, when shown, re-reads its
    // page, redraws and shows the PC line.
    virtual void UpdateDisassembly() = 0;
    // A run starts: Pause enabled; Add Watch, Download, Run, Play, Animate,
    // the debug views' View items and the open debug views disabled.
    virtual void FreezeDisplay() = 0;
    // A run ends: the reverse; Pause enabled exactly while a loop runs.
    virtual void ThawDisplay() = 0;
    // Status bar panel 4 ("Clock= 00000042").
    virtual void ClockCountUpdate(const QString& text) = 0;
    // The disassembly window brings the Run and Debug commands up to date (its Menus).
    virtual void DebugMenus() = 0;

    // ---- Commands and timers ----
    // mnuRunPause and the Pause button.
    virtual void SetPauseEnabled(bool enabled) = 0;
    // Play and Animate: remember whether tmrComm and tmrRefresh run, and stop them.
    virtual void SuspendTimers() = 0;
    // Give both timers back their remembered state.
    virtual void ResumeTimers() = 0;

    // ---- Events ----
    // Handles pending window messages in place (Pause, menus, timers, the serial port).
    virtual void ProcessEvents() = 0;
    // Lets time pass without holding the processor (Animate's pace); events
    // are processed before and after by the caller.
    virtual void Idle(std::chrono::milliseconds span) { std::this_thread::sleep_for(span); }

    // ---- Messages ----
    // A message box with an exclamation icon and an OK button.
    virtual void Message(const QString& title, const QString& text) = 0;
};

// A host with nothing to show: every view and command call does nothing and
// the simulator is the target.
class QuietRunHost : public RunHost {
public:
    bool SimulatorSelected() const override { return true; }
    void Refresh() override {}
    void RefreshRun() override {}
    void RefreshCpuWindow() override {}
    void ShowPCLine() override {}
    void UpdateDisassembly() override {}
    void FreezeDisplay() override {}
    void ThawDisplay() override {}
    void ClockCountUpdate(const QString&) override {}
    void DebugMenus() override {}
    void SetPauseEnabled(bool) override {}
    void SuspendTimers() override {}
    void ResumeTimers() override {}
    void ProcessEvents() override {}
    void Message(const QString&, const QString&) override {}
};

} // namespace quorvel
