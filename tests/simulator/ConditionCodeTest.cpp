// Instructions that move or adjust the condition codes: TAP, TPA, the
// set/clear instructions, and the decimal adjust DAA.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestHost.h"

namespace vantrel::test {
namespace {

TEST(ConditionCodes, TapCopiesAExceptTheXBit) {
    Sim sim;
    for (int a = 0; a < 256; ++a)
        for (int ccr : {0x00, kX, 0xFF, int{cc("SN")}}) {
            const Regs in{.a = static_cast<int16_t>(a),
                          .b = 0x5A,
                          .x = 0x1234,
                          .y = 0x5678,
                          .sp = 0x9ABC,
                          .ccr = static_cast<int16_t>(ccr)};
            Regs expected = in;
            expected.ccr = static_cast<int16_t>((a & ~kX) | (ccr & kX));
            ASSERT_EQ(sim.step(in, {0x06}), expected) << "TAP in " << in;
            ASSERT_TRUE(sim.events.empty());
        }
}

TEST(ConditionCodes, TapEdgeCases) {
    runCases({
        {"TAP $00 while X is set keeps X", {0x06}, {.a = 0x00, .ccr = cc("X")}, {.a = 0x00, .ccr = 0x40}, {}},
        {"TAP $FF while X is clear cannot set X", {0x06}, {.a = 0xFF}, {.a = 0xFF, .ccr = 0xBF}, {}},
        {"TAP can set and clear S", {0x06}, {.a = 0x80, .ccr = cc("X")}, {.a = 0x80, .ccr = cc("SX")}, {}},
    });
}

TEST(ConditionCodes, TpaCopiesTheWholeRegisterToA) {
    Sim sim;
    for (int ccr = 0; ccr < 256; ++ccr) {
        const Regs in{
            .a = 0x5A, .b = 0xA5, .x = 0x1234, .y = 0x5678, .sp = 0x9ABC, .ccr = static_cast<int16_t>(ccr)};
        Regs expected = in;
        expected.a = static_cast<int16_t>(ccr);
        ASSERT_EQ(sim.step(in, {0x07}), expected) << "TPA in " << in;
        ASSERT_TRUE(sim.events.empty());
    }
}

TEST(ConditionCodes, SetAndClearSingleBits) {
    struct Row {
        int opcode;
        const char* name;
        int bit;
        bool set;
    };
    const Row rows[] = {
        {0x0A, "CLV", kV, false}, {0x0B, "SEV", kV, true},  {0x0C, "CLC", kC, false},
        {0x0D, "SEC", kC, true},  {0x0E, "CLI", kI, false}, {0x0F, "SEI", kI, true},
    };
    Sim sim;
    for (const Row& row : rows)
        for (int ccr = 0; ccr < 256; ++ccr) {
            const Regs in{.a = 0x5A,
                          .b = 0xA5,
                          .x = 0x1234,
                          .y = 0x5678,
                          .sp = 0x9ABC,
                          .ccr = static_cast<int16_t>(ccr)};
            Regs expected = in;
            expected.ccr = static_cast<int16_t>(row.set ? (ccr | row.bit) : (ccr & ~row.bit));
            ASSERT_EQ(sim.step(in, {row.opcode}), expected) << row.name << " in " << in;
            ASSERT_TRUE(sim.events.empty());
        }
}

// --- DAA -------------------------------------------------------------------------

// The published decimal-adjust rule: add $06 when H is set or the low digit is
// above 9; add $60 and set C when C is set, the high digit is above 9, or the
// high digit is at least 9 while the low digit is above 9.
struct DaaResult {
    int a;
    bool c;
};

DaaResult daaModel(int a, bool h, bool c) {
    const int low = a & 0x0F, high = a >> 4;
    int correction = 0;
    bool carry = false;
    if (h || low > 9) correction |= 0x06;
    if (c || high > 9 || (high >= 9 && low > 9)) {
        correction |= 0x60;
        carry = true;
    }
    return {(a + correction) & 0xFF, carry};
}

constexpr int kNZC = kN | kZ | kC;

TEST(Daa, PublishedRuleForEveryInput) {
    Sim sim;
    for (int a = 0; a < 256; ++a)
        for (bool h : {false, true})
            for (bool c : {false, true}) {
                const int ccr = (h ? kH : 0) | (c ? kC : 0) | kI;
                const Regs in{.a = static_cast<int16_t>(a),
                              .b = 0x5A,
                              .x = 0x1234,
                              .y = 0x5678,
                              .sp = 0x9ABC,
                              .ccr = static_cast<int16_t>(ccr)};
                const DaaResult want = daaModel(a, h, c);
                const Regs out = sim.step(in, {0x19});
                SCOPED_TRACE("DAA in " + hex(a, 2) + (h ? " H" : "") + (c ? " C" : ""));
                ASSERT_EQ(out.a, want.a);
                ASSERT_EQ(out.ccr & kNZC,
                          ((want.a & 0x80) ? kN : 0) | (want.a == 0 ? kZ : 0) | (want.c ? kC : 0));
                ASSERT_EQ(out.ccr & (kS | kX | kI), kI);
                ASSERT_EQ(out.b, in.b);
                ASSERT_EQ(out.x, in.x);
                ASSERT_EQ(out.y, in.y);
                ASSERT_EQ(out.sp, in.sp);
                ASSERT_TRUE(sim.events.empty());
            }
}

int toBcd(int n) {
    return (n / 10) << 4 | (n % 10);
}

TEST(Daa, AddingTwoBcdNumbersThenAdjustingGivesTheBcdSum) {
    Sim sim;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) {
            Regs regs{.a = static_cast<int16_t>(toBcd(x))};
            regs = sim.step(regs, {0x8B, toBcd(y)}); // ADDA #y
            regs = sim.step(regs, {0x19});           // DAA
            ASSERT_EQ(regs.a, toBcd((x + y) % 100)) << x << " + " << y;
            ASSERT_EQ((regs.ccr & kC) != 0, x + y >= 100) << x << " + " << y;
        }
}

TEST(Daa, ReadableCases) {
    struct Row {
        int a;
        int ccr;
        int expectedA;
        int expectedNZC;
    };
    const Row rows[] = {
        {0x3C, 0x00, 0x42, 0},       // $15 + $27
        {0x9A, 0x00, 0x00, kZ | kC}, // $99 + $01
        {0x12, kH, 0x18, 0},         // $09 + $09
        {0x20, kC, 0x80, kN | kC},   // $90 + $90
        {0x99, 0x00, 0x99, kN},      // already decimal
        {0xA0, 0x00, 0x00, kZ | kC}, // high digit above 9
    };
    Sim sim;
    for (const Row& row : rows) {
        const Regs out =
            sim.step({.a = static_cast<int16_t>(row.a), .ccr = static_cast<int16_t>(row.ccr)}, {0x19});
        EXPECT_EQ(out.a, row.expectedA) << hex(row.a, 2);
        EXPECT_EQ(out.ccr & kNZC, row.expectedNZC) << hex(row.a, 2);
    }
}

TEST(Daa, IsOneByteLong) {
    Sim sim;
    sim.jumpTo(0x2000);
    sim.step({.a = 0x45}, {0x19, 0xFF, 0xFF});
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x2001);
}

} // namespace
} // namespace vantrel::test
