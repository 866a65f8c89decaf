#include "run/Breakpoints.h"

namespace quorvel {

int BreakpointTable::IndexOf(int32_t address) const {
    for (int i = 0; i < BreakpointCount; ++i)
        if (Breakpoints[static_cast<size_t>(i)] == address) return i;
    return -1;
}

bool BreakpointTable::Add(int32_t address) {
    if (Full()) return false;
    Breakpoints[static_cast<size_t>(BreakpointCount++)] = address;
    return true;
}

bool BreakpointTable::Remove(int32_t address) {
    for (int i = BreakpointCount - 1; i >= 0; --i) {
        if (Breakpoints[static_cast<size_t>(i)] != address) continue;
        for (int k = i; k + 1 < BreakpointCount; ++k)
            Breakpoints[static_cast<size_t>(k)] = Breakpoints[static_cast<size_t>(k + 1)];
        --BreakpointCount;
        return true;
    }
    return false;
}

BreakpointTable::Toggled BreakpointTable::Toggle(int32_t address) {
    if (IndexOf(address) >= 0) {
        Remove(address);
        return Toggled::Removed;
    }
    return Add(address) ? Toggled::Added : Toggled::Full;
}

} // namespace quorvel
