// Flow of control on the private program counter: branches, bit-test
// branches, jumps, subroutine calls and returns, and the instructions that
// only advance the PC. The PC is private, so it is observed through the return
// address that a following JSR pushes (Sim::probePc) after JMP has put it at a
// known place (Sim::jumpTo).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestHost.h"

namespace vantrel::test {
namespace {

struct Branch {
    int opcode;
    const char* name;
    bool (*taken)(bool n, bool z, bool v, bool c);
};

const Branch kBranches[] = {
    {0x20, "BRA", [](bool, bool, bool, bool) { return true; }},
    {0x21, "BRN", [](bool, bool, bool, bool) { return false; }},
    {0x22, "BHI", [](bool, bool z, bool, bool c) { return !c && !z; }},
    {0x23, "BLS", [](bool, bool z, bool, bool c) { return c || z; }},
    {0x24, "BCC", [](bool, bool, bool, bool c) { return !c; }},
    {0x25, "BCS", [](bool, bool, bool, bool c) { return c; }},
    {0x26, "BNE", [](bool, bool z, bool, bool) { return !z; }},
    {0x27, "BEQ", [](bool, bool z, bool, bool) { return z; }},
    {0x28, "BVC", [](bool, bool, bool v, bool) { return !v; }},
    {0x29, "BVS", [](bool, bool, bool v, bool) { return v; }},
    {0x2A, "BPL", [](bool n, bool, bool, bool) { return !n; }},
    {0x2B, "BMI", [](bool n, bool, bool, bool) { return n; }},
    {0x2C, "BGE", [](bool n, bool, bool v, bool) { return n == v; }},
    {0x2D, "BLT", [](bool n, bool, bool v, bool) { return n != v; }},
    {0x2E, "BGT", [](bool n, bool z, bool v, bool) { return !z && n == v; }},
    {0x2F, "BLE", [](bool n, bool z, bool v, bool) { return z || n != v; }},
};

TEST(Branches, EveryConditionForEveryFlagCombination) {
    Sim sim;
    for (const Branch& br : kBranches) {
        for (int ccr = 0; ccr < 256; ++ccr) {
            for (int offset : {0x10, 0xF0, 0x7F, 0x80, 0x00}) {
                const bool taken = br.taken(ccr & kN, ccr & kZ, ccr & kV, ccr & kC);
                const Regs in{.a = 0x12,
                              .b = 0x34,
                              .x = 0x5678,
                              .y = 0x9ABC,
                              .sp = 0x0100,
                              .ccr = static_cast<int16_t>(ccr)};
                sim.jumpTo(0x2000);
                ASSERT_EQ(sim.step(in, {br.opcode, offset}), in) << br.name;
                ASSERT_TRUE(sim.events.empty()) << br.name;
                const int signedOffset = offset >= 0x80 ? offset - 0x100 : offset;
                const int expected = taken ? 0x2002 + signedOffset : 0x2002;
                ASSERT_EQ(sim.probePc(), expected)
                    << br.name << " ccr " << ccrText(ccr) << " offset " << offset;
            }
        }
    }
}

TEST(Branches, ReadableCases) {
    struct Row {
        const char* what;
        int opcode;
        int ccr;
        int offset;
        int expectedPc; // from PC $2000
    };
    const Row rows[] = {
        {"BRA forward", 0x20, 0x00, 0x10, 0x2012},   {"BRA backward to itself", 0x20, 0x00, 0xFE, 0x2000},
        {"BRN never", 0x21, 0xFF, 0x10, 0x2002},     {"BEQ with Z", 0x27, cc("Z"), 0x10, 0x2012},
        {"BEQ without Z", 0x27, 0x00, 0x10, 0x2002}, {"BNE with Z", 0x26, cc("Z"), 0x10, 0x2002},
        {"BHI with C", 0x22, cc("C"), 0x10, 0x2002}, {"BHI clear", 0x22, 0x00, 0x10, 0x2012},
        {"BLS with Z", 0x23, cc("Z"), 0x10, 0x2012}, {"BGE N and V", 0x2C, cc("NV"), 0x10, 0x2012},
        {"BLT N only", 0x2D, cc("N"), 0x10, 0x2012}, {"BGT N and V", 0x2E, cc("NV"), 0x10, 0x2012},
        {"BGT with Z", 0x2E, cc("Z"), 0x10, 0x2002}, {"BLE V only", 0x2F, cc("V"), 0x10, 0x2012},
        {"BMI with N", 0x2B, cc("N"), 0x80, 0x1F82}, {"BPL with N", 0x2A, cc("N"), 0x80, 0x2002},
    };
    Sim sim;
    for (const Row& row : rows) {
        sim.jumpTo(0x2000);
        sim.step({.ccr = static_cast<int16_t>(row.ccr)}, {row.opcode, row.offset});
        EXPECT_EQ(sim.probePc(), row.expectedPc) << row.what;
    }
}

TEST(Branches, TargetWrapsPastTheTopOfMemory) {
    Sim sim;
    sim.jumpTo(0xFFF0);
    sim.step({}, {0x20, 0x7F});
    EXPECT_EQ(sim.probePc(), 0x0071);
    sim.jumpTo(0x0010);
    sim.step({}, {0x20, 0x80});
    EXPECT_EQ(sim.probePc(), 0xFF92);
    sim.jumpTo(0xFFFE);
    sim.step({}, {0x21, 0x00});
    EXPECT_EQ(sim.probePc(), 0x0000);
}

// --- BRSET / BRCLR -------------------------------------------------------------

TEST(BitBranches, TakenExactlyWhenTheMaskedBitsMatch) {
    const int values[] = {0x00, 0x01, 0x0F, 0x55, 0x80, 0xAA, 0xF0, 0xFE, 0xFF};
    struct Form {
        const char* name;
        bool set;            // BRSET (true) or BRCLR
        std::vector<int> op; // opcode bytes, prefix included
        int ea;
    };
    // Operand bytes after the opcode: address/offset $30, mask, branch offset $10.
    const Form forms[] = {
        {"BRSET dir", true, {0x12}, 0x0030},         {"BRCLR dir", false, {0x13}, 0x0030},
        {"BRSET ind,X", true, {0x1E}, 0x1030},       {"BRCLR ind,X", false, {0x1F}, 0x1030},
        {"BRSET ind,Y", true, {0x18, 0x1E}, 0x2030}, {"BRCLR ind,Y", false, {0x18, 0x1F}, 0x2030},
    };
    Sim sim;
    for (const Form& form : forms)
        for (int m : values)
            for (int mask : values)
                for (int ccr : {0x00, 0xFF, int{cc("NZ")}}) {
                    sim.poke(form.ea, m);
                    std::vector<int> code = form.op;
                    code.insert(code.end(), {0x30, mask, 0x10});
                    const Regs in{.a = 0x11,
                                  .b = 0x22,
                                  .x = 0x1000,
                                  .y = 0x2000,
                                  .sp = 0x0100,
                                  .ccr = static_cast<int16_t>(ccr)};
                    sim.jumpTo(0x4000);
                    ASSERT_EQ(sim.step(in, code), in) << form.name;
                    ASSERT_EQ(sim.events, std::vector<Event>{R(form.ea)}) << form.name;
                    const bool taken = form.set ? ((~m & mask) == 0) : ((m & mask) == 0);
                    const int length = static_cast<int>(code.size());
                    ASSERT_EQ(sim.probePc(), 0x4000 + length + (taken ? 0x10 : 0))
                        << form.name << " m=" << hex(m, 2) << " mask=" << hex(mask, 2);
                }
}

TEST(BitBranches, BackwardOffsetAndZeroMask) {
    Sim sim;
    sim.poke(0x40, 0x00);
    sim.jumpTo(0x4000);
    sim.step({}, {0x12, 0x40, 0x00, 0xFC}); // BRSET with an empty mask always branches
    EXPECT_EQ(sim.probePc(), 0x4000);
    sim.jumpTo(0x4000);
    sim.step({}, {0x13, 0x40, 0x00, 0xF0}); // so does BRCLR
    EXPECT_EQ(sim.probePc(), 0x3FF4);
    sim.jumpTo(0x4000);
    sim.step({.y = 0x0040}, {0x18, 0x1E, 0x00, 0x01, 0x80}); // bit 0 clear: not taken
    EXPECT_EQ(sim.probePc(), 0x4005);
}

// --- BSET / BCLR -----------------------------------------------------------------

TEST(BitOps, SetAndClearInEveryMode) {
    const int values[] = {0x00, 0x01, 0x7F, 0x80, 0xAA, 0xFF};
    struct Form {
        const char* name;
        bool set;
        std::vector<int> op;
        int ea;
    };
    const Form forms[] = {
        {"BSET dir", true, {0x14}, 0x0030},         {"BCLR dir", false, {0x15}, 0x0030},
        {"BSET ind,X", true, {0x1C}, 0x1030},       {"BCLR ind,X", false, {0x1D}, 0x1030},
        {"BSET ind,Y", true, {0x18, 0x1C}, 0x2030}, {"BCLR ind,Y", false, {0x18, 0x1D}, 0x2030},
    };
    Sim sim;
    for (const Form& form : forms)
        for (int m : values)
            for (int mask : values)
                for (int ccr : {0x00, 0xFF, int{cc("HC")}}) {
                    sim.poke(form.ea, m);
                    std::vector<int> code = form.op;
                    code.insert(code.end(), {0x30, mask});
                    const Regs in{.a = 0x11,
                                  .b = 0x22,
                                  .x = 0x1000,
                                  .y = 0x2000,
                                  .sp = 0x0100,
                                  .ccr = static_cast<int16_t>(ccr)};
                    const int r = form.set ? (m | mask) : (m & ~mask & 0xFF);
                    Regs expected = in;
                    expected.ccr = static_cast<int16_t>((ccr & ~(kN | kZ | kV)) | ((r & 0x80) ? kN : 0) |
                                                        (r == 0 ? kZ : 0));
                    sim.jumpTo(0x4000);
                    ASSERT_EQ(sim.step(in, code), expected) << form.name;
                    ASSERT_EQ(sim.events, (std::vector<Event>{R(form.ea), W(form.ea, r)})) << form.name;
                    ASSERT_EQ(sim.probePc(), 0x4000 + static_cast<int>(code.size())) << form.name;
                }
}

// --- JMP, JSR, BSR, RTS, RTI ---------------------------------------------------

TEST(Jumps, JmpInEveryMode) {
    Sim sim;
    sim.step({}, {0x7E, 0x12, 0x34});
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x1234);
    const Regs in{.a = 1, .b = 2, .x = 0x3000, .y = 0x5000, .sp = 0x0100, .ccr = 0xFF};
    EXPECT_EQ(sim.step(in, {0x6E, 0x10}), in);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x3010);
    EXPECT_EQ(sim.step(in, {0x18, 0x6E, 0xFF}), in);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x50FF);
    // The PC is a 16-bit register: an indexed target above $FFFF wraps.
    sim.step({.x = 0xFFF0}, {0x6E, 0x20});
    EXPECT_EQ(sim.probePc(), 0x0010);
}

TEST(Jumps, JsrInEveryModePushesPcPlusLength) {
    struct Row {
        const char* what;
        std::vector<int> code;
        int target;
    };
    const Row rows[] = {
        {"JSR dir", {0x9D, 0x80}, 0x0080},     {"JSR ext", {0xBD, 0xE0, 0x00}, 0xE000},
        {"JSR ind,X", {0xAD, 0x10}, 0x3010},   {"JSR ind,Y", {0x18, 0xAD, 0x20}, 0x5020},
        {"BSR forward", {0x8D, 0x10}, 0x2012}, {"BSR backward", {0x8D, 0xF0}, 0x1FF2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Sim sim;
        sim.jumpTo(0x2000);
        const Regs in{.a = 1, .b = 2, .x = 0x3000, .y = 0x5000, .sp = 0x0100, .ccr = cc("HNZ")};
        Regs expected = in;
        expected.sp = 0x00FE;
        EXPECT_EQ(sim.step(in, row.code), expected);
        const int ret = 0x2000 + static_cast<int>(row.code.size());
        EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, ret & 0xFF), W(0x00FF, ret >> 8)}));
        EXPECT_EQ(sim.probePc(), row.target);
    }
}

TEST(Jumps, ReturnAddressWrapsAtTheTopOfMemory) {
    Sim sim;
    sim.jumpTo(0xFFFE);
    sim.step({.sp = 0x0100}, {0xBD, 0x40, 0x00});
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, 0x01), W(0x00FF, 0x00)}));
}

TEST(Jumps, JsrThenRtsComesBack) {
    Sim sim;
    sim.jumpTo(0x1000);
    Regs regs = sim.step({.sp = 0x01FF}, {0xBD, 0x20, 0x00}); // JSR $2000
    EXPECT_EQ(regs.sp, 0x01FD);
    EXPECT_EQ(sim.probePc(), 0x2000);
    regs = sim.step(regs, {0x39}); // RTS
    EXPECT_EQ(regs.sp, 0x01FF);
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x01FE), R(0x01FF)}));
    EXPECT_EQ(sim.probePc(), 0x1003);
}

TEST(Jumps, BsrThenRtsComesBack) {
    Sim sim;
    sim.jumpTo(0x1000);
    Regs regs = sim.step({.sp = 0x01FF}, {0x8D, 0x20});
    EXPECT_EQ(sim.probePc(), 0x1022);
    regs = sim.step(regs, {0x39});
    EXPECT_EQ(regs.sp, 0x01FF);
    EXPECT_EQ(sim.probePc(), 0x1002);
}

TEST(Jumps, RtiRestoresEverythingIncludingX) {
    struct Row {
        const char* what;
        int stackedCcr;
        int ccrIn;
    };
    const Row rows[] = {
        {"stacked $FF sets X", 0xFF, 0x00},
        {"stacked $00 clears X", 0x00, 0xFF},
        {"stacked $D0", 0xD0, cc("X")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Sim sim;
        const int stack[] = {row.stackedCcr, 0xB0, 0xA0, 0x11, 0x22, 0x33, 0x44, 0x56, 0x78};
        for (int i = 0; i < 9; ++i)
            sim.poke(0x01F7 + i, stack[i]);
        const Regs out = sim.step(
            {.a = 1, .b = 2, .x = 3, .y = 4, .sp = 0x01F6, .ccr = static_cast<int16_t>(row.ccrIn)}, {0x3B});
        EXPECT_EQ(out, (Regs{.a = 0xA0,
                             .b = 0xB0,
                             .x = 0x1122,
                             .y = 0x3344,
                             .sp = 0x01FF,
                             .ccr = static_cast<int16_t>(row.stackedCcr)}));
        EXPECT_EQ(sim.probePc(), 0x5678);
    }
}

// --- instructions that only move the PC ---------------------------------------

TEST(PcOnly, SwiAndWaiOnlyAdvanceByOne) {
    for (int opcode : {0x3F, 0x3E}) {
        SCOPED_TRACE(hex(opcode, 2));
        Sim sim;
        const Regs in{.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0x0100, .ccr = cc("NZ")};
        sim.jumpTo(0x2000);
        EXPECT_EQ(sim.step(in, {opcode, 0x12, 0x34}), in);
        EXPECT_TRUE(sim.events.empty());
        EXPECT_EQ(sim.probePc(), 0x2001);
    }
}

TEST(PcOnly, SwiReturnsAllRegistersUnchanged) {
    Sim sim;
    const Regs in{.a = 0xFF, .b = 0x00, .x = 0xFFFF, .y = 0x0000, .sp = 0x0000, .ccr = 0x00};
    EXPECT_EQ(sim.step(in, {0x3F}), in);
    EXPECT_TRUE(sim.events.empty());
}

TEST(PcOnly, StopAdvancesOnlyWhenSIsSet) {
    Sim sim;
    const Regs withS{.a = 1, .b = 2, .x = 3, .y = 4, .sp = 5, .ccr = cc("SXI")};
    sim.jumpTo(0x2000);
    EXPECT_EQ(sim.step(withS, {0xCF}), withS);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x2001);

    const Regs withoutS{.a = 1, .b = 2, .x = 3, .y = 4, .sp = 5, .ccr = cc("XHINZVC")};
    sim.jumpTo(0x2000);
    EXPECT_EQ(sim.step(withoutS, {0xCF}), withoutS);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x2000);
}

TEST(PcOnly, NopAdvancesByOne) {
    Sim sim;
    const Regs in{.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0x0100, .ccr = 0xFF};
    sim.jumpTo(0x2000);
    EXPECT_EQ(sim.step(in, {0x01, 0xFF, 0xFF, 0xFF, 0xFF}), in);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x2001);
}

TEST(PcOnly, PcPersistsAcrossStepsAndPerControl) {
    Sim first, second;
    first.jumpTo(0x1000);
    second.jumpTo(0x8000);
    first.step({}, {0x01});
    first.step({}, {0x86, 0x00});
    first.step({}, {0x18, 0xCE, 0x12, 0x34});
    EXPECT_EQ(first.probePc(), 0x1007);
    EXPECT_EQ(second.probePc(), 0x8000);
}

} // namespace
} // namespace vantrel::test
