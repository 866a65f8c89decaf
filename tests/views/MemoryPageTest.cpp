// The memory window's model: the grid layout, paging through the address
// space, the cursor at the page edges, the cell editor's overwrite typing,
// the address box, and the page's reads and verified writes.
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "target/ImageTarget.h"
#include "views/MemoryAddressEntry.h"
#include "views/MemoryCellEdit.h"
#include "views/MemoryLayout.h"
#include "views/MemoryPage.h"

namespace quorvel::test {
namespace {

// The simulator's image with flash that ignores writes, and a link that can fail.
class RomTarget : public ImageTarget {
public:
    using ImageTarget::ImageTarget;
    bool failWrites = false;
    bool failReads = false;
    std::vector<int32_t> writes;

    void OutByte(int32_t address, uint8_t value) override {
        writes.push_back(address);
        if (failWrites) {
            state_.BoardOK = false;
            return;
        }
        if (address < 0xE000) ImageTarget::OutByte(address, value);
    }
    void InByte(int32_t address, uint8_t& value) override {
        if (failReads) {
            state_.BoardOK = false;
            return;
        }
        ImageTarget::InByte(address, value);
    }
    void InMemory() override {
        if (failReads) {
            state_.BoardOK = false;
            return;
        }
        ImageTarget::InMemory();
    }
};

struct PageFixture : ::testing::Test {
    TargetState state;
    RomTarget target{state};
    MemoryPage page{state, target};
    void SetUp() override { state.BoardOK = true; }
};

TEST(MemoryLayoutTest, DisplayAddressPlacesThePageAndTheCursor) {
    const struct {
        int32_t Address;
        int Rows;
        AddressPlacement Expected;
    } cases[] = {
        {0xFFF5, 8, {0xFF80, {3 + 7, 2 + 5}}}, // the last page; $FFF0 is its last row
        {0x1234, 8, {0x1230, {3, 2 + 4}}},
        {0x0000, 8, {0x0000, {3, 2}}},
        {0xFFFF, 8, {0xFF80, {10, 17}}},
        {0xFF8F, 8, {0xFF80, {3, 17}}}, // just fits as the first row of a page ending at $FFFF
        {0xFF90, 8, {0xFF80, {4, 2}}},
        {0xFFF5, 1, {0xFFF0, {3, 7}}},
        {0xFFF5, 64, {0xFC00, {66, 7}}},
        {0x12345, 8, {0xFF80, {10, 17}}}, // beyond $FFFF: taken as $FFFF
        {-5, 8, {0x0000, {3, 2}}},
        {0x1234, 0, {0x1230, {3, 6}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceAddress(c.Address, c.Rows), c.Expected) << std::hex << c.Address << " rows " << c.Rows;
}

TEST(MemoryLayoutTest, RowsShownAndTheScrollBar) {
    EXPECT_EQ(RowsShownFor(11 * 14, 14, 14), 8);
    EXPECT_EQ(RowsShownFor(11 * 14 + 13, 14, 14), 8);
    EXPECT_EQ(RowsShownFor(2 * 14, 14, 14), 0);
    EXPECT_EQ(RowsShownFor(0, 14, 14), 0);
    EXPECT_EQ(RowsShownFor(5000, 14, 14), 64);
    EXPECT_EQ(RowsShownFor(100, 14, 0), 0);
    EXPECT_EQ(ScrollMaximum(8), 4088);
    EXPECT_EQ(ScrollPageStep(8), 8);
    EXPECT_EQ(ScrollPageStep(0), 1);
    // The last page ends exactly at $FFFF.
    EXPECT_EQ(ScrollAddress(ScrollMaximum(8), 8) + 8 * 16, 0x10000);
    EXPECT_EQ(ScrollAddress(4095, 8), 0xFF80);
    EXPECT_EQ(ScrollAddress(0x123, 8), 0x1230);
}

TEST(MemoryLayoutTest, CharactersOutsideThePrintableRangeShowAsDots) {
    EXPECT_EQ(MemoryChar(0x41), "A");
    EXPECT_EQ(MemoryChar(0x20), " ");
    EXPECT_EQ(MemoryChar(0x7E), "~");
    for (int code : {0x00, 0x1F, 0x7F, 0x80, 0xFF})
        EXPECT_EQ(MemoryChar(uint8_t(code)), ".") << code;
}

TEST(MemoryLayoutTest, TheCursorRestsOnDataCellsAndScrollsAtTheEdges) {
    const int32_t middle = 0x1230;
    const int32_t last = 0xFF80; // the last page of 8 rows
    const struct {
        MemoryCell From;
        CursorKey Key;
        int32_t Base;
        CursorMove Expected;
    } cases[] = {
        {{3, 5}, CursorKey::Right, middle, {{3, 6}}},
        {{3, 17}, CursorKey::Right, middle, {{4, 2}}},
        {{3, 34}, CursorKey::Right, middle, {{4, 19}}},
        {{4, 2}, CursorKey::Left, middle, {{3, 17}}},
        {{4, 19}, CursorKey::Left, middle, {{3, 34}}},
        {{3, 19}, CursorKey::Tab, middle, {{3, 2}}},
        {{3, 17}, CursorKey::Tab, middle, {{3, 34}}},
        {{5, 9}, CursorKey::Home, middle, {{5, 2}}},
        {{5, 20}, CursorKey::End, middle, {{5, 34}}},
        // The page edges scroll by one row; the cursor stays on the edge row.
        {{3, 6}, CursorKey::Up, middle, {{3, 6}, -1}},
        {{10, 6}, CursorKey::Down, middle, {{10, 6}, +1}},
        {{10, 17}, CursorKey::Right, middle, {{10, 2}, +1}},
        {{3, 19}, CursorKey::Left, middle, {{3, 34}, -1}},
        // Never before $0000 ...
        {{3, 6}, CursorKey::Up, 0x0000, {{3, 6}}},
        {{3, 2}, CursorKey::Left, 0x0000, {{3, 2}}},
        {{3, 6}, CursorKey::Up, 0x0010, {{3, 6}, -1}},
        // ... nor past $FFFF.
        {{10, 17}, CursorKey::Right, last, {{10, 17}}},
        {{10, 34}, CursorKey::Right, last, {{10, 34}}},
        {{10, 6}, CursorKey::Down, last, {{10, 6}}},
        {{9, 17}, CursorKey::Right, last, {{10, 2}}},
        // A cursor off the data cells is brought back first.
        {{3, 0}, CursorKey::Right, middle, {{3, 3}}},
        {{3, 18}, CursorKey::Right, middle, {{3, 20}}},
        {{40, 5}, CursorKey::Up, middle, {{9, 5}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MoveCursor(c.From, c.Key, c.Base, 8), c.Expected)
            << "from " << c.From.Row << "," << c.From.Column << " key " << int(c.Key) << " base " << c.Base;
    // A window without data rows has no cursor to move.
    EXPECT_EQ(MoveCursor({3, 5}, CursorKey::Down, middle, 0), (CursorMove{{3, 5}}));
}

TEST(MemoryLayoutTest, ClicksLandOnDataCells) {
    MemoryCell cell;
    EXPECT_TRUE(ClickedCell(4, 0, 8, cell));
    EXPECT_EQ(cell, (MemoryCell{4, 2}));
    EXPECT_TRUE(ClickedCell(4, 18, 8, cell));
    EXPECT_EQ(cell, (MemoryCell{4, 19}));
    EXPECT_TRUE(ClickedCell(10, 30, 8, cell));
    EXPECT_EQ(cell, (MemoryCell{10, 30}));
    EXPECT_FALSE(ClickedCell(2, 5, 8, cell));  // a header row
    EXPECT_FALSE(ClickedCell(11, 5, 8, cell)); // below the data rows
    EXPECT_FALSE(ClickedCell(3, 5, 0, cell));
}

TEST(MemoryCellEditTest, TypingOverwritesAndKeepsTwoDigits) {
    MemoryCellEdit edit(MemoryCellEdit::Kind::Hex, "12");
    EXPECT_EQ(edit.MaxLength(), 3);
    EXPECT_TRUE(edit.Type(u'7'));
    EXPECT_EQ(edit.Text(), "72");
    EXPECT_TRUE(edit.Type(u'f'));
    EXPECT_EQ(edit.Text(), "7F");
    EXPECT_EQ(edit.Caret(), 2);
    // The last position takes nothing.
    EXPECT_FALSE(edit.Type(u'0'));
    EXPECT_EQ(edit.Text(), "7F");
    edit.Backspace();
    EXPECT_EQ(edit.Text(), "7");
    EXPECT_TRUE(edit.Type(u'a'));
    EXPECT_EQ(edit.Text(), "7A");
}

TEST(MemoryCellEditTest, HexCellsTakeHexDigitsOnly) {
    for (QChar typed : {u'g', u'G', u'x', u' ', u'$', u'-', u'\x7f', u'\u00e4'}) {
        MemoryCellEdit edit(MemoryCellEdit::Kind::Hex, "12");
        EXPECT_FALSE(edit.Type(typed)) << int(typed.unicode());
        EXPECT_EQ(edit.Text(), "12");
    }
    MemoryCellEdit edit(MemoryCellEdit::Kind::Hex, "12", 1, 1, 0);
    EXPECT_TRUE(edit.Type(u'b'));
    EXPECT_EQ(edit.Text(), "1B");
}

TEST(MemoryCellEditTest, CharacterCellsTakeOnePrintableCharacter) {
    MemoryCellEdit edit(MemoryCellEdit::Kind::Char, ".");
    EXPECT_EQ(edit.MaxLength(), 2);
    EXPECT_FALSE(edit.Type(u'\x1b'));
    EXPECT_FALSE(edit.Type(u'\u00e9'));
    EXPECT_TRUE(edit.Type(u'a'));
    EXPECT_EQ(edit.Text(), "a");
    EXPECT_FALSE(edit.Type(u'b'));
    EXPECT_EQ(edit.Text(), "a");
    edit.Backspace();
    EXPECT_EQ(edit.Text(), "");
    EXPECT_TRUE(edit.Type(u' '));
    EXPECT_EQ(edit.Text(), " ");
}

TEST(MemoryCellEditTest, DeleteAndBackspaceRemoveTheSelectionFirst) {
    MemoryCellEdit all(MemoryCellEdit::Kind::Hex, "AB");
    all.Delete();
    EXPECT_EQ(all.Text(), "");
    MemoryCellEdit one(MemoryCellEdit::Kind::Hex, "AB", 0, 0, 0);
    one.Delete();
    EXPECT_EQ(one.Text(), "B");
    one.Backspace(); // at the start: nothing before the caret
    EXPECT_EQ(one.Text(), "B");
}

TEST(MemoryAddressEntryTest, TheBoxTakesFourHexDigits) {
    EXPECT_EQ(MemoryAddressKey(u'f', 0, 0, 0), QChar(u'F'));
    EXPECT_EQ(MemoryAddressKey(u'9', 3, 3, 0), QChar(u'9'));
    EXPECT_TRUE(MemoryAddressKey(u'g', 0, 0, 0).isNull());
    EXPECT_TRUE(MemoryAddressKey(u'$', 0, 0, 0).isNull());
    EXPECT_TRUE(MemoryAddressKey(u'1', 4, 4, 0).isNull());
    // A fifth digit in front of four is refused as well ...
    EXPECT_TRUE(MemoryAddressKey(u'1', 0, 4, 0).isNull());
    // ... unless it replaces a selection.
    EXPECT_EQ(MemoryAddressKey(u'1', 0, 4, 4), QChar(u'1'));

    EXPECT_EQ(MemoryAddressValue(u"FFF5"), 0xFFF5);
    EXPECT_EQ(MemoryAddressValue(u"fff5"), 0xFFF5);
    EXPECT_EQ(MemoryAddressValue(u"0"), 0);
    for (const char16_t* text : {u"", u"12345", u"G1", u"$12", u"1 2", u"-1"})
        EXPECT_EQ(MemoryAddressValue(text), -1) << QString::fromUtf16(text).toStdString();
}

TEST_F(PageFixture, OneLineHoldsTheAddressTheBytesAndTheCharacters) {
    std::array<uint8_t, 1024> block{};
    const uint8_t bytes[16] = {0x41, 0x42, 0x00, 0x7F, 0x80, 0x20, 0x7E, 0xFF,
                               0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37};
    std::copy(std::begin(bytes), std::end(bytes), block.begin() + 16);
    const QString line = OneLine(block, 0x1220, 16, true);
    EXPECT_EQ(line, " $1230:\t\t41\t42\t00\t7F\t80\t20\t7E\tFF\t30\t31\t32\t33\t34\t35\t36\t37\t"
                    "\tA\tB\t.\t.\t.\t \t~\t.\t0\t1\t2\t3\t4\t5\t6\t7");
    EXPECT_EQ(line.split(u'\t').size(), kMemoryColumns);
    EXPECT_EQ(OneLine(block, 0x1220, 16, false), " $1230:\t");
}

TEST_F(PageFixture, ThePageShowsOneBlockRead) {
    target.TargetMemory()[0x1230] = 0x41;
    target.TargetMemory()[0x127F] = 0x12;
    page.SetRowsShown(8);
    page.SetBase(0x1234);
    EXPECT_EQ(page.Base(), 0x1230);
    EXPECT_EQ(state.MemoryBlockAddress, 0x1230);
    // Before the read only the addresses show.
    EXPECT_EQ(page.Cell({3, 0}), " $1230:");
    EXPECT_EQ(page.Cell({3, 2}), "");
    ASSERT_TRUE(page.Read());
    EXPECT_EQ(page.Cell({3, 2}), "41");
    EXPECT_EQ(page.Cell({3, 19}), "A");
    EXPECT_EQ(page.Cell({7, 17}), "12");
    EXPECT_EQ(page.Cell({10, 0}), " $12A0:");
    EXPECT_EQ(page.Cell({3, 1}), "");
    EXPECT_EQ(page.Cell({3, 18}), "");
    EXPECT_EQ(page.Cell({11, 0}), ""); // past the rows shown
    EXPECT_EQ(page.Cell({2, 2}), "");  // a header row
    EXPECT_EQ(page.CellAddress({7, 17}), 0x127F);
    EXPECT_EQ(page.CellAddress({7, 34}), 0x127F);
    EXPECT_EQ(page.CellAddress({7, 18}), -1);
}

TEST_F(PageFixture, TheBaseKeepsThePageWithinMemory) {
    page.SetRowsShown(8);
    page.SetBase(0xFFF5);
    EXPECT_EQ(page.Base(), 0xFF80);
    page.SetBase(0x1234);
    // A taller page near the end starts earlier.
    page.SetBase(0xFF80);
    page.SetRowsShown(64);
    EXPECT_EQ(page.Base(), 0xFC00);
    page.SetRowsShown(100);
    EXPECT_EQ(page.RowsShown(), 64);
}

TEST_F(PageFixture, WithoutAnAnswerTheRowsShowOnlyTheirAddresses) {
    page.SetRowsShown(4);
    page.SetBase(0x2000);
    ASSERT_TRUE(page.Read());
    EXPECT_TRUE(page.HasData());
    target.failReads = true;
    EXPECT_FALSE(page.Read());
    EXPECT_FALSE(page.HasData());
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(page.Line(k),
                  QStringLiteral(" $%1:\t").arg(0x2000 + 16 * k, 4, 16, QLatin1Char('0')).toUpper());
    EXPECT_EQ(page.Cell({3, 2}), "");
    EXPECT_EQ(page.Byte({3, 2}), -1);
}

TEST_F(PageFixture, SendByteWritesReadsBackAndShowsTheByteInBothCells) {
    target.TargetMemory()[0x1234] = 0x12;
    page.SetRowsShown(8);
    page.SetBase(0x1230);
    ASSERT_TRUE(page.Read());
    EXPECT_EQ(page.SendByte({3, 6}, "7F"), MemoryPage::Write::Written);
    EXPECT_EQ(target.TargetMemory()[0x1234], 0x7F);
    EXPECT_EQ(page.Cell({3, 6}), "7F");
    EXPECT_EQ(page.Cell({3, 23}), ".");
    EXPECT_EQ(page.SendByte({3, 23}, "A"), MemoryPage::Write::Written);
    EXPECT_EQ(target.TargetMemory()[0x1234], 0x41);
    EXPECT_EQ(page.Cell({3, 6}), "41");
    EXPECT_EQ(page.Cell({3, 23}), "A");
    // One digit is a value too.
    EXPECT_EQ(page.SendByte({3, 6}, "7"), MemoryPage::Write::Written);
    EXPECT_EQ(target.TargetMemory()[0x1234], 0x07);
}

TEST_F(PageFixture, AWriteThatDoesNotStickShowsWhatTheTargetHolds) {
    target.TargetMemory()[0xE000] = 0xFF;
    page.SetRowsShown(8);
    page.SetBase(0xE000);
    ASSERT_TRUE(page.Read());
    EXPECT_EQ(page.SendByte({3, 2}, "55"), MemoryPage::Write::ReadOnly);
    EXPECT_EQ(page.Cell({3, 2}), "FF");
    EXPECT_EQ(page.Cell({3, 19}), ".");
}

TEST_F(PageFixture, AFailedWriteOrReadBackLeavesTheCells) {
    target.TargetMemory()[0x0100] = 0x3F;
    page.SetRowsShown(8);
    page.SetBase(0x0100);
    ASSERT_TRUE(page.Read());
    target.failWrites = true;
    EXPECT_EQ(page.SendByte({3, 2}, "40"), MemoryPage::Write::Failed);
    EXPECT_EQ(page.Cell({3, 2}), "3F");
    target.failWrites = false;
    target.failReads = true;
    state.BoardOK = true;
    EXPECT_EQ(page.SendByte({3, 2}, "40"), MemoryPage::Write::Failed);
    EXPECT_EQ(page.Cell({3, 2}), "3F");
}

TEST_F(PageFixture, NothingIsWrittenWithoutACellOrAValue) {
    page.SetRowsShown(8);
    ASSERT_TRUE(page.Read());
    EXPECT_EQ(page.SendByte({3, 0}, "12"), MemoryPage::Write::Ignored);
    EXPECT_EQ(page.SendByte({3, 18}, "12"), MemoryPage::Write::Ignored);
    EXPECT_EQ(page.SendByte({11, 2}, "12"), MemoryPage::Write::Ignored);
    EXPECT_EQ(page.SendByte({3, 2}, ""), MemoryPage::Write::Ignored);
    EXPECT_EQ(page.SendByte({3, 2}, "G1"), MemoryPage::Write::Ignored);
    EXPECT_EQ(page.SendByte({3, 19}, QString(QChar(0xE9))), MemoryPage::Write::Ignored);
    EXPECT_TRUE(target.writes.empty());
}

} // namespace
} // namespace quorvel::test
