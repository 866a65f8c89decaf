// The labels window's list: label and value, in listing order or sorted.
#include <gtest/gtest.h>

#include "ListingText.h"
#include "codetools/LabelList.h"
#include "codetools/ListingParser.h"

namespace quorvel::test {
namespace {

SymbolTable Sample() {
    return ParseListing(ListingFile({ListingLineText(1, 0xE010, {0x01}, "beta     NOP"),
                                     ListingLineText(2, 0xE000, {0x01}, "Alpha    NOP"),
                                     ListingLineText(3, 0xE020, {0x01}, "         NOP"),
                                     ListingLineText(4, 0x0040, {}, "ZETA     EQU $40"),
                                     ListingLineText(5, 0xE000, {0x01}, "GAMMA    NOP")}));
}

QStringList Names(const std::vector<LabelItem>& items) {
    QStringList names;
    for (const LabelItem& item : items)
        names << item.Label.toString();
    return names;
}

TEST(LabelListTest, UnsortedIsListingOrderOfLabelledLines) {
    const SymbolTable table = Sample();
    EXPECT_EQ(Names(LabelItems(table, kUnsorted)), QStringList({"beta", "Alpha", "ZETA", "GAMMA"}));
    EXPECT_EQ(Names(LabelItems(table, u"x")), QStringList({"beta", "Alpha", "ZETA", "GAMMA"}));
}

TEST(LabelListTest, ByNameAndByValue) {
    const SymbolTable table = Sample();
    EXPECT_EQ(Names(LabelItems(table, kSortByName)), QStringList({"Alpha", "beta", "GAMMA", "ZETA"}));
    // Equal values keep listing order.
    EXPECT_EQ(Names(LabelItems(table, kSortByValue)), QStringList({"ZETA", "Alpha", "GAMMA", "beta"}));
}

TEST(LabelListTest, TheValueIsADollarAndFourDigits) {
    EXPECT_EQ(LabelValueText(0x40), "$0040");
    EXPECT_EQ(LabelValueText(0xE000), "$E000");
    EXPECT_EQ(LabelValueText(0), "$0000");
}

} // namespace
} // namespace quorvel::test
