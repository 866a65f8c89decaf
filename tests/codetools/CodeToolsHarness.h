// A frame on the simulator, shown, with the IDE's own wiring: the frame's run
// control reaches the disassembly window through the frame's view hooks
// (Refresh, ShowPCLine, UpdateDisassembly, DebugMenus), and the window works
// with run control's breakpoint table.
#pragma once

#include <cstdint>
#include <vector>

#include "FrameHarness.h"
#include "codetools/SymbolFile.h"
#include "codetools/frmDisAsm.h"
#include "run/RunControl.h"

namespace quorvel::test {

struct CodeFrame {
    Harness h;

    explicit CodeFrame(bool simulator = true);
    frmMain& f() { return *h.frame; }
    RunControl& Run() { return f().Run(); }
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
RowLook NormalLook(const QWidget& window, bool bold = false);
RowLook CursorLook(bool bold = false);
RowLook BreakpointLook(bool bold = false);
RowLook CursorBreakpointLook(bool bold = false);
// Light text on a dark base, as on a dark desktop.
QPalette DarkPalette();

// A wheel turn over `target` (angleDelta 120 a notch away from the user), passed on to its parents as
// the application does.
void SendWheel(QWidget* target, int angleDelta);

} // namespace quorvel::test
