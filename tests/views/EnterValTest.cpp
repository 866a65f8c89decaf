// The value-entry dialog: what OK accepts, what it refuses, and the keys.
#include <ostream>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "frame/ScriptedPrompt.h"
#include "views/frmEnterVal.h"

namespace quorvel {
namespace {

struct EntryCase {
    const char* Text;
    bool Wide;
    int32_t Expected; // -1: refused
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << '"' << c.Text << (c.Wide ? "\" wide" : "\" byte");
}

class EnterValEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EnterValEntry, OkParsesOrRefuses) {
    const EntryCase& c = GetParam();
    ScriptedPrompt prompt;
    frmEnterVal dialog(prompt, QStringLiteral("D"), QString(), c.Wide);
    dialog.Text->setText(QString::fromLatin1(c.Text));
    dialog.cmdOK_Click();
    if (c.Expected < 0) {
        EXPECT_FALSE(dialog.EnterOK());
        ASSERT_EQ(prompt.Messages(), QStringList{QStringLiteral("Invalid Number !")});
        EXPECT_EQ(prompt.Shown().back().Title, QStringLiteral("Dravik - Enter Value"));
        EXPECT_EQ(prompt.Shown().back().Icon, PromptIcon::Information);
        EXPECT_TRUE(dialog.Text->text().isEmpty()) << "a refused entry is cleared";
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    } else {
        EXPECT_TRUE(dialog.EnterOK());
        EXPECT_EQ(dialog.EnterValue(), c.Expected);
        EXPECT_TRUE(prompt.Messages().isEmpty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, EnterValEntry,
                         ::testing::Values(EntryCase{"$1F", false, 31}, EntryCase{"%101", false, 5},
                                           EntryCase{"@17", false, 15}, EntryCase{"255", false, 255},
                                           EntryCase{"256", false, -1}, EntryCase{"$1FF", false, -1},
                                           EntryCase{"256", true, 256}, EntryCase{"$FFFF", true, 65535},
                                           EntryCase{"65536", true, -1}, EntryCase{"12x", false, -1},
                                           EntryCase{"-1", true, -1}, EntryCase{"$", false, -1}));

// Leading zeros are no reason to cut a pasted number short.
TEST(EnterVal, LongNumbersAreTakenWhole) {
    ScriptedPrompt prompt;
    frmEnterVal dialog(prompt, QStringLiteral("A"), QString(), false);
    dialog.Text->setText(QStringLiteral("%") + QString(39, QLatin1Char('0')) + QStringLiteral("1"));
    dialog.cmdOK_Click();
    ASSERT_TRUE(dialog.EnterOK());
    EXPECT_EQ(dialog.EnterValue(), 1);
}

TEST(EnterVal, ShowsNameAndSelectedText) {
    ScriptedPrompt prompt;
    frmEnterVal dialog(prompt, QStringLiteral("PORTA"), QStringLiteral("%00010001"), false);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter Value"));
    EXPECT_EQ(dialog.Label->text(), QStringLiteral("PORTA:"));
    EXPECT_EQ(dialog.Text->text(), QStringLiteral("%00010001"));
    EXPECT_EQ(dialog.Text->selectedText(), QStringLiteral("%00010001"));
}

TEST(EnterVal, EmptyTextIsIgnoredByOkAndEnter) {
    ScriptedPrompt prompt;
    frmEnterVal dialog(prompt, QStringLiteral("A"), QString(), false);
    dialog.cmdOK_Click();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.EnterOK());
    EXPECT_TRUE(prompt.Shown().empty());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(EnterVal, EnterKeyConfirms) {
    ScriptedPrompt prompt;
    frmEnterVal dialog(prompt, QStringLiteral("A"), QStringLiteral("$05"), false);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.EnterOK());
    EXPECT_EQ(dialog.EnterValue(), 5);
}

TEST(EnterVal, CancelLeavesEnterOkFalse) {
    ScriptedPrompt prompt;
    prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = static_cast<frmEnterVal&>(d);
        dialog.Text->setText(QStringLiteral("12"));
        dialog.cmdCancel->click();
    });
    int32_t value = 99;
    EXPECT_FALSE(EnterValue(prompt, nullptr, QStringLiteral("A"), QStringLiteral("$00"), false, value, {}));
    EXPECT_EQ(value, 99);
}

TEST(EnterVal, HelperReturnsConfirmedValue) {
    ScriptedPrompt prompt;
    prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = static_cast<frmEnterVal&>(d);
        dialog.Text->setText(QStringLiteral("$1234"));
        dialog.cmdOK->click();
    });
    int32_t value = 0;
    EXPECT_TRUE(EnterValue(prompt, nullptr, QStringLiteral("IX"), QStringLiteral("$0000"), true, value, {}));
    EXPECT_EQ(value, 0x1234);
    EXPECT_EQ(prompt.Shown().back().DialogName, QStringLiteral("frmEnterVal"));
}

} // namespace
} // namespace quorvel
