// Hostile input: long lines, binary garbage, circular definitions, deep
// nesting, many lines. Each gives errors or a clean result, never a crash.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Assembles and checks the outputs' shape: one numbered listing line per
// source line, well-formed listing and S-record lines.
as11::Output assembleChecked(const std::string& source) {
    const as11::Output out = as11::assemble(source);
    EXPECT_EQ(as11test::badListingLine(out.listing), "");
    EXPECT_GE(out.srecords.size(), 11u);
    EXPECT_EQ(out.srecords.substr(out.srecords.size() - 11, 3), "S90");
    return out;
}

TEST(As11Robustness, HundredThousandCharacterLines) {
    const std::string longName(100000, 'A');
    EXPECT_TRUE(assembleChecked(longName + " NOP\n LDAA " + longName + "\n").errors.empty());
    EXPECT_EQ(assembleChecked(" LDAA " + longName + "B\n").errors.size(), 1u);
    assembleChecked("* " + std::string(100000, 'x') + "\n");
    std::string sum = " FDB 0";
    while (sum.size() < 100000)
        sum += "+1";
    EXPECT_TRUE(assembleChecked(sum + "\n").errors.empty());
    std::string bytes = " FCB 1";
    while (bytes.size() < 100000)
        bytes += ",1"; // ~50,000 bytes: many continuation lines
    EXPECT_TRUE(assembleChecked(bytes + "\n").errors.empty());
    EXPECT_EQ(assembleChecked(" FCC /" + std::string(100000, 'z') + "/\n").errors.size(), 1u); // beyond $FFFF
}

TEST(As11Robustness, BinaryGarbage) {
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        std::string source(4096, '\0');
        for (char& c : source)
            c = static_cast<char>(random() & 0xFF);
        // Mostly printable, with line breaks, so more of it reaches the operand parsers.
        static constexpr char kAlphabet[] = "LDAA #$1,X;* 'FCB/\"()+-<>\n\t\0BSETRMB";
        if (round % 2)
            for (char& c : source)
                c = kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)];
        assembleChecked(source);
    }
}

TEST(As11Robustness, NulBytesAndCarriageReturns) {
    const char raw[] = "A\0B NOP\n NOP\0\n\r\r\n FCB 1\r\n\r";
    const std::string source(raw, sizeof raw - 1);
    const as11::Output out = assembleChecked(source);
    ASSERT_EQ(out.errors.size(), 2u);
    EXPECT_EQ(out.errors[0].message, "invalid label A?B");
    EXPECT_EQ(out.errors[1].message, "unknown mnemonic NOP?");
}

TEST(As11Robustness, CircularAndUnresolvableEqus) {
    EXPECT_EQ(as11test::errorText("A EQU B\nB EQU A\n LDAA A"),
              "1: circular definition of A\n2: circular definition of B\n3: unresolved symbol A");
    EXPECT_EQ(as11test::errorText("A EQU A+1"), "1: circular definition of A");
    EXPECT_EQ(as11test::errorText("X EQU A\nA EQU B\nB EQU A"),
              "1: value of X depends on circular definition of A\n2: circular definition of A\n"
              "3: circular definition of B");
    EXPECT_EQ(as11test::errorText("A EQU B\nB EQU C"),
              "1: value of A depends on undefined symbol C\n2: undefined symbol C");
    EXPECT_EQ(as11test::errorText("A EQU 1/B\nB EQU C-C\nC EQU 1"), "1: division by zero");
    EXPECT_EQ(as11test::errorText("D EQU A\nA EQU 1/B\nB EQU 0"),
              "1: value of D depends on A, which has an error\n2: division by zero");
    EXPECT_EQ(as11test::errorText("T EQU A+B+U\nA EQU 1\nB EQU A"), "1: undefined symbol U");
    EXPECT_EQ(as11test::errorText("T EQU A+B\nA EQU B\nB EQU C"),
              "1: value of T depends on undefined symbol C\n2: value of A depends on undefined symbol C\n"
              "3: undefined symbol C");
}

TEST(As11Robustness, LongForwardEquChainsResolve) {
    const int n = 20000;
    std::string source = " LDX #S0\n";
    for (int i = 0; i < n; ++i)
        source += "S" + std::to_string(i) + " EQU S" + std::to_string(i + 1) + "+1\n";
    source += "S" + std::to_string(n) + " EQU 0\n";
    const as11::Program p = as11::assembleProgram(source);
    EXPECT_TRUE(p.errors.empty());
    EXPECT_EQ(p.code, (as11test::Bytes{0xCE, n >> 8, n & 0xFF}));

    // One EQU summing names that get their values one after the other.
    const int terms = 3000;
    std::string sum = "TOTAL EQU A1";
    for (int i = 2; i <= terms; ++i)
        sum += "+A" + std::to_string(i);
    sum += "\n";
    for (int i = terms; i >= 2; --i)
        sum += "A" + std::to_string(i) + " EQU A" + std::to_string(i - 1) + "+1\n";
    sum += "A1 EQU 1\n";
    const as11::Program total = as11::assembleProgram(sum);
    EXPECT_TRUE(total.errors.empty());
    EXPECT_EQ(total.lines[0].address, terms * (terms + 1) / 2);
    EXPECT_EQ(total.lines[1].address, terms);

    std::string cycle;
    for (int i = 0; i < n; ++i)
        cycle += "C" + std::to_string(i) + " EQU C" + std::to_string((i + 1) % n) + "\n";
    EXPECT_EQ(as11::assembleProgram(cycle).errors.size(), static_cast<std::size_t>(n));
}

TEST(As11Robustness, DeepNestingAndLongUnaryChains) {
    EXPECT_EQ(as11test::errorText(" LDAA " + std::string(100000, '(') + "1"),
              "1: expression nested too deeply");
    EXPECT_EQ(as11test::codeOf(" LDAA #" + std::string(100000, '-') + "1"), (as11test::Bytes{0x86, 0x01}));
    EXPECT_EQ(as11test::errorText(" LDAA #" + std::string(1000, '9')),
              "1: number too large (more than 32 bits)");
}

TEST(As11Robustness, UnterminatedConstants) {
    EXPECT_EQ(as11test::errorText(" LDAA #'"), "1: missing character after '");
    EXPECT_EQ(as11test::errorText(" FCC \""), "1: unterminated string (no closing \")");
    EXPECT_EQ(as11test::errorText(" FCC"), "1: missing operand");
}

TEST(As11Robustness, ManyLines) {
    std::string source;
    for (int i = 0; i < 100000; ++i)
        source += (i % 3 == 0) ? " NOP\n" : (i % 3 == 1 ? "* c\n" : "L" + std::to_string(i) + "\n");
    const as11::Output out = assembleChecked(source);
    EXPECT_TRUE(out.errors.empty());
    // Beyond $FFFF: every extra line is an error, and there is no wrap-around.
    std::string tooMuch;
    for (int i = 0; i < 70000; ++i)
        tooMuch += " NOP\n";
    const as11::Program p = as11::assembleProgram(tooMuch);
    EXPECT_EQ(p.errors.size(), 70000u - 65536u);
    EXPECT_EQ(p.code.size(), 65536u);
}

TEST(As11Robustness, EmptyAndOddSources) {
    EXPECT_EQ(as11::assemble("").listing, "");
    EXPECT_EQ(as11::assemble("\n").listing, "0001\n");
    EXPECT_EQ(as11::assemble("\xEF\xBB\xBF NOP\n").listing,
              "0001 0000 01                NOP\n");                                 // byte order mark
    EXPECT_EQ(as11::assemble(" NOP").listing, "0001 0000 01                NOP\n"); // no final newline
}

} // namespace
