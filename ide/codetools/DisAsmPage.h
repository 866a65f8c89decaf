// The rows of the disassembly window, worked out from the code page
// (TargetState::ProgramPage) without any widget: the row texts, which rows
// carry a breakpoint or the PC, and where a scroll key makes the page start.
//
//     DisAsmPageRenderer page(state, disassembler, symbols);
//     DisAsmRows rows;
//     int shown = page.Render(0xE000, {codeOn, includeSymbols}, breakpoints, rows);
//
// A row is " $E000: " + (Code On: the 15-character code field) + the branch
// marker + " " + the instruction, or the listing's source line where the
// symbol table lists exactly the bytes memory holds there (Include Symbols).
// Only rows whose instruction lies wholly inside the loaded page are rendered.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <QChar>
#include <QString>

#include "codetools/Disassembler.h"
#include "codetools/SymbolTable.h"
#include "target/TargetState.h"

namespace quorvel {

inline constexpr int kDisAsmRows = 50;

struct DisAsmRow {
    int32_t Address = 0;
    QString Text;
    bool Breakpoint = false;
    bool PC = false; // shown bold
};
using DisAsmRows = std::array<DisAsmRow, kDisAsmRows>;

struct DisAsmOptions {
    bool CodeOn = true;          // Debug > Code On
    bool IncludeSymbols = false; // Debug > Include Symbols
};

// The plus-minus sign: a taken branch to its own address.
inline constexpr QChar kMarkerSame = QChar(0x00B1);

// "+" when a taken branch or jump goes above the PC (a higher address), "-"
// below, the plus-minus sign to the PC itself; a blank when not taken.
QChar BranchMarker(int32_t pc, bool taken, int32_t next);

// The row text for an instruction at address with its bytes.
QString DisAsmRowText(int32_t address, std::span<const uint8_t> bytes, bool codeOn, QChar marker,
                      const QString& instruction);

class DisAsmPageRenderer {
public:
    DisAsmPageRenderer(TargetState& state, Disassembler& disassembler, const SymbolTable& symbols)
        : state_(state), disassembler_(disassembler), symbols_(symbols) {}

    // Fills rows from pageAddress on, as far as the page holds whole
    // instructions (at most kDisAsmRows); returns how many. RegPC is reduced
    // modulo 65536 first. Rows after the last rendered one are emptied.
    int Render(int32_t pageAddress, const DisAsmOptions& options, std::span<const int32_t> breakpoints,
               DisAsmRows& rows);

    // The length of the instruction at address; 0 when it does not lie wholly in the page.
    int InstructionLength(int32_t address) const;

    // Up on the first row: the page has been loaded from oldFirst - 5. The
    // first of oldFirst - 5, -4, -3, -2 whose instruction ends exactly at
    // oldFirst, or oldFirst - 1 when none does.
    int32_t UpStart(int32_t oldFirst) const;

    // Page Up: the page has been loaded from the old last visible row - 250.
    // Finds the instruction boundaries that lead to oldFirst (walking from
    // the page start + 0..3) and gives the start that leaves visibleRows - 1
    // instructions before oldFirst.
    int32_t PageUpStart(int32_t oldFirst, int visibleRows) const;

private:
    // Position of address in the page (the page may run across $FFFF), 0..65535.
    int32_t pageIndex(int32_t address) const;
    // Instruction length at a page index; 0 when it does not fit in the page.
    int lengthAt(int32_t index) const;

    TargetState& state_;
    Disassembler& disassembler_;
    const SymbolTable& symbols_;
};

} // namespace quorvel
