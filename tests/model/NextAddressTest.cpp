// NextAddress: where execution goes after one instruction, for every kind of
// flow: conditional branches, bit-test branches (reading the target), calls
// followed or not, jumps, returns and prefixed instructions.
#include <cstdint>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "FakeTarget.h"
#include "codetools/Disassembler.h"

namespace quorvel {
namespace {

using test::FakeTarget;

constexpr uint8_t C = 0x01, V = 0x02, Z = 0x04, N = 0x08;

struct FlowCase {
    const char* name;
    int32_t address;
    std::vector<uint8_t> code;
    uint8_t ccr = 0;
    int32_t ix = 0;
    int32_t iy = 0;
    bool followCalls = false;
    std::map<int32_t, uint8_t> memory{};
    bool failRead = false;
    int32_t next = 0;
    bool taken = false;
    bool isCall = false;
    bool isReturn = false;
    bool ok = true;
    std::vector<int32_t> reads{};
    int32_t mode = 0;
    int32_t offset = 0; // LastOffset, checked for relative and bit-branch modes
};

void PrintTo(const FlowCase& c, std::ostream* os) {
    *os << c.name;
}

class NextAddressFlow : public ::testing::TestWithParam<FlowCase> {};

TEST_P(NextAddressFlow, FindsTheNextInstruction) {
    const FlowCase& c = GetParam();
    TargetState state;
    FakeTarget target(state);
    Disassembler dis(state, target);
    state.ProgramPageAddress = c.address;
    std::copy(c.code.begin(), c.code.end(), state.ProgramPage.begin());
    std::copy(c.code.begin(), c.code.begin() + std::min<long>(5, static_cast<long>(c.code.size())),
              state.InstrBytes.begin());
    state.RegPC = c.address;
    state.RegCCR = c.ccr;
    state.RegIX = c.ix;
    state.RegIY = c.iy;
    state.RegSP = 0x00F0;
    state.StackBytes = {0, 0x11, 0xE0, 0x12, 0x44, 0, 0, 0, 0, 0};
    dis.UnpackCCR();
    target.memory = c.memory;
    target.failReads = c.failRead;

    int32_t address = c.address;
    int32_t next = -1;
    bool taken = !c.taken, isCall = !c.isCall, isReturn = !c.isReturn;
    EXPECT_EQ(dis.NextAddress(address, c.followCalls, next, taken, isCall, isReturn), c.ok);
    EXPECT_EQ(address, c.address);
    EXPECT_EQ(next, c.next);
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(isCall, c.isCall);
    EXPECT_EQ(isReturn, c.isReturn);
    EXPECT_EQ(target.reads, c.reads);
    EXPECT_EQ(dis.AddrMode, c.mode);
    if (c.mode == 13 || c.mode == 5 || c.mode == 9 || c.mode == 12) {
        EXPECT_EQ(dis.LastOffset, c.offset);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Flow, NextAddressFlow, ::testing::Values(
    // Conditional branches, each both ways.
    FlowCase{.name = "BEQ Z clear", .address = 0x1000, .code = {0x27, 0x10}, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BEQ Z set", .address = 0x1000, .code = {0x27, 0x10}, .ccr = Z, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BRA", .address = 0x2002, .code = {0x20, 0xFC}, .next = 0x2000, .taken = true, .mode = 13, .offset = -4},
    FlowCase{.name = "BRA to itself", .address = 0x2002, .code = {0x20, 0xFE}, .next = 0x2002, .taken = true, .mode = 13, .offset = -2},
    FlowCase{.name = "BRA past FFFF", .address = 0xFFF0, .code = {0x20, 0x7F}, .next = 0x0071, .taken = true, .mode = 13, .offset = 127},
    FlowCase{.name = "BRN", .address = 0x1000, .code = {0x21, 0x10}, .ccr = 0xFF, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BHI taken", .address = 0x1000, .code = {0x22, 0x10}, .ccr = N | V, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BHI C", .address = 0x1000, .code = {0x22, 0x10}, .ccr = C, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BHI Z", .address = 0x1000, .code = {0x22, 0x10}, .ccr = Z, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BLS Z", .address = 0x1000, .code = {0x23, 0x10}, .ccr = Z, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BLS clear", .address = 0x1000, .code = {0x23, 0x10}, .ccr = N | V, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BCC taken", .address = 0x1000, .code = {0x24, 0x10}, .ccr = Z | N | V, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BCC C", .address = 0x1000, .code = {0x24, 0x10}, .ccr = C, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BCS C", .address = 0x1000, .code = {0x25, 0x10}, .ccr = C, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BCS clear", .address = 0x1000, .code = {0x25, 0x10}, .ccr = 0xFE, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BNE taken", .address = 0x1000, .code = {0x26, 0x10}, .ccr = 0xFB, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BNE Z", .address = 0x1000, .code = {0x26, 0x10}, .ccr = Z, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BVC taken", .address = 0x1000, .code = {0x28, 0x10}, .ccr = 0xFD, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BVC V", .address = 0x1000, .code = {0x28, 0x10}, .ccr = V, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BVS V", .address = 0x1000, .code = {0x29, 0x10}, .ccr = V, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BVS clear", .address = 0x1000, .code = {0x29, 0x10}, .ccr = 0xFD, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BPL taken", .address = 0x1000, .code = {0x2A, 0x10}, .ccr = 0xF7, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BPL N", .address = 0x1000, .code = {0x2A, 0x10}, .ccr = N, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BMI N", .address = 0x1000, .code = {0x2B, 0x10}, .ccr = N, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BMI clear", .address = 0x1000, .code = {0x2B, 0x10}, .ccr = 0xF7, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BGE N and V", .address = 0x1000, .code = {0x2C, 0x10}, .ccr = N | V, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BGE N only", .address = 0x1000, .code = {0x2C, 0x10}, .ccr = N, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BLT V only", .address = 0x1000, .code = {0x2D, 0x10}, .ccr = V, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BLT clear", .address = 0x1000, .code = {0x2D, 0x10}, .ccr = Z | C, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BGT clear", .address = 0x1000, .code = {0x2E, 0x10}, .ccr = C, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BGT Z", .address = 0x1000, .code = {0x2E, 0x10}, .ccr = Z, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BGT N only", .address = 0x1000, .code = {0x2E, 0x10}, .ccr = N, .next = 0x1002, .mode = 13, .offset = 16},
    FlowCase{.name = "BLE Z", .address = 0x1000, .code = {0x2F, 0x10}, .ccr = Z, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BLE N only", .address = 0x1000, .code = {0x2F, 0x10}, .ccr = N, .next = 0x1012, .taken = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BLE N and V", .address = 0x1000, .code = {0x2F, 0x10}, .ccr = N | V, .next = 0x1002, .mode = 13, .offset = 16},

    // Calls: the return address, or the target when calls are followed.
    FlowCase{.name = "BSR", .address = 0x1000, .code = {0x8D, 0x10}, .next = 0x1002, .isCall = true, .mode = 13, .offset = 16},
    FlowCase{.name = "BSR followed", .address = 0x1000, .code = {0x8D, 0xF0}, .followCalls = true, .next = 0x0FF2, .isCall = true, .mode = 13, .offset = -16},
    FlowCase{.name = "JSR extended", .address = 0x1000, .code = {0xBD, 0xE0, 0x00}, .next = 0x1003, .isCall = true, .mode = 6},
    FlowCase{.name = "JSR extended followed", .address = 0x1000, .code = {0xBD, 0xE0, 0x00}, .followCalls = true, .next = 0xE000, .isCall = true, .mode = 6},
    FlowCase{.name = "JSR direct", .address = 0x1000, .code = {0x9D, 0x20}, .next = 0x1002, .isCall = true, .mode = 3},
    FlowCase{.name = "JSR direct followed", .address = 0x1000, .code = {0x9D, 0x20}, .followCalls = true, .next = 0x0020, .isCall = true, .mode = 3},
    FlowCase{.name = "JSR X", .address = 0x1000, .code = {0xAD, 0x05}, .ix = 0x2000, .next = 0x1002, .isCall = true, .mode = 7},
    FlowCase{.name = "JSR X followed", .address = 0x1000, .code = {0xAD, 0x05}, .ix = 0x2000, .followCalls = true, .next = 0x2005, .isCall = true, .mode = 7},
    FlowCase{.name = "JSR Y", .address = 0x1000, .code = {0x18, 0xAD, 0x05}, .iy = 0x3000, .next = 0x1003, .isCall = true, .mode = 10},
    FlowCase{.name = "JSR Y followed", .address = 0x1000, .code = {0x18, 0xAD, 0x05}, .iy = 0x3000, .followCalls = true, .next = 0x3005, .isCall = true, .mode = 10},
    FlowCase{.name = "JSR X followed past FFFF", .address = 0x1000, .code = {0xAD, 0x20}, .ix = 0xFFF0, .followCalls = true, .next = 0x0010, .isCall = true, .mode = 7},

    // Jumps are always taken.
    FlowCase{.name = "JMP extended", .address = 0x1000, .code = {0x7E, 0x12, 0x34}, .next = 0x1234, .taken = true, .mode = 6},
    FlowCase{.name = "JMP X", .address = 0x1000, .code = {0x6E, 0x10}, .ix = 0xFFF8, .next = 0x0008, .taken = true, .mode = 7},
    FlowCase{.name = "JMP Y", .address = 0x1000, .code = {0x18, 0x6E, 0x10}, .iy = 0x4000, .next = 0x4010, .taken = true, .mode = 10},

    // Returns.
    FlowCase{.name = "RTS", .address = 0x1000, .code = {0x39}, .next = 0xE012, .isReturn = true, .mode = 0},
    FlowCase{.name = "RTI", .address = 0x1000, .code = {0x3B}, .next = 0x1001, .mode = 0},

    // Prefixed instructions and undefined bytes.
    FlowCase{.name = "undefined after 18", .address = 0x1000, .code = {0x18, 0x00}, .next = 0x1002, .mode = 0},
    FlowCase{.name = "undefined after CD", .address = 0x1000, .code = {0xCD, 0x01}, .next = 0x1002, .mode = 0},
    FlowCase{.name = "CPD immediate", .address = 0x1000, .code = {0x1A, 0x83, 0x00, 0x05}, .next = 0x1004, .mode = 2},
    FlowCase{.name = "LDX Y", .address = 0x1000, .code = {0xCD, 0xEE, 0x10}, .next = 0x1003, .mode = 10},
    FlowCase{.name = "LDY immediate", .address = 0x1000, .code = {0x18, 0xCE, 0x00, 0x10}, .next = 0x1004, .mode = 2},
    FlowCase{.name = "BSET Y", .address = 0x1000, .code = {0x18, 0x1C, 0x05, 0x80}, .next = 0x1004, .mode = 11},
    FlowCase{.name = "undefined", .address = 0x1000, .code = {0x41}, .next = 0x1001, .mode = 0},
    FlowCase{.name = "TEST", .address = 0x1000, .code = {0x00}, .next = 0x1001, .mode = 0},
    FlowCase{.name = "last address", .address = 0xFFFF, .code = {0x01}, .next = 0x0000, .mode = 0},

    // Bit-test branches read the tested byte from the target.
    FlowCase{.name = "BRSET direct set", .address = 0x1000, .code = {0x12, 0x10, 0x81, 0x08}, .memory = {{0x10, 0x83}}, .next = 0x100C, .taken = true, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRSET direct one bit clear", .address = 0x1000, .code = {0x12, 0x10, 0x81, 0x08}, .memory = {{0x10, 0x80}}, .next = 0x1004, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRCLR direct clear", .address = 0x1000, .code = {0x13, 0x10, 0x81, 0x08}, .memory = {{0x10, 0x7E}}, .next = 0x100C, .taken = true, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRCLR direct one bit set", .address = 0x1000, .code = {0x13, 0x10, 0x81, 0x08}, .memory = {{0x10, 0x01}}, .next = 0x1004, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRSET X", .address = 0x1000, .code = {0x1E, 0x05, 0x03, 0xF0}, .ix = 0x2000, .memory = {{0x2005, 0x07}}, .next = 0x0FF4, .taken = true, .reads = {0x2005}, .mode = 9, .offset = -16},
    FlowCase{.name = "BRCLR X not taken", .address = 0x1000, .code = {0x1F, 0x05, 0x03, 0xF0}, .ix = 0x2000, .memory = {{0x2005, 0x02}}, .next = 0x1004, .reads = {0x2005}, .mode = 9, .offset = -16},
    FlowCase{.name = "BRSET X index past FFFF", .address = 0x1000, .code = {0x1E, 0x20, 0x01, 0x10}, .ix = 0xFFF0, .memory = {{0x0010, 0x01}}, .next = 0x1014, .taken = true, .reads = {0x0010}, .mode = 9, .offset = 16},
    FlowCase{.name = "BRSET Y", .address = 0x1000, .code = {0x18, 0x1E, 0x05, 0x80, 0xF0}, .iy = 0x3000, .memory = {{0x3005, 0x80}}, .next = 0x0FF5, .taken = true, .reads = {0x3005}, .mode = 12, .offset = -16},
    FlowCase{.name = "BRCLR Y", .address = 0x1000, .code = {0x18, 0x1F, 0x05, 0x80, 0x10}, .iy = 0x3000, .memory = {{0x3005, 0x7F}}, .next = 0x1015, .taken = true, .reads = {0x3005}, .mode = 12, .offset = 16},
    FlowCase{.name = "BRSET zero mask always", .address = 0x1000, .code = {0x12, 0x10, 0x00, 0x08}, .next = 0x100C, .taken = true, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRSET failed read", .address = 0x1000, .code = {0x12, 0x10, 0x80, 0x08}, .memory = {{0x10, 0x80}}, .failRead = true, .next = 0x1004, .ok = false, .reads = {0x10}, .mode = 5, .offset = 8},
    FlowCase{.name = "BRCLR Y failed read", .address = 0x1000, .code = {0x18, 0x1F, 0x05, 0x80, 0x10}, .iy = 0x3000, .failRead = true, .next = 0x1015, .taken = true, .ok = false, .reads = {0x3005}, .mode = 12, .offset = 16}));
// clang-format on

class NextAddressFixture : public ::testing::Test {
protected:
    TargetState state;
    FakeTarget target{state};
    Disassembler dis{state, target};
    int32_t next = -1;
    bool taken = false, isCall = false, isReturn = false;
};

// The mask of a bit-test branch comes from the page, so the analysis is right
// wherever the instruction lies, not only at the PC.
TEST_F(NextAddressFixture, BitBranchAwayFromThePcReadsItsOwnMask) {
    state.ProgramPageAddress = 0x1000;
    test::PutCode(state, 0x1010, {0x12, 0x10, 0x80, 0x08});
    state.RegPC = 0x100F;
    state.InstrBytes = {0x01, 0x12, 0x10, 0x00, 0x08}; // index 3 would be 0: always "set"
    target.memory[0x10] = 0x00;
    int32_t address = 0x1010;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_FALSE(taken);
    EXPECT_EQ(next, 0x1014);

    state.RegPC = 0x8000; // far from the instruction
    state.InstrBytes.fill(0xFF);
    target.memory[0x10] = 0x80;
    address = 0x1010;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_TRUE(taken);
    EXPECT_EQ(next, 0x101C);
}

// At the PC on a page that runs across $FFFF, the adjusted address lies 65536
// above RegPC.
TEST_F(NextAddressFixture, BitBranchOnAPageAcrossFFFF) {
    state.ProgramPageAddress = 0xFF80;
    test::PutCode(state, 0x0010, {0x18, 0x1E, 0x05, 0x80, 0xF0});
    state.RegPC = 0x0010;
    state.InstrBytes = {0x18, 0x1E, 0x05, 0x80, 0xF0};
    state.RegIY = 0x3000;
    target.memory[0x3005] = 0x80;
    int32_t address = 0x0010;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_EQ(address, 0x10010);
    EXPECT_TRUE(taken);
    EXPECT_EQ(next, 0x0005);
    EXPECT_EQ(dis.LastOpcode, 0x1E);
}

TEST_F(NextAddressFixture, BranchAcrossFFFFOnAWrappedPage) {
    state.ProgramPageAddress = 0xFFF0;
    test::PutCode(state, 0xFFFE, {0x20, 0x02});
    int32_t address = 0xFFFE;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_EQ(next, 0x0002);
    address = 0xFFFE;
    int16_t length = 0;
    QString text;
    dis.Disassemble(address, length, text);
    EXPECT_EQ(text, "BRA   $0002");
}

// The callers run it twice to step over or into a call.
TEST_F(NextAddressFixture, CallTwiceForStepOverAndStepInto) {
    state.ProgramPageAddress = 0x1000;
    test::PutCode(state, 0x1000, {0xBD, 0xE0, 0x00});
    int32_t address = 0x1000;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_EQ(next, 0x1003);
    EXPECT_TRUE(isCall);
    EXPECT_FALSE(taken);
    EXPECT_TRUE(dis.NextAddress(address, true, next, taken, isCall, isReturn));
    EXPECT_EQ(next, 0xE000);
    EXPECT_TRUE(isCall);
    EXPECT_FALSE(taken);
}

// Register mirrors outside 0..65535 (a caller error) still give an address.
TEST_F(NextAddressFixture, OutOfRangeRegistersStayWithinTheAddressSpace) {
    state.ProgramPageAddress = 0x1000;
    test::PutCode(state, 0x1000, {0x6E, 0xFF, 0x1E, 0xFF, 0x01, 0x00});
    state.RegIX = 0x7FFFFFFF;
    int32_t address = 0x1000;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_GE(next, 0);
    EXPECT_LE(next, 0xFFFF);
    address = 0x1002;
    state.RegIX = -0x7FFFFFFF - 1;
    EXPECT_TRUE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    ASSERT_EQ(target.reads.size(), 1u);
    EXPECT_GE(target.reads[0], 0);
    EXPECT_LE(target.reads[0], 0xFFFF);
}

} // namespace
} // namespace quorvel
