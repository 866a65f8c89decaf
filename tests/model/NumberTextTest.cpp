// Number and text helpers: parsing and formatting of 68HC11 number texts,
// the protocol checksum, tab expansion and file-name splitting.
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "frame/NumberText.h"

namespace quorvel {
namespace {

struct ParseCase {
    const char* text;
    bool wide;
    int32_t expected;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, GivesValueOrMinusOne) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseNumber(QString::fromUtf8(c.text), c.wide), c.expected) << '"' << c.text << '"';
}

const std::string kBinaryOne = "%" + std::string(15, '0') + "1";
const std::string kLongBinary = "%1" + std::string(40, '0');
const std::string kLongZeroBinary = "%" + std::string(60, '0') + "101";

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberTest,
    ::testing::Values(
        // decimal
        ParseCase{"255", false, 255}, ParseCase{"256", false, -1}, ParseCase{"256", true, 256},
        ParseCase{"123456", true, -1}, ParseCase{"65535", true, 65535}, ParseCase{"65536", true, -1},
        ParseCase{"00042", false, 42}, ParseCase{"12a", true, -1}, ParseCase{"0", false, 0},
        // hexadecimal
        ParseCase{"$ff", false, 255}, ParseCase{"$FF", false, 255}, ParseCase{"$1aB", true, 0x1AB},
        ParseCase{"$12345", true, -1}, ParseCase{"$", true, -1}, ParseCase{"$100", false, -1},
        ParseCase{"$FFFF", true, 65535}, ParseCase{"$G1", true, -1}, ParseCase{"$ 1", true, -1},
        // binary
        ParseCase{"%101", false, 5}, ParseCase{"%102", false, -1}, ParseCase{"%111111111", false, -1},
        ParseCase{kBinaryOne.c_str(), true, 1}, ParseCase{"%", true, -1},
        ParseCase{kLongBinary.c_str(), true, -1}, ParseCase{kLongZeroBinary.c_str(), false, 5},
        // octal
        ParseCase{"@777", true, 511}, ParseCase{"@8", true, -1}, ParseCase{"@1234567", true, -1},
        ParseCase{"@377", false, 255}, ParseCase{"@400", false, -1}, ParseCase{"@", true, -1},
        ParseCase{"@177777", true, 65535},
        // anything else
        ParseCase{" 12", true, -1}, ParseCase{"-1", true, -1}, ParseCase{"", true, -1},
        ParseCase{"12 ", true, -1}, ParseCase{"x12", true, -1}, ParseCase{"+5", true, -1},
        ParseCase{"\xd9\xa3", true, -1} /* Arabic-Indic digit three */));

struct FormatCase {
    int32_t value;
    const char* code;
    bool wide;
    const char* expected;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, FormatsByCode) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, QString::fromLatin1(c.code), c.wide), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FormatNumberTest,
    ::testing::Values(FormatCase{10, "$", false, "$0A"}, FormatCase{10, "$", true, "$000A"},
                      FormatCase{300, "$", false, "$12C"}, FormatCase{5, "%", false, "%00000101"},
                      FormatCase{0, "%", true, "%0000000000000000"}, FormatCase{5, " ", false, "5"},
                      FormatCase{5, "x", false, ""}, FormatCase{5, "", false, ""},
                      FormatCase{5, "$$", false, ""}, FormatCase{65535, " ", true, "65535"},
                      FormatCase{300, "%", false, "%100101100"}, FormatCase{255, "$", true, "$00FF"},
                      FormatCase{-1, "$", true, "$FFFFFFFF"},
                      FormatCase{-1, "%", false, "%11111111111111111111111111111111"}));

struct HexPadCase {
    int32_t value;
    int16_t width;
    const char* expected;
};

class HexPadTest : public ::testing::TestWithParam<HexPadCase> {};

TEST_P(HexPadTest, PadsButNeverTruncates) {
    const HexPadCase& c = GetParam();
    EXPECT_EQ(HexPad(c.value, c.width), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Values, HexPadTest,
                         ::testing::Values(HexPadCase{255, 4, "00FF"}, HexPadCase{74565, 2, "12345"},
                                           HexPadCase{0, 2, "00"}, HexPadCase{0, 0, "0"},
                                           HexPadCase{10, 1, "A"}, HexPadCase{-1, 2, "FFFFFFFF"},
                                           HexPadCase{-2, 10, "00FFFFFFFE"}, HexPadCase{171, -3, "AB"}));

struct HexToLongCase {
    const char* text;
    int32_t expected;
};

class HexToLongTest : public ::testing::TestWithParam<HexToLongCase> {};

TEST_P(HexToLongTest, ReadsUpperCaseDigitsOnly) {
    const HexToLongCase& c = GetParam();
    EXPECT_EQ(HexToLong(QString::fromLatin1(c.text)), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, HexToLongTest,
                         ::testing::Values(HexToLongCase{"$1A", 26}, HexToLongCase{"1a", 1},
                                           HexToLongCase{"", 0}, HexToLongCase{"xyz", 0},
                                           HexToLongCase{"7FFFFFFF", std::numeric_limits<int32_t>::max()},
                                           // Past 32 bits the low 32 bits are kept (two's complement).
                                           HexToLongCase{"FFFFFFFF", -1},
                                           HexToLongCase{"80000000", std::numeric_limits<int32_t>::min()},
                                           HexToLongCase{"123456789", 0x23456789},
                                           HexToLongCase{"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", -1}));

TEST(HexToLong, InvertsHexPadOfNegativeValues) {
    for (const int32_t value : {-1, -2, -65536, std::numeric_limits<int32_t>::min()})
        EXPECT_EQ(HexToLong(HexPad(value, 8)), value);
}

struct TabCase {
    const char* text;
    const char* expected;
};

class ExpandTabsTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(ExpandTabsTest, StopsEveryNineColumns) {
    const TabCase& c = GetParam();
    EXPECT_EQ(ExpandTabs(QString::fromLatin1(c.text)), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExpandTabsTest,
    ::testing::Values(TabCase{"AB\tC", "AB       C"}, TabCase{"\tX", "         X"},
                      TabCase{"no tabs", "no tabs"}, TabCase{"", ""}, TabCase{"12345678\tY", "12345678 Y"},
                      TabCase{"123456789\tY", "123456789         Y"}, TabCase{"\t\t", "                  "},
                      TabCase{"A\tB\tC", "A        B        C"},
                      // each line starts at column 0
                      TabCase{"AB\n\tX", "AB\n         X"}, TabCase{"AB\r\n\tX", "AB\r\n         X"}));

struct SplitCase {
    const char* path;
    const char* name;
    const char* ext;
};

class SplitFileNameTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFileNameTest, SplitsAtTheLastDot) {
    const SplitCase& c = GetParam();
    QString name = QStringLiteral("old");
    QString ext = QStringLiteral("old");
    SplitFileName(QString::fromLatin1(c.path), name, ext);
    EXPECT_EQ(name, QString::fromLatin1(c.name));
    EXPECT_EQ(ext, QString::fromLatin1(c.ext));
}

INSTANTIATE_TEST_SUITE_P(Paths, SplitFileNameTest,
                         ::testing::Values(SplitCase{"C:\\prog.old\\test.asm", "C:\\prog.old\\test", "asm"},
                                           SplitCase{"C:\\dir.x\\test", "C:\\dir", "x\\test"},
                                           SplitCase{"/home/u/prog.s19", "/home/u/prog", "s19"},
                                           SplitCase{"noext", "noext", ""},
                                           SplitCase{"trailing.", "trailing", ""},
                                           SplitCase{".hidden", "", "hidden"}, SplitCase{"", "", ""}));

TEST(CheckSum, AddsElementsOneToCountModulo256) {
    const std::array<uint8_t, 4> frame{0x52, 0xFF, 0x01, 0x10};
    EXPECT_EQ(CheckSum(frame, 3), 0x10);
    EXPECT_EQ(CheckSum(frame, 1), 0xFF);
    EXPECT_EQ(CheckSum(frame, 0), 0);
    EXPECT_EQ(CheckSum(frame, -5), 0);
}

TEST(CheckSum, ElementZeroNeverCounts) {
    const std::array<uint8_t, 3> frame{0xAA, 0x01, 0x02};
    EXPECT_EQ(CheckSum(frame, 2), 0x03);
}

TEST(CheckSum, BoardReadCommandAddsUpToZero) {
    // "R", $10, $00, $01 and the check byte $EF.
    const std::array<uint8_t, 5> command{'R', 0x10, 0x00, 0x01, 0xEF};
    EXPECT_EQ(CheckSum(command, 4), 0x00);
    EXPECT_EQ((256 - CheckSum(command, 3)) % 256, 0xEF);
}

TEST(CheckSum, CountBeyondTheArrayStopsAtItsEnd) {
    const std::array<uint8_t, 3> frame{0x00, 0x10, 0x20};
    EXPECT_EQ(CheckSum(frame, 300), 0x30);
    EXPECT_EQ(CheckSum(std::span<const uint8_t>{}, 3), 0);
    const std::vector<uint8_t> many(300, 1);
    EXPECT_EQ(CheckSum(many, 299), 299 % 256);
}

} // namespace
} // namespace quorvel
