// 16-bit arithmetic, loads and stores on D, X, Y and SP, the register
// transfers and increments, the shifts of D, MUL, IDIV and FDIV.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestHost.h"

namespace vantrel::test {
namespace {

constexpr int kFlagsNZVC = kN | kZ | kV | kC;

int nz16(int r) {
    return ((r & 0x8000) ? kN : 0) | ((r & 0xFFFF) == 0 ? kZ : 0);
}
int signed16(int v) {
    return (v & 0x8000) ? (v & 0xFFFF) - 0x10000 : (v & 0xFFFF);
}

enum class Reg { D, X, Y, S };

Regs set(Regs r, Reg reg, int value) {
    value &= 0xFFFF;
    switch (reg) {
    case Reg::D:
        r.a = static_cast<int16_t>(value >> 8);
        r.b = static_cast<int16_t>(value & 0xFF);
        break;
    case Reg::X: r.x = value; break;
    case Reg::Y: r.y = value; break;
    case Reg::S: r.sp = value; break;
    }
    return r;
}

enum class Kind { Add, Sub, Cmp, Load, Store };
enum class Mode { Imm, Dir, IdxX, Ext, IdxY };

struct WordOp {
    const char* name;
    Kind kind;
    Reg reg;
    // Opcode bytes (prefix included) per mode; empty when the mode does not exist.
    std::vector<int> imm, dir, idx, ext, idy;
};

const WordOp kWordOps[] = {
    {"ADDD", Kind::Add, Reg::D, {0xC3}, {0xD3}, {0xE3}, {0xF3}, {0x18, 0xE3}},
    {"SUBD", Kind::Sub, Reg::D, {0x83}, {0x93}, {0xA3}, {0xB3}, {0x18, 0xA3}},
    {"CPD", Kind::Cmp, Reg::D, {0x1A, 0x83}, {0x1A, 0x93}, {0x1A, 0xA3}, {0x1A, 0xB3}, {0xCD, 0xA3}},
    {"CPX", Kind::Cmp, Reg::X, {0x8C}, {0x9C}, {0xAC}, {0xBC}, {0xCD, 0xAC}},
    {"CPY", Kind::Cmp, Reg::Y, {0x18, 0x8C}, {0x18, 0x9C}, {0x1A, 0xAC}, {0x18, 0xBC}, {0x18, 0xAC}},
    {"LDD", Kind::Load, Reg::D, {0xCC}, {0xDC}, {0xEC}, {0xFC}, {0x18, 0xEC}},
    {"LDX", Kind::Load, Reg::X, {0xCE}, {0xDE}, {0xEE}, {0xFE}, {0xCD, 0xEE}},
    {"LDY", Kind::Load, Reg::Y, {0x18, 0xCE}, {0x18, 0xDE}, {0x1A, 0xEE}, {0x18, 0xFE}, {0x18, 0xEE}},
    {"LDS", Kind::Load, Reg::S, {0x8E}, {0x9E}, {0xAE}, {0xBE}, {0x18, 0xAE}},
    {"STD", Kind::Store, Reg::D, {}, {0xDD}, {0xED}, {0xFD}, {0x18, 0xED}},
    {"STX", Kind::Store, Reg::X, {}, {0xDF}, {0xEF}, {0xFF}, {0xCD, 0xEF}},
    {"STY", Kind::Store, Reg::Y, {}, {0x18, 0xDF}, {0x1A, 0xEF}, {0x18, 0xFF}, {0x18, 0xEF}},
    {"STS", Kind::Store, Reg::S, {}, {0x9F}, {0xAF}, {0xBF}, {0x18, 0xAF}},
};

const int kWords[] = {0x0000, 0x0001, 0x007F, 0x0080, 0x00FF, 0x0100, 0x1234,
                      0x7FFE, 0x7FFF, 0x8000, 0x8001, 0xA5A5, 0xFFFE, 0xFFFF};
const int kCcrIn[] = {0x00, kC, 0xFF, cc("SXHI"), cc("NZV")};

struct WordResult {
    int value; // new register value
    int ccr;
};

WordResult wordModel(Kind kind, int reg, int w, int ccr) {
    switch (kind) {
    case Kind::Add: {
        const int sum = reg + w;
        const int ssum = signed16(reg) + signed16(w);
        const int out = (ccr & ~kFlagsNZVC) | nz16(sum) | (ssum < -32768 || ssum > 32767 ? kV : 0) |
                        (sum > 0xFFFF ? kC : 0);
        return {sum & 0xFFFF, out};
    }
    case Kind::Sub:
    case Kind::Cmp: {
        const int diff = reg - w;
        const int sdiff = signed16(reg) - signed16(w);
        const int out = (ccr & ~kFlagsNZVC) | nz16(diff) | (sdiff < -32768 || sdiff > 32767 ? kV : 0) |
                        (diff < 0 ? kC : 0);
        return {kind == Kind::Cmp ? reg : diff & 0xFFFF, out};
    }
    case Kind::Load: return {w, (ccr & ~(kN | kZ | kV)) | nz16(w)};
    case Kind::Store: return {reg, (ccr & ~(kN | kZ | kV)) | nz16(reg)};
    }
    return {reg, ccr};
}

struct Operand {
    std::vector<int> code;
    int ea; // -1 for immediate
};

// Encodes the operand for `mode`; index registers are X = $1100 and Y = $2200
// unless the instruction's own register is the index (then its value is used).
Operand encode(const WordOp& op, Mode mode, int w, const Regs& in) {
    std::vector<int> code;
    int ea = -1;
    switch (mode) {
    case Mode::Imm:
        code = op.imm;
        code.push_back(w >> 8);
        code.push_back(w & 0xFF);
        return {code, -1};
    case Mode::Dir:
        code = op.dir;
        code.push_back(0x80);
        ea = 0x80;
        break;
    case Mode::IdxX:
        code = op.idx;
        code.push_back(0x20);
        ea = in.x + 0x20;
        break;
    case Mode::Ext:
        code = op.ext;
        code.push_back(0x45);
        code.push_back(0x60);
        ea = 0x4560;
        break;
    case Mode::IdxY:
        code = op.idy;
        code.push_back(0x30);
        ea = in.y + 0x30;
        break;
    }
    return {code, ea};
}

const std::vector<int>& opcodeFor(const WordOp& op, Mode mode) {
    switch (mode) {
    case Mode::Imm: return op.imm;
    case Mode::Dir: return op.dir;
    case Mode::IdxX: return op.idx;
    case Mode::Ext: return op.ext;
    case Mode::IdxY: return op.idy;
    }
    return op.imm;
}

TEST(Word16, SweepArithmeticLoadsAndStoresInEveryMode) {
    Sim sim;
    const Mode modes[] = {Mode::Imm, Mode::Dir, Mode::IdxX, Mode::Ext, Mode::IdxY};
    int cases = 0;
    for (const WordOp& op : kWordOps) {
        for (Mode mode : modes) {
            if (opcodeFor(op, mode).empty()) continue;
            for (int regValue : kWords) {
                for (int w : kWords) {
                    for (int ccr : kCcrIn) {
                        Regs in{.a = 0x5A,
                                .b = 0xA5,
                                .x = 0x1100,
                                .y = 0x2200,
                                .sp = 0x3300,
                                .ccr = static_cast<int16_t>(ccr)};
                        in = set(in, op.reg, regValue);
                        const Operand operand = encode(op, mode, w, in);
                        if (operand.ea > 0xFFFE) continue; // the top of memory is covered elsewhere
                        if (operand.ea >= 0 && op.kind != Kind::Store) sim.pokeWord(operand.ea, w);
                        const WordResult want = wordModel(op.kind, regValue, w, ccr);
                        Regs expected = set(in, op.reg, want.value);
                        expected.ccr = static_cast<int16_t>(want.ccr);
                        std::vector<Event> events;
                        if (op.kind == Kind::Store) {
                            events = {W(operand.ea, regValue >> 8), W(operand.ea + 1, regValue & 0xFF)};
                        } else if (operand.ea >= 0) {
                            const bool lowFirst =
                                mode == Mode::Dir || (op.kind == Kind::Add && mode == Mode::Ext);
                            events = lowFirst ? std::vector<Event>{R(operand.ea + 1), R(operand.ea)}
                                              : std::vector<Event>{R(operand.ea), R(operand.ea + 1)};
                        }
                        const Regs out = sim.step(in, operand.code);
                        ASSERT_EQ(out, expected)
                            << op.name << " mode " << static_cast<int>(mode) << " reg=" << hex(regValue, 4)
                            << " w=" << hex(w, 4) << " in " << in;
                        ASSERT_EQ(sim.events, events) << op.name << " mode " << static_cast<int>(mode);
                        ++cases;
                    }
                }
            }
        }
    }
    EXPECT_GT(cases, 40000);
}

TEST(Word16, CornerCases) {
    runCases({
        {"ADDD $8000+$8000: zero, overflow, carry",
         {0xC3, 0x80, 0x00},
         {.a = 0x80, .b = 0x00},
         {.ccr = cc("ZVC")},
         {}},
        {"ADDD $00FF+$0001 carries from B into A",
         {0xC3, 0x00, 0x01},
         {.a = 0x00, .b = 0xFF},
         {.a = 0x01, .b = 0x00},
         {}},
        {"ADDD $7FFF+$0001 overflows",
         {0xC3, 0x00, 0x01},
         {.a = 0x7F, .b = 0xFF},
         {.a = 0x80, .b = 0x00, .ccr = cc("NV")},
         {}},
        {"ADDD $FFFF+$0001 wraps, keeps H",
         {0xC3, 0x00, 0x01},
         {.a = 0xFF, .b = 0xFF, .ccr = cc("H")},
         {.ccr = cc("HZC")},
         {}},
        {"SUBD $0000-$0001 borrows", {0x83, 0x00, 0x01}, {}, {.a = 0xFF, .b = 0xFF, .ccr = cc("NC")}, {}},
        {"SUBD $8000-$0001 overflows",
         {0x83, 0x00, 0x01},
         {.a = 0x80},
         {.a = 0x7F, .b = 0xFF, .ccr = cc("V")},
         {}},
        {"SUBD equal", {0x83, 0x12, 0x34}, {.a = 0x12, .b = 0x34, .ccr = cc("NVC")}, {.ccr = cc("Z")}, {}},
        {"CPD equal, D unchanged",
         {0x1A, 0x83, 0x12, 0x34},
         {.a = 0x12, .b = 0x34},
         {.a = 0x12, .b = 0x34, .ccr = cc("Z")},
         {}},
        {"CPD $0000 with $8000 overflows", {0x1A, 0x83, 0x80, 0x00}, {}, {.ccr = cc("NVC")}, {}},
        {"CPX $1234 with $1234",
         {0x8C, 0x12, 0x34},
         {.x = 0x1234, .ccr = cc("NVC")},
         {.x = 0x1234, .ccr = cc("Z")},
         {}},
        {"CPX smaller", {0x8C, 0x12, 0x35}, {.x = 0x1234}, {.x = 0x1234, .ccr = cc("NC")}, {}},
        {"CPY $8000 with $7FFF", {0x18, 0x8C, 0x7F, 0xFF}, {.y = 0x8000}, {.y = 0x8000, .ccr = cc("V")}, {}},
        {"CPY ind,X ($1A $AC)",
         {0x1A, 0xAC, 0x10},
         {.x = 0x1000, .y = 0x4000},
         {.x = 0x1000, .y = 0x4000, .ccr = cc("Z")},
         {R(0x1010), R(0x1011)},
         {{0x1010, 0x40}, {0x1011, 0x00}}},
        {"CPX ind,Y ($CD $AC)",
         {0xCD, 0xAC, 0x10},
         {.x = 0x4000, .y = 0x1000},
         {.x = 0x4000, .y = 0x1000, .ccr = cc("NC")},
         {R(0x1010), R(0x1011)},
         {{0x1010, 0x40}, {0x1011, 0x01}}},
        {"LDD #$8000 keeps C", {0xCC, 0x80, 0x00}, {.ccr = cc("ZVC")}, {.a = 0x80, .ccr = cc("NC")}, {}},
        {"LDX #0", {0xCE, 0x00, 0x00}, {.x = 0x1234, .ccr = cc("N")}, {.ccr = cc("Z")}, {}},
        {"LDY #$FFFF", {0x18, 0xCE, 0xFF, 0xFF}, {}, {.y = 0xFFFF, .ccr = cc("N")}, {}},
        {"LDS #$01FF", {0x8E, 0x01, 0xFF}, {.sp = 0xFFFF}, {.sp = 0x01FF}, {}},
        {"LDX ind,X loads through the old X",
         {0xEE, 0x02},
         {.x = 0x1000},
         {.x = 0xBEEF, .ccr = cc("N")},
         {R(0x1002), R(0x1003)},
         {{0x1002, 0xBE}, {0x1003, 0xEF}}},
        {"LDY ind,Y ($18 $EE)",
         {0x18, 0xEE, 0x00},
         {.y = 0x1000},
         {.y = 0x0102},
         {R(0x1000), R(0x1001)},
         {{0x1000, 0x01}, {0x1001, 0x02}}},
        {"LDY ind,X ($1A $EE)",
         {0x1A, 0xEE, 0x00},
         {.x = 0x1000},
         {.x = 0x1000, .y = 0x0102},
         {R(0x1000), R(0x1001)},
         {{0x1000, 0x01}, {0x1001, 0x02}}},
        {"LDX ind,Y ($CD $EE)",
         {0xCD, 0xEE, 0x00},
         {.y = 0x1000},
         {.x = 0x0102, .y = 0x1000},
         {R(0x1000), R(0x1001)},
         {{0x1000, 0x01}, {0x1001, 0x02}}},
        {"STD sets N from A",
         {0xDD, 0x10},
         {.a = 0x80, .b = 0x00, .ccr = cc("ZVC")},
         {.a = 0x80, .ccr = cc("NC")},
         {W(0x10, 0x80), W(0x11, 0x00)}},
        {"STX zero sets Z",
         {0xDF, 0x10},
         {.x = 0x0000, .ccr = cc("N")},
         {.ccr = cc("Z")},
         {W(0x10, 0x00), W(0x11, 0x00)}},
        {"STS", {0x9F, 0x10}, {.sp = 0x01FF}, {.sp = 0x01FF}, {W(0x10, 0x01), W(0x11, 0xFF)}},
        {"STY extended",
         {0x18, 0xFF, 0x20, 0x00},
         {.y = 0x8001},
         {.y = 0x8001, .ccr = cc("N")},
         {W(0x2000, 0x80), W(0x2001, 0x01)}},
    });
}

// --- increments, transfers, exchanges -----------------------------------------

struct SimpleOp {
    const char* name;
    std::vector<int> code;
    // Expected registers from the input (flags included).
    Regs (*apply)(Regs);
};

Regs withZ(Regs r, int value) {
    r.ccr = static_cast<int16_t>((r.ccr & ~kZ) | ((value & 0xFFFF) == 0 ? kZ : 0));
    return r;
}

const SimpleOp kSimpleOps[] = {
    {"INX",
     {0x08},
     [](Regs r) {
         r.x = (r.x + 1) & 0xFFFF;
         return withZ(r, r.x);
     }},
    {"DEX",
     {0x09},
     [](Regs r) {
         r.x = (r.x - 1) & 0xFFFF;
         return withZ(r, r.x);
     }},
    {"INY",
     {0x18, 0x08},
     [](Regs r) {
         r.y = (r.y + 1) & 0xFFFF;
         return withZ(r, r.y);
     }},
    {"DEY",
     {0x18, 0x09},
     [](Regs r) {
         r.y = (r.y - 1) & 0xFFFF;
         return withZ(r, r.y);
     }},
    {"INS",
     {0x31},
     [](Regs r) {
         r.sp = (r.sp + 1) & 0xFFFF;
         return r;
     }},
    {"DES",
     {0x34},
     [](Regs r) {
         r.sp = (r.sp - 1) & 0xFFFF;
         return r;
     }},
    {"TSX",
     {0x30},
     [](Regs r) {
         r.x = (r.sp + 1) & 0xFFFF;
         return r;
     }},
    {"TSY",
     {0x18, 0x30},
     [](Regs r) {
         r.y = (r.sp + 1) & 0xFFFF;
         return r;
     }},
    {"TXS",
     {0x35},
     [](Regs r) {
         r.sp = (r.x - 1) & 0xFFFF;
         return r;
     }},
    {"TYS",
     {0x18, 0x35},
     [](Regs r) {
         r.sp = (r.y - 1) & 0xFFFF;
         return r;
     }},
    {"ABX",
     {0x3A},
     [](Regs r) {
         r.x = (r.x + r.b) & 0xFFFF;
         return r;
     }},
    {"ABY",
     {0x18, 0x3A},
     [](Regs r) {
         r.y = (r.y + r.b) & 0xFFFF;
         return r;
     }},
    {"XGDX",
     {0x8F},
     [](Regs r) {
         const int d = r.d();
         Regs o = set(r, Reg::D, r.x);
         o.x = d;
         return o;
     }},
    {"XGDY",
     {0x18, 0x8F},
     [](Regs r) {
         const int d = r.d();
         Regs o = set(r, Reg::D, r.y);
         o.y = d;
         return o;
     }},
};

TEST(Word16, IncrementsTransfersAndExchangesSweep) {
    Sim sim;
    for (const SimpleOp& op : kSimpleOps)
        for (int v1 : kWords)
            for (int v2 : {0x0000, 0x00FF, 0x8000, 0xFFFF, 0x1234})
                for (int ccr : kCcrIn) {
                    const Regs in{.a = static_cast<int16_t>(v2 >> 8),
                                  .b = static_cast<int16_t>(v1 & 0xFF),
                                  .x = v1,
                                  .y = v2,
                                  .sp = v1 ^ 0x00F0,
                                  .ccr = static_cast<int16_t>(ccr)};
                    ASSERT_EQ(sim.step(in, op.code), op.apply(in)) << op.name << " in " << in;
                    ASSERT_TRUE(sim.events.empty()) << op.name;
                }
}

TEST(Word16, IncrementAndTransferEdges) {
    runCases({
        {"INX $FFFF wraps to 0 with Z", {0x08}, {.x = 0xFFFF}, {.x = 0x0000, .ccr = cc("Z")}, {}},
        {"DEX $0000 wraps to $FFFF, Z clear", {0x09}, {.x = 0x0000, .ccr = cc("Z")}, {.x = 0xFFFF}, {}},
        {"INX keeps N, V, C", {0x08}, {.x = 0x7FFF, .ccr = cc("NVC")}, {.x = 0x8000, .ccr = cc("NVC")}, {}},
        {"DEX $0001 sets Z", {0x09}, {.x = 0x0001}, {.ccr = cc("Z")}, {}},
        {"INY $FFFF", {0x18, 0x08}, {.y = 0xFFFF}, {.ccr = cc("Z")}, {}},
        {"DEY $0000", {0x18, 0x09}, {.ccr = cc("Z")}, {.y = 0xFFFF}, {}},
        {"INS $FFFF wraps", {0x31}, {.sp = 0xFFFF, .ccr = 0xFF}, {.sp = 0x0000, .ccr = 0xFF}, {}},
        {"DES $0000 wraps", {0x34}, {.sp = 0x0000}, {.sp = 0xFFFF}, {}},
        {"TSX: X = SP + 1", {0x30}, {.sp = 0x00FF}, {.x = 0x0100, .sp = 0x00FF}, {}},
        {"TSX at SP $FFFF wraps", {0x30}, {.x = 0x1234, .sp = 0xFFFF}, {.x = 0x0000, .sp = 0xFFFF}, {}},
        {"TXS: SP = X - 1", {0x35}, {.x = 0x0100}, {.x = 0x0100, .sp = 0x00FF}, {}},
        {"TXS at X $0000 wraps", {0x35}, {.x = 0x0000}, {.x = 0x0000, .sp = 0xFFFF}, {}},
        {"TYS", {0x18, 0x35}, {.y = 0x2000}, {.y = 0x2000, .sp = 0x1FFF}, {}},
        {"TSY", {0x18, 0x30}, {.sp = 0x2000}, {.y = 0x2001, .sp = 0x2000}, {}},
        {"ABX adds B unsigned", {0x3A}, {.b = 0xFF, .x = 0x1000}, {.b = 0xFF, .x = 0x10FF}, {}},
        {"ABX wraps",
         {0x3A},
         {.b = 0x02, .x = 0xFFFF, .ccr = 0xFF},
         {.b = 0x02, .x = 0x0001, .ccr = 0xFF},
         {}},
        {"ABY adds B unsigned", {0x18, 0x3A}, {.b = 0x80, .y = 0x1000}, {.b = 0x80, .y = 0x1080}, {}},
        {"XGDX exchanges D and X",
         {0x8F},
         {.a = 0x12, .b = 0x34, .x = 0xABCD},
         {.a = 0xAB, .b = 0xCD, .x = 0x1234},
         {}},
        {"XGDY exchanges D and Y",
         {0x18, 0x8F},
         {.a = 0x12, .b = 0x34, .y = 0xABCD},
         {.a = 0xAB, .b = 0xCD, .y = 0x1234},
         {}},
    });
}

TEST(Word16, XgdxUsesTheAccumulatorsOfThisStep) {
    // D is A:B as passed in; nothing from an earlier step may leak in.
    Sim sim;
    sim.step({.a = 0x11, .b = 0x22, .x = 0x3344}, {0x8F});
    const Regs out = sim.step({.a = 0x55, .b = 0x66, .x = 0x7788}, {0x8F});
    EXPECT_EQ(out, (Regs{.a = 0x77, .b = 0x88, .x = 0x5566}));
}

// --- shifts of D ----------------------------------------------------------------

TEST(Word16, AsldAndLsrdSweep) {
    Sim sim;
    for (int d = 0; d < 0x10000; d += 0x0101) {
        for (int extra : {0, 1, 0x80, 0x4000, 0x8000, 0xC000, 0x7F}) {
            const int value = (d ^ extra) & 0xFFFF;
            for (int ccr : kCcrIn) {
                const Regs in =
                    set(Regs{.x = 0x1111, .y = 0x2222, .sp = 0x3333, .ccr = static_cast<int16_t>(ccr)},
                        Reg::D, value);
                {
                    const int r = (value << 1) & 0xFFFF;
                    const bool c = value & 0x8000, n = value & 0x4000;
                    Regs expected = set(in, Reg::D, r);
                    expected.ccr = static_cast<int16_t>((ccr & ~kFlagsNZVC) | (n ? kN : 0) |
                                                        (r == 0 ? kZ : 0) | (n != c ? kV : 0) | (c ? kC : 0));
                    ASSERT_EQ(sim.step(in, {0x05}), expected) << "ASLD in " << in;
                }
                {
                    const int r = value >> 1;
                    const bool c = value & 1;
                    Regs expected = set(in, Reg::D, r);
                    expected.ccr =
                        static_cast<int16_t>((ccr & ~kFlagsNZVC) | (r == 0 ? kZ : 0) | (c ? kV | kC : 0));
                    ASSERT_EQ(sim.step(in, {0x04}), expected) << "LSRD in " << in;
                }
            }
        }
    }
}

TEST(Word16, ShiftCornerCases) {
    runCases({
        {"ASLD $8000: zero, carry, overflow", {0x05}, {.a = 0x80}, {.ccr = cc("ZVC")}, {}},
        {"ASLD $4000: negative, overflow", {0x05}, {.a = 0x40}, {.a = 0x80, .ccr = cc("NV")}, {}},
        {"ASLD $C000: negative, carry", {0x05}, {.a = 0xC0}, {.a = 0x80, .ccr = cc("NC")}, {}},
        {"ASLD moves bit 7 of B into A", {0x05}, {.a = 0x00, .b = 0x80}, {.a = 0x01, .b = 0x00}, {}},
        {"LSRD $0001: zero, carry, overflow", {0x04}, {.b = 0x01, .ccr = cc("N")}, {.ccr = cc("ZVC")}, {}},
        {"LSRD moves bit 0 of A into B", {0x04}, {.a = 0x01, .b = 0x00}, {.a = 0x00, .b = 0x80}, {}},
        {"LSRD $FFFF", {0x04}, {.a = 0xFF, .b = 0xFF}, {.a = 0x7F, .b = 0xFF, .ccr = cc("VC")}, {}},
        {"LSRD keeps H, S, X and I",
         {0x04},
         {.a = 0x00, .b = 0x04, .ccr = cc("SXHI")},
         {.b = 0x02, .ccr = cc("SXHI")},
         {}},
    });
}

// --- MUL, IDIV, FDIV ------------------------------------------------------------

TEST(MulDiv, MulAllOperands) {
    Sim sim;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const int ccr = (a + b) % 3 == 0 ? 0xFF : (a + b) % 3 == 1 ? 0x00 : cc("SHZ");
            const Regs in{.a = static_cast<int16_t>(a),
                          .b = static_cast<int16_t>(b),
                          .x = 0x1234,
                          .y = 0x5678,
                          .sp = 0x9ABC,
                          .ccr = static_cast<int16_t>(ccr)};
            const int product = a * b;
            Regs expected = set(in, Reg::D, product);
            expected.ccr = static_cast<int16_t>((ccr & ~kC) | ((product & 0x80) ? kC : 0));
            ASSERT_EQ(sim.step(in, {0x3D}), expected) << "MUL in " << in;
            ASSERT_TRUE(sim.events.empty());
        }
}

TEST(MulDiv, MulCornerCases) {
    runCases({
        {"MUL $FF x $FF", {0x3D}, {.a = 0xFF, .b = 0xFF}, {.a = 0xFE, .b = 0x01}, {}},
        {"MUL sets C from bit 7 of B",
         {0x3D},
         {.a = 0x10, .b = 0x08},
         {.a = 0x00, .b = 0x80, .ccr = cc("C")},
         {}},
        {"MUL zero product keeps Z and N",
         {0x3D},
         {.a = 0x00, .b = 0x55, .ccr = cc("NVC")},
         {.ccr = cc("NV")},
         {}},
    });
}

const int kDivValues[] = {0x0000, 0x0001, 0x0002, 0x0003, 0x0007, 0x00FF, 0x0100,
                          0x1234, 0x7FFF, 0x8000, 0x8001, 0xAAAA, 0xFFFE, 0xFFFF};

TEST(MulDiv, IdivSweep) {
    Sim sim;
    for (int d : kDivValues)
        for (int x : kDivValues)
            for (int ccr : {0x00, 0xFF, int{cc("ZVC")}, int{cc("N")}}) {
                const Regs in =
                    set(Regs{.x = x, .y = 0x5678, .sp = 0x9ABC, .ccr = static_cast<int16_t>(ccr)}, Reg::D, d);
                Regs expected = in;
                int flags = ccr & ~(kZ | kV | kC);
                if (x == 0) {
                    expected.x = 0xFFFF;
                    flags |= kC;
                } else {
                    expected = set(expected, Reg::D, d % x);
                    expected.x = d / x;
                    flags |= d / x == 0 ? kZ : 0;
                }
                expected.ccr = static_cast<int16_t>(flags);
                ASSERT_EQ(sim.step(in, {0x02}), expected) << "IDIV in " << in;
                ASSERT_TRUE(sim.events.empty());
            }
}

TEST(MulDiv, IdivCornerCases) {
    runCases({
        {"IDIV by zero",
         {0x02},
         {.a = 0x12, .b = 0x34, .x = 0x0000, .ccr = cc("ZV")},
         {.a = 0x12, .b = 0x34, .x = 0xFFFF, .ccr = cc("C")},
         {}},
        {"IDIV $FFFF / 1", {0x02}, {.a = 0xFF, .b = 0xFF, .x = 0x0001}, {.x = 0xFFFF}, {}},
        {"IDIV 5 / 7: quotient zero",
         {0x02},
         {.b = 0x05, .x = 0x0007, .ccr = cc("C")},
         {.b = 0x05, .ccr = cc("Z")},
         {}},
        {"IDIV 100 / 7", {0x02}, {.b = 100, .x = 7}, {.b = 2, .x = 14}, {}},
        {"IDIV keeps N", {0x02}, {.b = 0x10, .x = 0x0002, .ccr = cc("N")}, {.x = 0x0008, .ccr = cc("N")}, {}},
    });
}

struct FdivExpect {
    int x, d, ccr;
};

FdivExpect fdivModel(int d, int x, int ccr) {
    int flags = ccr & ~(kZ | kV | kC);
    if (x <= d) flags |= kV;
    if (x == 0) flags |= kC;
    if (x != 0 && d < x) {
        const uint64_t q = (uint64_t{65536} * static_cast<uint64_t>(d)) / static_cast<uint64_t>(x);
        const uint64_t rem = uint64_t{65536} * static_cast<uint64_t>(d) - q * static_cast<uint64_t>(x);
        if (q == 0) flags |= kZ;
        return {static_cast<int>(q), static_cast<int>(rem), flags};
    }
    return {0xFFFF, d, flags};
}

TEST(MulDiv, FdivSweep) {
    Sim sim;
    std::vector<int> values(std::begin(kDivValues), std::end(kDivValues));
    for (int v = 3; v < 0x10000; v = v * 5 / 3 + 7)
        values.push_back(v);
    for (int d : values)
        for (int x : values)
            for (int ccr : {0x00, 0xFF}) {
                const Regs in =
                    set(Regs{.x = x, .y = 0x5678, .sp = 0x9ABC, .ccr = static_cast<int16_t>(ccr)}, Reg::D, d);
                const FdivExpect want = fdivModel(d, x, ccr);
                Regs expected = set(in, Reg::D, want.d);
                expected.x = want.x;
                expected.ccr = static_cast<int16_t>(want.ccr);
                ASSERT_EQ(sim.step(in, {0x03}), expected) << "FDIV in " << in;
                ASSERT_TRUE(sim.events.empty());
            }
}

TEST(MulDiv, FdivCornerCases) {
    runCases({
        {"FDIV 1 / 2 = 0.5", {0x03}, {.b = 0x01, .x = 0x0002}, {.x = 0x8000}, {}},
        {"FDIV 3 / 2 overflows",
         {0x03},
         {.b = 0x03, .x = 0x0002},
         {.b = 0x03, .x = 0xFFFF, .ccr = cc("V")},
         {}},
        {"FDIV by zero",
         {0x03},
         {.a = 0x12, .b = 0x34, .x = 0x0000, .ccr = cc("Z")},
         {.a = 0x12, .b = 0x34, .x = 0xFFFF, .ccr = cc("VC")},
         {}},
        {"FDIV 0 / 0", {0x03}, {}, {.x = 0xFFFF, .ccr = cc("VC")}, {}},
        {"FDIV equal operands overflow",
         {0x03},
         {.a = 0x12, .b = 0x34, .x = 0x1234},
         {.a = 0x12, .b = 0x34, .x = 0xFFFF, .ccr = cc("V")},
         {}},
        {"FDIV 0 / 5: zero quotient", {0x03}, {.x = 0x0005, .ccr = cc("VC")}, {.ccr = cc("Z")}, {}},
        {"FDIV 1 / 3 leaves a remainder", {0x03}, {.b = 0x01, .x = 0x0003}, {.b = 0x01, .x = 0x5555}, {}},
        {"FDIV $FFFE / $FFFF",
         {0x03},
         {.a = 0xFF, .b = 0xFE, .x = 0xFFFF},
         {.a = 0xFF, .b = 0xFE, .x = 0xFFFE},
         {}},
        {"FDIV 1 / $FFFF", {0x03}, {.b = 0x01, .x = 0xFFFF}, {.b = 0x01, .x = 0x0001}, {}},
        {"FDIV keeps N", {0x03}, {.b = 0x01, .x = 0x0004, .ccr = cc("N")}, {.x = 0x4000, .ccr = cc("N")}, {}},
    });
}

} // namespace
} // namespace vantrel::test
