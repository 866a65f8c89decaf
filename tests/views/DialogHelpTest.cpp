// F1 in the entry dialogs: each dialog carries its help topic, F1 pressed in
// it calls its creator's hook with that topic, and in the frame the hook opens
// the help window there.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "FrameHarness.h"
#include "codetools/SymbolTable.h"
#include "codetools/frmAddress.h"
#include "editor/frmLine.h"
#include "editor/frmReplace.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/ScriptedPrompt.h"
#include "frame/frmOptions.h"
#include "views/frmEnterVal.h"
#include "views/frmMemAdr.h"
#include "views/frmWatchAdr.h"

namespace quorvel::test {
namespace {

struct DialogCase {
    const char* Name;
    std::function<std::unique_ptr<QDialog>(Prompt&, const SymbolTable&)> Make;
    int Topic;
};

class DialogTopic : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DialogTopic, TheDialogCarriesItsTopic) {
    ScriptedPrompt prompt;
    SymbolTable symbols;
    const std::unique_ptr<QDialog> dialog = GetParam().Make(prompt, symbols);
    EXPECT_EQ(DialogHelpTopic(*dialog), GetParam().Topic);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogTopic,
    ::testing::Values(
        DialogCase{"EnterValue",
                   [](Prompt& p, const SymbolTable&) {
                       return std::make_unique<frmEnterVal>(p, QStringLiteral("A"), QString(), false);
                   },
                   kTopicEnterValue},
        DialogCase{"WatchAddress",
                   [](Prompt& p, const SymbolTable& s) {
                       return std::make_unique<frmWatchAdr>(p, s, QString(), false);
                   },
                   kTopicWatchAddress},
        DialogCase{"MemoryAddress",
                   [](Prompt& p, const SymbolTable&) { return std::make_unique<frmMemAdr>(p); },
                   kTopicContents},
        DialogCase{"GoToAddress",
                   [](Prompt& p, const SymbolTable& s) { return std::make_unique<frmAddress>(s, p); },
                   kTopicContents},
        DialogCase{"GoToLine",
                   [](Prompt& p, const SymbolTable&) { return std::make_unique<frmLine>(p, nullptr); },
                   kTopicContents},
        DialogCase{"FindReplace",
                   [](Prompt& p, const SymbolTable&) {
                       return std::make_unique<frmReplace>(p,
                                                           [] { return static_cast<frmEditor*>(nullptr); });
                   },
                   kTopicContents},
        DialogCase{"Options",
                   [](Prompt& p, const SymbolTable&) {
                       return std::make_unique<frmOptions>(OptionsValues{}, QStringList(), p);
                   },
                   kTopicContents}),
    [](const ::testing::TestParamInfo<DialogCase>& param) { return std::string(param.param.Name); });

// F1 typed into the value box travels up to the dialog, which hands its
// topic to the hook; the watch window asks for its own topic.
TEST(DialogHelp, F1InTheValueEntryCallsTheHookWithItsTopic) {
    for (const int topic : {kTopicEnterValue, kTopicWatchEnterValue}) {
        ScriptedPrompt prompt;
        std::vector<int> shown;
        prompt.AnswerDialog([](QDialog& dialog) {
            dialog.show();
            auto* text = dialog.findChild<QLineEdit*>(QStringLiteral("Text"));
            ASSERT_NE(text, nullptr);
            QTest::keyClick(text, Qt::Key_F1);
            QTest::keyClick(text, Qt::Key_F1, Qt::ShiftModifier);
            dialog.reject();
        });
        int32_t value = 0;
        EXPECT_FALSE(EnterValue(
            prompt, nullptr, QStringLiteral("A"), QStringLiteral("$05"), false, value,
            [&shown](int t) { shown.push_back(t); }, topic));
        EXPECT_EQ(shown, std::vector<int>{topic}) << "once, for F1 alone";
    }
}

// In the frame: F1 in Debug > Add Watch's dialog opens the help window at its topic.
TEST(DialogHelp, TheFrameShowsTheTopicOfTheWatchDialog) {
    ClearSettings();
    Harness h;
    h.frame->SetHelpFolder(QStringLiteral(QUORVEL_TEST_HELP_DIR));
    h.frame->show();
    h.prompt.AnswerDialog([](QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        auto* address = dialog.findChild<QLineEdit*>(QStringLiteral("txtAdr"));
        ASSERT_NE(address, nullptr);
        QTest::keyClick(address, Qt::Key_F1);
        dialog.reject();
    });
    h.frame->Command(QStringLiteral("mnuDebugAddWatch"))->trigger();
    ASSERT_NE(h.frame->Help(), nullptr);
    EXPECT_EQ(h.frame->Help()->txtHelp->source().fileName(), "views.html");
    EXPECT_EQ(h.frame->Help()->txtHelp->source().fragment(), QString::number(kTopicWatchAddress));
    h.frame.reset();
    ClearSettings();
}

} // namespace
} // namespace quorvel::test
