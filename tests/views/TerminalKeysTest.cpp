// What a key typed into the serial terminal sends, by target and run state,
// and the code pages behind it.
#include <string>

#include <gtest/gtest.h>

#include "views/TerminalCodePages.h"
#include "views/TerminalKeys.h"

namespace quorvel {
namespace {

constexpr TerminalTarget kRunningBoard{true, true};
constexpr TerminalTarget kIdleBoard{true, false};
constexpr TerminalTarget kSimulator{false, false};
constexpr TerminalTarget kSimulatorPlaying{false, true};

struct KeyCase {
    const char* Name;
    int Key;
    Qt::KeyboardModifiers Modifiers;
    QString Text;
    TerminalTarget Target;
    QByteArray Sent;
};

class TypedKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypedKey, Sends) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(TerminalKeyBytes(c.Key, c.Modifiers, c.Text, c.Target), c.Sent);
}

const QString kCr = QStringLiteral("\r");

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKey,
    ::testing::Values(
        KeyCase{"EnterOnARunningBoard", Qt::Key_Return, Qt::NoModifier, kCr, kRunningBoard, "\r\n"},
        KeyCase{"EnterOnAnIdleBoard", Qt::Key_Return, Qt::NoModifier, kCr, kIdleBoard, "\r\n"},
        KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, kCr, kRunningBoard, "\r\n"},
        KeyCase{"EnterInTheSimulator", Qt::Key_Return, Qt::NoModifier, kCr, kSimulator, ""},
        KeyCase{"BackspaceOnABoard", Qt::Key_Backspace, Qt::NoModifier, "\b", kIdleBoard, "\b"},
        KeyCase{"BackspaceInTheSimulator", Qt::Key_Backspace, Qt::NoModifier, "\b", kSimulatorPlaying, ""},
        KeyCase{"LetterWhileRunning", Qt::Key_A, Qt::NoModifier, "a", kRunningBoard, "a"},
        KeyCase{"LetterOnAnIdleBoard", Qt::Key_A, Qt::NoModifier, "a", kIdleBoard, ""},
        KeyCase{"LetterInTheSimulator", Qt::Key_A, Qt::NoModifier, "a", kSimulatorPlaying, ""},
        KeyCase{"TabWhileRunning", Qt::Key_Tab, Qt::NoModifier, "\t", kRunningBoard, "\t"},
        KeyCase{"EscapeWhileRunning", Qt::Key_Escape, Qt::NoModifier, "\x1b", kRunningBoard, "\x1b"},
        KeyCase{"CtrlBWhileRunning", Qt::Key_B, Qt::ControlModifier, "\x02", kRunningBoard, "\x02"},
        KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, "\x03", kRunningBoard, ""},
        KeyCase{"CtrlShiftZ", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a", kRunningBoard, ""},
        KeyCase{"ShiftedC", Qt::Key_C, Qt::ShiftModifier, "C", kRunningBoard, "C"},
        KeyCase{"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", kRunningBoard, ""},
        KeyCase{"Home", Qt::Key_Home, Qt::NoModifier, "", kRunningBoard, ""},
        KeyCase{"ArrowUp", Qt::Key_Up, Qt::NoModifier, "", kRunningBoard, ""},
        KeyCase{"PageDown", Qt::Key_PageDown, Qt::NoModifier, "", kRunningBoard, ""},
        KeyCase{"ShiftAlone", Qt::Key_Shift, Qt::ShiftModifier, "", kRunningBoard, ""},
        // é is 233 in code page 1250 and goes out unchanged; Š (138) becomes 230.
        KeyCase{"EAcuteUnchanged", 0, Qt::NoModifier, QStringLiteral(u"é"), kRunningBoard, "\xE9"},
        KeyCase{"SCaronTranslated", 0, Qt::NoModifier, QStringLiteral(u"Š"), kRunningBoard, "\xE6"},
        KeyCase{"EuroSign", 0, Qt::NoModifier, QStringLiteral(u"€"), kRunningBoard, "\x80"},
        KeyCase{"NotInCodePage1250", 0, Qt::NoModifier, QStringLiteral(u"ж"), kRunningBoard, ""},
        KeyCase{"TwoCharactersAtOnce", 0, Qt::NoModifier, QStringLiteral(u"ač"), kRunningBoard, "a\x9f"}),
    [](const ::testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.Name); });

struct CopyCase {
    const char* Name;
    int Key;
    Qt::KeyboardModifiers Modifiers;
    bool Selected;
    bool Copies;
};

class CopyKey : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyKey, CopiesOnlyASelection) {
    const CopyCase& c = GetParam();
    EXPECT_EQ(IsTerminalCopyKey(c.Key, c.Modifiers, c.Selected), c.Copies);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CopyKey,
    ::testing::Values(
        CopyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, true, true},
        CopyCase{"CtrlShiftC", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, true, true},
        CopyCase{"CtrlInsert", Qt::Key_Insert, Qt::ControlModifier, true, true},
        CopyCase{"CtrlKeypadInsert", Qt::Key_Insert, Qt::ControlModifier | Qt::KeypadModifier, true, true},
        CopyCase{"CtrlCWithoutSelection", Qt::Key_C, Qt::ControlModifier, false, false},
        CopyCase{"CtrlInsertWithoutSelection", Qt::Key_Insert, Qt::ControlModifier, false, false},
        CopyCase{"PlainC", Qt::Key_C, Qt::NoModifier, true, false},
        CopyCase{"ShiftC", Qt::Key_C, Qt::ShiftModifier, true, false},
        CopyCase{"CtrlAltC", Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, true, false},
        CopyCase{"CtrlX", Qt::Key_X, Qt::ControlModifier, true, false},
        CopyCase{"PlainInsert", Qt::Key_Insert, Qt::NoModifier, true, false}),
    [](const ::testing::TestParamInfo<CopyCase>& param) { return std::string(param.param.Name); });

// The whole translation table, code page 1250 to 852.
TEST(TerminalCodePages, BoardCodesFollowTheTable) {
    const int table[][2] = {{138, 230}, {142, 166}, {154, 231}, {158, 167}, {161, 243}, {162, 244},
                            {163, 157}, {164, 207}, {167, 245}, {168, 249}, {176, 248}, {178, 242},
                            {179, 136}, {180, 239}, {184, 247}, {189, 241}, {198, 143}, {200, 172},
                            {208, 209}, {215, 158}, {223, 225}, {230, 134}, {232, 159}, {240, 208},
                            {247, 246}, {255, 250}};
    int translated = 0;
    for (int code = 0; code < 256; ++code) {
        int expected = code;
        for (const auto& row : table)
            if (row[0] == code) expected = row[1];
        EXPECT_EQ(BoardCode(static_cast<uint8_t>(code)), expected) << "code " << code;
        translated += expected != code;
    }
    EXPECT_EQ(translated, 26);
}

// Each translated character comes back from the board as the same glyph.
TEST(TerminalCodePages, TranslatedCharactersEchoAsThemselves) {
    for (char16_t unicode : {u'Š', u'š', u'Ž', u'ž', u'Ł', u'ł', u'Ć', u'ć', u'Č', u'č', u'Đ', u'đ', u'ß',
                             u'§', u'°', u'×', u'÷'}) {
        const auto sent = TypedKeyByte(QChar(unicode));
        ASSERT_TRUE(sent.has_value());
        EXPECT_EQ(TerminalGlyph(*sent), QChar(unicode)) << int(unicode);
    }
}

TEST(TerminalCodePages, GlyphsOfReceivedBytes) {
    EXPECT_EQ(TerminalGlyph('A'), QLatin1Char('A'));
    EXPECT_EQ(TerminalGlyph(0x7F), QChar(0x2302));
    EXPECT_EQ(TerminalGlyph(0x80), QChar(u'Ç'));
    EXPECT_EQ(TerminalGlyph(0xB0), QChar(0x2591));
    EXPECT_EQ(TerminalGlyph(0xFF), QChar(0x00A0));
    EXPECT_EQ(CodePage1250(QChar(0x0081)), std::nullopt) << "1250 leaves $81 undefined";
    EXPECT_EQ(CodePage1250(QChar(u'ˇ')), 161);
}

} // namespace
} // namespace quorvel
