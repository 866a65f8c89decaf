// vantrel-demo: a minimal host for the simulator.
//
// The host owns the 64 KiB memory image and the program counter, as every
// host of libvantrel does. For each instruction it decodes the bytes at PC
// with the opcode table; it performs branches, jumps, calls and returns
// itself, and hands every other instruction to CVantrelCtrl::Step, answering
// its memory events from the image. It prints a trace and the result.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "vantrel/OpcodeTable.h"
#include "vantrel/VantrelCtrl.h"

namespace {

using vantrel::AddrMode;
using vantrel::Op;

// Multiplies the bytes at $40 and $41 by repeated addition and stores the
// 16-bit product at $42.
//
//        ORG  $E000
// START  LDS  #$00FF
//        JSR  MULT
//        STD  $42
//        SWI             ; back to the monitor: ends the run
// MULT   CLRA            ; D = 0
//        CLRB
//        LDX  #$0040
// LOOP   TST  1,X        ; multiplier used up?
//        BEQ  EXIT
//        ADDB 0,X        ; D += multiplicand
//        ADCA #0
//        DEC  1,X
//        BRA  LOOP
// EXIT   RTS
constexpr uint16_t kOrigin = 0xE000;
constexpr uint8_t kProgram[] = {
    0x8E, 0x00, 0xFF, 0xBD, 0xE0, 0x09, 0xDD, 0x42, 0x3F,                   // $E000
    0x4F, 0x5F, 0xCE, 0x00, 0x40, 0x6D, 0x01, 0x27, 0x08, 0xEB, 0x00, 0x89, // $E009
    0x00, 0x6A, 0x01, 0x20, 0xF4, 0x39,                                     // $E015
};
constexpr uint8_t kMultiplicand = 200, kMultiplier = 3;

struct Host {
    std::array<uint8_t, 0x10000> memory{};
    uint16_t pc = kOrigin;
    int16_t a = 0, b = 0, ccr = 0xD0;
    int32_t x = 0, y = 0, sp = 0;

    uint8_t& at(int32_t address) { return memory[static_cast<uint16_t>(address)]; }

    // Stack discipline of the 68HC11: store, then decrement; increment, then load.
    void push16(uint16_t value) {
        at(sp) = static_cast<uint8_t>(value);
        at(sp - 1) = static_cast<uint8_t>(value >> 8);
        sp = (sp - 2) & 0xFFFF;
    }
    uint16_t pull16() {
        const uint16_t value = static_cast<uint16_t>(at(sp + 1) << 8 | at(sp + 2));
        sp = (sp + 2) & 0xFFFF;
        return value;
    }
    bool flag(vantrel::CcrBit bit) const { return (ccr & bit) != 0; }
};

// The conditions of BRA..BLE.
bool branchTaken(const Host& h, Op op) {
    using enum Op;
    using enum vantrel::CcrBit;
    const bool c = h.flag(CcrC), z = h.flag(CcrZ), n = h.flag(CcrN), v = h.flag(CcrV);
    switch (op) {
    case BRA: return true;
    case BRN: return false;
    case BHI: return !(c || z);
    case BLS: return c || z;
    case BCC: return !c;
    case BCS: return c;
    case BNE: return !z;
    case BEQ: return z;
    case BVC: return !v;
    case BVS: return v;
    case BPL: return !n;
    case BMI: return n;
    case BGE: return n == v;
    case BLT: return n != v;
    case BGT: return !z && n == v;
    case BLE: return z || n != v;
    default: return false;
    }
}

// Effective address of a direct, extended or indexed operand starting at `o`.
uint16_t effectiveAddress(const Host& h, AddrMode mode, const uint8_t* o) {
    switch (mode) {
    case AddrMode::Extended: return static_cast<uint16_t>(o[0] << 8 | o[1]);
    case AddrMode::IndexedX:
    case AddrMode::BitIndexedX:
    case AddrMode::BitBranchIndexedX: return static_cast<uint16_t>(h.x + o[0]);
    case AddrMode::IndexedY:
    case AddrMode::BitIndexedY:
    case AddrMode::BitBranchIndexedY: return static_cast<uint16_t>(h.y + o[0]);
    default: return o[0];
    }
}

// The instruction at `pc` in assembler notation, e.g. "LDAA  $10,X".
std::string disassemble(uint16_t pc, const vantrel::OpcodeInfo& info, const uint8_t* o) {
    using enum AddrMode;
    const AddrMode m = info.mode;
    const bool bitOp = m == BitDirect || m == BitIndexedX || m == BitIndexedY;
    const bool bitBranch = m == BitBranchDirect || m == BitBranchIndexedX || m == BitBranchIndexedY;
    const int target = (pc + info.length + static_cast<int8_t>(o[bitBranch ? 2 : 0])) & 0xFFFF;
    char text[40];
    int n = std::snprintf(text, sizeof text, "%-5s ", std::string(vantrel::mnemonic(info.op)).c_str());
    auto add = [&](const char* format, auto... args) {
        n += std::snprintf(text + n, sizeof text - static_cast<size_t>(n), format, args...);
    };
    switch (m) {
    case Inherent: break;
    case Immediate8: add("#$%02X", o[0]); break;
    case Immediate16: add("#$%02X%02X", o[0], o[1]); break;
    case Extended: add("$%02X%02X", o[0], o[1]); break;
    case Relative: add("$%04X", target); break;
    case IndexedX:
    case BitIndexedX:
    case BitBranchIndexedX: add("$%02X,X", o[0]); break;
    case IndexedY:
    case BitIndexedY:
    case BitBranchIndexedY: add("$%02X,Y", o[0]); break;
    default: add("$%02X", o[0]); break; // direct
    }
    if (bitOp || bitBranch) add(",#$%02X", o[1]);
    if (bitBranch) add(",$%04X", target);
    return text;
}

} // namespace

int main() {
    static Host h;
    for (size_t i = 0; i < sizeof kProgram; ++i)
        h.memory[kOrigin + i] = kProgram[i];
    h.memory[0x40] = kMultiplicand;
    h.memory[0x41] = kMultiplier;

    vantrel::CVantrelCtrl cpu;
    cpu.setReadMemory([](int32_t address, int16_t& value) { value = h.at(address); });
    cpu.setWriteMemory([](int32_t address, int16_t value) { h.at(address) = static_cast<uint8_t>(value); });

    // One line per instruction, with the registers after it.
    std::printf("PC    Instruction           A  B  X    Y    SP   CCR\n");
    for (int steps = 0; steps < 1000; ++steps) {
        const uint16_t pc = h.pc;
        uint8_t bytes[5];
        for (int i = 0; i < 5; ++i)
            bytes[i] = h.memory[static_cast<uint16_t>(pc + i)];
        const vantrel::Decoded d = vantrel::decode(bytes[0], bytes[1]);
        const vantrel::OpcodeInfo& info = *d.info;
        if (!info.defined()) {
            std::printf("%04X  undefined opcode, stopped\n", pc);
            return 1;
        }
        const uint8_t* operands = bytes + (d.page == 1 ? 1 : 2);
        const std::string text = disassemble(pc, info, operands);

        // SWI hands control back to the monitor and ends the run; so does RTI,
        // since nothing here raises interrupts.
        if (info.op == Op::SWI || info.op == Op::RTI) {
            std::printf("%04X  %s\n", pc, text.c_str());
            break;
        }

        const uint16_t next = static_cast<uint16_t>(pc + info.length);
        const uint16_t ea = effectiveAddress(h, info.mode, operands);
        const uint16_t target = static_cast<uint16_t>(next + static_cast<int8_t>(operands[0]));
        switch (info.op) {
        case Op::JMP: h.pc = ea; break;
        case Op::JSR:
            h.push16(next);
            h.pc = ea;
            break;
        case Op::BSR:
            h.push16(next);
            h.pc = target;
            break;
        case Op::RTS: h.pc = h.pull16(); break;
        case Op::BRSET:
        case Op::BRCLR: {
            // Mask in the second operand byte, offset in the third.
            const uint8_t m = h.at(ea), mask = operands[1];
            const bool taken = info.op == Op::BRSET ? (~m & mask) == 0 : (m & mask) == 0;
            h.pc = taken ? static_cast<uint16_t>(next + static_cast<int8_t>(operands[2])) : next;
            break;
        }
        default:
            if (info.mode == AddrMode::Relative) {
                h.pc = branchTaken(h, info.op) ? target : next;
            } else {
                cpu.Step(h.a, h.b, h.x, h.y, h.sp, h.ccr, bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]);
                h.pc = next;
            }
        }
        std::printf("%04X  %-20s  %02X %02X %04X %04X %04X %02X\n", pc, text.c_str(), h.a, h.b,
                    static_cast<unsigned>(h.x), static_cast<unsigned>(h.y), static_cast<unsigned>(h.sp),
                    h.ccr);
    }

    const unsigned product = static_cast<unsigned>(h.memory[0x42] << 8 | h.memory[0x43]);
    const unsigned expected = unsigned{kMultiplicand} * kMultiplier;
    std::printf("\n%u x %u = %u ($%04X), stored at $0042\n", unsigned{kMultiplicand}, unsigned{kMultiplier},
                product, product);
    return product == expected ? 0 : 1;
}
