// ORG, EQU, FCB, FDB, FCC, RMB, FILL, END and their synonyms; labels.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using as11test::Bytes;
using as11test::codeOf;

TEST(As11Directive, DataDirectives) {
    EXPECT_EQ(codeOf(" FCB 1,$FF,-1,'A"), (Bytes{1, 0xFF, 0xFF, 'A'}));
    EXPECT_EQ(codeOf(" FCB 1, 2,  3 comment"), (Bytes{1, 2, 3}));
    EXPECT_EQ(codeOf(" FDB $1234,-1,7"), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0, 7}));
    EXPECT_EQ(codeOf(" FCC /Hi there/"), (Bytes{'H', 'i', ' ', 't', 'h', 'e', 'r', 'e'}));
    EXPECT_EQ(codeOf(" FCC \"a;b\" comment"), (Bytes{'a', ';', 'b'}));
    EXPECT_EQ(codeOf(" FCC //"), Bytes{});
    EXPECT_EQ(codeOf(" FILL $AA,3"), (Bytes{0xAA, 0xAA, 0xAA}));
    EXPECT_EQ(codeOf(" FILL 0, 2"), (Bytes{0, 0}));
    EXPECT_EQ(codeOf(" ZMB 2\n BSZ 1"), (Bytes{0, 0, 0}));
    EXPECT_EQ(codeOf(" DB 1,2\n DW $0102"), (Bytes{1, 2, 1, 2}));
    EXPECT_EQ(codeOf(" fcb 1\n Fdb 2\n fcc 'x'"), (Bytes{1, 0, 2, 'x'}));
}

TEST(As11Directive, LabelsTakeTheLocationCounterOrTheEquValue) {
    const as11::Program p =
        as11::assembleProgram(" ORG $E000\nA NOP\nB RMB 4\nC\nD EQU $1234\nE ORG $F000\nF FCB 1\n"
                              " LDX #A\n LDX #B\n LDX #C\n LDX #D\n LDX #E\n LDX #F\n");
    ASSERT_TRUE(p.errors.empty()) << as11::formatErrors(p.errors);
    const Bytes code(p.code.end() - 18, p.code.end());
    EXPECT_EQ(code, (Bytes{0xCE, 0xE0, 0x00, 0xCE, 0xE0, 0x01, 0xCE, 0xE0, 0x05, 0xCE, 0x12, 0x34, 0xCE, 0xF0,
                           0x00, 0xCE, 0xF0, 0x00}));
}

TEST(As11Directive, RmbLeavesAGap) {
    const as11::Program p = as11::assembleProgram(" ORG $100\n NOP\n RMB 3\n DS 1\n NOP\n");
    ASSERT_TRUE(p.errors.empty());
    ASSERT_EQ(p.segments.size(), 2u);
    EXPECT_EQ(p.segments[0].address, 0x100u);
    EXPECT_EQ(p.segments[1].address, 0x105u);
}

TEST(As11Directive, EquMayReferForwardAndChain) {
    EXPECT_EQ(codeOf(" LDX #A\nA EQU B+1\nB EQU C*2\nC EQU 3"), (Bytes{0xCE, 0x00, 0x07}));
    EXPECT_EQ(codeOf(" ORG $E000\nSIZE EQU FINISH-START\nSTART NOP\n NOP\nFINISH\n FDB SIZE"),
              (Bytes{1, 1, 0, 2}));
}

TEST(As11Directive, EndStopsTheSourceAndSetsTheStart) {
    const as11::Program p = as11::assembleProgram(" ORG $E000\nGO NOP\n END GO\n NOP\n bogus line here\n");
    EXPECT_TRUE(p.errors.empty()) << as11::formatErrors(p.errors);
    EXPECT_EQ(p.code, Bytes{1});
    EXPECT_EQ(p.entry, 0xE000);
    EXPECT_EQ(p.lines.size(), 5u); // the lines after END are still listed
}

TEST(As11Directive, OptAndPageAreIgnored) {
    EXPECT_EQ(codeOf(" OPT l\n PAGE\n NOP"), Bytes{1});
}

TEST(As11Directive, MnemonicsInAnyCaseLabelsWithColon) {
    EXPECT_EQ(codeOf("start: ldaa #1\n Bra start"), (Bytes{0x86, 1, 0x20, 0xFC}));
}

TEST(As11Directive, CommentForms) {
    EXPECT_EQ(codeOf("* star comment\n; semicolon comment\n NOP ; trailing\n NOP;glued\n\n   \n"),
              (Bytes{1, 1}));
    EXPECT_EQ(codeOf(" LDAA #';"), (Bytes{0x86, ';'}));
}

struct DirectiveError {
    const char* source;
    const char* error;
};

class As11DirectiveError : public testing::TestWithParam<DirectiveError> {};

TEST_P(As11DirectiveError, Reports) {
    EXPECT_EQ(as11test::errorText(GetParam().source), GetParam().error) << GetParam().source;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, As11DirectiveError,
    testing::Values(
        DirectiveError{" ORG LATER\nLATER EQU 5", "1: ORG address must be defined before this line"},
        DirectiveError{" ORG $10000", "1: ORG address $10000 out of range"},
        DirectiveError{" RMB N\nN EQU 1", "1: count must be defined before this line"},
        DirectiveError{" RMB -1", "1: count -$1 out of range ($0..$10000)"},
        DirectiveError{" FILL 1", "1: FILL needs a value and a count: FILL value,count"},
        DirectiveError{" FILL 256,1", "1: fill value $100 out of range (-$80..$FF)"},
        DirectiveError{" FCB 256", "1: byte value $100 out of range (-$80..$FF)"},
        DirectiveError{" FCB -129", "1: byte value -$81 out of range (-$80..$FF)"},
        DirectiveError{" FCB 1,", "1: missing expression"}, DirectiveError{" FCB", "1: missing operand"},
        DirectiveError{" FDB $10000", "1: word value $10000 out of range (-$8000..$FFFF)"},
        DirectiveError{" FCC /abc", "1: unterminated string (no closing /)"},
        DirectiveError{" EQU 5", "1: EQU needs a label"},
        DirectiveError{"A EQU 1\nA EQU 2", "2: duplicate label A (first defined on line 1)"},
        DirectiveError{" END $10000", "1: start address $10000 out of range ($0..$FFFF)"},
        DirectiveError{" ORG $FFFF\n FDB 1", "2: code beyond $FFFF (location counter $FFFF)"},
        DirectiveError{" ORG $E000\n NOP\n ORG $E000\n NOP", "4: overlaps code placed earlier at $E000"}));

} // namespace
