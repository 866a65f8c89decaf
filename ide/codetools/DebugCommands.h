// The Run and Debug commands whose enabled state follows the run: the
// disassembly window's Menus and the main window's freeze and thaw share
// these lists.
#pragma once

namespace quorvel {

// The disassembly window's own Debug commands: enabled while it is the
// active window and the program is stopped.
inline constexpr const char* kDisAsmWindowCommands[] = {
    "mnuDebugCodeOn",           "mnuDebugIncludeSym",          "mnuDebugInlineAsemble",
    "mnuDebugToggleBreakpoint", "mnuDebugClearAllBreakpoints", "mnuDebugSetNewPC",
    "mnuDebugGetResVec",        "mnuDebugGoToPCAddress",       "mnuDebugGoToAddress",
};

// Run commands that need a stopped program.
inline constexpr const char* kStepCommands[] = {"mnuRunPlay",     "mnuRunAnimate", "mnuRunStepInto",
                                                "mnuRunStepOver", "mnuRunRunTo",   "mnuRunStepOut"};

} // namespace quorvel
