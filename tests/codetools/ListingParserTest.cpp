// The listing layout: which lines the symbol table takes, the fields of a
// record, data directives, labels, and the lookups by name and by address.
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "ListingText.h"
#include "codetools/LabelList.h"
#include "codetools/ListingParser.h"
#include "frame/NumberText.h"

namespace quorvel::test {
namespace {

SymbolTable Parse(const QStringList& lines) {
    return ParseListing(ListingFile(lines));
}

std::vector<uint8_t> Bytes(const ListingLine& line) {
    return {line.Bytes.begin(), line.Bytes.begin() + line.ByteCount};
}

TEST(ListingParserTest, ACodeLineGivesAddressBytesLabelAndSource) {
    const QString line = "0012 E000 86 41" + QString(12, ' ') + "START   LDAA #$41";
    ASSERT_EQ(line.indexOf("START"), 27);
    const SymbolTable table = Parse({line});
    ASSERT_EQ(table.ListingCount(), 1);
    const ListingLine& record = table.ListingLines()[0];
    EXPECT_EQ(record.Address, 0xE000);
    EXPECT_EQ(record.ByteCount, 2);
    EXPECT_EQ(Bytes(record), (std::vector<uint8_t>{0x86, 0x41}));
    EXPECT_EQ(record.Label, u"START");
    EXPECT_EQ(record.Source, u"START   LDAA #$41");
}

TEST(ListingParserTest, DataDirectivesKeepTheLabelButNoBytesOrSource) {
    for (const char* operation : {"FCB 1,2,3", "fcc /abc/", "Fdb $1234", "FILL $FF,3", "fill 0,3"}) {
        const SymbolTable table =
            Parse({ListingLineText(7, 0xE010, {0x01, 0x02, 0x03}, QString("TABLE    ") + operation)});
        ASSERT_EQ(table.ListingCount(), 1) << operation;
        const ListingLine& record = table.ListingLines()[0];
        EXPECT_EQ(record.Label, u"TABLE") << operation;
        EXPECT_EQ(record.Address, 0xE010) << operation;
        EXPECT_EQ(record.ByteCount, 0) << operation;
        EXPECT_TRUE(record.Source.isEmpty()) << operation;
    }
    // A data directive without a label.
    const SymbolTable table = Parse({ListingLineText(8, 0xE020, {0x41, 0x42}, "         FCC 'AB'")});
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_TRUE(table.ListingLines()[0].Label.isEmpty());
    EXPECT_EQ(table.ListingLines()[0].ByteCount, 0);
    EXPECT_TRUE(table.ListingLines()[0].Source.isEmpty());
}

TEST(ListingParserTest, AnEquateGivesALabelWithItsValue) {
    const SymbolTable table = Parse({ListingLineText(3, 0x1000, {}, "REGS     EQU $1000")});
    ASSERT_EQ(table.ListingCount(), 1);
    const ListingLine& record = table.ListingLines()[0];
    EXPECT_EQ(record.Label, u"REGS");
    EXPECT_EQ(record.Address, 0x1000);
    EXPECT_EQ(record.ByteCount, 0);
    EXPECT_EQ(record.Source, u"REGS     EQU $1000");
}

TEST(ListingParserTest, LinesOutOfLayoutAreSkipped) {
    const QString good = ListingLineText(1, 0xE000, {0x01}, "         NOP");
    ASSERT_EQ(Parse({good}).ListingCount(), 1);

    QStringList bad;
    bad << "12345 E000 01" + QString(14, ' ') + "NOP";           // five-digit line number
    bad << "  12 E000 01" + QString(15, ' ') + "NOP";            // line number with leading blanks
    bad << "0001 E000 01";                                       // shorter than 28 characters
    bad << QString(good).left(27);                               // 27 characters
    bad << "0001 E0G0 01" + QString(15, ' ') + "NOP";            // not hexadecimal
    bad << "0001 $E00 01" + QString(15, ' ') + "NOP";            // not four digits
    bad << "0001xE000 01" + QString(15, ' ') + "NOP";            // column 5
    bad << "0001 E000x01" + QString(15, ' ') + "NOP";            // column 10
    bad << "0001 E000 01x02" + QString(12, ' ') + "NOP";         // column 13
    bad << "0001 E000 01 02x03" + QString(9, ' ') + "NOP";       // column 16
    bad << "0001 E000 01 02 03x04" + QString(6, ' ') + "NOP";    // column 19
    bad << "0001 E000 01 02 03 04x05" + QString(3, ' ') + "NOP"; // column 22
    bad << "0001 E000 01 02 03 04 05x  NOP";                     // column 25
    bad << "0001 E000 01 02 03 04 05 x NOP";                     // column 26
    bad << "0001 E000 01 02 03 04 05  xNOP";                     // column 27
    bad << "* a comment line of the listing, long enough to be considered";
    bad << "0004" + QString(23, ' ') + "* comment: no address";
    // A tab anywhere in columns 1-27.
    for (int column = 1; column <= 27; ++column) {
        QString tabbed = good;
        tabbed[column - 1] = '\t';
        bad << tabbed;
    }
    for (const QString& line : bad)
        EXPECT_EQ(Parse({line}).ListingCount(), 0) << qPrintable(line);
}

TEST(ListingParserTest, LowerCaseHexadecimalIsRead) {
    const SymbolTable table = Parse({"0001 e0a0 8a 0f" + QString(12, ' ') + "X        LDAA #$0f"});
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_EQ(table.ListingLines()[0].Address, 0xE0A0);
    EXPECT_EQ(Bytes(table.ListingLines()[0]), (std::vector<uint8_t>{0x8A, 0x0F}));
}

TEST(ListingParserTest, EveryListedByteColumnCounts) {
    const SymbolTable five =
        Parse({ListingLineText(1, 0xE000, {0x18, 0x1E, 0x05, 0x80, 0xF0}, " BRSET 5,Y $80 *")});
    ASSERT_EQ(five.ListingCount(), 1);
    EXPECT_EQ(Bytes(five.ListingLines()[0]), (std::vector<uint8_t>{0x18, 0x1E, 0x05, 0x80, 0xF0}));
    // A blank first byte column: the next byte is the first one recorded.
    const SymbolTable gap = Parse({"0001 E000    86" + QString(12, ' ') + " LDAA"});
    ASSERT_EQ(gap.ListingCount(), 1);
    EXPECT_EQ(Bytes(gap.ListingLines()[0]), (std::vector<uint8_t>{0x86}));
}

TEST(ListingParserTest, ALabelNeedsABlankAfterIt) {
    const SymbolTable table =
        Parse({ListingLineText(1, 0xE000, {}, "ALONE"), ListingLineText(2, 0xE000, {}, "PADDED ")});
    ASSERT_EQ(table.ListingCount(), 2);
    EXPECT_TRUE(table.ListingLines()[0].Label.isEmpty());
    EXPECT_EQ(table.ListingLines()[0].Source, u"ALONE");
    EXPECT_EQ(table.ListingLines()[1].Label, u"PADDED");
}

TEST(ListingParserTest, ALineWithoutLabelHasSourceOnly) {
    const SymbolTable table = Parse({ListingLineText(1, 0xE000, {0x01}, "         NOP")});
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_TRUE(table.ListingLines()[0].Label.isEmpty());
    EXPECT_EQ(table.ListingLines()[0].Source, u"         NOP");
}

TEST(ListingParserTest, ATrailingColonIsNotPartOfTheLabel) {
    const SymbolTable table = Parse({ListingLineText(1, 0xE004, {0x20, 0xFE}, "LOOP:    BRA LOOP"),
                                     ListingLineText(2, 0xE006, {}, "DONE: ")});
    ASSERT_EQ(table.ListingCount(), 2);
    EXPECT_EQ(table.ListingLines()[0].Label, u"LOOP");
    EXPECT_EQ(table.ListingLines()[0].Source, u"LOOP:    BRA LOOP");
    EXPECT_EQ(table.ListingLines()[1].Label, u"DONE");
    QString name = "loop";
    EXPECT_EQ(table.SymbolValue(name), 0xE004);
}

TEST(ListingParserTest, TabsInTheSourceAreExpandedByColumn) {
    const QString line = ListingLineText(1, 0xE000, {0x86, 0x41}, "START\tLDAA\t#$41\t; go");
    const SymbolTable table = Parse({line});
    ASSERT_EQ(table.ListingCount(), 1);
    const ListingLine& record = table.ListingLines()[0];
    EXPECT_EQ(record.Source, ExpandTabs(line).mid(27));
    EXPECT_EQ(record.Label, u"START");
    // A tab directly after the label still ends it; a data directive behind tabs is seen.
    const SymbolTable data = Parse({ListingLineText(2, 0xE010, {0x01}, "T\tFCB\t1")});
    ASSERT_EQ(data.ListingCount(), 1);
    EXPECT_EQ(data.ListingLines()[0].Label, u"T");
    EXPECT_EQ(data.ListingLines()[0].ByteCount, 0);
}

TEST(ListingParserTest, LineEndsMayBeCarriageReturnLineFeed) {
    const QString text = ListingLineText(1, 0xE000, {0x01}, "A        NOP") + "\r\n" +
                         ListingLineText(2, 0xE001, {0x01}, "B        NOP") + "\r\n";
    const SymbolTable table = ParseListing(text);
    ASSERT_EQ(table.ListingCount(), 2);
    EXPECT_EQ(table.ListingLines()[0].Source, u"A        NOP");
    EXPECT_EQ(table.ListingLines()[1].Label, u"B");
    // The last line needs no line end.
    EXPECT_EQ(ParseListing(ListingLineText(1, 0xE000, {}, "C ")).ListingCount(), 1);
    EXPECT_EQ(ParseListing(QString()).ListingCount(), 0);
}

TEST(ListingParserTest, SymbolValueTakesTheFirstMatchInListingOrder) {
    const SymbolTable table = Parse({ListingLineText(1, 0xE000, {0x01}, "LOOP     NOP"),
                                     ListingLineText(2, 0xE001, {0x01}, "OTHER    NOP"),
                                     ListingLineText(3, 0xE002, {0x01}, "LOOP     NOP")});
    QString name = "LOOP";
    EXPECT_EQ(table.SymbolValue(name), 0xE000);
    // The labels window lists both.
    const std::vector<LabelItem> items = LabelItems(table, kUnsorted);
    ASSERT_EQ(items.size(), 3U);
    EXPECT_EQ(items[0].Label, u"LOOP");
    EXPECT_EQ(items[2].Label, u"LOOP");
    EXPECT_EQ(items[2].Address, 0xE002);
}

TEST(ListingParserTest, SymbolValueUpperCasesTheNameInPlace) {
    const SymbolTable table = Parse({ListingLineText(1, 0xE000, {0x01}, "START    NOP"),
                                     ListingLineText(2, 0xE001, {0x01}, "loop     NOP")});
    QString name = "start";
    EXPECT_EQ(table.SymbolValue(name), 0xE000);
    EXPECT_EQ(name, "START");
    // A label written in lower case can be listed but not found by name.
    QString lower = "loop";
    EXPECT_EQ(table.SymbolValue(lower), -1);
    EXPECT_EQ(lower, "LOOP");
    QString unknown = "NOWHERE";
    EXPECT_EQ(table.SymbolValue(unknown), -1);
    QString empty;
    EXPECT_EQ(table.SymbolValue(empty), -1);
    ASSERT_EQ(LabelItems(table, kUnsorted).size(), 2U);
    EXPECT_EQ(LabelItems(table, kUnsorted)[1].Label, u"loop");
}

TEST(ListingParserTest, ListedCodeNeedsTheSameBytesAndTheLastRecordWins) {
    const SymbolTable table = Parse({ListingLineText(1, 0xE000, {}, "HERE "),
                                     ListingLineText(2, 0xE000, {0x86, 0x41}, "FIRST    LDAA #$41"),
                                     ListingLineText(3, 0xE000, {0x86, 0x41}, "SECOND   LDAA #'A"),
                                     ListingLineText(4, 0xE000, {0x86, 0x42}, "THIRD    LDAA #$42")});
    const std::array<uint8_t, 2> code{0x86, 0x41};
    const ListingLine* listed = table.ListedCode(0xE000, code);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->Source, u"SECOND   LDAA #'A");
    const std::array<uint8_t, 1> shorter{0x86};
    EXPECT_EQ(table.ListedCode(0xE000, shorter), nullptr);
    const std::array<uint8_t, 2> other{0x86, 0x43};
    EXPECT_EQ(table.ListedCode(0xE000, other), nullptr);
    EXPECT_EQ(table.ListedCode(0xE001, code), nullptr);
    EXPECT_EQ(table.ListedCode(-1, code), nullptr);
    EXPECT_EQ(table.ListedCode(0x10000, code), nullptr);
    EXPECT_EQ(SymbolTable().ListedCode(0xE000, code), nullptr);
}

TEST(ListingParserTest, AHundredThousandLinesLoadWhole) {
    QString text;
    constexpr int kLines = 100000;
    text.reserve(kLines * 48);
    for (int i = 0; i < kLines; ++i) {
        const int32_t address = i & 0xFFFF;
        text += ListingLineText(i % 10000, address, {0x01}, QStringLiteral("L%1 NOP").arg(i));
        text += u'\n';
    }
    int calls = 0;
    const SymbolTable table = ParseListing(text, [&calls] { ++calls; });
    ASSERT_EQ(table.ListingCount(), kLines);
    EXPECT_EQ(table.ListingLines()[kLines - 1].Label, u"L99999");
    EXPECT_EQ(table.ListingLines()[kLines - 1].Address, (kLines - 1) & 0xFFFF);
    QString name = "L99999";
    EXPECT_EQ(table.SymbolValue(name), (kLines - 1) & 0xFFFF);
    EXPECT_GE(calls, 0);
}

TEST(ListingParserTest, LabelsAreNotCutByTheTableGrowing) {
    // Views stay valid when the table is moved.
    SymbolTable moved = Parse({ListingLineText(1, 0xE000, {0x01}, "KEEP     NOP")});
    SymbolTable target;
    target = std::move(moved);
    EXPECT_EQ(target.ListingLines()[0].Label, u"KEEP");
    EXPECT_EQ(target.ListingLines()[0].Source, u"KEEP     NOP");
}

} // namespace
} // namespace quorvel::test
