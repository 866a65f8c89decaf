#include "ReferenceOpcodes.h"

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

namespace quorvel::test {

namespace {

// One row of sixteen opcodes: names separated by blanks ("-" = no instruction),
// one mode letter per column and the cycles per column.
//   h inherent  i imm8  w imm16  d direct  e extended  x ind,X  y ind,Y  r relative
//   b BSET/BCLR dir  c BSET/BCLR X  z BSET/BCLR Y  B BRSET/BRCLR dir  C ... X  Z ... Y
struct Row {
    int page;
    int base;
    const char* names;
    const char* modes;
    std::array<int, 16> cycles;
};

// clang-format off
const Row kRows[] = {
    {1, 0x00, "??? NOP IDIV FDIV LSRD LSLD TAP TPA INX DEX CLV SEV CLC SEC CLI SEI", "hhhhhhhhhhhhhhhh",
     {4, 2, 41, 41, 3, 3, 2, 2, 3, 3, 2, 2, 2, 2, 2, 2}},
    {1, 0x10, "SBA CBA BRSET BRCLR BSET BCLR TAB TBA - DAA - ABA BSET BCLR BRSET BRCLR", "hhBBbbhh-h-hccCC",
     {2, 2, 6, 6, 6, 6, 2, 2, 0, 2, 0, 2, 7, 7, 7, 7}},
    {1, 0x20, "BRA BRN BHI BLS BCC BCS BNE BEQ BVC BVS BPL BMI BGE BLT BGT BLE", "rrrrrrrrrrrrrrrr",
     {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
    {1, 0x30, "TSX INS PULA PULB DES TXS PSHA PSHB PULX RTS ABX RTI PSHX MUL WAI SWI", "hhhhhhhhhhhhhhhh",
     {3, 3, 4, 4, 3, 3, 3, 3, 5, 5, 3, 12, 4, 10, 14, 14}},
    {1, 0x40, "NEGA - - COMA LSRA - RORA ASRA LSLA ROLA DECA - INCA TSTA - CLRA", "h--hh-hhhhh-hh-h",
     {2, 0, 0, 2, 2, 0, 2, 2, 2, 2, 2, 0, 2, 2, 0, 2}},
    {1, 0x50, "NEGB - - COMB LSRB - RORB ASRB LSLB ROLB DECB - INCB TSTB - CLRB", "h--hh-hhhhh-hh-h",
     {2, 0, 0, 2, 2, 0, 2, 2, 2, 2, 2, 0, 2, 2, 0, 2}},
    {1, 0x60, "NEG - - COM LSR - ROR ASR LSL ROL DEC - INC TST JMP CLR", "x--xx-xxxxx-xxxx",
     {6, 0, 0, 6, 6, 0, 6, 6, 6, 6, 6, 0, 6, 6, 3, 6}},
    {1, 0x70, "NEG - - COM LSR - ROR ASR LSL ROL DEC - INC TST JMP CLR", "e--ee-eeeee-eeee",
     {6, 0, 0, 6, 6, 0, 6, 6, 6, 6, 6, 0, 6, 6, 3, 6}},
    {1, 0x80, "SUBA CMPA SBCA SUBD ANDA BITA LDAA - EORA ADCA ORAA ADDA CPX BSR LDS XGDX", "iiiwiii-iiiiwrwh",
     {2, 2, 2, 4, 2, 2, 2, 0, 2, 2, 2, 2, 4, 6, 3, 3}},
    {1, 0x90, "SUBA CMPA SBCA SUBD ANDA BITA LDAA STAA EORA ADCA ORAA ADDA CPX JSR LDS STS", "dddddddddddddddd",
     {3, 3, 3, 5, 3, 3, 3, 3, 3, 3, 3, 3, 5, 5, 4, 4}},
    {1, 0xA0, "SUBA CMPA SBCA SUBD ANDA BITA LDAA STAA EORA ADCA ORAA ADDA CPX JSR LDS STS", "xxxxxxxxxxxxxxxx",
     {4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4, 6, 6, 5, 5}},
    {1, 0xB0, "SUBA CMPA SBCA SUBD ANDA BITA LDAA STAA EORA ADCA ORAA ADDA CPX JSR LDS STS", "eeeeeeeeeeeeeeee",
     {4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4, 6, 6, 5, 5}},
    {1, 0xC0, "SUBB CMPB SBCB ADDD ANDB BITB LDAB - EORB ADCB ORAB ADDB LDD - LDX STOP", "iiiwiii-iiiiw-wh",
     {2, 2, 2, 4, 2, 2, 2, 0, 2, 2, 2, 2, 3, 0, 3, 2}},
    {1, 0xD0, "SUBB CMPB SBCB ADDD ANDB BITB LDAB STAB EORB ADCB ORAB ADDB LDD STD LDX STX", "dddddddddddddddd",
     {3, 3, 3, 5, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4}},
    {1, 0xE0, "SUBB CMPB SBCB ADDD ANDB BITB LDAB STAB EORB ADCB ORAB ADDB LDD STD LDX STX", "xxxxxxxxxxxxxxxx",
     {4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5}},
    {1, 0xF0, "SUBB CMPB SBCB ADDD ANDB BITB LDAB STAB EORB ADCB ORAB ADDB LDD STD LDX STX", "eeeeeeeeeeeeeeee",
     {4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5}},

    // Page 2 ($18)
    {2, 0x00, "- - - - - - - - INY DEY - - - - - -", "--------hh------",
     {0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 0, 0, 0, 0, 0, 0}},
    {2, 0x10, "- - - - - - - - - - - - BSET BCLR BRSET BRCLR", "------------zzZZ",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 8, 8, 8}},
    {2, 0x30, "TSY - - - - TYS - - PULY - ABY - PSHY - - -", "h----h--h-h-h---",
     {4, 0, 0, 0, 0, 4, 0, 0, 6, 0, 4, 0, 5, 0, 0, 0}},
    {2, 0x60, "NEG - - COM LSR - ROR ASR LSL ROL DEC - INC TST JMP CLR", "y--yy-yyyyy-yyyy",
     {7, 0, 0, 7, 7, 0, 7, 7, 7, 7, 7, 0, 7, 7, 4, 7}},
    {2, 0x80, "- - - - - - - - - - - - CPY - - XGDY", "------------w--h",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 4}},
    {2, 0x90, "- - - - - - - - - - - - CPY - - -", "------------d---",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0}},
    {2, 0xA0, "SUBA CMPA SBCA SUBD ANDA BITA LDAA STAA EORA ADCA ORAA ADDA CPY JSR LDS STS", "yyyyyyyyyyyyyyyy",
     {5, 5, 5, 7, 5, 5, 5, 5, 5, 5, 5, 5, 7, 7, 6, 6}},
    {2, 0xB0, "- - - - - - - - - - - - CPY - - -", "------------e---",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}},
    {2, 0xC0, "- - - - - - - - - - - - - - LDY -", "--------------w-",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0}},
    {2, 0xD0, "- - - - - - - - - - - - - - LDY STY", "--------------dd",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 5}},
    {2, 0xE0, "SUBB CMPB SBCB ADDD ANDB BITB LDAB STAB EORB ADCB ORAB ADDB LDD STD LDY STY", "yyyyyyyyyyyyyyyy",
     {5, 5, 5, 7, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6}},
    {2, 0xF0, "- - - - - - - - - - - - - - LDY STY", "--------------ee",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 6}},

    // Page 3 ($1A)
    {3, 0x80, "- - - CPD - - - - - - - - - - - -", "---w------------",
     {0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {3, 0x90, "- - - CPD - - - - - - - - - - - -", "---d------------",
     {0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {3, 0xA0, "- - - CPD - - - - - - - - CPY - - -", "---x--------x---",
     {0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}},
    {3, 0xB0, "- - - CPD - - - - - - - - - - - -", "---e------------",
     {0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {3, 0xE0, "- - - - - - - - - - - - - - LDY STY", "--------------xx",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 6}},

    // Page 4 ($CD)
    {4, 0xA0, "- - - CPD - - - - - - - - CPX - - -", "---y--------y---",
     {0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}},
    {4, 0xE0, "- - - - - - - - - - - - - - LDX STX", "--------------yy",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 6}},
};
// clang-format on

int modeOfLetter(char letter) {
    switch (letter) {
    case 'h': return kInh;
    case 'i': return kImm8;
    case 'w': return kImm16;
    case 'd': return kDir;
    case 'b': return kBitDir;
    case 'B': return kBrDir;
    case 'e': return kExt;
    case 'x': return kIdxX;
    case 'c': return kBitX;
    case 'C': return kBrX;
    case 'y': return kIdxY;
    case 'z': return kBitY;
    case 'Z': return kBrY;
    case 'r': return kRel;
    default: return -1;
    }
}

std::map<std::pair<int, int>, RefOpcode> buildReference() {
    std::map<std::pair<int, int>, RefOpcode> reference;
    for (const Row& row : kRows) {
        std::istringstream names(row.names);
        for (int column = 0; column < 16; ++column) {
            std::string name;
            names >> name;
            const int mode = modeOfLetter(row.modes[column]);
            if (name == "-" || mode < 0) continue;
            reference[{row.page, row.base + column}] =
                RefOpcode{name, mode, row.cycles[static_cast<size_t>(column)]};
        }
    }
    return reference;
}

std::string hex(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

} // namespace

std::optional<RefOpcode> findReference(int page, int opcode) {
    static const auto reference = buildReference();
    const auto it = reference.find({page, opcode});
    if (it == reference.end()) return std::nullopt;
    return it->second;
}

int refOperandCount(int mode) {
    switch (mode) {
    case kInh: return 0;
    case kImm8:
    case kDir:
    case kIdxX:
    case kIdxY:
    case kRel: return 1;
    case kBrDir:
    case kBrX:
    case kBrY: return 3;
    default: return 2;
    }
}

std::string refText(const RefOpcode& op, int page, int address, int b1, int b2, int b3) {
    if (op.name == "???" || op.mode == kInh) return op.name;
    const int length = 1 + (page > 1 ? 1 : 0) + refOperandCount(op.mode);
    const int offset = (op.mode == kRel ? b1 : b3);
    const int target = (address + length + (offset > 127 ? offset - 256 : offset)) & 0xFFFF;
    std::string text = op.name;
    text.resize(6, ' ');
    switch (op.mode) {
    case kImm8: return text + "#$" + hex(b1, 2);
    case kImm16: return text + "#$" + hex(b1 * 256 + b2, 4);
    case kDir: return text + "$" + hex(b1, 2);
    case kBitDir: return text + "$" + hex(b1, 2) + " $" + hex(b2, 2);
    case kBrDir: return text + "$" + hex(b1, 2) + " $" + hex(b2, 2) + " $" + hex(target, 4);
    case kExt: return text + "$" + hex(b1 * 256 + b2, 4);
    case kIdxX: return text + "$" + hex(b1, 2) + ",X";
    case kBitX: return text + "$" + hex(b1, 2) + ",X $" + hex(b2, 2);
    case kBrX: return text + "$" + hex(b1, 2) + ",X $" + hex(b2, 2) + " $" + hex(target, 4);
    case kIdxY: return text + "$" + hex(b1, 2) + ",Y";
    case kBitY: return text + "$" + hex(b1, 2) + ",Y $" + hex(b2, 2);
    case kBrY: return text + "$" + hex(b1, 2) + ",Y $" + hex(b2, 2) + " $" + hex(target, 4);
    case kRel: return text + "$" + hex(target, 4);
    default: return text;
    }
}

} // namespace quorvel::test
