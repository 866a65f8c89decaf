// The serial terminal's screen: the control codes of character mode, the
// dump lines of hex mode, a change of mode, the cap on kept lines, and the
// changes a view redraws.
#include <string>

#include <QStringList>

#include <gtest/gtest.h>

#include "views/TerminalScreen.h"

namespace quorvel {
namespace {

using Mode = TerminalScreen::Mode;

QByteArray Bytes(std::string text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const TerminalScreen& screen) {
    return screen.Text().toStdString();
}

// ---- Character mode ----

struct CharacterCase {
    const char* Name;
    std::string Input;
    std::string Text; // lines joined by "\n"
    int CaretLine;
    int CaretColumn;
};

class CharacterMode : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(CharacterMode, LeavesTextAndWritePosition) {
    const CharacterCase& c = GetParam();
    TerminalScreen screen;
    screen.Display(Bytes(c.Input), Mode::Character);
    EXPECT_EQ(Text(screen), c.Text);
    EXPECT_EQ(screen.CaretLine(), c.CaretLine);
    EXPECT_EQ(screen.CaretColumn(), c.CaretColumn);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CharacterMode,
    ::testing::Values(CharacterCase{"CarriageReturnOverwrites", "Hi\rX", "Xi", 0, 1},
                      CharacterCase{"TabAtColumn3WritesFive", "abc\tX", "abc     X", 0, 9},
                      CharacterCase{"TabAtColumn8WritesEight", "abcdefgh\tX", "abcdefgh        X", 0, 17},
                      CharacterCase{"TabAtColumn0WritesEight", "\t", "        ", 0, 8},
                      CharacterCase{"TabOverwritesTheLine", "abcdefghijk\r\t", "        ijk", 0, 8},
                      // Only the rest of the line is overwritten; the line break stays.
                      CharacterCase{"TabKeepsTheLineBreak", "abcdef\nX\x08\x08\rabc\t", "abc     \n ", 0, 8},
                      CharacterCase{"TabBeforeALineBreak", "ab\ncd\r\x08\x08\t", "a       \ncd", 0, 8},
                      CharacterCase{"LineFeedStartsANewLine", "ab\ncd", "ab\ncd", 1, 2},
                      CharacterCase{"LineFeedKeepsNoColumn", "abc\n\n", "abc\n\n", 2, 0},
                      CharacterCase{"CrLf", "one\r\ntwo\r\n", "one\ntwo\n", 2, 0},
                      CharacterCase{"BackspaceBlanksTheCharacter", "abc\x08", "ab ", 0, 2},
                      CharacterCase{"BackspaceThenWrite", "abc\x08\x08X", "aX ", 0, 2},
                      CharacterCase{"BackspaceOverTheLineBreak", "ab\n\x08", "ab\n", 0, 2},
                      CharacterCase{"BackspaceAtTheStart", "\x08\x08", "", 0, 0},
                      CharacterCase{"FormFeedClears", "abc\ndef\x0cX", "X", 0, 1},
                      CharacterCase{"BellWritesNothing", "a\x07", "a", 0, 1},
                      CharacterCase{"OtherControlCodesAreIgnored", std::string("a\x00\x01\x0b\x1b", 5), "a",
                                    0, 1},
                      // A line feed in the middle of the text moves to the next line's start.
                      CharacterCase{"LineFeedIntoAnExistingLine", "ab\ncd\x08\x08\x08\nX", "ab\nX ", 1, 1},
                      CharacterCase{"InsertBeforeTheLineBreak",
                                    "ab\ncd\x08\x08\x08"
                                    "EF",
                                    "abEF\n  ", 0, 4}),
    [](const ::testing::TestParamInfo<CharacterCase>& param) { return std::string(param.param.Name); });

TEST(TerminalScreen, BellsAreCounted) {
    TerminalScreen screen;
    EXPECT_EQ(screen.Display("\x07"
                             "a\x07",
                             Mode::Character),
              2);
    EXPECT_EQ(Text(screen), "a");
    EXPECT_EQ(screen.Display("\x07", Mode::Hex), 0) << "hex mode shows the bell as a byte";
}

TEST(TerminalScreen, HighBytesShowTheBoardsCodePage) {
    TerminalScreen screen;
    screen.Display("\xE6\x82\x7F", Mode::Character);
    EXPECT_EQ(screen.Text(), QStringLiteral(u"Šé⌂"));
}

TEST(TerminalScreen, PositionsCountALineBreakAsOneCharacter) {
    TerminalScreen screen;
    screen.Display("abc\nde", Mode::Character);
    EXPECT_EQ(screen.Caret(), 6);
}

TEST(TerminalScreen, ALineLongerThanTheLimitContinuesOnTheNext) {
    TerminalScreen screen;
    screen.Display(QByteArray(TerminalScreen::kMaxColumns, 'x') + "yz", Mode::Character);
    ASSERT_EQ(screen.LineCount(), 2);
    EXPECT_EQ(screen.Line(0).size(), TerminalScreen::kMaxColumns);
    EXPECT_EQ(screen.Line(1), "yz");
    // A carriage return goes back only to the start of the continued line.
    screen.Display("\rA", Mode::Character);
    EXPECT_EQ(screen.Line(1), "Az");
}

// ---- Hex mode ----

TEST(TerminalScreen, HexDumpLineLayout) {
    TerminalScreen screen;
    screen.Display("\x41\x42\x0D", Mode::Hex);
    ASSERT_EQ(screen.LineCount(), 1);
    const QString line = screen.Line(0);
    ASSERT_EQ(line.size(), TerminalScreen::kHexLineLength);
    EXPECT_TRUE(line.startsWith("41 42 0D "));
    EXPECT_EQ(line.mid(48, 6), " | AB.");
    EXPECT_EQ(line.mid(54).trimmed(), "");
    EXPECT_EQ(screen.HexCount(), 3);
    EXPECT_EQ(screen.CaretColumn(), TerminalScreen::kHexCharColumn + 3);
}

TEST(TerminalScreen, HexSeventeenthByteStartsTheNextDumpLine) {
    TerminalScreen screen;
    QByteArray bytes;
    for (int i = 0; i < 17; ++i)
        bytes.append(static_cast<char>(0x30 + i));
    screen.Display(bytes, Mode::Hex);
    ASSERT_EQ(screen.LineCount(), 2);
    EXPECT_EQ(screen.Line(0), "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F  | 0123456789:;<=>?");
    EXPECT_TRUE(screen.Line(1).startsWith("40 "));
    EXPECT_EQ(screen.Line(1)[TerminalScreen::kHexCharColumn], QLatin1Char('@'));
    EXPECT_EQ(screen.Line(1).size(), TerminalScreen::kHexLineLength);
    // A line break is one character here, so the second line starts 67 + 1 further on.
    EXPECT_EQ(screen.HexLineStart(), TerminalScreen::kHexLineLength + 1);
    EXPECT_EQ(screen.HexCount(), 1);
}

TEST(TerminalScreen, HexContinuesAcrossBlocks) {
    TerminalScreen screen;
    screen.Display("\x01", Mode::Hex);
    screen.Display("\xFF\x20", Mode::Hex);
    EXPECT_TRUE(screen.Line(0).startsWith("01 FF 20 "));
    EXPECT_EQ(screen.Line(0)[51], QLatin1Char('.'));
    EXPECT_EQ(screen.Line(0)[52], QChar(0x00A0)) << "$FF is shown, not replaced by a dot";
    EXPECT_EQ(screen.Line(0)[53], QLatin1Char(' '));
}

TEST(TerminalScreen, ClearStartsTheDumpAnew) {
    TerminalScreen screen;
    screen.Display("\x10\x11\x12", Mode::Hex);
    screen.Clear();
    EXPECT_TRUE(screen.IsEmpty());
    EXPECT_EQ(screen.HexCount(), 0);
    screen.Display("\x55", Mode::Hex);
    EXPECT_EQ(screen.LineCount(), 1);
    EXPECT_TRUE(screen.Line(0).startsWith("55 "));
    EXPECT_EQ(screen.HexLineStart(), 0);
}

// ---- Mixing the modes ----

TEST(TerminalScreen, CharactersAfterADumpGoToANewLine) {
    TerminalScreen screen;
    screen.Display("\x41\x42", Mode::Hex);
    const QString dump = screen.Line(0);
    screen.Display("Hello", Mode::Character);
    EXPECT_EQ(screen.Line(0), dump) << "the dump line keeps the bytes it showed";
    ASSERT_EQ(screen.LineCount(), 2);
    EXPECT_EQ(screen.Line(1), "Hello");
}

TEST(TerminalScreen, ADumpAfterCharactersStartsItsOwnLine) {
    TerminalScreen screen;
    screen.Display("\x41", Mode::Hex);
    screen.Display("ok\r\n", Mode::Character);
    screen.Display("\x43", Mode::Hex);
    ASSERT_EQ(screen.LineCount(), 3);
    EXPECT_TRUE(screen.Line(0).startsWith("41    "));
    EXPECT_EQ(screen.Line(1), "ok");
    EXPECT_TRUE(screen.Line(2).startsWith("43 "));
    EXPECT_EQ(screen.HexCount(), 1);
    screen.Display("!", Mode::Character);
    EXPECT_EQ(screen.Line(3), "!");
}

// ---- The kept text ----

TEST(TerminalScreen, KeepsTheLastLines) {
    TerminalScreen screen;
    QByteArray block;
    for (int i = 0; i < TerminalScreen::kMaxLines + 25; ++i)
        block += QByteArray::number(i) + "\r\n";
    screen.Display(block, Mode::Character);
    ASSERT_EQ(screen.LineCount(), TerminalScreen::kMaxLines);
    EXPECT_EQ(screen.Line(0), QString::number(26));
    EXPECT_EQ(screen.Line(screen.LineCount() - 2), QString::number(TerminalScreen::kMaxLines + 24));
    EXPECT_EQ(screen.CaretLine(), screen.LineCount() - 1);
    screen.Display("end", Mode::Character);
    EXPECT_EQ(screen.Line(screen.LineCount() - 1), "end");
}

TEST(TerminalScreen, KeepsTheLastDumpLines) {
    TerminalScreen screen;
    screen.Display(QByteArray(16 * (TerminalScreen::kMaxLines + 3) + 5, '\x61'), Mode::Hex);
    EXPECT_EQ(screen.LineCount(), TerminalScreen::kMaxLines);
    EXPECT_EQ(screen.HexCount(), 5);
    screen.Display("\x62", Mode::Hex);
    EXPECT_TRUE(screen.Line(screen.LineCount() - 1).startsWith("61 61 61 61 61 62 "));
}

// ---- Changes for the view ----

TEST(TerminalScreen, ChangesNameTheFirstLineToRedraw) {
    TerminalScreen screen;
    screen.Display("a\r\nb\r\nc", Mode::Character);
    screen.TakeChanges();
    screen.Display("d", Mode::Character);
    TerminalScreen::Changes changes = screen.TakeChanges();
    EXPECT_FALSE(changes.Reset);
    EXPECT_EQ(changes.FirstChangedLine, 2);
    EXPECT_EQ(changes.DroppedLines, 0);
    // A new line changes the line it breaks.
    screen.Display("\n", Mode::Character);
    EXPECT_EQ(screen.TakeChanges().FirstChangedLine, 2);
    // Moving only changes nothing.
    screen.Display("\r", Mode::Character);
    EXPECT_EQ(screen.TakeChanges().FirstChangedLine, -1);
    screen.Display("\x0c", Mode::Character);
    EXPECT_TRUE(screen.TakeChanges().Reset);
}

TEST(TerminalScreen, DroppingChangedLinesAsksForAReset) {
    TerminalScreen screen;
    screen.Display(QByteArray(TerminalScreen::kMaxLines - 1, '\n'), Mode::Character);
    screen.TakeChanges();
    screen.Display("x\n\n", Mode::Character);
    TerminalScreen::Changes changes = screen.TakeChanges();
    EXPECT_FALSE(changes.Reset);
    EXPECT_EQ(changes.DroppedLines, 2);
    EXPECT_EQ(changes.FirstChangedLine, TerminalScreen::kMaxLines - 3);
    screen.Display(QByteArray(TerminalScreen::kMaxLines + 1, '\n'), Mode::Character);
    EXPECT_TRUE(screen.TakeChanges().Reset);
}

} // namespace
} // namespace quorvel
