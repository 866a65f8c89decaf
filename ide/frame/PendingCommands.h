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
    // Inline assembly.
    "mnuDebugInlineAsemble",
};

inline bool CommandPending(const QString& name) {
    for (const char* pending : kPendingCommands)
        if (name == QLatin1String(pending)) return true;
    return false;
}

} // namespace quorvel
