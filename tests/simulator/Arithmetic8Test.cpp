// 8-bit arithmetic, logic, loads, stores and single-operand operations: the
// results and every condition-code rule, as literal rows for the corner cases
// and as sweeps over boundary values against a small arithmetic model, in every
// addressing mode and on A, B and memory.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestHost.h"

namespace vantrel::test {
namespace {

constexpr int kFlagsNZVC = kN | kZ | kV | kC;

int nz8(int r) {
    return ((r & 0x80) ? kN : 0) | ((r & 0xFF) == 0 ? kZ : 0);
}

int signed8(int v) {
    return (v & 0x80) ? (v & 0xFF) - 256 : (v & 0xFF);
}

// --- binary 8-bit operations -------------------------------------------------

enum class Alu { Sub, Cmp, Sbc, And, Bit, Lda, Eor, Adc, Ora, Add };

struct AluInfo {
    Alu op;
    int column; // low nibble of the opcode in the $8x..$Fx rows
    const char* name;
};

const AluInfo kAluOps[] = {
    {Alu::Sub, 0x0, "SUB"}, {Alu::Cmp, 0x1, "CMP"}, {Alu::Sbc, 0x2, "SBC"}, {Alu::And, 0x4, "AND"},
    {Alu::Bit, 0x5, "BIT"}, {Alu::Lda, 0x6, "LDA"}, {Alu::Eor, 0x8, "EOR"}, {Alu::Adc, 0x9, "ADC"},
    {Alu::Ora, 0xA, "ORA"}, {Alu::Add, 0xB, "ADD"},
};

struct AluResult {
    int acc;
    int ccr;
};

// Arithmetic model: carries and overflow from wide integer sums.
AluResult aluModel(Alu op, int acc, int m, int ccr) {
    const int cin = ccr & kC;
    switch (op) {
    case Alu::Add:
    case Alu::Adc: {
        const int carryIn = op == Alu::Adc ? cin : 0;
        const int sum = acc + m + carryIn;
        const int ssum = signed8(acc) + signed8(m) + carryIn;
        const bool half = (acc & 0xF) + (m & 0xF) + carryIn > 0xF;
        int out = ccr & ~(kH | kFlagsNZVC);
        out |= (half ? kH : 0) | nz8(sum) | (ssum < -128 || ssum > 127 ? kV : 0) | (sum > 0xFF ? kC : 0);
        return {sum & 0xFF, out};
    }
    case Alu::Sub:
    case Alu::Cmp:
    case Alu::Sbc: {
        const int borrowIn = op == Alu::Sbc ? cin : 0;
        const int diff = acc - m - borrowIn;
        const int sdiff = signed8(acc) - signed8(m) - borrowIn;
        int out = ccr & ~kFlagsNZVC; // H is not affected by subtraction
        out |= nz8(diff) | (sdiff < -128 || sdiff > 127 ? kV : 0) | (diff < 0 ? kC : 0);
        return {op == Alu::Cmp ? acc : diff & 0xFF, out};
    }
    case Alu::And:
    case Alu::Bit:
    case Alu::Eor:
    case Alu::Ora:
    case Alu::Lda: {
        const int r = op == Alu::And || op == Alu::Bit ? (acc & m)
                      : op == Alu::Eor                 ? (acc ^ m)
                      : op == Alu::Ora                 ? (acc | m)
                                                       : m;
        const int out = (ccr & ~(kN | kZ | kV)) | nz8(r);
        return {op == Alu::Bit ? acc : r, out};
    }
    }
    return {acc, ccr};
}

const int kBoundary[] = {0x00, 0x01, 0x07, 0x08, 0x09, 0x0F, 0x10, 0x7E,
                         0x7F, 0x80, 0x81, 0x99, 0xF0, 0xF7, 0xFE, 0xFF};
const int kCcrIn[] = {0x00, kC, kH | kC, 0xFF, cc("SXINZV"), cc("HNZ")};

enum class Mode { Imm, Dir, IdxX, Ext, IdxY };
const Mode kModes[] = {Mode::Imm, Mode::Dir, Mode::IdxX, Mode::Ext, Mode::IdxY};
const char* modeName(Mode m) {
    switch (m) {
    case Mode::Imm: return "imm";
    case Mode::Dir: return "dir";
    case Mode::IdxX: return "ind,X";
    case Mode::Ext: return "ext";
    case Mode::IdxY: return "ind,Y";
    }
    return "?";
}

constexpr int kIdxX = 0x1200, kIdxY = 0x3400;

// Instruction bytes and effective address for an operation in a $8x..$Fx row.
struct Encoded {
    std::vector<int> code;
    int ea; // -1 for immediate
};

Encoded encodeRow(int column, bool onB, Mode mode, int immediate) {
    const int base = onB ? 0xC0 : 0x80;
    switch (mode) {
    case Mode::Imm: return {{base + column, immediate}, -1};
    case Mode::Dir: return {{base + 0x10 + column, 0x5A}, 0x5A};
    case Mode::IdxX: return {{base + 0x20 + column, 0x33}, kIdxX + 0x33};
    case Mode::Ext: return {{base + 0x30 + column, 0x45, 0x67}, 0x4567};
    case Mode::IdxY: return {{0x18, base + 0x20 + column, 0xC4}, kIdxY + 0xC4};
    }
    return {};
}

Regs withAcc(Regs r, bool onB, int value) {
    (onB ? r.b : r.a) = static_cast<int16_t>(value);
    return r;
}

TEST(Alu8, SweepOverBoundaryValuesInEveryModeOnAAndB) {
    Sim sim;
    for (const AluInfo& info : kAluOps) {
        for (bool onB : {false, true}) {
            for (Mode mode : kModes) {
                for (int acc : kBoundary) {
                    for (int m : kBoundary) {
                        for (int ccr : kCcrIn) {
                            const Encoded enc = encodeRow(info.column, onB, mode, m);
                            if (enc.ea >= 0) sim.poke(enc.ea, m);
                            const Regs in = withAcc(Regs{.a = 0x3C,
                                                         .b = 0xC3,
                                                         .x = kIdxX,
                                                         .y = kIdxY,
                                                         .sp = 0x0100,
                                                         .ccr = static_cast<int16_t>(ccr)},
                                                    onB, acc);
                            const AluResult want = aluModel(info.op, acc, m, ccr);
                            Regs expected = withAcc(in, onB, want.acc);
                            expected.ccr = static_cast<int16_t>(want.ccr);
                            const Regs out = sim.step(in, enc.code);
                            ASSERT_EQ(out, expected)
                                << info.name << (onB ? "B " : "A ") << modeName(mode)
                                << " acc=" << hex(acc, 2) << " m=" << hex(m, 2) << " in " << in;
                            if (enc.ea >= 0)
                                ASSERT_EQ(sim.events, std::vector<Event>{R(enc.ea)});
                            else
                                ASSERT_TRUE(sim.events.empty());
                        }
                    }
                }
            }
        }
    }
}

TEST(Alu8, InherentAccumulatorPairsSweep) {
    // ABA adds B to A, SBA subtracts B from A, CBA compares them.
    Sim sim;
    struct Pair {
        int opcode;
        Alu op;
        const char* name;
    };
    const Pair pairs[] = {{0x1B, Alu::Add, "ABA"}, {0x10, Alu::Sub, "SBA"}, {0x11, Alu::Cmp, "CBA"}};
    for (const Pair& p : pairs)
        for (int a : kBoundary)
            for (int b : kBoundary)
                for (int ccr : kCcrIn) {
                    const Regs in{.a = static_cast<int16_t>(a),
                                  .b = static_cast<int16_t>(b),
                                  .x = 0x1111,
                                  .y = 0x2222,
                                  .sp = 0x3333,
                                  .ccr = static_cast<int16_t>(ccr)};
                    const AluResult want = aluModel(p.op, a, b, ccr);
                    Regs expected = in;
                    expected.a = static_cast<int16_t>(want.acc);
                    expected.ccr = static_cast<int16_t>(want.ccr);
                    ASSERT_EQ(sim.step(in, {p.opcode}), expected) << p.name << " in " << in;
                    ASSERT_TRUE(sim.events.empty());
                }
}

TEST(Alu8, CornerCases) {
    runCases({
        {"ABA $9A+$08: half carry, negative",
         {0x1B},
         {.a = 0x9A, .b = 0x08},
         {.a = 0xA2, .b = 0x08, .ccr = cc("HN")},
         {}},
        {"ADDA $7F+$01: signed overflow", {0x8B, 0x01}, {.a = 0x7F}, {.a = 0x80, .ccr = cc("HNV")}, {}},
        {"ADDA $FF+$01: carry and zero", {0x8B, 0x01}, {.a = 0xFF}, {.a = 0x00, .ccr = cc("HZC")}, {}},
        {"ADDA $80+$80: overflow, carry, zero", {0x8B, 0x80}, {.a = 0x80}, {.a = 0x00, .ccr = cc("ZVC")}, {}},
        {"ADDA clears a stale H", {0x8B, 0x01}, {.a = 0x10, .ccr = cc("H")}, {.a = 0x11}, {}},
        {"ADDB $08+$08 sets H", {0xCB, 0x08}, {.b = 0x08}, {.b = 0x10, .ccr = cc("H")}, {}},
        {"ADCA $0F+$00+C: carry into bit 4",
         {0x89, 0x00},
         {.a = 0x0F, .ccr = cc("C")},
         {.a = 0x10, .ccr = cc("H")},
         {}},
        {"ADCA $FF+$00+C wraps to zero",
         {0x89, 0x00},
         {.a = 0xFF, .ccr = cc("C")},
         {.a = 0x00, .ccr = cc("HZC")},
         {}},
        {"ADCB $7F+$00+C overflows",
         {0xC9, 0x00},
         {.b = 0x7F, .ccr = cc("C")},
         {.b = 0x80, .ccr = cc("HNV")},
         {}},
        {"SUBA $00-$01 borrows", {0x80, 0x01}, {.a = 0x00}, {.a = 0xFF, .ccr = cc("NC")}, {}},
        {"SUBA $80-$01 overflows", {0x80, 0x01}, {.a = 0x80}, {.a = 0x7F, .ccr = cc("V")}, {}},
        {"SUBA $7F-$FF overflows and borrows", {0x80, 0xFF}, {.a = 0x7F}, {.a = 0x80, .ccr = cc("NVC")}, {}},
        {"SUBA keeps H", {0x80, 0x01}, {.a = 0x10, .ccr = cc("H")}, {.a = 0x0F, .ccr = cc("H")}, {}},
        {"SUBB equal operands give zero",
         {0xC0, 0x42},
         {.b = 0x42, .ccr = cc("NVC")},
         {.b = 0x00, .ccr = cc("Z")},
         {}},
        {"SBCA $00-$00-C borrows",
         {0x82, 0x00},
         {.a = 0x00, .ccr = cc("C")},
         {.a = 0xFF, .ccr = cc("NC")},
         {}},
        {"SBCB $80-$00-C overflows",
         {0xC2, 0x00},
         {.b = 0x80, .ccr = cc("C")},
         {.b = 0x7F, .ccr = cc("V")},
         {}},
        {"CMPA equal: Z, A unchanged", {0x81, 0x10}, {.a = 0x10}, {.a = 0x10, .ccr = cc("Z")}, {}},
        {"CMPB smaller: borrow", {0xC1, 0x20}, {.b = 0x10}, {.b = 0x10, .ccr = cc("NC")}, {}},
        {"CBA: A unchanged", {0x11}, {.a = 0x10, .b = 0x20}, {.a = 0x10, .b = 0x20, .ccr = cc("NC")}, {}},
        {"SBA: A = A - B", {0x10}, {.a = 0x10, .b = 0x20}, {.a = 0xF0, .b = 0x20, .ccr = cc("NC")}, {}},
        {"ANDA keeps C and clears V",
         {0x84, 0x0F},
         {.a = 0xF0, .ccr = cc("VC")},
         {.a = 0x00, .ccr = cc("ZC")},
         {}},
        {"BITA does not store", {0x85, 0x80}, {.a = 0xC0}, {.a = 0xC0, .ccr = cc("N")}, {}},
        {"BITB zero result", {0xC5, 0x01}, {.b = 0xFE, .ccr = cc("V")}, {.b = 0xFE, .ccr = cc("Z")}, {}},
        {"EORA to zero", {0x88, 0x5A}, {.a = 0x5A}, {.a = 0x00, .ccr = cc("Z")}, {}},
        {"ORAB negative", {0xCA, 0x80}, {.b = 0x01, .ccr = cc("HC")}, {.b = 0x81, .ccr = cc("HNC")}, {}},
        {"LDAA #0 sets Z, clears N and V, keeps C",
         {0x86, 0x00},
         {.a = 0x80, .ccr = cc("NVC")},
         {.ccr = cc("ZC")},
         {}},
        {"LDAB #$80", {0xC6, 0x80}, {.ccr = cc("Z")}, {.b = 0x80, .ccr = cc("N")}, {}},
        {"TAB copies A to B",
         {0x16},
         {.a = 0x80, .b = 0x01, .ccr = cc("VC")},
         {.a = 0x80, .b = 0x80, .ccr = cc("NC")},
         {}},
        {"TBA copies B to A",
         {0x17},
         {.a = 0x80, .b = 0x00, .ccr = cc("N")},
         {.a = 0x00, .b = 0x00, .ccr = cc("Z")},
         {}},
        {"LDAA extended reads memory", {0xB6, 0x12, 0x34}, {}, {.a = 0x7F}, {R(0x1234)}, {{0x1234, 0x7F}}},
        {"ADDB ind,Y reads memory",
         {0x18, 0xEB, 0x10},
         {.b = 0x01, .y = 0x2000},
         {.b = 0x81, .y = 0x2000, .ccr = cc("N")},
         {R(0x2010)},
         {{0x2010, 0x80}}},
    });
}

TEST(Alu8, StoresSetNAndZFromTheStoredAccumulator) {
    Sim sim;
    for (bool onB : {false, true})
        for (Mode mode : {Mode::Dir, Mode::IdxX, Mode::Ext, Mode::IdxY})
            for (int value : kBoundary)
                for (int ccr : kCcrIn) {
                    const Encoded enc = encodeRow(0x7, onB, mode, 0);
                    const Regs in = withAcc(Regs{.a = 0x3C,
                                                 .b = 0xC3,
                                                 .x = kIdxX,
                                                 .y = kIdxY,
                                                 .sp = 0x0100,
                                                 .ccr = static_cast<int16_t>(ccr)},
                                            onB, value);
                    Regs expected = in;
                    expected.ccr = static_cast<int16_t>((ccr & ~(kN | kZ | kV)) | nz8(value));
                    ASSERT_EQ(sim.step(in, enc.code), expected)
                        << (onB ? "STAB " : "STAA ") << modeName(mode) << " in " << in;
                    ASSERT_EQ(sim.events, std::vector<Event>{W(enc.ea, value)});
                }
}

TEST(Alu8, StoreEdgeCases) {
    runCases({
        {"STAB stores B and sets N",
         {0xF7, 0x10, 0x00},
         {.a = 0x00, .b = 0x80, .ccr = cc("ZVC")},
         {.b = 0x80, .ccr = cc("NC")},
         {W(0x1000, 0x80)}},
        {"STAB zero sets Z",
         {0xD7, 0x10},
         {.a = 0xFF, .b = 0x00, .ccr = cc("N")},
         {.a = 0xFF, .ccr = cc("Z")},
         {W(0x0010, 0x00)}},
        {"STAA ind,X", {0xA7, 0xFF}, {.a = 0x42, .x = 0x1000}, {.a = 0x42, .x = 0x1000}, {W(0x10FF, 0x42)}},
    });
}

// --- single-operand operations -------------------------------------------------

enum class Unary { Neg, Com, Lsr, Ror, Asr, Asl, Rol, Dec, Inc, Tst, Clr };

struct UnaryInfo {
    Unary op;
    int column;
    const char* name;
};

const UnaryInfo kUnaryOps[] = {
    {Unary::Neg, 0x0, "NEG"}, {Unary::Com, 0x3, "COM"}, {Unary::Lsr, 0x4, "LSR"}, {Unary::Ror, 0x6, "ROR"},
    {Unary::Asr, 0x7, "ASR"}, {Unary::Asl, 0x8, "ASL"}, {Unary::Rol, 0x9, "ROL"}, {Unary::Dec, 0xA, "DEC"},
    {Unary::Inc, 0xC, "INC"}, {Unary::Tst, 0xD, "TST"}, {Unary::Clr, 0xF, "CLR"},
};

struct UnaryResult {
    int value;
    int ccr;
};

UnaryResult unaryModel(Unary op, int m, int ccr) {
    const int cin = ccr & kC;
    int r = 0;
    bool n = false, z = false, v = false, c = (cin != 0);
    switch (op) {
    case Unary::Neg:
        r = (0 - m) & 0xFF;
        v = r == 0x80;
        c = r != 0;
        break;
    case Unary::Com:
        r = ~m & 0xFF;
        v = false;
        c = true;
        break;
    case Unary::Inc:
        r = (m + 1) & 0xFF;
        v = m == 0x7F;
        break;
    case Unary::Dec:
        r = (m - 1) & 0xFF;
        v = m == 0x80;
        break;
    case Unary::Tst:
        r = m;
        v = false;
        c = false;
        break;
    case Unary::Clr:
        r = 0;
        v = false;
        c = false;
        break;
    case Unary::Asl:
    case Unary::Rol:
        r = ((m << 1) | (op == Unary::Rol ? cin : 0)) & 0xFF;
        c = (m & 0x80) != 0;
        break;
    case Unary::Lsr:
    case Unary::Ror:
    case Unary::Asr:
        r = (m >> 1) | (op == Unary::Ror ? cin << 7 : op == Unary::Asr ? (m & 0x80) : 0);
        c = (m & 0x01) != 0;
        break;
    }
    n = (r & 0x80) != 0;
    z = r == 0;
    if (op == Unary::Asl || op == Unary::Rol || op == Unary::Lsr || op == Unary::Ror || op == Unary::Asr)
        v = n != c; // N xor C after the shift
    const int out = (ccr & ~kFlagsNZVC) | (n ? kN : 0) | (z ? kZ : 0) | (v ? kV : 0) | (c ? kC : 0);
    return {r, out};
}

TEST(Unary8, SweepOnAAndB) {
    Sim sim;
    for (const UnaryInfo& info : kUnaryOps)
        for (bool onB : {false, true})
            for (int m = 0; m < 256; ++m)
                for (int ccr : kCcrIn) {
                    const Regs in = withAcc(Regs{.a = 0x5A,
                                                 .b = 0xA5,
                                                 .x = 0x1234,
                                                 .y = 0x5678,
                                                 .sp = 0x9ABC,
                                                 .ccr = static_cast<int16_t>(ccr)},
                                            onB, m);
                    const UnaryResult want = unaryModel(info.op, m, ccr);
                    Regs expected = withAcc(in, onB, want.value);
                    expected.ccr = static_cast<int16_t>(want.ccr);
                    ASSERT_EQ(sim.step(in, {(onB ? 0x50 : 0x40) + info.column}), expected)
                        << info.name << (onB ? "B" : "A") << " in " << in;
                    ASSERT_TRUE(sim.events.empty());
                }
}

TEST(Unary8, SweepOnMemoryInEveryMode) {
    Sim sim;
    struct MemMode {
        const char* name;
        int ea;
    };
    const MemMode modes[] = {{"ext", 0x4567}, {"ind,X", kIdxX + 0x33}, {"ind,Y", kIdxY + 0xC4}};
    for (const UnaryInfo& info : kUnaryOps)
        for (const MemMode& mode : modes)
            for (int m = 0; m < 256; ++m)
                for (int ccr : kCcrIn) {
                    std::vector<int> code;
                    if (mode.ea == 0x4567)
                        code = {0x70 + info.column, 0x45, 0x67};
                    else if (mode.ea == kIdxX + 0x33)
                        code = {0x60 + info.column, 0x33};
                    else
                        code = {0x18, 0x60 + info.column, 0xC4};
                    sim.poke(mode.ea, m);
                    const Regs in{.a = 0x5A,
                                  .b = 0xA5,
                                  .x = kIdxX,
                                  .y = kIdxY,
                                  .sp = 0x9ABC,
                                  .ccr = static_cast<int16_t>(ccr)};
                    const UnaryResult want = unaryModel(info.op, m, ccr);
                    Regs expected = in;
                    expected.ccr = static_cast<int16_t>(want.ccr);
                    std::vector<Event> events;
                    if (info.op == Unary::Clr)
                        events = {W(mode.ea, 0)};
                    else if (info.op == Unary::Tst)
                        events = {R(mode.ea)};
                    else if (info.op == Unary::Inc)
                        events = {R(mode.ea), R(mode.ea), W(mode.ea, want.value)};
                    else
                        events = {R(mode.ea), W(mode.ea, want.value)};
                    ASSERT_EQ(sim.step(in, code), expected)
                        << info.name << " " << mode.name << " m=" << hex(m, 2);
                    ASSERT_EQ(sim.events, events) << info.name << " " << mode.name << " m=" << hex(m, 2);
                }
}

TEST(Unary8, CornerCases) {
    runCases({
        {"NEGA $80 overflows", {0x40}, {.a = 0x80}, {.a = 0x80, .ccr = cc("NVC")}, {}},
        {"NEGA $00 gives zero without carry",
         {0x40},
         {.a = 0x00, .ccr = cc("NVC")},
         {.a = 0x00, .ccr = cc("Z")},
         {}},
        {"NEGB $01", {0x50}, {.b = 0x01}, {.b = 0xFF, .ccr = cc("NC")}, {}},
        {"COMA $FF sets Z and C", {0x43}, {.a = 0xFF, .ccr = cc("V")}, {.a = 0x00, .ccr = cc("ZC")}, {}},
        {"INCA $7F overflows, keeps C",
         {0x4C},
         {.a = 0x7F, .ccr = cc("C")},
         {.a = 0x80, .ccr = cc("NVC")},
         {}},
        {"INCA $FF wraps to zero without carry", {0x4C}, {.a = 0xFF}, {.a = 0x00, .ccr = cc("Z")}, {}},
        {"DECB $80 overflows", {0x5A}, {.b = 0x80}, {.b = 0x7F, .ccr = cc("V")}, {}},
        {"DECB $00 wraps, keeps C clear", {0x5A}, {.b = 0x00}, {.b = 0xFF, .ccr = cc("N")}, {}},
        {"TSTA clears V and C", {0x4D}, {.a = 0x80, .ccr = cc("VC")}, {.a = 0x80, .ccr = cc("N")}, {}},
        {"CLRB", {0x5F}, {.b = 0x55, .ccr = cc("SXHINVC")}, {.ccr = cc("SXHIZ")}, {}},
        {"ASLA $80: C, V, Z", {0x48}, {.a = 0x80}, {.a = 0x00, .ccr = cc("ZVC")}, {}},
        {"ASLA $40: N and V", {0x48}, {.a = 0x40}, {.a = 0x80, .ccr = cc("NV")}, {}},
        {"ASLA $C0: N and C, no V", {0x48}, {.a = 0xC0}, {.a = 0x80, .ccr = cc("NC")}, {}},
        {"ROLA brings C into bit 0", {0x49}, {.a = 0x00, .ccr = cc("C")}, {.a = 0x01}, {}},
        {"ROLB $80 with C clear", {0x59}, {.b = 0x80}, {.b = 0x00, .ccr = cc("ZVC")}, {}},
        {"LSRA $01: zero, C and V", {0x44}, {.a = 0x01, .ccr = cc("N")}, {.a = 0x00, .ccr = cc("ZVC")}, {}},
        {"LSRB $FF never negative", {0x54}, {.b = 0xFF}, {.b = 0x7F, .ccr = cc("VC")}, {}},
        {"RORA brings C into bit 7", {0x46}, {.a = 0x00, .ccr = cc("C")}, {.a = 0x80, .ccr = cc("NV")}, {}},
        {"RORB $01 with C clear", {0x56}, {.b = 0x01}, {.b = 0x00, .ccr = cc("ZVC")}, {}},
        {"ASRA keeps bit 7", {0x47}, {.a = 0x81}, {.a = 0xC0, .ccr = cc("NC")}, {}},
        {"ASRB $01: V from bit 7 xor bit 0", {0x57}, {.b = 0x01}, {.b = 0x00, .ccr = cc("ZVC")}, {}},
        {"ASRB $80: V", {0x57}, {.b = 0x80}, {.b = 0xC0, .ccr = cc("NV")}, {}},
        {"Single-operand operations keep H, S, X and I",
         {0x4C},
         {.a = 0x00, .ccr = cc("SXHI")},
         {.a = 0x01, .ccr = cc("SXHI")},
         {}},
        {"INC $1000 twice-read",
         {0x7C, 0x10, 0x00},
         {},
         {.ccr = cc("NV")},
         {R(0x1000), R(0x1000), W(0x1000, 0x80)},
         {{0x1000, 0x7F}}},
        {"NEG ind,Y",
         {0x18, 0x60, 0x01},
         {.y = 0x1000},
         {.y = 0x1000, .ccr = cc("NVC")},
         {R(0x1001), W(0x1001, 0x80)},
         {{0x1001, 0x80}}},
        {"COM ind,X",
         {0x63, 0x00},
         {.x = 0x1000},
         {.x = 0x1000, .ccr = cc("NC")},
         {R(0x1000), W(0x1000, 0xAA)},
         {{0x1000, 0x55}}},
    });
}

TEST(Unary8, IncOnMemoryTakesTheResultFromTheFirstReadAndVFromTheSecond) {
    struct Row {
        int first;
        int second;
        int written;
        int ccr;
    };
    const Row rows[] = {
        {0x10, 0x7F, 0x11, cc("V")},  // V from the second read only
        {0x7F, 0x00, 0x80, cc("N")},  // N from the first, no V from the second
        {0xFF, 0x7F, 0x00, cc("ZV")}, // Z from the first, V from the second
        {0x7F, 0x7F, 0x80, cc("NV")}, // a plain memory answers the same twice
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("first " + hex(row.first, 2) + " second " + hex(row.second, 2));
        Sim sim;
        int reads = 0;
        sim.readHook = [&](int32_t, int16_t& value) {
            value = static_cast<int16_t>(reads++ == 0 ? row.first : row.second);
        };
        const Regs out = sim.step({.ccr = cc("C")}, {0x7C, 0x10, 0x00});
        EXPECT_EQ(out, (Regs{.ccr = static_cast<int16_t>(row.ccr | kC)}));
        EXPECT_EQ(sim.events, (std::vector<Event>{R(0x1000), R(0x1000), W(0x1000, row.written)}));
    }
}

} // namespace
} // namespace vantrel::test
