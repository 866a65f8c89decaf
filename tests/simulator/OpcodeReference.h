// The opcode map as the tests expect it, written out from the published
// M68HC11 opcode map and instruction timing table, one row per defined opcode.
// Kept apart from the library's own table so that the two can be compared.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "vantrel/OpcodeTable.h"

namespace vantrel::test {

struct RefOpcode {
    int page;       // 1..4
    uint8_t opcode; // the byte on that page
    std::string_view name;
    AddrMode mode;
    int cycles; // published E-clock cycles
};

namespace ref_modes {
inline constexpr AddrMode Inh = AddrMode::Inherent;
inline constexpr AddrMode Imm8 = AddrMode::Immediate8;
inline constexpr AddrMode Imm16 = AddrMode::Immediate16;
inline constexpr AddrMode Dir = AddrMode::Direct;
inline constexpr AddrMode Ext = AddrMode::Extended;
inline constexpr AddrMode IdxX = AddrMode::IndexedX;
inline constexpr AddrMode IdxY = AddrMode::IndexedY;
inline constexpr AddrMode Rel = AddrMode::Relative;
inline constexpr AddrMode BitDir = AddrMode::BitDirect;
inline constexpr AddrMode BitX = AddrMode::BitIndexedX;
inline constexpr AddrMode BitY = AddrMode::BitIndexedY;
inline constexpr AddrMode BrDir = AddrMode::BitBranchDirect;
inline constexpr AddrMode BrX = AddrMode::BitBranchIndexedX;
inline constexpr AddrMode BrY = AddrMode::BitBranchIndexedY;
// clang-format off
inline constexpr RefOpcode kRefOpcodes[] = {
    // Page 1
    {1, 0x00, "TEST", Inh, 4},
    {1, 0x01, "NOP", Inh, 2},
    {1, 0x02, "IDIV", Inh, 41},
    {1, 0x03, "FDIV", Inh, 41},
    {1, 0x04, "LSRD", Inh, 3},
    {1, 0x05, "ASLD", Inh, 3},
    {1, 0x06, "TAP", Inh, 2},
    {1, 0x07, "TPA", Inh, 2},
    {1, 0x08, "INX", Inh, 3},
    {1, 0x09, "DEX", Inh, 3},
    {1, 0x0A, "CLV", Inh, 2},
    {1, 0x0B, "SEV", Inh, 2},
    {1, 0x0C, "CLC", Inh, 2},
    {1, 0x0D, "SEC", Inh, 2},
    {1, 0x0E, "CLI", Inh, 2},
    {1, 0x0F, "SEI", Inh, 2},
    {1, 0x10, "SBA", Inh, 2},
    {1, 0x11, "CBA", Inh, 2},
    {1, 0x12, "BRSET", BrDir, 6},
    {1, 0x13, "BRCLR", BrDir, 6},
    {1, 0x14, "BSET", BitDir, 6},
    {1, 0x15, "BCLR", BitDir, 6},
    {1, 0x16, "TAB", Inh, 2},
    {1, 0x17, "TBA", Inh, 2},
    {1, 0x19, "DAA", Inh, 2},
    {1, 0x1B, "ABA", Inh, 2},
    {1, 0x1C, "BSET", BitX, 7},
    {1, 0x1D, "BCLR", BitX, 7},
    {1, 0x1E, "BRSET", BrX, 7},
    {1, 0x1F, "BRCLR", BrX, 7},
    {1, 0x20, "BRA", Rel, 3},
    {1, 0x21, "BRN", Rel, 3},
    {1, 0x22, "BHI", Rel, 3},
    {1, 0x23, "BLS", Rel, 3},
    {1, 0x24, "BCC", Rel, 3},
    {1, 0x25, "BCS", Rel, 3},
    {1, 0x26, "BNE", Rel, 3},
    {1, 0x27, "BEQ", Rel, 3},
    {1, 0x28, "BVC", Rel, 3},
    {1, 0x29, "BVS", Rel, 3},
    {1, 0x2A, "BPL", Rel, 3},
    {1, 0x2B, "BMI", Rel, 3},
    {1, 0x2C, "BGE", Rel, 3},
    {1, 0x2D, "BLT", Rel, 3},
    {1, 0x2E, "BGT", Rel, 3},
    {1, 0x2F, "BLE", Rel, 3},
    {1, 0x30, "TSX", Inh, 3},
    {1, 0x31, "INS", Inh, 3},
    {1, 0x32, "PULA", Inh, 4},
    {1, 0x33, "PULB", Inh, 4},
    {1, 0x34, "DES", Inh, 3},
    {1, 0x35, "TXS", Inh, 3},
    {1, 0x36, "PSHA", Inh, 3},
    {1, 0x37, "PSHB", Inh, 3},
    {1, 0x38, "PULX", Inh, 5},
    {1, 0x39, "RTS", Inh, 5},
    {1, 0x3A, "ABX", Inh, 3},
    {1, 0x3B, "RTI", Inh, 12},
    {1, 0x3C, "PSHX", Inh, 4},
    {1, 0x3D, "MUL", Inh, 10},
    {1, 0x3E, "WAI", Inh, 14},
    {1, 0x3F, "SWI", Inh, 14},
    {1, 0x40, "NEGA", Inh, 2},
    {1, 0x43, "COMA", Inh, 2},
    {1, 0x44, "LSRA", Inh, 2},
    {1, 0x46, "RORA", Inh, 2},
    {1, 0x47, "ASRA", Inh, 2},
    {1, 0x48, "ASLA", Inh, 2},
    {1, 0x49, "ROLA", Inh, 2},
    {1, 0x4A, "DECA", Inh, 2},
    {1, 0x4C, "INCA", Inh, 2},
    {1, 0x4D, "TSTA", Inh, 2},
    {1, 0x4F, "CLRA", Inh, 2},
    {1, 0x50, "NEGB", Inh, 2},
    {1, 0x53, "COMB", Inh, 2},
    {1, 0x54, "LSRB", Inh, 2},
    {1, 0x56, "RORB", Inh, 2},
    {1, 0x57, "ASRB", Inh, 2},
    {1, 0x58, "ASLB", Inh, 2},
    {1, 0x59, "ROLB", Inh, 2},
    {1, 0x5A, "DECB", Inh, 2},
    {1, 0x5C, "INCB", Inh, 2},
    {1, 0x5D, "TSTB", Inh, 2},
    {1, 0x5F, "CLRB", Inh, 2},
    {1, 0x60, "NEG", IdxX, 6},
    {1, 0x63, "COM", IdxX, 6},
    {1, 0x64, "LSR", IdxX, 6},
    {1, 0x66, "ROR", IdxX, 6},
    {1, 0x67, "ASR", IdxX, 6},
    {1, 0x68, "ASL", IdxX, 6},
    {1, 0x69, "ROL", IdxX, 6},
    {1, 0x6A, "DEC", IdxX, 6},
    {1, 0x6C, "INC", IdxX, 6},
    {1, 0x6D, "TST", IdxX, 6},
    {1, 0x6E, "JMP", IdxX, 3},
    {1, 0x6F, "CLR", IdxX, 6},
    {1, 0x70, "NEG", Ext, 6},
    {1, 0x73, "COM", Ext, 6},
    {1, 0x74, "LSR", Ext, 6},
    {1, 0x76, "ROR", Ext, 6},
    {1, 0x77, "ASR", Ext, 6},
    {1, 0x78, "ASL", Ext, 6},
    {1, 0x79, "ROL", Ext, 6},
    {1, 0x7A, "DEC", Ext, 6},
    {1, 0x7C, "INC", Ext, 6},
    {1, 0x7D, "TST", Ext, 6},
    {1, 0x7E, "JMP", Ext, 3},
    {1, 0x7F, "CLR", Ext, 6},
    {1, 0x80, "SUBA", Imm8, 2},
    {1, 0x81, "CMPA", Imm8, 2},
    {1, 0x82, "SBCA", Imm8, 2},
    {1, 0x83, "SUBD", Imm16, 4},
    {1, 0x84, "ANDA", Imm8, 2},
    {1, 0x85, "BITA", Imm8, 2},
    {1, 0x86, "LDAA", Imm8, 2},
    {1, 0x88, "EORA", Imm8, 2},
    {1, 0x89, "ADCA", Imm8, 2},
    {1, 0x8A, "ORAA", Imm8, 2},
    {1, 0x8B, "ADDA", Imm8, 2},
    {1, 0x8C, "CPX", Imm16, 4},
    {1, 0x8D, "BSR", Rel, 6},
    {1, 0x8E, "LDS", Imm16, 3},
    {1, 0x8F, "XGDX", Inh, 3},
    {1, 0x90, "SUBA", Dir, 3},
    {1, 0x91, "CMPA", Dir, 3},
    {1, 0x92, "SBCA", Dir, 3},
    {1, 0x93, "SUBD", Dir, 5},
    {1, 0x94, "ANDA", Dir, 3},
    {1, 0x95, "BITA", Dir, 3},
    {1, 0x96, "LDAA", Dir, 3},
    {1, 0x97, "STAA", Dir, 3},
    {1, 0x98, "EORA", Dir, 3},
    {1, 0x99, "ADCA", Dir, 3},
    {1, 0x9A, "ORAA", Dir, 3},
    {1, 0x9B, "ADDA", Dir, 3},
    {1, 0x9C, "CPX", Dir, 5},
    {1, 0x9D, "JSR", Dir, 5},
    {1, 0x9E, "LDS", Dir, 4},
    {1, 0x9F, "STS", Dir, 4},
    {1, 0xA0, "SUBA", IdxX, 4},
    {1, 0xA1, "CMPA", IdxX, 4},
    {1, 0xA2, "SBCA", IdxX, 4},
    {1, 0xA3, "SUBD", IdxX, 6},
    {1, 0xA4, "ANDA", IdxX, 4},
    {1, 0xA5, "BITA", IdxX, 4},
    {1, 0xA6, "LDAA", IdxX, 4},
    {1, 0xA7, "STAA", IdxX, 4},
    {1, 0xA8, "EORA", IdxX, 4},
    {1, 0xA9, "ADCA", IdxX, 4},
    {1, 0xAA, "ORAA", IdxX, 4},
    {1, 0xAB, "ADDA", IdxX, 4},
    {1, 0xAC, "CPX", IdxX, 6},
    {1, 0xAD, "JSR", IdxX, 6},
    {1, 0xAE, "LDS", IdxX, 5},
    {1, 0xAF, "STS", IdxX, 5},
    {1, 0xB0, "SUBA", Ext, 4},
    {1, 0xB1, "CMPA", Ext, 4},
    {1, 0xB2, "SBCA", Ext, 4},
    {1, 0xB3, "SUBD", Ext, 6},
    {1, 0xB4, "ANDA", Ext, 4},
    {1, 0xB5, "BITA", Ext, 4},
    {1, 0xB6, "LDAA", Ext, 4},
    {1, 0xB7, "STAA", Ext, 4},
    {1, 0xB8, "EORA", Ext, 4},
    {1, 0xB9, "ADCA", Ext, 4},
    {1, 0xBA, "ORAA", Ext, 4},
    {1, 0xBB, "ADDA", Ext, 4},
    {1, 0xBC, "CPX", Ext, 6},
    {1, 0xBD, "JSR", Ext, 6},
    {1, 0xBE, "LDS", Ext, 5},
    {1, 0xBF, "STS", Ext, 5},
    {1, 0xC0, "SUBB", Imm8, 2},
    {1, 0xC1, "CMPB", Imm8, 2},
    {1, 0xC2, "SBCB", Imm8, 2},
    {1, 0xC3, "ADDD", Imm16, 4},
    {1, 0xC4, "ANDB", Imm8, 2},
    {1, 0xC5, "BITB", Imm8, 2},
    {1, 0xC6, "LDAB", Imm8, 2},
    {1, 0xC8, "EORB", Imm8, 2},
    {1, 0xC9, "ADCB", Imm8, 2},
    {1, 0xCA, "ORAB", Imm8, 2},
    {1, 0xCB, "ADDB", Imm8, 2},
    {1, 0xCC, "LDD", Imm16, 3},
    {1, 0xCE, "LDX", Imm16, 3},
    {1, 0xCF, "STOP", Inh, 2},
    {1, 0xD0, "SUBB", Dir, 3},
    {1, 0xD1, "CMPB", Dir, 3},
    {1, 0xD2, "SBCB", Dir, 3},
    {1, 0xD3, "ADDD", Dir, 5},
    {1, 0xD4, "ANDB", Dir, 3},
    {1, 0xD5, "BITB", Dir, 3},
    {1, 0xD6, "LDAB", Dir, 3},
    {1, 0xD7, "STAB", Dir, 3},
    {1, 0xD8, "EORB", Dir, 3},
    {1, 0xD9, "ADCB", Dir, 3},
    {1, 0xDA, "ORAB", Dir, 3},
    {1, 0xDB, "ADDB", Dir, 3},
    {1, 0xDC, "LDD", Dir, 4},
    {1, 0xDD, "STD", Dir, 4},
    {1, 0xDE, "LDX", Dir, 4},
    {1, 0xDF, "STX", Dir, 4},
    {1, 0xE0, "SUBB", IdxX, 4},
    {1, 0xE1, "CMPB", IdxX, 4},
    {1, 0xE2, "SBCB", IdxX, 4},
    {1, 0xE3, "ADDD", IdxX, 6},
    {1, 0xE4, "ANDB", IdxX, 4},
    {1, 0xE5, "BITB", IdxX, 4},
    {1, 0xE6, "LDAB", IdxX, 4},
    {1, 0xE7, "STAB", IdxX, 4},
    {1, 0xE8, "EORB", IdxX, 4},
    {1, 0xE9, "ADCB", IdxX, 4},
    {1, 0xEA, "ORAB", IdxX, 4},
    {1, 0xEB, "ADDB", IdxX, 4},
    {1, 0xEC, "LDD", IdxX, 5},
    {1, 0xED, "STD", IdxX, 5},
    {1, 0xEE, "LDX", IdxX, 5},
    {1, 0xEF, "STX", IdxX, 5},
    {1, 0xF0, "SUBB", Ext, 4},
    {1, 0xF1, "CMPB", Ext, 4},
    {1, 0xF2, "SBCB", Ext, 4},
    {1, 0xF3, "ADDD", Ext, 6},
    {1, 0xF4, "ANDB", Ext, 4},
    {1, 0xF5, "BITB", Ext, 4},
    {1, 0xF6, "LDAB", Ext, 4},
    {1, 0xF7, "STAB", Ext, 4},
    {1, 0xF8, "EORB", Ext, 4},
    {1, 0xF9, "ADCB", Ext, 4},
    {1, 0xFA, "ORAB", Ext, 4},
    {1, 0xFB, "ADDB", Ext, 4},
    {1, 0xFC, "LDD", Ext, 5},
    {1, 0xFD, "STD", Ext, 5},
    {1, 0xFE, "LDX", Ext, 5},
    {1, 0xFF, "STX", Ext, 5},
    // Page 2
    {2, 0x08, "INY", Inh, 4},
    {2, 0x09, "DEY", Inh, 4},
    {2, 0x1C, "BSET", BitY, 8},
    {2, 0x1D, "BCLR", BitY, 8},
    {2, 0x1E, "BRSET", BrY, 8},
    {2, 0x1F, "BRCLR", BrY, 8},
    {2, 0x30, "TSY", Inh, 4},
    {2, 0x35, "TYS", Inh, 4},
    {2, 0x38, "PULY", Inh, 6},
    {2, 0x3A, "ABY", Inh, 4},
    {2, 0x3C, "PSHY", Inh, 5},
    {2, 0x60, "NEG", IdxY, 7},
    {2, 0x63, "COM", IdxY, 7},
    {2, 0x64, "LSR", IdxY, 7},
    {2, 0x66, "ROR", IdxY, 7},
    {2, 0x67, "ASR", IdxY, 7},
    {2, 0x68, "ASL", IdxY, 7},
    {2, 0x69, "ROL", IdxY, 7},
    {2, 0x6A, "DEC", IdxY, 7},
    {2, 0x6C, "INC", IdxY, 7},
    {2, 0x6D, "TST", IdxY, 7},
    {2, 0x6E, "JMP", IdxY, 4},
    {2, 0x6F, "CLR", IdxY, 7},
    {2, 0x8C, "CPY", Imm16, 5},
    {2, 0x8F, "XGDY", Inh, 4},
    {2, 0x9C, "CPY", Dir, 6},
    {2, 0xA0, "SUBA", IdxY, 5},
    {2, 0xA1, "CMPA", IdxY, 5},
    {2, 0xA2, "SBCA", IdxY, 5},
    {2, 0xA3, "SUBD", IdxY, 7},
    {2, 0xA4, "ANDA", IdxY, 5},
    {2, 0xA5, "BITA", IdxY, 5},
    {2, 0xA6, "LDAA", IdxY, 5},
    {2, 0xA7, "STAA", IdxY, 5},
    {2, 0xA8, "EORA", IdxY, 5},
    {2, 0xA9, "ADCA", IdxY, 5},
    {2, 0xAA, "ORAA", IdxY, 5},
    {2, 0xAB, "ADDA", IdxY, 5},
    {2, 0xAC, "CPY", IdxY, 7},
    {2, 0xAD, "JSR", IdxY, 7},
    {2, 0xAE, "LDS", IdxY, 6},
    {2, 0xAF, "STS", IdxY, 6},
    {2, 0xBC, "CPY", Ext, 7},
    {2, 0xCE, "LDY", Imm16, 4},
    {2, 0xDE, "LDY", Dir, 5},
    {2, 0xDF, "STY", Dir, 5},
    {2, 0xE0, "SUBB", IdxY, 5},
    {2, 0xE1, "CMPB", IdxY, 5},
    {2, 0xE2, "SBCB", IdxY, 5},
    {2, 0xE3, "ADDD", IdxY, 7},
    {2, 0xE4, "ANDB", IdxY, 5},
    {2, 0xE5, "BITB", IdxY, 5},
    {2, 0xE6, "LDAB", IdxY, 5},
    {2, 0xE7, "STAB", IdxY, 5},
    {2, 0xE8, "EORB", IdxY, 5},
    {2, 0xE9, "ADCB", IdxY, 5},
    {2, 0xEA, "ORAB", IdxY, 5},
    {2, 0xEB, "ADDB", IdxY, 5},
    {2, 0xEC, "LDD", IdxY, 6},
    {2, 0xED, "STD", IdxY, 6},
    {2, 0xEE, "LDY", IdxY, 6},
    {2, 0xEF, "STY", IdxY, 6},
    {2, 0xFE, "LDY", Ext, 6},
    {2, 0xFF, "STY", Ext, 6},
    // Page 3
    {3, 0x83, "CPD", Imm16, 5},
    {3, 0x93, "CPD", Dir, 6},
    {3, 0xA3, "CPD", IdxX, 7},
    {3, 0xAC, "CPY", IdxX, 7},
    {3, 0xB3, "CPD", Ext, 7},
    {3, 0xEE, "LDY", IdxX, 6},
    {3, 0xEF, "STY", IdxX, 6},
    // Page 4
    {4, 0xA3, "CPD", IdxY, 7},
    {4, 0xAC, "CPX", IdxY, 7},
    {4, 0xEE, "LDX", IdxY, 6},
    {4, 0xEF, "STX", IdxY, 6},
};
// clang-format on
} // namespace ref_modes
using ref_modes::kRefOpcodes;

inline constexpr uint8_t kPrefixes[] = {0x18, 0x1A, 0xCD};

constexpr uint8_t prefixOfPage(int page) {
    return page == 2 ? 0x18 : page == 3 ? 0x1A : page == 4 ? 0xCD : 0x00;
}

// Bytes after the opcode, by addressing mode.
constexpr int refOperandBytes(AddrMode mode) {
    switch (mode) {
    case AddrMode::Inherent: return 0;
    case AddrMode::Immediate8: return 1;
    case AddrMode::Immediate16: return 2;
    case AddrMode::Direct: return 1;
    case AddrMode::Extended: return 2;
    case AddrMode::IndexedX: return 1;
    case AddrMode::IndexedY: return 1;
    case AddrMode::Relative: return 1;
    case AddrMode::BitDirect: return 2;
    case AddrMode::BitIndexedX: return 2;
    case AddrMode::BitIndexedY: return 2;
    case AddrMode::BitBranchDirect: return 3;
    case AddrMode::BitBranchIndexedX: return 3;
    case AddrMode::BitBranchIndexedY: return 3;
    }
    return -1;
}

// Instruction length in bytes, the prefix included.
constexpr int refLength(const RefOpcode& r) {
    return (r.page > 1 ? 2 : 1) + refOperandBytes(r.mode);
}

inline std::optional<RefOpcode> findRef(int page, uint8_t opcode) {
    for (const RefOpcode& r : kRefOpcodes)
        if (r.page == page && r.opcode == opcode) return r;
    return std::nullopt;
}

} // namespace vantrel::test
