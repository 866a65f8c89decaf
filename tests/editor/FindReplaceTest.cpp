// The find/replace dialog: Find, Find Next, Replace and Replace All on the
// active editor, with the histories and options it keeps between uses.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "EditorHarness.h"
#include "editor/frmReplace.h"

namespace quorvel::test {
namespace {

using FindReplaceTest = EditorTest;

const char* const kSource = "\tldaa\t#1\n\tLDAA\t$10\n\tstaa\t$20\n\tldaa\t#2\n";

struct FindFrame : EditorFrame {
    frmEditor* editor = nullptr;
    FindFrame() {
        Trigger("mnuFileNew");
        editor = &Active();
        editor->Text->setPlainText(QString::fromLatin1(kSource));
        editor->Select(0, 0);
    }
    frmReplace& d() { return e().ReplaceDialog(); }
    void Search(const QString& what, bool down = true, bool matchCase = false) {
        d().cbWhat->setEditText(what);
        (down ? d().optDown : d().optUp)->setChecked(true);
        d().chkCase->setChecked(matchCase);
    }
};

TEST_F(FindReplaceTest, TheDialogIsLoadedHiddenAtStartUp) {
    EditorFrame t;
    frmReplace& dialog = t.e().ReplaceDialog();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.parent(), &t.f());
    EXPECT_TRUE(dialog.optDown->isChecked());
    EXPECT_FALSE(dialog.chkCase->isChecked());
    EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
}

TEST_F(FindReplaceTest, FindShowsTheFindLayout) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    EXPECT_TRUE(t.d().isVisible());
    EXPECT_EQ(t.d().windowTitle(), "Find");
    EXPECT_EQ(t.d().LastMode(), frmReplace::Mode::Find);
    EXPECT_FALSE(t.d().lbWith->isVisibleTo(&t.d()));
    EXPECT_FALSE(t.d().cbWith->isVisibleTo(&t.d()));
    EXPECT_FALSE(t.d().cmdReplaceAll->isVisibleTo(&t.d()));
    EXPECT_EQ(t.d().cmdReplace->text(), "&Replace ...");

    // In the Find layout the Replace button switches to the Replace layout.
    t.Search("ldaa");
    t.d().cmdReplace->click();
    EXPECT_EQ(t.d().LastMode(), frmReplace::Mode::Replace);
    EXPECT_EQ(t.d().windowTitle(), "Replace");
    EXPECT_TRUE(t.d().cbWith->isVisibleTo(&t.d()));
    EXPECT_TRUE(t.d().cmdReplaceAll->isVisibleTo(&t.d()));
    EXPECT_EQ(t.d().cmdReplace->text(), "&Replace");
    EXPECT_EQ(t.editor->PlainText(), kSource);
}

TEST_F(FindReplaceTest, FindNextGoesDownThroughTheHits) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    t.Search("ldaa");
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{1, 4}));
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{10, 4})); // LDAA: case is off
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{30, 4}));
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{30, 4})); // unchanged when nothing is found
    EXPECT_EQ(MessagesWithTitles(t.prompt()), QStringList{"Dravik - Search|Search Text not found !"});
    EXPECT_EQ(t.prompt().Shown().back().Icon, PromptIcon::Exclamation);
}

TEST_F(FindReplaceTest, MatchCaseTellsLdaaFromLDAA) {
    FindFrame t;
    t.editor->Text->setPlainText("\tLDAA\t#1\n");
    t.Trigger("mnuEditFind");
    t.Search("ldaa", true, true);
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{0, 0}));
    EXPECT_EQ(t.prompt().Messages(), QStringList{"Search Text not found !"});
    t.d().chkCase->setChecked(false);
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{1, 4}));
}

TEST_F(FindReplaceTest, SearchingUpFindsTheHitBeforeTheCaret) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    t.Search("ldaa", false);
    // From the very beginning there is nothing before the caret.
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.prompt().Messages(), QStringList{"Search Text not found !"});
    EXPECT_EQ(t.editor->Selection(), (TextSelection{0, 0}));

    t.editor->Select(qsizetype(strlen(kSource)), 0);
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{30, 4}));
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{10, 4}));
    t.d().cmdFindNext->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{1, 4}));
}

TEST_F(FindReplaceTest, FindTakesTheSelectionAndRemembersTheSearch) {
    FindFrame t;
    t.editor->Select(20, 4); // "staa"
    t.Trigger("mnuEditFind");
    EXPECT_EQ(t.d().cbWhat->currentText(), "staa");
    EXPECT_EQ(t.d().cbWhat->itemText(0), "staa");
    t.d().cmdCancel->click();
    EXPECT_FALSE(t.d().isVisible());

    // Without a selection the most recent search comes back.
    t.editor->Select(0, 0);
    t.Trigger("mnuEditFind");
    EXPECT_EQ(t.d().cbWhat->currentText(), "staa");
    t.d().cbWhat->setEditText("ldaa");
    t.d().optUp->setChecked(true);
    t.d().cmdFindNext->click();
    t.d().cmdCancel->click();

    t.editor->Select(0, 0);
    t.Trigger("mnuEditReplace");
    EXPECT_EQ(t.d().cbWhat->currentText(), "ldaa");
    EXPECT_EQ(t.d().cbWhat->count(), 2);
    EXPECT_TRUE(t.d().optUp->isChecked());
}

TEST_F(FindReplaceTest, FindNextFromTheMenuRepeatsTheSearchWithoutTheDialog) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    t.Search("staa");
    t.d().cmdCancel->click();
    t.f().ToolButton("mnuEditFindNext")->trigger();
    EXPECT_FALSE(t.d().isVisible());
    EXPECT_EQ(t.editor->Selection(), (TextSelection{20, 4}));
    t.Trigger("mnuEditFindNext");
    EXPECT_EQ(t.prompt().Messages(), QStringList{"Search Text not found !"});
}

TEST_F(FindReplaceTest, FindNextWithNoSearchYetOpensTheFindDialog) {
    FindFrame t;
    t.Trigger("mnuEditFindNext");
    EXPECT_TRUE(t.d().isVisible());
    EXPECT_EQ(t.d().LastMode(), frmReplace::Mode::Find);
    EXPECT_TRUE(t.prompt().Shown().empty());
}

TEST_F(FindReplaceTest, TheButtonsNeedASearchText) {
    FindFrame t;
    t.Trigger("mnuEditReplace");
    t.d().cbWhat->setEditText("");
    EXPECT_FALSE(t.d().cmdFindNext->isEnabled());
    EXPECT_FALSE(t.d().cmdReplace->isEnabled());
    EXPECT_FALSE(t.d().cmdReplaceAll->isEnabled());
    t.d().cbWhat->setEditText("x");
    EXPECT_TRUE(t.d().cmdFindNext->isEnabled());
    EXPECT_TRUE(t.d().cmdReplace->isEnabled());
    EXPECT_TRUE(t.d().cmdReplaceAll->isEnabled());
}

TEST_F(FindReplaceTest, ReplaceFindsFirstThenReplacesTheHit) {
    FindFrame t;
    t.Trigger("mnuEditReplace");
    t.Search("ldaa", true, true);
    t.d().cbWith->setEditText("ldab");
    t.d().cmdReplace->click(); // nothing selected: finds
    EXPECT_EQ(t.editor->Selection(), (TextSelection{1, 4}));
    EXPECT_EQ(t.editor->PlainText(), kSource);
    t.d().cmdReplace->click(); // replaces and selects what it put in
    EXPECT_TRUE(t.editor->PlainText().startsWith("\tldab\t#1\n"));
    EXPECT_EQ(t.editor->Selection(), (TextSelection{1, 4}));
    EXPECT_EQ(t.editor->SelectedText(), "ldab");
    t.d().cmdReplace->click(); // finds the next (LDAA does not match case)
    EXPECT_EQ(t.editor->Selection(), (TextSelection{30, 4}));
    t.d().cmdReplace->click();
    EXPECT_EQ(t.editor->PlainText(), "\tldab\t#1\n\tLDAA\t$10\n\tstaa\t$20\n\tldab\t#2\n");
    EXPECT_EQ(t.d().cbWith->itemText(0), "ldab");
    EXPECT_TRUE(t.prompt().Shown().empty());
}

TEST_F(FindReplaceTest, ReplaceWithoutMatchCaseReplacesADifferentlyCasedHit) {
    FindFrame t;
    t.editor->Text->setPlainText("LDAA ldaa");
    t.Trigger("mnuEditReplace");
    t.Search("ldaa");
    t.d().cbWith->setEditText("LdaA");
    t.d().cmdReplace->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{0, 4}));
    t.d().cmdReplace->click();
    EXPECT_EQ(t.editor->PlainText(), "LdaA ldaa");
    // What it put in matches the search too, yet the next press moves on.
    t.d().cmdReplace->click();
    EXPECT_EQ(t.editor->Selection(), (TextSelection{5, 4}));
    t.d().cmdReplace->click();
    EXPECT_EQ(t.editor->PlainText(), "LdaA LdaA");
}

TEST_F(FindReplaceTest, ReplaceAllReportsHowManyItReplaced) {
    FindFrame t;
    t.Trigger("mnuEditReplace");
    t.Search("ldaa");
    t.d().cbWith->setEditText("ldx");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.editor->PlainText(), "\tldx\t#1\n\tldx\t$10\n\tstaa\t$20\n\tldx\t#2\n");
    EXPECT_EQ(MessagesWithTitles(t.prompt()), QStringList{"Dravik - Replace|3 items replaced !"});
    EXPECT_EQ(t.prompt().Shown().back().Icon, PromptIcon::Information);
    EXPECT_TRUE(t.editor->TextChanged());

    // One undo takes the whole Replace All back.
    t.Trigger("mnuEditUndo");
    EXPECT_EQ(t.editor->PlainText(), kSource);

    t.prompt().Clear();
    t.editor->Select(0, 0);
    t.Search("staa");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(MessagesWithTitles(t.prompt()), QStringList{"Dravik - Replace|1 item replaced !"});

    t.prompt().Clear();
    t.Search("nothing");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(MessagesWithTitles(t.prompt()), QStringList{"Dravik - Search|Search Text not found !"});
}

TEST_F(FindReplaceTest, ReplaceAllStartsAtTheCaretInEitherDirection) {
    FindFrame t;
    t.editor->Text->setPlainText("a a a a");
    t.Trigger("mnuEditReplace");
    t.d().cbWith->setEditText("b");
    t.editor->Select(3, 0);
    t.Search("a");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.editor->PlainText(), "a a b b");
    t.editor->Select(3, 0);
    t.Search("a", false);
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.editor->PlainText(), "b b b b");
    EXPECT_EQ(t.prompt().Messages(), (QStringList{"2 items replaced !", "2 items replaced !"}));
}

TEST_F(FindReplaceTest, ReplaceAllWithTextHoldingTheSearchEnds) {
    FindFrame t;
    t.editor->Text->setPlainText("x x x");
    t.Trigger("mnuEditReplace");
    t.d().cbWith->setEditText("xx");
    t.Search("x");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.editor->PlainText(), "xx xx xx");
    t.editor->Select(8, 0);
    t.Search("x", false);
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.editor->PlainText(), "xxxx xxxx xxxx");
    EXPECT_EQ(t.prompt().Messages(), (QStringList{"3 items replaced !", "6 items replaced !"}));
}

TEST_F(FindReplaceTest, ReplaceAllCountsBeyond32767) {
    FindFrame t;
    t.editor->Text->setPlainText(QString(40000, QLatin1Char('z')));
    t.Trigger("mnuEditReplace");
    t.Search("z");
    t.d().cbWith->setEditText("y");
    t.d().cmdReplaceAll->click();
    EXPECT_EQ(t.prompt().Messages(), QStringList{"40000 items replaced !"});
    EXPECT_EQ(t.editor->PlainText(), QString(40000, QLatin1Char('y')));
}

TEST_F(FindReplaceTest, HistoriesHoldEachTextOnceNewestFirst) {
    FindFrame t;
    t.Trigger("mnuEditReplace");
    for (const char* what : {"one", "two", "one", ""}) {
        t.d().cbWhat->setEditText(what);
        t.d().cbWith->setEditText(QString::fromLatin1(what).toUpper());
        t.d().AddItem();
    }
    ASSERT_EQ(t.d().cbWhat->count(), 2);
    EXPECT_EQ(t.d().cbWhat->itemText(0), "two");
    EXPECT_EQ(t.d().cbWhat->itemText(1), "one");
    EXPECT_EQ(t.d().cbWith->count(), 2);
    EXPECT_EQ(t.d().cbWith->itemText(0), "TWO");
}

TEST_F(FindReplaceTest, EscapeAndClickingIntoTheEditorEndTheDialog) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    ASSERT_TRUE(t.d().isVisible());
    QTest::keyClick(&t.d(), Qt::Key_Escape);
    EXPECT_FALSE(t.d().isVisible());

    t.Trigger("mnuEditFind");
    ASSERT_TRUE(t.d().isVisible());
    t.f().activateWindow();
    t.editor->Text->setFocus();
    Settle();
    EXPECT_FALSE(t.d().isVisible());
    // Its search stays for next time.
    t.d().cbWhat->setEditText("staa");
    t.d().AddItem();
    t.Trigger("mnuEditFind");
    EXPECT_EQ(t.d().cbWhat->currentText(), "staa");
}

TEST_F(FindReplaceTest, CancelHidesTheDialogAndItCloses) {
    FindFrame t;
    t.Trigger("mnuEditFind");
    t.d().cmdCancel->click();
    EXPECT_FALSE(t.d().isVisible());
    // The dialog goes with the frame.
    t.Trigger("mnuEditReplace");
    EXPECT_TRUE(t.d().isVisible());
    t.prompt().AnswerMessage(PromptAnswer::No); // the text was changed
    ASSERT_TRUE(t.h.Close());
    EXPECT_FALSE(t.d().isVisible());
}

} // namespace
} // namespace quorvel::test
