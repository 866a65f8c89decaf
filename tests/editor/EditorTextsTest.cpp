// Captions and messages derived from names and numbers.
#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "editor/EditorTexts.h"

namespace quorvel::test {
namespace {

TEST(EditorTextsTest, NewWindowsAreNumbered) {
    EXPECT_EQ(UntitledTitle(1), "Untitled1.asm");
    EXPECT_EQ(UntitledTitle(12), "Untitled12.asm");
}

TEST(EditorTextsTest, SaveAsFilterFollowsTheLastThreeCharacters) {
    const struct {
        const char* name;
        int index;
    } rows[] = {
        {"prog.asm", 1},    {"PROG.ASM", 1}, {"/src/prog.LST", 2}, {"notes.txt", 3},
        {"prog", 4},        {"prog.s19", 4}, {"Untitled1.asm", 1}, {"", 4},
        {"/a.lst/prog", 4}, {"listlst", 2},  {"x.Txt", 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SaveAsFilterIndex(QString::fromUtf8(row.name)), row.index) << row.name;
}

TEST(EditorTextsTest, CaretTextCountsFromOne) {
    EXPECT_EQ(CaretText(0, 0), "Line 1  Col. 1");
    EXPECT_EQ(CaretText(41, 9), "Line 42  Col. 10");
}

TEST(EditorTextsTest, Messages) {
    EXPECT_EQ(SaveChangesText("prog.asm"), "Save changes to prog.asm ?");
    EXPECT_EQ(ReplacedText(1), "1 item replaced !");
    EXPECT_EQ(ReplacedText(2), "2 items replaced !");
    EXPECT_EQ(ReplacedText(40000), "40000 items replaced !");
    EXPECT_EQ(CantSaveText("/x/a.asm", "No such file or directory"),
              "Can't Save /x/a.asm !\n(No such file or directory)");
    EXPECT_EQ(CantOpenText("/x/a.asm", ""), "Can't Open /x/a.asm !");
    EXPECT_EQ(FileTitle("/home/u/src/prog.asm"), "prog.asm");
}

TEST(EditorTextsTest, LineEntries) {
    EXPECT_EQ(ParseLineEntry(u"1"), 1);
    EXPECT_EQ(ParseLineEntry(u"0042"), 42);
    EXPECT_EQ(ParseLineEntry(u"999999999"), 999999999);
    EXPECT_EQ(ParseLineEntry(u"0"), 0);
    EXPECT_EQ(ParseLineEntry(u""), 0);
    EXPECT_EQ(ParseLineEntry(u"12a"), 0);
    EXPECT_EQ(ParseLineEntry(u"-3"), 0);
    EXPECT_EQ(ParseLineEntry(u" 3"), 0);
    EXPECT_EQ(ParseLineEntry(u"1234567890"), 0);
}

TEST(EditorTextsTest, AnErrorLinePastTheEndLandsOnTheLastLineWithText) {
    const struct {
        qint64 line;
        const char16_t* text;
        qsizetype index;
    } rows[] = {
        {1, u"a\nb\nc", 0},   {3, u"a\nb\nc", 2},
        {99, u"a\nb\nc", 2},  {99, u"a\nb\nc\n", 2}, // the final line break starts no line
        {4, u"a\nb\nc\n", 2}, {99, u"a\n\n\n", 2},   // a blank line before the final break counts
        {99, u"", 0},         {99, u"\n", 0},
        {0, u"a\nb", 0},      {-5, u"a\nb", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SourceLineIndex(row.line, row.text), row.index)
            << row.line << " in \"" << QString::fromUtf16(row.text).toStdString() << '"';
}

} // namespace
} // namespace quorvel::test
