// The breakpoint table: up to 32 addresses, in the order they were set. The
// disassembly window toggles entries; run control compares the PC with every
// entry before each step of Play and Animate, and adds a temporary entry for
// Step Over and Step Out on the simulator.
//
//     BreakpointTable table;
//     if (table.Toggle(0xE010) == BreakpointTable::Toggled::Full) ...   // show kBreakpointFullText
//     if (table.Contains(state.RegPC)) ...
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvel {

class BreakpointTable {
public:
    static constexpr int kMaxBreakpoints = 32;

    // Entries 0..BreakpointCount-1 are in use.
    int16_t BreakpointCount = 0;
    std::array<int32_t, kMaxBreakpoints> Breakpoints{};

    bool Full() const { return BreakpointCount >= kMaxBreakpoints; }
    bool Contains(int32_t address) const {
        for (int i = 0; i < BreakpointCount; ++i)
            if (Breakpoints[static_cast<size_t>(i)] == address) return true;
        return false;
    }
    // Index of the first entry holding address, or -1.
    int IndexOf(int32_t address) const;

    // Appends address; false when the table is full.
    bool Add(int32_t address);
    // Removes the last entry holding address (later entries move down); false when there is none.
    bool Remove(int32_t address);
    void ClearAll() { BreakpointCount = 0; }

    enum class Toggled { Added, Removed, Full };
    // Removes address when present, otherwise appends it.
    Toggled Toggle(int32_t address);
};

} // namespace quorvel
