// The I/O board panel's conversions: each input format's accepted and refused
// entries, and each output format's texts.
#include <ostream>

#include <gtest/gtest.h>

#include "views/IoUnitFormats.h"

namespace quorvel {
namespace {

struct EntryCase {
    const char* Format;
    const char* Entry;
    const char* Binary; // "error" when refused
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.Format << " \"" << c.Entry << '"';
}

class InputEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(InputEntry, BecomesBinaryOrError) {
    const EntryCase& c = GetParam();
    EXPECT_EQ(InputToBinary(QString::fromLatin1(c.Format), QString::fromLatin1(c.Entry)),
              QString::fromLatin1(c.Binary));
}

INSTANTIATE_TEST_SUITE_P(
    Signed, InputEntry,
    ::testing::Values(EntryCase{"Signed", "-1", "11111111"}, EntryCase{"Signed", "127", "01111111"},
                      EntryCase{"Signed", "-128", "10000000"}, EntryCase{"Signed", "128", "error"},
                      EntryCase{"Signed", "-129", "error"}, EntryCase{"Signed", "0", "00000000"},
                      EntryCase{"Signed", "007", "00000111"}, EntryCase{"Signed", "-0001", "11111111"},
                      EntryCase{"Signed", " 5 ", "00000101"}, EntryCase{"Signed", "abc", "error"},
                      EntryCase{"Signed", "-0", "error"}, EntryCase{"Signed", "-", "error"},
                      EntryCase{"Signed", "00000", "00000000"}, EntryCase{"Signed", "12345", "error"},
                      // Only whole numbers: trailing letters, inner blanks or fractions are refused.
                      EntryCase{"Signed", "12abc", "error"}, EntryCase{"Signed", "1 2", "error"},
                      EntryCase{"Signed", "1e2", "error"}, EntryCase{"Signed", "12.5", "error"},
                      EntryCase{"Signed", "--5", "error"}, EntryCase{"Signed", "+5", "00000101"},
                      // An empty entry is no value (it must not enter 0).
                      EntryCase{"Signed", "", "error"}, EntryCase{"Signed", "   ", "error"}));

INSTANTIATE_TEST_SUITE_P(
    Unsigned, InputEntry,
    ::testing::Values(EntryCase{"Unsigned", "255", "11111111"}, EntryCase{"Unsigned", "256", "error"},
                      EntryCase{"Unsigned", "-1", "error"}, EntryCase{"Unsigned", "128", "10000000"},
                      EntryCase{"Unsigned", "0255", "11111111"}, EntryCase{"Unsigned", "", "error"}));

INSTANTIATE_TEST_SUITE_P(
    Hex, InputEntry,
    ::testing::Values(EntryCase{"Hex", "a", "00001010"}, EntryCase{"Hex", "FF", "11111111"},
                      EntryCase{"Hex", "1G", "error"}, EntryCase{"Hex", "100", "error"},
                      EntryCase{"Hex", "000F", "00001111"}, EntryCase{"Hex", " 3c ", "00111100"},
                      EntryCase{"Hex", "0", "00000000"}, EntryCase{"Hex", "$0A", "error"},
                      EntryCase{"Hex", "-1", "error"}, EntryCase{"Hex", "", "error"}));

INSTANTIATE_TEST_SUITE_P(
    Binary, InputEntry,
    ::testing::Values(EntryCase{"Binary", "101", "00000101"}, EntryCase{"Binary", "102", "error"},
                      EntryCase{"Binary", "11111111", "11111111"}, EntryCase{"Binary", "111111111", "error"},
                      EntryCase{"Binary", "000011111111", "11111111"}, EntryCase{"Binary", "0", "00000000"},
                      EntryCase{"Binary", "", "error"}));

struct OutputCase {
    const char* Format;
    int Byte;
    const char* Shown;
};

void PrintTo(const OutputCase& c, std::ostream* os) {
    *os << c.Format << ' ' << c.Byte;
}

class OutputText : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputText, ShowsTheByte) {
    const OutputCase& c = GetParam();
    EXPECT_EQ(BinaryToOutput(QString::fromLatin1(c.Format), BinaryText(static_cast<uint8_t>(c.Byte))),
              QString::fromLatin1(c.Shown));
}

INSTANTIATE_TEST_SUITE_P(Formats, OutputText,
                         ::testing::Values(OutputCase{"BCD", 0x9A, "error"}, OutputCase{"BCD", 0x42, "42"},
                                           OutputCase{"BCD", 0x09, "09"}, OutputCase{"BCD", 0x99, "99"},
                                           OutputCase{"BCD", 0xA0, "error"}, OutputCase{"Signed", 0xFF, "-1"},
                                           OutputCase{"Signed", 0x80, "-128"},
                                           OutputCase{"Signed", 0x7F, "127"},
                                           OutputCase{"Unsigned", 0xFF, "255"},
                                           OutputCase{"Unsigned", 0x00, "0"}, OutputCase{"Hex", 0x0A, "0A"},
                                           OutputCase{"Hex", 0xC3, "C3"}));

TEST(IoUnitFormats, InputFormatsShowTheBinaryText) {
    EXPECT_EQ(BinaryToInput("Signed", "11111111"), "-1");
    EXPECT_EQ(BinaryToInput("Unsigned", "11111111"), "255");
    EXPECT_EQ(BinaryToInput("Hex", "00001010"), "0A");
    EXPECT_EQ(BinaryToInput("Binary", "00000101"), "00000101");
}

TEST(IoUnitFormats, RemoveLeadingZeroes) {
    EXPECT_EQ(removeLeadingZeroes("000"), "0");
    EXPECT_EQ(removeLeadingZeroes(""), "0");
    EXPECT_EQ(removeLeadingZeroes("0070"), "70");
    EXPECT_EQ(removeLeadingZeroes("-07"), "-07");
}

TEST(IoUnitFormats, BinaryTextAndValue) {
    for (int v = 0; v < 256; ++v) {
        const QString text = BinaryText(static_cast<uint8_t>(v));
        ASSERT_EQ(text.size(), 8);
        EXPECT_EQ(BinaryValue(text), v);
        EXPECT_EQ(fromInt(toInt(text, IntKind::Unsigned), IntKind::Unsigned), text);
        EXPECT_EQ(fromInt(toInt(text, IntKind::Signed), IntKind::Signed), text);
        EXPECT_EQ(fromHex(toHex(text)), text);
    }
    EXPECT_EQ(BinaryValue("0101"), std::nullopt);
    EXPECT_EQ(BinaryValue("0000000x"), std::nullopt);
    EXPECT_EQ(toBCD("error"), "error");
}

} // namespace
} // namespace quorvel
