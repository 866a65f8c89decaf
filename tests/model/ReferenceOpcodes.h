// The 68HC11 opcode map as the disassembler shows it, written out row by row
// from the published M68HC11 opcode map and instruction timing table, apart
// from the library's table so that the two can be compared. Spellings are the
// disassembler's: LSL for ASL, and "???" for TEST ($00), which is not decoded
// but still counts its 4 cycles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvel::test {

// Mode codes 0..13 of the instruction analysis.
enum RefMode : int {
    kInh = 0,
    kImm8 = 1,
    kImm16 = 2,
    kDir = 3,
    kBitDir = 4,
    kBrDir = 5,
    kExt = 6,
    kIdxX = 7,
    kBitX = 8,
    kBrX = 9,
    kIdxY = 10,
    kBitY = 11,
    kBrY = 12,
    kRel = 13,
};

struct RefOpcode {
    std::string name; // as the disassembler spells it
    int mode;         // 0..13
    int cycles;       // published E-clock cycles
};

// The entry for a byte of page 1..4; nothing for a byte that is no
// instruction there (and for the prefixes on page 1).
std::optional<RefOpcode> findReference(int page, int opcode);

// Operand bytes after the opcode for a mode code.
int refOperandCount(int mode);

// Expected text for the instruction with operand bytes b1..b3 at address.
std::string refText(const RefOpcode& op, int page, int address, int b1, int b2, int b3);

} // namespace quorvel::test
