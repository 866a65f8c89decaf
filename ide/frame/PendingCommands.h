// Commands that are on the menus and the toolbar but whose work is not in the
// program yet. The frame keeps them disabled, whatever else asks to enable
// them. The change that brings a command's work removes it from this list.
//
// The View items that open a window are governed by the registered views
// instead (frmMain::RegisterView): an item without a view stays disabled.
#pragma once

#include <QString>

namespace quorvel {

inline constexpr const char* kPendingCommands[] = {
    // Editor windows, file and clipboard commands, printing.
    "mnuFileNew",
    "mnuFileOpen",
    "mnuFileClose",
    "mnuFileSave",
    "mnuFileSaveAs",
    "mnuFilePrintSetup",
    "mnuFilePrintPreview",
    "mnuFilePrint",
    "mnuEditUndo",
    "mnuEditRedo",
    "mnuEditCut",
    "mnuEditCopy",
    "mnuEditPaste",
    "mnuEditDelete",
    "mnuEditSelectAll",
    // Find, replace and go to line.
    "mnuEditFind",
    "mnuEditFindNext",
    "mnuEditReplace",
    "mnuEditGoToLine",
    // The assembler.
    "mnuFileAssemble",
    // Symbols.
    "mnuFileLoadSymbols",
    // Download.
    "mnuFileDownload",
    // Watches.
    "mnuDebugAddWatch",
    "mnuDebugEditWatch",
    // The disassembly window's commands.
    "mnuDebugInlineAsemble",
    "mnuDebugToggleBreakpoint",
    "mnuDebugClearAllBreakpoints",
    "mnuDebugSetNewPC",
    "mnuDebugGoToPCAddress",
    "mnuDebugGoToAddress",
    "mnuDebugRefresh",
    // Run control.
    "mnuDebugGetResVec",
    "mnuRunRun",
    "mnuRunPlay",
    "mnuRunAnimate",
    "mnuRunStepInto",
    "mnuRunStepOver",
    "mnuRunStepOut",
    "mnuRunRunTo",
    "mnuRunPause",
};

inline bool CommandPending(const QString& name) {
    for (const char* pending : kPendingCommands)
        if (name == QLatin1String(pending)) return true;
    return false;
}

} // namespace quorvel
