// Every entry of the opcode map, assembled from a generated source line.
#include "OpcodeIndex.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using as11test::Bytes;

TEST(As11Encoding, EveryOpcodeMapEntryAssemblesToItsBytes) {
    const std::vector<as11test::OpcodeLine> lines = as11test::everyOpcodeLine();
    std::string source = "\tORG\t$E000\n";
    for (const auto& l : lines)
        source += l.motorola + "\n";
    const as11::Program p = as11::assembleProgram(source);
    ASSERT_TRUE(p.errors.empty()) << as11::formatErrors(p.errors);
    ASSERT_EQ(p.lines.size(), lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Bytes got = as11test::lineBytes(p, i + 1);
        EXPECT_EQ(got, lines[i].expected) << lines[i].motorola;
        EXPECT_EQ(got.size(), lines[i].info.length) << lines[i].motorola;
    }
}

TEST(As11Encoding, EntryCountMatchesTheMap) {
    int defined = 0;
    std::set<std::pair<int, int>> pairs;
    for (int page = 1; page <= vantrel::kPageCount; ++page)
        for (int opcode = 0; opcode < 256; ++opcode) {
            const auto& info = vantrel::opcodeInfo(page, static_cast<uint8_t>(opcode));
            if (!info.defined()) continue;
            ++defined;
            pairs.insert({static_cast<int>(info.op), static_cast<int>(info.mode)});
            const as11::Encoding e = as11::encodingOf(info.op, info.mode);
            EXPECT_EQ(e.page, page);
            EXPECT_EQ(e.opcode, opcode);
        }
    EXPECT_EQ(static_cast<int>(as11test::everyOpcodeLine().size()), defined);
    EXPECT_EQ(static_cast<int>(pairs.size()), defined); // no (operation, mode) twice
}

TEST(As11Encoding, EveryMnemonicIsAKeywordInAnyCase) {
    for (int op = static_cast<int>(vantrel::Op::Prefix) + 1; op < as11::kOpCount; ++op) {
        const std::string name(vantrel::mnemonic(static_cast<vantrel::Op>(op)));
        std::string lower = name;
        for (char& c : lower)
            c = static_cast<char>(c - 'A' + 'a' + ('A' > c || c > 'Z' ? 'A' - 'a' : 0));
        for (const std::string& n : {name, lower}) {
            const as11::Keyword* k = as11::findKeyword(n);
            ASSERT_NE(k, nullptr) << n;
            EXPECT_EQ(static_cast<int>(k->op), op) << n;
        }
    }
}

struct AliasCase {
    const char* source;
    Bytes bytes;
};

class As11Alias : public testing::TestWithParam<AliasCase> {};

TEST_P(As11Alias, AssemblesLikeItsOriginal) {
    EXPECT_EQ(as11test::codeOf(GetParam().source), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Aliases, As11Alias,
    testing::Values(AliasCase{" LSLA", {0x48}}, AliasCase{" lslb", {0x58}}, AliasCase{" LSLD", {0x05}},
                    AliasCase{" LSL $1234", {0x78, 0x12, 0x34}}, AliasCase{" LSL 3,X", {0x68, 0x03}},
                    AliasCase{" LSL 3,Y", {0x18, 0x68, 0x03}}, AliasCase{"L BHS L", {0x24, 0xFE}},
                    AliasCase{"L BLO L", {0x25, 0xFE}}));

struct ModeCase {
    const char* source;
    Bytes bytes;
};

class As11Modes : public testing::TestWithParam<ModeCase> {};

TEST_P(As11Modes, Encodes) {
    EXPECT_EQ(as11test::codeOf(GetParam().source), GetParam().bytes) << GetParam().source;
}

INSTANTIATE_TEST_SUITE_P(
    Operands, As11Modes,
    testing::Values(
        // Direct is chosen for a known address below $100, extended otherwise.
        ModeCase{" LDAA $FF", {0x96, 0xFF}}, ModeCase{" LDAA $100", {0xB6, 0x01, 0x00}},
        ModeCase{" LDAA 0", {0x96, 0x00}},
        // Forced modes.
        ModeCase{" LDAA >$20", {0xB6, 0x00, 0x20}}, ModeCase{" LDAA <$20", {0x96, 0x20}},
        ModeCase{" LDY <$20", {0x18, 0xDE, 0x20}}, ModeCase{" CPD >$20", {0x1A, 0xB3, 0x00, 0x20}},
        // Without a direct mode, a small address is extended.
        ModeCase{" CLR $10", {0x7F, 0x00, 0x10}}, ModeCase{" JMP $10", {0x7E, 0x00, 0x10}},
        // A forward reference is extended, even when it turns out small.
        ModeCase{" LDAA LATER\nLATER EQU $10", {0xB6, 0x00, 0x10}},
        ModeCase{" LDAA <LATER\nLATER EQU $10", {0x96, 0x10}},
        // A backward reference below $100 is direct.
        ModeCase{"EARLY EQU $10\n LDAA EARLY", {0x96, 0x10}},
        // Indexed forms.
        ModeCase{" LDAA ,X", {0xA6, 0x00}}, ModeCase{" LDAA 0,x", {0xA6, 0x00}},
        ModeCase{" ldaa 255,Y", {0x18, 0xA6, 0xFF}}, ModeCase{" LDAA ,Y", {0x18, 0xA6, 0x00}},
        ModeCase{" LDAA 5, X", {0xA6, 0x05}}, ModeCase{" CPD 1,Y", {0xCD, 0xA3, 0x01}},
        ModeCase{" CPY 1,X", {0x1A, 0xAC, 0x01}},
        // Immediate: 8 or 16 bits from the opcode map, negative values allowed.
        ModeCase{" LDAA #-1", {0x86, 0xFF}}, ModeCase{" LDX #-1", {0xCE, 0xFF, 0xFF}},
        ModeCase{" LDD #$12", {0xCC, 0x00, 0x12}}, ModeCase{" LDY #$1234", {0x18, 0xCE, 0x12, 0x34}},
        // Bit instructions in their written forms.
        ModeCase{" BSET $10 $80", {0x14, 0x10, 0x80}}, ModeCase{" BSET $10,#$80", {0x14, 0x10, 0x80}},
        ModeCase{" BSET 5,X $80", {0x1C, 0x05, 0x80}}, ModeCase{" BSET 5,X,#$80", {0x1C, 0x05, 0x80}},
        ModeCase{" BCLR ,Y #1", {0x18, 0x1D, 0x00, 0x01}},
        ModeCase{" BSET $10 #$80 comment", {0x14, 0x10, 0x80}},
        ModeCase{"LOOP BRSET 5,Y #$80 LOOP", {0x18, 0x1E, 0x05, 0x80, 0xFB}},
        ModeCase{"LOOP BRSET $10,#$80,LOOP", {0x12, 0x10, 0x80, 0xFC}},
        ModeCase{"LOOP BRCLR $10 $80 LOOP", {0x13, 0x10, 0x80, 0xFC}},
        ModeCase{" BRCLR 0,X $01 NEXT\nNEXT NOP", {0x1F, 0x00, 0x01, 0x00, 0x01}},
        // Branches: both ends of the range.
        ModeCase{" BRA *+129", {0x20, 0x7F}}, ModeCase{" BRA *-126", {0x20, 0x80}},
        // Inherent instructions take the rest of the line as a comment.
        ModeCase{" NOP do nothing", {0x01}}, ModeCase{" TEST", {0x00}}));

} // namespace
