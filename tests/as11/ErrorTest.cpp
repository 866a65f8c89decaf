// Errors: one "N: message" line each, for every kind of invalid source.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct ErrorCase {
    const char* source;
    const char* errors;
};

class As11Error : public testing::TestWithParam<ErrorCase> {};

TEST_P(As11Error, Reports) {
    EXPECT_EQ(as11test::errorText(GetParam().source), GetParam().errors) << GetParam().source;
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, As11Error,
    testing::Values(
        ErrorCase{" FOO", "1: unknown mnemonic FOO"},
        ErrorCase{" NOP\n LDAA LOOP2", "2: undefined symbol LOOP2"},
        ErrorCase{"L NOP\nL NOP", "2: duplicate label L (first defined on line 1)"},
        ErrorCase{" STAA #1", "1: immediate addressing is not available for STAA"},
        ErrorCase{" JMP #1", "1: immediate addressing is not available for JMP"},
        ErrorCase{" JMP <$10", "1: direct addressing is not available for JMP"},
        ErrorCase{" CLR <$10", "1: direct addressing is not available for CLR"},
        ErrorCase{" CPD 1,Z", "1: expected X or Y after ','"},
        ErrorCase{" LDAA >1,X", "1: '<' and '>' do not apply to indexed addressing"},
        ErrorCase{" LDAA <$100", "1: direct address $100 out of range ($0..$FF)"},
        ErrorCase{" LDAA 256,X", "1: index offset $100 out of range ($0..$FF)"},
        ErrorCase{" LDAA -1,Y", "1: index offset -$1 out of range ($0..$FF)"},
        ErrorCase{" LDAA #256", "1: immediate value $100 out of range (-$80..$FF)"},
        ErrorCase{" LDAA #-129", "1: immediate value -$81 out of range (-$80..$FF)"},
        ErrorCase{" LDX #$10000", "1: immediate value $10000 out of range (-$8000..$FFFF)"},
        ErrorCase{" LDAA $10000", "1: address $10000 out of range ($0..$FFFF)"},
        ErrorCase{" LDAA -1", "1: address -$1 out of range ($0..$FFFF)"},
        ErrorCase{" BRA *+130", "1: branch out of range (target $82, offset 128)"},
        ErrorCase{" BRA *-127", "1: branch out of range (target -$7F, offset -129)"},
        ErrorCase{" BRA FAR\n RMB 200\nFAR NOP", "1: branch out of range (target $CA, offset 200)"},
        ErrorCase{" LDAA", "1: missing operand"}, ErrorCase{" LDAA ; comment", "1: missing operand"},
        ErrorCase{" BEQ", "1: missing operand"}, ErrorCase{" BSET $10", "1: missing bit mask"},
        ErrorCase{" BSET $10 ; mask?", "1: missing bit mask"},
        ErrorCase{" BRSET $10 $80", "1: missing branch target"},
        ErrorCase{" BSET $100 1", "1: direct address $100 out of range ($0..$FF)"},
        ErrorCase{" BSET 1,X 256", "1: bit mask $100 out of range (-$80..$FF)"},
        ErrorCase{" BSET ,", "1: missing address"}, ErrorCase{"1abc NOP", "1: invalid label 1abc"},
        ErrorCase{"a-b NOP", "1: invalid label a-b"},
        ErrorCase{" LDAA #1)", "1: unexpected character ')' after operand"},
        ErrorCase{" LDAA #1,X", "1: unexpected character ',' after operand"},
        ErrorCase{" ASL A", "1: undefined symbol A"},
        ErrorCase{" LDAA 1,Z\n FOO\n LDAA #1000", "1: expected X or Y after ','\n2: unknown mnemonic FOO\n"
                                                  "3: immediate value $3E8 out of range (-$80..$FF)"}));

TEST(As11Error, BranchLimitsAreExact) {
    EXPECT_EQ(as11test::errorText(" BRCLR 0,X 1 *+131"), ""); // offset +127
    EXPECT_EQ(as11test::errorText(" BRCLR 0,X 1 *+132"), "1: branch out of range (target $84, offset 128)");
    EXPECT_EQ(as11test::errorText(" BRSET 0,Y 1 *-123"), ""); // offset -128 (5-byte form)
    EXPECT_EQ(as11test::errorText(" BRSET 0,Y 1 *-124"), "1: branch out of range (target -$7C, offset -129)");
}

TEST(As11Error, ALineWithAnErrorPlacesNoBytesAndShiftsNothing) {
    const as11::Program p = as11::assembleProgram(" ORG $E000\n LDAA NOWHERE\n NOP\n LDAA #300\n NOP\n");
    EXPECT_EQ(p.errors.size(), 2u);
    EXPECT_EQ(p.code, (as11test::Bytes{0x01, 0x01}));
    EXPECT_EQ(p.lines[2].address, 0xE003);
    EXPECT_EQ(p.lines[4].address, 0xE006);
}

TEST(As11Error, ErrorFileFormat) {
    const as11::Output out = as11::assemble(" NOP\n FOO\n\n LDAA X1\n");
    EXPECT_EQ(as11::formatErrors(out.errors), "2: unknown mnemonic FOO\n4: undefined symbol X1\n");
}

TEST(As11Error, LongNamesAreShortenedInMessages) {
    const std::string name(500, 'Q');
    EXPECT_EQ(as11test::errorText(" LDAA " + name), "1: undefined symbol " + std::string(40, 'Q') + "...");
}

} // namespace
