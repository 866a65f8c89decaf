// The Go To Address dialog: numbers, labels, and what it refuses; and the
// disassembly window showing the address it hands back.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "CodeToolsHarness.h"
#include "ListingText.h"
#include "codetools/ListingParser.h"
#include "codetools/frmAddress.h"

namespace quorvel::test {
namespace {

using GoToAddressTest = FrameTest;

SymbolTable Labels() {
    return ParseListing(ListingFile({ListingLineText(1, 0xE000, {0x86, 0x41}, "START    LDAA #$41"),
                                     ListingLineText(2, 0xE010, {0x01}, "loop     NOP"),
                                     ListingLineText(3, 0xF000, {0x01}, "START    NOP")}));
}

// Types text into the dialog and presses OK.
bool Enter(frmAddress& dialog, const QString& text) {
    dialog.txtAdr->setText(text);
    dialog.cmdOK->click();
    return dialog.result() == QDialog::Accepted;
}

TEST_F(GoToAddressTest, TheDialog) {
    ScriptedPrompt prompt;
    const SymbolTable table = Labels();
    frmAddress dialog(table, prompt);
    EXPECT_EQ(dialog.windowTitle(), "Go To Address");
    EXPECT_EQ(dialog.objectName(), "frmAddress");
    EXPECT_EQ(dialog.cmdCancel->text(), "Cancel");
    EXPECT_EQ(dialog.cmdOK->text(), "OK");
}

TEST_F(GoToAddressTest, NumbersAndUpperCaseLabelsAreAddresses) {
    ScriptedPrompt prompt;
    const SymbolTable table = Labels();
    const struct {
        const char* Text;
        int32_t Address;
    } cases[] = {{"$E000", 0xE000}, {"57344", 0xE000}, {"$ffff", 0xFFFF}, {"%101", 5},
                 {"@17", 15},       {"START", 0xE000}, {"start", 0xE000}, {"0", 0}};
    for (const auto& c : cases) {
        frmAddress dialog(table, prompt);
        EXPECT_TRUE(Enter(dialog, c.Text)) << c.Text;
        EXPECT_TRUE(dialog.AddressEntered) << c.Text;
        EXPECT_EQ(dialog.Address, c.Address) << c.Text;
    }
    EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(GoToAddressTest, AnythingElseIsRefusedAndTheDialogStays) {
    ScriptedPrompt prompt;
    const SymbolTable table = Labels();
    for (const char* text : {"loop", "NOWHERE", "65536", "$10000", "-1", " $E000", "$"}) {
        prompt.Clear();
        frmAddress dialog(table, prompt);
        EXPECT_FALSE(Enter(dialog, text)) << text;
        EXPECT_FALSE(dialog.AddressEntered) << text;
        EXPECT_TRUE(dialog.txtAdr->text().isEmpty()) << text;
        ASSERT_EQ(prompt.Shown().size(), 1U) << text;
        EXPECT_EQ(prompt.Shown()[0].Title, "Dravik - Go To Address");
        EXPECT_EQ(prompt.Shown()[0].Text, "Invalid Address !");
        EXPECT_EQ(prompt.Shown()[0].Icon, PromptIcon::Information);
    }
    // OK with an empty box does nothing.
    prompt.Clear();
    frmAddress dialog(table, prompt);
    EXPECT_FALSE(Enter(dialog, ""));
    EXPECT_TRUE(prompt.Shown().empty());
    // Cancel closes it without an address.
    dialog.cmdCancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.AddressEntered);
}

TEST_F(GoToAddressTest, EnterActsAsOK) {
    ScriptedPrompt prompt;
    const SymbolTable table = Labels();
    frmAddress dialog(table, prompt);
    dialog.show();
    dialog.txtAdr->setText("$F000");
    QTest::keyClick(dialog.txtAdr, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Address, 0xF000);
}

TEST_F(GoToAddressTest, TheWindowShowsTheAddress) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xF100, {0x01}, "TARGET   NOP")});
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    for (const auto& [text, address] : {std::pair{"$E000", 0xE000}, {"57344", 0xE000}, {"TARGET", 0xF100}}) {
        w->SetCurRow(3);
        const QString typed = text;
        c.h.prompt.AnswerDialog([typed](QDialog& d) {
            auto& dialog = static_cast<frmAddress&>(d);
            dialog.txtAdr->setText(typed);
            dialog.cmdOK->click();
        });
        c.f().Command("mnuDebugGoToAddress")->trigger();
        EXPECT_EQ(w->PageAddress, address) << text;
        EXPECT_EQ(c.State().ProgramPageAddress, address) << text;
        EXPECT_EQ(w->CurRow, 1) << text;
        EXPECT_EQ(w->Lines[0].Address, address) << text;
    }
    // Cancelled: the window stays where it is.
    w->SetCurRow(4);
    c.h.prompt.AnswerDialog([](QDialog& d) { d.reject(); });
    c.f().Command("mnuDebugGoToAddress")->trigger();
    EXPECT_EQ(w->PageAddress, 0xF100);
    EXPECT_EQ(w->CurRow, 4);
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
}

} // namespace
} // namespace quorvel::test
