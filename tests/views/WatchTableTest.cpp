// The watch table: the 32-watch limit, edits and removals, the row texts,
// reading and writing the target, and the ties to labels across listings.
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../codetools/ListingText.h"
#include "codetools/ListingParser.h"
#include "target/TargetAccess.h"
#include "views/WatchTable.h"

namespace quorvel::test {
namespace {

// A target over a sparse memory map that records every access and can be
// told to fail from a given read on, like a board that stops answering.
class RecordingTarget : public TargetAccess {
public:
    explicit RecordingTarget(TargetState& state) : TargetAccess(state) {}

    std::map<int32_t, uint8_t> memory;
    std::vector<int32_t> reads; // the first address of each read
    std::vector<std::pair<int32_t, std::vector<uint8_t>>> writes;
    int failFromRead = -1; // index of the first read that fails; -1: none

    void FindBoard() override { state_.BoardOK = true; }
    void BoardStatus() override {}
    void InByte(int32_t address, uint8_t& value) override {
        if (!Begin(address)) return;
        value = Byte(address);
    }
    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override {
        if (!Begin(address)) return;
        bytes.clear();
        for (int i = 0; i < count; ++i)
            bytes.push_back(Byte((address + i) & 0xFFFF));
    }
    void InCPU() override {}
    void InMemory() override {}
    void InProgram() override {}
    void InStack() override {}
    void InResetVector(int32_t&) override {}
    void OutByte(int32_t address, uint8_t value) override { writes.push_back({address, {value}}); }
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override {
        writes.push_back({address, std::vector<uint8_t>(bytes.begin(), bytes.end())});
    }
    void FlashErase() override {}
    void Programm(int32_t, std::span<const uint8_t>) override {}
    void StepTarget(const std::array<uint8_t, 5>&, StepWait) override {}

private:
    bool Begin(int32_t address) {
        const int index = static_cast<int>(reads.size());
        reads.push_back(address);
        state_.BoardOK = failFromRead < 0 || index < failFromRead;
        return state_.BoardOK;
    }
    uint8_t Byte(int32_t address) const {
        const auto it = memory.find(address);
        return it == memory.end() ? 0 : it->second;
    }
};

SymbolTable Symbols(const QStringList& lines) {
    return ParseListing(ListingFile(lines));
}

const QStringList kListing = {ListingLineText(1, 0xC000, {0x86, 0x41}, "START    LDAA #$41"),
                              ListingLineText(2, 0x0040, {}, "COUNT    EQU $40"),
                              ListingLineText(3, 0xC002, {0x01}, "loop     NOP")};

TEST(WatchTable, TheTableHoldsAtMost32Watches) {
    WatchTable watches;
    for (int i = 0; i < kMaxWatches; ++i)
        ASSERT_TRUE(watches.Add(i, QString(), false));
    EXPECT_TRUE(watches.Full());
    EXPECT_FALSE(watches.Add(0x1234, QStringLiteral("START"), true));
    EXPECT_EQ(watches.WatchCount(), kMaxWatches);
    EXPECT_EQ(watches.At(kMaxWatches - 1).WatchAddress, kMaxWatches - 1);
}

TEST(WatchTable, ANewWatchIsShownInHexadecimal) {
    WatchTable watches;
    watches.Add(0xC000, QStringLiteral("START"), true);
    watches.Add(0x0040, QString(), false);
    EXPECT_EQ(watches.At(0).WatchFormat, "$");
    EXPECT_TRUE(watches.At(0).WatchNamed);
    EXPECT_EQ(watches.LabelText(0), "START");
    EXPECT_EQ(watches.AddressText(0), "$C000");
    EXPECT_EQ(watches.ValueText(0), "$0000");
    EXPECT_FALSE(watches.At(1).WatchNamed);
    EXPECT_EQ(watches.LabelText(1), "$0040");
    EXPECT_EQ(watches.ValueText(1), "$00");
}

struct ValueCase {
    const char* Format;
    bool Wide;
    int32_t Value;
    const char* Text;
};

class WatchValueText : public ::testing::TestWithParam<ValueCase> {};

TEST_P(WatchValueText, FormatsTheValueBySizeAndFormat) {
    const ValueCase& c = GetParam();
    WatchTable watches;
    watches.Add(0x0040, QString(), c.Wide);
    watches.SetFormat(0, QString::fromLatin1(c.Format));
    TargetState state;
    RecordingTarget target(state);
    target.memory = {{0x0040, static_cast<uint8_t>(c.Wide ? c.Value >> 8 : c.Value)},
                     {0x0041, static_cast<uint8_t>(c.Value & 0xFF)}};
    ASSERT_TRUE(watches.ReadValues(target));
    EXPECT_EQ(watches.At(0).WatchValue, c.Value);
    EXPECT_EQ(watches.ValueText(0), QString::fromLatin1(c.Text));
}

INSTANTIATE_TEST_SUITE_P(Formats, WatchValueText,
                         ::testing::Values(ValueCase{"$", false, 0x05, "$05"},
                                           ValueCase{"%", false, 0x05, "%00000101"},
                                           ValueCase{" ", false, 0xFF, "255"},
                                           ValueCase{"$", true, 0x1234, "$1234"},
                                           ValueCase{"%", true, 0x8001, "%1000000000000001"},
                                           ValueCase{" ", true, 0xFFFF, "65535"}));

TEST(WatchTable, AWordIsReadHighByteFirstAcrossAPageBoundary) {
    TargetState state;
    RecordingTarget target(state);
    target.memory = {{0x00FF, 0x12}, {0x0100, 0x34}, {0xFFFF, 0xAB}, {0x0000, 0xCD}};
    WatchTable watches;
    watches.Add(0x00FF, QString(), true);
    watches.Add(0xFFFF, QString(), true);
    watches.Add(0x0100, QString(), false);
    ASSERT_TRUE(watches.ReadValues(target));
    EXPECT_EQ(watches.At(0).WatchValue, 0x1234);
    EXPECT_EQ(watches.At(1).WatchValue, 0xABCD) << "the word at $FFFF ends at $0000";
    EXPECT_EQ(watches.At(2).WatchValue, 0x34);
    EXPECT_EQ(target.reads, (std::vector<int32_t>{0x00FF, 0xFFFF, 0x0100}));
}

TEST(WatchTable, AFailedReadStopsTheRefreshAndKeepsTheOtherValues) {
    TargetState state;
    RecordingTarget target(state);
    target.memory = {{0x0010, 1}, {0x0011, 2}, {0x0012, 3}};
    WatchTable watches;
    for (int32_t address : {0x0010, 0x0011, 0x0012})
        watches.Add(address, QString(), false);
    ASSERT_TRUE(watches.ReadValues(target));
    target.memory = {{0x0010, 9}, {0x0011, 9}, {0x0012, 9}};
    target.reads.clear();
    target.failFromRead = 1;
    EXPECT_FALSE(watches.ReadValues(target));
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(target.reads.size(), 2U) << "no read after the failed one";
    EXPECT_EQ(watches.At(0).WatchValue, 9);
    EXPECT_EQ(watches.At(1).WatchValue, 2);
    EXPECT_EQ(watches.At(2).WatchValue, 3);
}

TEST(WatchTable, AFailedWordReadLeavesTheValue) {
    TargetState state;
    RecordingTarget target(state);
    WatchTable watches;
    watches.Add(0x0020, QString(), true);
    target.memory = {{0x0020, 0x12}, {0x0021, 0x34}};
    ASSERT_TRUE(watches.ReadValues(target));
    target.failFromRead = 1;
    EXPECT_FALSE(watches.ReadValues(target));
    EXPECT_EQ(watches.At(0).WatchValue, 0x1234);
}

TEST(WatchTable, WritesAWordHighFirstAndAByteAsItsLowByte) {
    TargetState state;
    RecordingTarget target(state);
    WatchTable watches;
    watches.Add(0x0040, QString(), true);
    watches.Add(0x0050, QString(), false);
    watches.WriteValue(target, 0, 256);
    watches.WriteValue(target, 1, 0x7F);
    watches.WriteValue(target, 2, 1); // no such watch
    ASSERT_EQ(target.writes.size(), 2U);
    EXPECT_EQ(target.writes[0], (std::pair<int32_t, std::vector<uint8_t>>{0x0040, {0x01, 0x00}}));
    EXPECT_EQ(target.writes[1], (std::pair<int32_t, std::vector<uint8_t>>{0x0050, {0x7F}}));
}

TEST(WatchTable, EditKeepsFormatAndValueAndRemoveMovesTheRestUp) {
    TargetState state;
    RecordingTarget target(state);
    target.memory = {{0x0001, 0x11}, {0x0002, 0x22}, {0x0003, 0x33}};
    WatchTable watches;
    watches.Add(0x0001, QStringLiteral("ONE"), false);
    watches.Add(0x0002, QString(), false);
    watches.Add(0x0003, QString(), false);
    ASSERT_TRUE(watches.ReadValues(target));
    watches.SetFormat(0, u"%");

    watches.Edit(0, 0x0009, QString(), true);
    EXPECT_FALSE(watches.At(0).WatchNamed) << "a numeric address unties the label";
    EXPECT_EQ(watches.LabelText(0), "$0009");
    EXPECT_TRUE(watches.At(0).WatchWide);
    EXPECT_EQ(watches.At(0).WatchFormat, "%");
    EXPECT_EQ(watches.At(0).WatchValue, 0x11);

    watches.SetFormat(2, u" ");
    watches.Remove(1);
    ASSERT_EQ(watches.WatchCount(), 2);
    EXPECT_EQ(watches.At(1).WatchAddress, 0x0003);
    EXPECT_EQ(watches.At(1).WatchValue, 0x33);
    EXPECT_EQ(watches.At(1).WatchFormat, " ");
    watches.Remove(5);
    watches.Remove(-1);
    EXPECT_EQ(watches.WatchCount(), 2);
}

struct AddressCase {
    const char* Text;
    int32_t Address;
    const char* Name;
};

class WatchAddressText : public ::testing::TestWithParam<AddressCase> {};

TEST_P(WatchAddressText, ANumberFirstThenALabel) {
    const AddressCase& c = GetParam();
    const SymbolTable symbols = Symbols(kListing);
    QString name = QStringLiteral("stale");
    EXPECT_EQ(WatchAddressOf(QString::fromLatin1(c.Text), symbols, name), c.Address);
    EXPECT_EQ(name, QString::fromLatin1(c.Name));
}

INSTANTIATE_TEST_SUITE_P(Texts, WatchAddressText,
                         ::testing::Values(AddressCase{"start", 0xC000, "START"},
                                           AddressCase{"START", 0xC000, "START"},
                                           AddressCase{"$C000", 0xC000, ""}, AddressCase{"49152", 0xC000, ""},
                                           AddressCase{"%101", 5, ""}, AddressCase{"@17", 15, ""},
                                           AddressCase{"count", 0x0040, "COUNT"},
                                           // Lower-case labels cannot be found by name.
                                           AddressCase{"loop", -1, ""}, AddressCase{"$10000", -1, ""},
                                           AddressCase{"65536", -1, ""}, AddressCase{"nowhere", -1, ""}));

TEST(WatchTable, ANewListingUntiesOnlyTheWatchesWhoseLabelMoved) {
    WatchTable watches;
    watches.Add(0xC000, QStringLiteral("START"), false);
    watches.Add(0x0040, QStringLiteral("COUNT"), true);
    watches.Add(0x0040, QString(), false);
    watches.SetFormat(0, u"%");

    // START moves to $C010, COUNT stays.
    const SymbolTable moved = Symbols({ListingLineText(1, 0xC010, {0x86, 0x41}, "START    LDAA #$41"),
                                       ListingLineText(2, 0x0040, {}, "COUNT    EQU $40")});
    EXPECT_TRUE(watches.UntieMovedLabels(moved));
    EXPECT_FALSE(watches.At(0).WatchNamed);
    EXPECT_EQ(watches.At(0).WatchAddress, 0xC000) << "the address does not follow the label";
    EXPECT_EQ(watches.LabelText(0), "$C000");
    EXPECT_EQ(watches.At(0).WatchFormat, "%");
    EXPECT_TRUE(watches.At(1).WatchNamed);
    EXPECT_EQ(watches.LabelText(1), "COUNT");
    EXPECT_FALSE(watches.UntieMovedLabels(moved)) << "nothing left to untie";

    // A listing without the label unties it too.
    EXPECT_TRUE(watches.UntieMovedLabels(SymbolTable()));
    EXPECT_EQ(watches.LabelText(1), "$0040");
}

} // namespace
} // namespace quorvel::test
