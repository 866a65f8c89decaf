// Go To Line: the entry, its bounds and where the caret goes.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "EditorHarness.h"
#include "editor/frmLine.h"

namespace quorvel::test {
namespace {

using GoToLineTest = EditorTest;

// Ten lines, "line1" to "line10", no line end after the last.
QString TenLines() {
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines.append(QStringLiteral("line%1").arg(i));
    return lines.join(QLatin1Char('\n'));
}

struct LineFrame : EditorFrame {
    frmEditor* editor = nullptr;
    LineFrame() {
        Trigger("mnuFileNew");
        editor = &Active();
        editor->Text->setPlainText(TenLines());
        editor->Select(7, 0);
    }
    // Runs Go To Line with these entries, pressing OK after each; true when the dialog was accepted.
    bool GoTo(const QStringList& entries, bool cancelAtEnd = false) {
        bool accepted = false;
        prompt().AnswerDialog([&](QDialog& dialog) {
            auto& line = static_cast<frmLine&>(dialog);
            EXPECT_EQ(line.objectName(), "frmLine");
            EXPECT_EQ(line.windowTitle(), "Go To Line");
            for (const QString& entry : entries) {
                line.txtLine->setText(entry);
                line.cmdOK->click();
            }
            if (cancelAtEnd) line.cmdCancel->click();
            accepted = dialog.result() == QDialog::Accepted;
        });
        Trigger("mnuEditGoToLine");
        return accepted;
    }
};

TEST_F(GoToLineTest, TheCaretGoesToTheStartOfTheLine) {
    LineFrame t;
    EXPECT_TRUE(t.GoTo({"3"}));
    EXPECT_EQ(t.editor->Selection(), (TextSelection{12, 0}));
    EXPECT_EQ(t.editor->CaretLine(), 2);
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 3  Col. 1");
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(GoToLineTest, ALineBeyondTheEndGoesToTheLastLine) {
    LineFrame t;
    EXPECT_TRUE(t.GoTo({"999999999"}));
    EXPECT_EQ(t.editor->CaretLine(), 9);
    EXPECT_EQ(t.editor->CaretColumn(), 0);
    EXPECT_TRUE(t.GoTo({"11"}));
    EXPECT_EQ(t.editor->CaretLine(), 9);
    EXPECT_TRUE(t.GoTo({"1"}));
    EXPECT_EQ(t.editor->Selection(), (TextSelection{0, 0}));

    // A final line end starts the last, empty line.
    t.editor->Text->setPlainText(TenLines() + "\n");
    EXPECT_TRUE(t.GoTo({"999999999"}));
    EXPECT_EQ(t.editor->CaretLine(), 10);
}

TEST_F(GoToLineTest, ZeroAndNonDigitsAreRefused) {
    LineFrame t;
    EXPECT_FALSE(t.GoTo({"0", "", "12a"}, true));
    const QStringList expected(3, "Dravik - Go To Line|Please Enter an Integer (1 .. 999999999) !");
    EXPECT_EQ(MessagesWithTitles(t.prompt()), expected);
    EXPECT_EQ(t.prompt().Shown()[1].Icon, PromptIcon::Information);
    EXPECT_EQ(t.editor->Selection(), (TextSelection{7, 0}));

    // After a refusal the entry is empty and the dialog still open for another try.
    t.prompt().Clear();
    EXPECT_TRUE(t.GoTo({"0", "4"}));
    EXPECT_EQ(t.editor->CaretLine(), 3);
    EXPECT_EQ(t.prompt().Messages().size(), 1);
}

TEST_F(GoToLineTest, TheEntryTakesOnlyDigits) {
    ScriptedPrompt prompt;
    frmLine dialog(prompt, nullptr);
    QTest::keyClicks(dialog.txtLine, "1a2-3 4");
    EXPECT_EQ(dialog.txtLine->text(), "1234");
    QTest::keyClick(dialog.txtLine, Qt::Key_Backspace);
    EXPECT_EQ(dialog.txtLine->text(), "123");
    QTest::keyClicks(dialog.txtLine, "4567890123");
    EXPECT_EQ(dialog.txtLine->text(), "123456789");
    dialog.cmdOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(GoToLineTest, CancelLeavesTheCaret) {
    LineFrame t;
    EXPECT_FALSE(t.GoTo({}, true));
    EXPECT_EQ(t.editor->Selection(), (TextSelection{7, 0}));
    EXPECT_TRUE(t.prompt().Messages().isEmpty());
}

} // namespace
} // namespace quorvel::test
