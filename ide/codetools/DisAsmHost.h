// What the disassembly window needs from around it: the main window's menus
// and its Refresh, and run control's state and Run To Cursor. The main
// window implements it (FrameDisAsm.h); the window reaches nothing else of
// the frame.
#pragma once

#include <cstdint>

#include <QString>

class QAction;
class QMenu;

namespace quorvel {

class BreakpointTable;
class Prompt;
class SymbolTable;
class TargetAccess;
struct TargetState;

class DisAsmHost {
public:
    virtual ~DisAsmHost() = default;

    // A menu item's check mark (mnuDebugCodeOn, mnuDebugIncludeSym).
    virtual bool Checked(const QString& name) const = 0;
    // A command's menu item and toolbar button.
    virtual void SetCommandEnabled(const QString& name, bool enabled) = 0;
    virtual QAction* Command(const QString& name) const = 0;
    virtual QMenu* Menu(const QString& name) const = 0;

    // The simulator is the target (SimEnabled).
    virtual bool SimulatorSelected() const = 0;
    // No Play or Animate loop runs and no board Step Over or Step Out waits.
    virtual bool Stopped() const = 0;
    // The board runs the program freely (after Run, until it is reset).
    virtual bool RunningFree() const = 0;

    // Opens a topic of the help (F1 in the Go To Address dialog).
    virtual void ShowHelpTopic(int topic) = 0;
    // The main window's Refresh: the disassembly shows the PC line, the other views redraw.
    virtual void Refresh() = 0;
    // Plays until the PC reaches address.
    virtual void RunToCursor(int32_t address) = 0;
};

// Everything the window works with, handed to its constructor.
struct DisAsmLinks {
    TargetState& State;
    TargetAccess& Target;
    BreakpointTable& Breakpoints; // run control's table
    const SymbolTable& Symbols;
    Prompt& Prompts;
    DisAsmHost& Host;
};

} // namespace quorvel
