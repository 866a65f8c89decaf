// Disassemble: texts, lengths, modes and branch targets of single
// instructions, the page-index rule and the guards at the page edges.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "FakeTarget.h"
#include "codetools/Disassembler.h"

namespace quorvel {
namespace {

using test::FakeTarget;
using test::PutCode;

struct TextCase {
    int32_t address;
    std::vector<uint8_t> bytes;
    const char* text;
    int16_t length;
    int32_t mode;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.text;
}

class DisassembleText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DisassembleText, ShowsInstruction) {
    const TextCase& c = GetParam();
    TargetState state;
    FakeTarget target(state);
    state.ProgramPageAddress = c.address;
    std::copy(c.bytes.begin(), c.bytes.end(), state.ProgramPage.begin());
    Disassembler dis(state, target);

    int32_t address = c.address;
    int16_t length = 0;
    QString text;
    dis.Disassemble(address, length, text);
    EXPECT_EQ(text, QString::fromLatin1(c.text));
    EXPECT_EQ(length, c.length);
    EXPECT_EQ(dis.AddrMode, c.mode);
    EXPECT_EQ(address, c.address);
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, DisassembleText,
    ::testing::Values(
        TextCase{0xE000, {0x86, 0x41}, "LDAA  #$41", 2, 1},
        TextCase{0xE000, {0xCC, 0x12, 0x34}, "LDD   #$1234", 3, 2},
        TextCase{0xE000, {0x18, 0xCE, 0x00, 0x10}, "LDY   #$0010", 4, 2},
        TextCase{0xE000, {0x1A, 0x83, 0x00, 0x05}, "CPD   #$0005", 4, 2},
        TextCase{0x1000, {0x18, 0x1E, 0x05, 0x80, 0xF0}, "BRSET $05,Y $80 $0FF5", 5, 12},
        TextCase{0x2002, {0x20, 0xFC}, "BRA   $2000", 2, 13},
        TextCase{0xFFF0, {0x20, 0x7F}, "BRA   $0071", 2, 13}, TextCase{0xE000, {0x00}, "???", 1, 0},
        TextCase{0xE000, {0x41}, "???", 1, 0}, TextCase{0xE000, {0x87}, "???", 1, 0},
        TextCase{0xE000, {0xC7}, "???", 1, 0}, TextCase{0xE000, {0x18, 0x00}, "???", 2, 0},
        TextCase{0xE000, {0x1A, 0x10}, "???", 2, 0}, TextCase{0xE000, {0xCD, 0x00}, "???", 2, 0},
        TextCase{0xE000, {0x18, 0x18}, "???", 2, 0}, TextCase{0xE000, {0x05}, "LSLD", 1, 0},
        TextCase{0xE000, {0x48}, "LSLA", 1, 0}, TextCase{0xE000, {0x58}, "LSLB", 1, 0},
        TextCase{0xE000, {0x68, 0x05}, "LSL   $05,X", 2, 7},
        TextCase{0xE000, {0x78, 0x12, 0x34}, "LSL   $1234", 3, 6},
        TextCase{0xE000, {0x18, 0x68, 0x05}, "LSL   $05,Y", 3, 10}, TextCase{0xE000, {0x01}, "NOP", 1, 0},
        TextCase{0xE000, {0x96, 0x10}, "LDAA  $10", 2, 3},
        TextCase{0xE000, {0x14, 0x10, 0x80}, "BSET  $10 $80", 3, 4},
        TextCase{0x1F00, {0x12, 0x10, 0x80, 0xFC}, "BRSET $10 $80 $1F00", 4, 5},
        TextCase{0xE000, {0x7E, 0xE0, 0x00}, "JMP   $E000", 3, 6},
        TextCase{0xE000, {0xA6, 0x05}, "LDAA  $05,X", 2, 7},
        TextCase{0xE000, {0x1D, 0x05, 0x01}, "BCLR  $05,X $01", 3, 8},
        TextCase{0x1F00, {0x1F, 0x05, 0x01, 0xFC}, "BRCLR $05,X $01 $1F00", 4, 9},
        TextCase{0xE000, {0x18, 0xA7, 0x05}, "STAA  $05,Y", 3, 10},
        TextCase{0xE000, {0x18, 0x1C, 0x05, 0x80}, "BSET  $05,Y $80", 4, 11},
        TextCase{0x1EFF, {0x18, 0x1E, 0x05, 0x80, 0xFC}, "BRSET $05,Y $80 $1F00", 5, 12},
        TextCase{0x1F00, {0x26, 0xFE}, "BNE   $1F00", 2, 13},
        TextCase{0xE000, {0xCD, 0xEE, 0x10}, "LDX   $10,Y", 3, 10},
        TextCase{0xE000, {0x1A, 0xEF, 0x10}, "STY   $10,X", 3, 7},
        // bit-branch target wraps too
        TextCase{0xFFFC, {0x12, 0x10, 0x80, 0x10}, "BRSET $10 $80 $0010", 4, 5},
        TextCase{0x0000, {0x20, 0x80}, "BRA   $FF82", 2, 13}));

class DisassembleFixture : public ::testing::Test {
protected:
    TargetState state;
    FakeTarget target{state};
    Disassembler dis{state, target};

    QString disassemble(int32_t& address, int16_t& length) {
        QString text;
        dis.Disassemble(address, length, text);
        return text;
    }
};

TEST_F(DisassembleFixture, PageAcrossFFFFAddsAndReturnsTheAdjustedAddress) {
    state.ProgramPageAddress = 0xFF80;
    state.ProgramPage[0x90] = 0x86;
    state.ProgramPage[0x91] = 0x41;
    int32_t address = 0x0010;
    int16_t length = 0;
    EXPECT_EQ(disassemble(address, length), "LDAA  #$41");
    EXPECT_EQ(address, 0x10010);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(dis.CycleCount(0x0010), 2);
}

TEST_F(DisassembleFixture, StoresLastOpcodeAndLastOffset) {
    state.ProgramPageAddress = 0x1000;
    PutCode(state, 0x1000, {0x18, 0x1E, 0x05, 0x80, 0xF0, 0x26, 0x7F});
    int32_t address = 0x1000;
    int16_t length = 0;
    disassemble(address, length);
    EXPECT_EQ(dis.LastOpcode, 0x1E);
    EXPECT_EQ(dis.LastOffset, -16);
    address = 0x1005;
    disassemble(address, length);
    EXPECT_EQ(dis.LastOpcode, 0x26);
    EXPECT_EQ(dis.LastOffset, 127);
}

TEST_F(DisassembleFixture, WalksInstructionByInstruction) {
    state.ProgramPageAddress = 0xE000;
    PutCode(state, 0xE000, {0x86, 0x41, 0x01, 0xCC, 0x12, 0x34, 0x39});
    const std::vector<QString> expected{"LDAA  #$41", "NOP", "LDD   #$1234", "RTS"};
    int32_t address = 0xE000;
    for (const QString& line : expected) {
        int16_t length = 0;
        EXPECT_EQ(disassemble(address, length), line);
        address += length;
    }
    EXPECT_EQ(address, 0xE007);
}

// A caller that lets an instruction run off the page gets "???", never a
// byte from outside ProgramPage.
struct EdgeCase {
    int32_t pageAddress;
    int32_t address;
    std::vector<uint8_t> tail; // bytes at the end of the page
};

void PrintTo(const EdgeCase& c, std::ostream* os) {
    *os << "address " << c.address << " page " << c.pageAddress;
}

class PageEdge : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(PageEdge, OutsideThePageShowsUndefined) {
    const EdgeCase& c = GetParam();
    TargetState state;
    FakeTarget target(state);
    Disassembler dis(state, target);
    state.ProgramPageAddress = c.pageAddress;
    std::copy(c.tail.begin(), c.tail.end(), state.ProgramPage.end() - static_cast<long>(c.tail.size()));

    int32_t address = c.address;
    int16_t length = 0;
    QString text;
    dis.Disassemble(address, length, text);
    EXPECT_EQ(text, "???");
    EXPECT_EQ(length, 1);
    EXPECT_EQ(dis.AddrMode, 0);

    int32_t next = -1;
    bool taken = true, isCall = true, isReturn = true;
    address = c.address;
    EXPECT_FALSE(dis.NextAddress(address, false, next, taken, isCall, isReturn));
    EXPECT_FALSE(taken);
    EXPECT_FALSE(isCall);
    EXPECT_FALSE(isReturn);
    EXPECT_GE(next, 0);
    EXPECT_LE(next, 0xFFFF);
    EXPECT_TRUE(target.reads.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageEdge,
    ::testing::Values(EdgeCase{0xE000, 0xE0FF, {0xCC}},             // operand past the end
                      EdgeCase{0xE000, 0xE0FE, {0x18, 0x1E, 0x05}}, // 5-byte instruction, 2 bytes on the page
                      EdgeCase{0xE000, 0xE0FF, {0x18}},             // prefix alone
                      EdgeCase{0xE000, 0xE100, {}},                 // opcode past the end
                      EdgeCase{0xE000, 0xF000, {}},                 // far away
                      EdgeCase{0x0100, 0x0050, {}},                 // below the page: +65536 is past it too
                      EdgeCase{0x0000, -5, {}},                     // negative address
                      EdgeCase{0x0000, 0x7FFFFFFF, {}},             // huge address
                      EdgeCase{0x7FFFFFFF, -0x7FFFFFFF - 1, {}}));  // nonsense page address

TEST_F(DisassembleFixture, OutOfPageCycleCountIsZero) {
    state.ProgramPageAddress = 0xE000;
    state.ProgramPage[255] = 0x18;
    EXPECT_EQ(dis.CycleCount(0xE0FF), 0);
    EXPECT_EQ(dis.CycleCount(0xE100), 0);
    EXPECT_EQ(dis.CycleCount(0xDFFF + 65536 + 1), 0);
}

TEST_F(DisassembleFixture, LastByteOfThePageIsStillRead) {
    state.ProgramPageAddress = 0xE000;
    state.ProgramPage[254] = 0x86;
    state.ProgramPage[255] = 0x41;
    int32_t address = 0xE0FE;
    int16_t length = 0;
    EXPECT_EQ(disassemble(address, length), "LDAA  #$41");
    EXPECT_EQ(length, 2);
}

struct CycleCase {
    std::vector<uint8_t> bytes;
    int cycles;
};

void PrintTo(const CycleCase& c, std::ostream* os) {
    *os << "opcode " << int(c.bytes[0]) << " cycles " << c.cycles;
}

class CycleCountTest : public ::testing::TestWithParam<CycleCase> {};

TEST_P(CycleCountTest, FromTheTimingTable) {
    TargetState state;
    FakeTarget target(state);
    Disassembler dis(state, target);
    state.ProgramPageAddress = 0x4000;
    std::copy(GetParam().bytes.begin(), GetParam().bytes.end(), state.ProgramPage.begin());
    EXPECT_EQ(dis.CycleCount(0x4000), GetParam().cycles);
}

INSTANTIATE_TEST_SUITE_P(Examples, CycleCountTest,
                         ::testing::Values(CycleCase{{0x20, 0x00}, 3}, CycleCase{{0x18, 0xA6, 0x00}, 5},
                                           CycleCase{{0x02}, 41}, CycleCase{{0x87}, 0}, CycleCase{{0x00}, 4},
                                           CycleCase{{0x86}, 2}, CycleCase{{0x96}, 3}, CycleCase{{0xB6}, 4},
                                           CycleCase{{0xA6}, 4}, CycleCase{{0x9D}, 5}, CycleCase{{0xBD}, 6},
                                           CycleCase{{0xAD}, 6}, CycleCase{{0x18, 0xAD}, 7},
                                           CycleCase{{0x39}, 5}, CycleCase{{0x3B}, 12}, CycleCase{{0x3F}, 14},
                                           CycleCase{{0x3E}, 14}, CycleCase{{0x3D}, 10},
                                           CycleCase{{0x03}, 41}, CycleCase{{0x12}, 6}, CycleCase{{0x1E}, 7},
                                           CycleCase{{0x18, 0x1E}, 8}, CycleCase{{0x18, 0x00}, 0},
                                           CycleCase{{0xCD, 0x00}, 0}, CycleCase{{0x1A, 0x83}, 5}));

TEST(UnpackCCR, SetsEachFlagFromItsBit) {
    TargetState state;
    FakeTarget target(state);
    Disassembler dis(state, target);
    const std::vector<std::pair<uint8_t, bool TargetState::*>> bits{
        {0x01, &TargetState::FlagC}, {0x02, &TargetState::FlagV}, {0x04, &TargetState::FlagZ},
        {0x08, &TargetState::FlagN}, {0x10, &TargetState::FlagI}, {0x20, &TargetState::FlagH},
        {0x40, &TargetState::FlagX}, {0x80, &TargetState::FlagS}};
    for (const auto& [bit, flag] : bits) {
        state.RegCCR = bit;
        dis.UnpackCCR();
        for (const auto& [other, otherFlag] : bits)
            EXPECT_EQ(state.*otherFlag, other == bit) << int(bit);
        state.RegCCR = static_cast<uint8_t>(~bit);
        dis.UnpackCCR();
        for (const auto& [other, otherFlag] : bits)
            EXPECT_EQ(state.*otherFlag, other != bit) << int(bit);
    }
}

} // namespace
} // namespace quorvel
