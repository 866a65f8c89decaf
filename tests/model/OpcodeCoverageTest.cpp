// Every byte of every opcode page through Disassemble, CycleCount and
// NextAddress, against the reference map written out from the published
// M68HC11 opcode map.
#include <array>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "FakeTarget.h"
#include "ReferenceOpcodes.h"
#include "codetools/Disassembler.h"

namespace quorvel {
namespace {

using test::FakeTarget;
using test::findReference;
using test::RefOpcode;

constexpr std::array<uint8_t, 4> kPrefix{0x00, 0x18, 0x1A, 0xCD};

std::string where(int page, int opcode, int address) {
    std::ostringstream s;
    s << "page " << page << " opcode $" << std::hex << std::uppercase << opcode << " at $" << address;
    return s.str();
}

bool isPrefix(int byte) {
    return byte == 0x18 || byte == 0x1A || byte == 0xCD;
}

// Instructions whose next address is not simply the following instruction.
bool changesFlow(int page, int opcode) {
    static const std::set<std::pair<int, int>> flow{{1, 0x12}, {1, 0x13}, {1, 0x1E}, {1, 0x1F}, {1, 0x39},
                                                    {1, 0x6E}, {1, 0x7E}, {1, 0x8D}, {1, 0x9D}, {1, 0xAD},
                                                    {1, 0xBD}, {2, 0x1E}, {2, 0x1F}, {2, 0x6E}, {2, 0xAD}};
    return flow.count({page, opcode}) != 0 || (page == 1 && opcode >= 0x20 && opcode <= 0x2F);
}

struct Operands {
    int address;
    std::array<uint8_t, 3> bytes;
};

void PrintTo(const Operands& o, std::ostream* os) {
    *os << "at " << o.address;
}

class EveryOpcode : public ::testing::TestWithParam<Operands> {
protected:
    TargetState state;
    FakeTarget target{state};
    Disassembler dis{state, target};

    // Places the instruction at the parameter's address and returns its length per the reference.
    void place(int page, int opcode) {
        const Operands& o = GetParam();
        state.ProgramPageAddress = o.address;
        state.ProgramPage.fill(0);
        size_t i = 0;
        if (page > 1) state.ProgramPage[i++] = kPrefix[static_cast<size_t>(page - 1)];
        state.ProgramPage[i++] = static_cast<uint8_t>(opcode);
        for (const uint8_t b : o.bytes)
            state.ProgramPage[i++] = b;
    }
};

TEST_P(EveryOpcode, DisassemblesLikeThePublishedMap) {
    const Operands& o = GetParam();
    int defined = 0;
    for (int page = 1; page <= 4; ++page) {
        for (int opcode = 0; opcode < 256; ++opcode) {
            if (page == 1 && isPrefix(opcode)) continue;
            SCOPED_TRACE(where(page, opcode, o.address));
            place(page, opcode);
            const auto ref = findReference(page, opcode);
            const int prefixBytes = page > 1 ? 1 : 0;

            int32_t address = o.address;
            int16_t length = 0;
            QString text;
            dis.Disassemble(address, length, text);
            EXPECT_EQ(address, o.address);
            EXPECT_EQ(dis.LastOpcode, opcode);
            if (!ref || ref->name == "???") {
                EXPECT_EQ(text, "???");
                EXPECT_EQ(length, 1 + prefixBytes);
                EXPECT_EQ(dis.AddrMode, 0);
                EXPECT_EQ(dis.CycleCount(o.address), ref ? ref->cycles : 0);
                continue;
            }
            ++defined;
            const int expectedLength = 1 + prefixBytes + test::refOperandCount(ref->mode);
            EXPECT_EQ(text.toStdString(),
                      test::refText(*ref, page, o.address, o.bytes[0], o.bytes[1], o.bytes[2]));
            EXPECT_EQ(length, expectedLength);
            EXPECT_EQ(dis.AddrMode, ref->mode);
            EXPECT_EQ(dis.CycleCount(o.address), ref->cycles);
        }
    }
    // The published map: 232 instructions on page 1 besides TEST, 64 on page 2, 7 on page 3, 4 on page 4.
    EXPECT_EQ(defined, 232 + 64 + 7 + 4);
}

TEST_P(EveryOpcode, NextAddressOfStraightLineCodeIsTheFollowingInstruction) {
    const Operands& o = GetParam();
    for (int page = 1; page <= 4; ++page) {
        for (int opcode = 0; opcode < 256; ++opcode) {
            if ((page == 1 && isPrefix(opcode)) || changesFlow(page, opcode)) continue;
            SCOPED_TRACE(where(page, opcode, o.address));
            place(page, opcode);
            const auto ref = findReference(page, opcode);
            const int mode = ref ? ref->mode : 0;
            const int length = 1 + (page > 1 ? 1 : 0) + test::refOperandCount(mode);
            for (const bool followCalls : {false, true}) {
                int32_t address = o.address;
                int32_t next = -1;
                bool taken = true, isCall = true, isReturn = true;
                EXPECT_TRUE(dis.NextAddress(address, followCalls, next, taken, isCall, isReturn));
                EXPECT_EQ(next, (o.address + length) & 0xFFFF);
                EXPECT_FALSE(taken);
                EXPECT_FALSE(isCall);
                EXPECT_FALSE(isReturn);
                EXPECT_EQ(dis.AddrMode, mode);
                EXPECT_EQ(dis.LastOpcode, opcode);
            }
        }
    }
    EXPECT_TRUE(target.reads.empty());
}

INSTANTIATE_TEST_SUITE_P(Operands, EveryOpcode,
                         ::testing::Values(Operands{0xE000, {0x12, 0x34, 0x56}},
                                           Operands{0x1000, {0xFE, 0x80, 0x9C}},
                                           Operands{0xFFFC, {0x7F, 0x01, 0x7F}},
                                           Operands{0x0002, {0x80, 0xFF, 0x80}}));

// The reference itself against the disassembler's two spelling lists: the
// mnemonics shown alone and those padded to six characters before operands.
TEST(ReferenceOpcodes, SpellingsMatchTheDisassemblersMnemonicLists) {
    const std::set<std::string> alone{
        "ABA",  "ABX",  "ABY",  "ASRA", "ASRB", "CBA",  "CLC",  "CLI",  "CLRA", "CLRB", "CLV",  "COMA",
        "COMB", "DAA",  "DECA", "DECB", "DES",  "DEX",  "DEY",  "FDIV", "IDIV", "INCA", "INCB", "INS",
        "INX",  "INY",  "LSLA", "LSLB", "LSLD", "LSRA", "LSRB", "LSRD", "MUL",  "NEGA", "NEGB", "NOP",
        "PSHA", "PSHB", "PSHX", "PSHY", "PULA", "PULB", "PULX", "PULY", "ROLA", "ROLB", "RORA", "RORB",
        "RTI",  "RTS",  "SBA",  "SEC",  "SEI",  "SEV",  "STOP", "SWI",  "TAB",  "TAP",  "TBA",  "TPA",
        "TSTA", "TSTB", "TSX",  "TSY",  "TXS",  "TYS",  "WAI",  "XGDX", "XGDY"};
    const std::set<std::string> padded{
        "ADCA",  "ADCB", "ADDA",  "ADDB", "ADDD", "ANDA", "ANDB", "ASR",  "BCC",  "BCLR", "BCS",  "BEQ",
        "BGE",   "BGT",  "BHI",   "BITA", "BITB", "BLE",  "BLS",  "BLT",  "BMI",  "BNE",  "BPL",  "BRA",
        "BRCLR", "BRN",  "BRSET", "BSET", "BSR",  "BVC",  "BVS",  "CLR",  "CMPA", "CMPB", "COM",  "CPD",
        "CPX",   "CPY",  "DEC",   "EORA", "EORB", "INC",  "JMP",  "JSR",  "LDAA", "LDAB", "LDD",  "LDS",
        "LDX",   "LDY",  "LSL",   "LSR",  "NEG",  "ORAA", "ORAB", "ROL",  "ROR",  "SBCA", "SBCB", "STAA",
        "STAB",  "STD",  "STS",   "STX",  "STY",  "SUBA", "SUBB", "SUBD", "TST"};
    std::set<std::string> seenAlone, seenPadded;
    for (int page = 1; page <= 4; ++page) {
        for (int opcode = 0; opcode < 256; ++opcode) {
            const auto ref = findReference(page, opcode);
            if (!ref || ref->name == "???") continue;
            (ref->mode == test::kInh ? seenAlone : seenPadded).insert(ref->name);
        }
    }
    EXPECT_EQ(seenAlone, alone);
    EXPECT_EQ(seenPadded, padded);
}

} // namespace
} // namespace quorvel
