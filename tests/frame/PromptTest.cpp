// The scripted prompt records what was shown and answers from its queue.
#include <QDialog>
#include <QPrinter>

#include <gtest/gtest.h>

#include "frame/Prompt.h"
#include "frame/ScriptedPrompt.h"

namespace quorvel::test {
namespace {

TEST(PromptTest, TitlesAndTwoLineMessages) {
    EXPECT_EQ(DravikTitle("Watch Error"), "Dravik - Watch Error");
    EXPECT_EQ(TwoLines(" Can't Add Watch !", "(Max. Watches = 32)"),
              " Can't Add Watch !\n(Max. Watches = 32)");
}

TEST(ScriptedPromptTest, RecordsMessagesAndAnswersThem) {
    ScriptedPrompt prompt;
    prompt.AnswerMessage(PromptAnswer::No);
    EXPECT_EQ(prompt.Message("Dravik - Warning", "Save changes to a.asm ?", PromptIcon::Exclamation,
                             PromptButtons::YesNoCancel),
              PromptAnswer::No);
    // An OK-only box needs no queued answer.
    EXPECT_EQ(prompt.Message("Dravik - Enter Value", "Invalid Number !", PromptIcon::Information),
              PromptAnswer::OK);
    ASSERT_EQ(prompt.Shown().size(), 2U);
    EXPECT_EQ(prompt.Shown()[0].Title, "Dravik - Warning");
    EXPECT_EQ(prompt.Shown()[0].Icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt.Shown()[0].Buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(prompt.Messages(), (QList<QString>{"Save changes to a.asm ?", "Invalid Number !"}));
    EXPECT_TRUE(prompt.Problems().isEmpty());
    EXPECT_EQ(prompt.Pending(), 0U);
}

TEST(ScriptedPromptTest, AQuestionWithoutAnAnswerIsRefusedAndNoted) {
    ScriptedPrompt prompt;
    EXPECT_EQ(prompt.Message("t", "Sure ?", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::No);
    EXPECT_EQ(prompt.Message("t", "Go on ?", PromptIcon::Question, PromptButtons::OKCancel),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompt.Problems().size(), 2);
}

TEST(ScriptedPromptTest, AnswerOfTheWrongKindIsNotConsumed) {
    ScriptedPrompt prompt;
    prompt.AnswerFont({"Courier New", 10, false, false});
    FileRequest request;
    request.Title = "Open";
    EXPECT_FALSE(prompt.OpenFile(request).Accepted);
    EXPECT_EQ(prompt.Problems().size(), 1);
    FontSetting font;
    EXPECT_TRUE(prompt.ChooseFont("Screen Font", font, true));
    EXPECT_EQ(font.Name, "Courier New");
    EXPECT_TRUE(prompt.Shown().back().FixedPitchOnly);
}

TEST(ScriptedPromptTest, FileDialogs) {
    ScriptedPrompt prompt;
    prompt.AnswerFile("/tmp/a.lst", 2);
    prompt.CancelFile();
    FileRequest request;
    request.Title = "Load Symbols";
    request.Filter = "Listing Files (*.lst)|*.lst|All Files (*.*)|*.*";
    request.FilterIndex = 1;
    const FileAnswer chosen = prompt.OpenFile(request);
    EXPECT_TRUE(chosen.Accepted);
    EXPECT_EQ(chosen.FileName, "/tmp/a.lst");
    EXPECT_EQ(chosen.FilterIndex, 2);
    const FileAnswer cancelled = prompt.SaveFile(request);
    EXPECT_FALSE(cancelled.Accepted);
    EXPECT_EQ(prompt.Shown()[0].What, ScriptedPrompt::Kind::OpenFile);
    EXPECT_EQ(prompt.Shown()[1].What, ScriptedPrompt::Kind::SaveFile);
    EXPECT_EQ(prompt.Shown()[0].File.Filter, request.Filter);
    EXPECT_TRUE(prompt.Problems().isEmpty());
}

TEST(ScriptedPromptTest, PrintDialog) {
    ScriptedPrompt prompt;
    prompt.AnswerPrint(true);
    QPrinter printer;
    EXPECT_TRUE(prompt.PrintDialog(printer, PrintMode::PrintSetup));
    EXPECT_EQ(prompt.Shown().back().Mode, PrintMode::PrintSetup);
    EXPECT_FALSE(prompt.PrintDialog(printer, PrintMode::Print));
    EXPECT_EQ(prompt.Problems().size(), 1);
}

TEST(ScriptedPromptTest, DialogsRunTheirScript) {
    ScriptedPrompt prompt;
    prompt.AnswerDialog([](QDialog& dialog) { dialog.accept(); });
    prompt.AnswerDialog([](QDialog&) {});
    QDialog dialog;
    dialog.setObjectName("frmTest");
    dialog.setWindowTitle("Test");
    EXPECT_EQ(prompt.ShowModal(dialog), QDialog::Accepted);
    EXPECT_EQ(prompt.ShowModal(dialog), QDialog::Rejected);
    EXPECT_EQ(prompt.ShowModal(dialog), QDialog::Rejected); // nothing queued
    EXPECT_EQ(prompt.Shown()[0].DialogName, "frmTest");
    EXPECT_EQ(prompt.Shown()[0].Title, "Test");
    EXPECT_EQ(prompt.Problems().size(), 1);
}

} // namespace
} // namespace quorvel::test
