// A frame on the simulator with run control attached the way the IDE wires
// it: run control's host forwards the view hooks to the frame (Refresh,
// ShowPCLine, UpdateDisassembly, DebugMenus), and the disassembly window
// works with run control's breakpoint table.
#pragma once

#include <cstdint>
#include <vector>

#include "FrameHarness.h"
#include "codetools/SymbolFile.h"
#include "codetools/frmDisAsm.h"
#include "run/RunControl.h"
#include "run/RunHost.h"

namespace quorvel::test {

class FrameRunHost : public RunHost {
public:
    explicit FrameRunHost(frmMain& frame) : frame_(frame) {}

    bool SimulatorSelected() const override { return frame_.SimEnabled; }
    void Refresh() override {
        ++refreshes;
        frame_.Refresh();
    }
    void RefreshRun() override { frame_.RefreshRun(); }
    void RefreshCpuWindow() override {}
    void ShowPCLine() override {
        ++pcLines;
        frame_.ShowPCLine();
    }
    void UpdateDisassembly() override {
        ++updates;
        frame_.UpdateDisassembly();
    }
    void FreezeDisplay() override { ++freezes; }
    void ThawDisplay() override { frame_.ThawDisplay(); }
    void ClockCountUpdate(const QString& text) override { frame_.SetStatusPanel(4, text); }
    void DebugMenus() override { frame_.DebugMenus(); }
    void SetPauseEnabled(bool enabled) override { frame_.SetCommandEnabled("mnuRunPause", enabled); }
    void SuspendTimers() override {}
    void ResumeTimers() override {}
    void ProcessEvents() override;
    void Message(const QString& title, const QString& text) override;

    int freezes = 0;
    int refreshes = 0;
    int pcLines = 0;
    int updates = 0;

private:
    frmMain& frame_;
};

struct CodeFrame {
    Harness h;
    FrameRunHost host;
    RunControl run;
    ImageCode code;

    explicit CodeFrame(bool simulator = true);
    frmMain& f() { return *h.frame; }
    TargetState& State() { return f().Target(); }
    ImageTarget::Image& Memory() { return f().Simulator().TargetMemory(); }
    void Put(int32_t address, const std::vector<uint8_t>& bytes);

    // Opens the disassembly window, makes it the active window and gives it `rows` visible rows.
    frmDisAsm* OpenDisAsm(int rows = 10);
    frmDisAsm* DisAsm();
    void SetVisibleRows(int rows);
    // Another child window (it takes the activation).
    QWidget* OpenOther();
    void ActivateDisAsm();
    // Writes a listing file and loads it through File > Load Symbols.
    void LoadSymbols(const QString& folder, const QStringList& lines);
};

// Colours as the window paints them.
RowLook NormalLook(const frmDisAsm& window, bool bold = false);
RowLook CursorLook(bool bold = false);
RowLook BreakpointLook(bool bold = false);
RowLook CursorBreakpointLook(bool bold = false);

} // namespace quorvel::test
