// The disassembly window's place in the main window: makes the window with
// the frame's target, symbols and prompt and run control's breakpoint table,
// and answers its questions about menus and the run state.
//
//     FrameDisAsm disAsm(frame, run, symbols.Table());
//     frame.RegisterView({"mnuViewDisassembler", "frmDisAsm", "DisAsm", ..., [&] { return disAsm.Create();
//     }});
//
// Destroying it detaches a window that is still open, so nothing the frame
// tears down later can reach back into it.
#pragma once

#include <QPointer>

#include "codetools/DisAsmHost.h"
#include "codetools/frmDisAsm.h"

namespace quorvel {

class frmMain;
class RunControl;

class FrameDisAsm : public DisAsmHost {
public:
    FrameDisAsm(frmMain& frame, RunControl& run, const SymbolTable& symbols);
    ~FrameDisAsm() override;
    FrameDisAsm(const FrameDisAsm&) = delete;
    FrameDisAsm& operator=(const FrameDisAsm&) = delete;

    // A new window (the frame owns it once it is in a child window).
    frmDisAsm* Create();
    frmDisAsm* Window() const { return window_; }

    bool Checked(const QString& name) const override;
    void SetCommandEnabled(const QString& name, bool enabled) override;
    QAction* Command(const QString& name) const override;
    QMenu* Menu(const QString& name) const override;
    bool SimulatorSelected() const override;
    bool Stopped() const override;
    bool RunningFree() const override;
    void Refresh() override;
    void ShowHelpTopic(int topic) override;
    void RunToCursor(int32_t address) override;

private:
    frmMain& frame_;
    RunControl& run_;
    const SymbolTable& symbols_;
    QPointer<frmDisAsm> window_;
};

} // namespace quorvel
