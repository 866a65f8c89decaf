// Number forms, operators, the location counter and arithmetic errors.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The value of `expr` through an EQU (the listing address holds all 32 bits).
int32_t valueOf(const std::string& expr, const std::string& before = "") {
    const as11::Program p = as11::assembleProgram(before + "V EQU " + expr + "\n");
    EXPECT_TRUE(p.errors.empty()) << expr << ": " << as11::formatErrors(p.errors);
    return p.lines.back().address;
}

std::string errorOf(const std::string& expr) {
    return as11test::errorText("V EQU " + expr + "\n");
}

struct ValueCase {
    const char* expr;
    int32_t value;
};

class As11Expression : public testing::TestWithParam<ValueCase> {};

TEST_P(As11Expression, Evaluates) {
    EXPECT_EQ(valueOf(GetParam().expr), GetParam().value) << GetParam().expr;
}

INSTANTIATE_TEST_SUITE_P(Values, As11Expression,
                         testing::Values(ValueCase{"$1F", 0x1F}, ValueCase{"$1f", 0x1F},
                                         ValueCase{"$FFFF", 0xFFFF}, ValueCase{"%1010", 10},
                                         ValueCase{"@17", 15}, ValueCase{"123", 123}, ValueCase{"0123", 123},
                                         ValueCase{"'A", 'A'}, ValueCase{"'A'", 'A'}, ValueCase{"''", '\''},
                                         ValueCase{"'a+1", 'a' + 1}, ValueCase{"1+2*3", 7},
                                         ValueCase{"(1+2)*3", 9}, ValueCase{"2-3-4", -5},
                                         ValueCase{"100/10/5", 2}, ValueCase{"10/3", 3},
                                         ValueCase{"-7/2", -3}, ValueCase{"-5", -5}, ValueCase{"--5", 5},
                                         ValueCase{"-(2+3)*2", -10}, ValueCase{"+4", 4},
                                         ValueCase{"2*-3", -6}, ValueCase{"$7FFFFFFF", 2147483647},
                                         ValueCase{"$FFFFFFFF", -1}, ValueCase{"-2147483647-1", INT32_MIN},
                                         ValueCase{"((((1))))", 1}, ValueCase{"$10 this is a comment", 16}));

TEST(As11Expression, LocationCounter) {
    EXPECT_EQ(valueOf("*", " ORG $E000\n"), 0xE000);
    EXPECT_EQ(valueOf("*+2", " ORG $E000\n"), 0xE002);
    EXPECT_EQ(valueOf("**2", " ORG $100\n"), 0x200); // location counter times two
    EXPECT_EQ(valueOf("*", " ORG $E000\n NOP\n FCB 1,2\n"), 0xE003);
}

TEST(As11Expression, SymbolsAreCaseSensitive) {
    EXPECT_EQ(valueOf("Abc+abc", "Abc EQU 1\nabc EQU 2\n"), 3);
    EXPECT_EQ(errorOf("ABC"), "1: undefined symbol ABC");
}

TEST(As11Expression, NestingUpToTheLimit) {
    const int depth = 64;
    EXPECT_EQ(valueOf(std::string(depth, '(') + "7" + std::string(depth, ')')), 7);
    EXPECT_EQ(errorOf(std::string(depth + 1, '(') + "7" + std::string(depth + 1, ')')),
              "1: expression nested too deeply");
}

struct ErrorCase {
    const char* expr;
    const char* error;
};

class As11ExpressionError : public testing::TestWithParam<ErrorCase> {};

TEST_P(As11ExpressionError, Reports) {
    EXPECT_EQ(errorOf(GetParam().expr), GetParam().error) << GetParam().expr;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, As11ExpressionError,
    testing::Values(ErrorCase{"1/0", "1: division by zero"}, ErrorCase{"5/(3-3)", "1: division by zero"},
                    ErrorCase{"$", "1: invalid number"}, ErrorCase{"$1G", "1: invalid number"},
                    ErrorCase{"12AB", "1: invalid number"}, ErrorCase{"%102", "1: invalid number"},
                    ErrorCase{"@8", "1: invalid number"},
                    ErrorCase{"4294967296", "1: number too large (more than 32 bits)"},
                    ErrorCase{"$100000000", "1: number too large (more than 32 bits)"},
                    ErrorCase{"2147483647+1", "1: arithmetic overflow (beyond 32 bits)"},
                    ErrorCase{"65536*65536", "1: arithmetic overflow (beyond 32 bits)"},
                    ErrorCase{"-2147483647-2", "1: arithmetic overflow (beyond 32 bits)"},
                    ErrorCase{"(-2147483647-1)/-1", "1: arithmetic overflow (beyond 32 bits)"},
                    ErrorCase{"-(-2147483647-1)", "1: arithmetic overflow (beyond 32 bits)"},
                    ErrorCase{"(1", "1: missing ')'"}, ErrorCase{"1+", "1: missing expression"},
                    ErrorCase{"'", "1: missing character after '"},
                    ErrorCase{"1)", "1: unexpected character ')' after operand"},
                    ErrorCase{"#1", "1: unexpected character '#' in expression"},
                    ErrorCase{"1+&", "1: unexpected character '&' in expression"}));

} // namespace
