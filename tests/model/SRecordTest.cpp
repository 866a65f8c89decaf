// S1 record parsing: count, address, data and the one's-complement checksum,
// with lower-case digits skipped and short or garbled lines refused.
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "target/SRecord.h"

namespace quorvel {
namespace {

struct RecordCase {
    const char* name;
    const char* line;
    bool valid;
    uint16_t address = 0;
    std::vector<uint8_t> data{};
};

void PrintTo(const RecordCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseS1 : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ParseS1, ParsesOrRefuses) {
    const RecordCase& c = GetParam();
    const std::optional<SRecord> record = ParseS1Record(QString::fromLatin1(c.line));
    ASSERT_EQ(record.has_value(), c.valid);
    if (!record) return;
    EXPECT_EQ(record->address, c.address);
    EXPECT_EQ(record->data, c.data);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, ParseS1, ::testing::Values(
    RecordCase{"sixteen bytes at 0000", "S1130000000102030405060708090A0B0C0D0E0F74", true, 0x0000,
               {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    RecordCase{"one byte", "S104E0008695", true, 0xE000, {0x86}},
    RecordCase{"code at E000", "S106E00086413919", true, 0xE000, {0x86, 0x41, 0x39}},
    RecordCase{"reset vector", "S105FFFEE0001D", true, 0xFFFE, {0xE0, 0x00}},
    RecordCase{"no data", "S1031234B6", true, 0x1234, {}},
    RecordCase{"carriage return", "S104E0008695\r", true, 0xE000, {0x86}},
    RecordCase{"trailing text", "S104E0008695 junk", true, 0xE000, {0x86}},
    RecordCase{"bad checksum", "S104E0008694", false},
    RecordCase{"lower case digits", "S106e00086413919", false},
    RecordCase{"lower case count", "S10ae00086413919", false},
    RecordCase{"truncated data", "S106E0008641", false},
    RecordCase{"truncated checksum", "S106E0008641391", false},
    RecordCase{"count too small", "S102E000", false},
    RecordCase{"count zero", "S100FF", false},
    RecordCase{"type only", "S1", false},
    RecordCase{"count only", "S113", false},
    RecordCase{"empty", "", false},
    RecordCase{"S0 header", "S00600004844521B", false},
    RecordCase{"S9 end", "S9030000FC", false},
    RecordCase{"lower-case type", "s104E00086F5", false},
    RecordCase{"leading blank", " S104E0008695", false},
    RecordCase{"count FF, line short", "S1FF0000", false}));
// clang-format on

TEST(ParseS1, LongestRecord) {
    // Count $FF: address, 252 data bytes and the checksum.
    QString line = QStringLiteral("S1FF1000");
    unsigned sum = 0xFF + 0x10 + 0x00;
    for (int i = 0; i < 252; ++i) {
        line += QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0')).toUpper();
        sum += static_cast<unsigned>(i);
    }
    line += QStringLiteral("%1").arg((0xFF - (sum & 0xFF)) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    const auto record = ParseS1Record(line);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->address, 0x1000);
    ASSERT_EQ(record->data.size(), 252u);
    EXPECT_EQ(record->data[251], 251);
    line.chop(1);
    EXPECT_FALSE(ParseS1Record(line).has_value());
}

} // namespace
} // namespace quorvel
