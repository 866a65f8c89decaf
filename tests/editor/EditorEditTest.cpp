// Typing, the one level of undo, the clipboard commands, the caret panel,
// tab stops and the screen font.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include "EditorHarness.h"
#include "editor/EditorText.h"
#include "frame/Fonts.h"
#include "frame/frmOptions.h"

namespace quorvel::test {
namespace {

using EditorEditTest = EditorTest;

TEST_F(EditorEditTest, TypingMarksTheTextChangedAndOffersUndo) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    EXPECT_FALSE(editor.Undo());
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_FALSE(t.f().CommandEnabled("mnuFileSave"));

    Type(editor, "ldaa");
    EXPECT_TRUE(editor.Undo());
    EXPECT_FALSE(editor.Redo());
    EXPECT_TRUE(editor.TextChanged());
    EXPECT_TRUE(editor.property("TextChanged").toBool());
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_TRUE(t.f().ToolButton("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(t.f().ToolButton("mnuEditRedo")->isEnabled());
    EXPECT_TRUE(t.f().ToolButton("mnuFileSave")->isEnabled());
}

TEST_F(EditorEditTest, UndoAndRedoFromTheMenuToggleOneLevel) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "ldaa");

    t.Trigger("mnuEditUndo");
    EXPECT_EQ(editor.PlainText(), "");
    EXPECT_FALSE(editor.Undo());
    EXPECT_TRUE(editor.Redo());
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditRedo"));
    EXPECT_TRUE(t.f().ToolButton("mnuEditRedo")->isEnabled());

    t.f().ToolButton("mnuEditRedo")->trigger();
    EXPECT_EQ(editor.PlainText(), "ldaa");
    EXPECT_TRUE(editor.Undo());
    EXPECT_FALSE(editor.Redo());
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditRedo"));
}

TEST_F(EditorEditTest, TheUndoKeyPressedTwiceTakesTheUndoBack) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "abc");
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.PlainText(), "");
    EXPECT_TRUE(editor.Redo());
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.PlainText(), "abc");
    EXPECT_TRUE(editor.Undo());
    Press(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.PlainText(), "");
    Press(editor, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.PlainText(), "abc");
    EXPECT_FALSE(editor.Redo());
}

TEST_F(EditorEditTest, ClipboardCommandsWorkOnTheSelection) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "hello world");
    QGuiApplication::clipboard()->clear();
    editor.Select(0, 0);
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditCut"));
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditCopy"));
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditDelete"));

    editor.Select(6, 5);
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditCut"));
    EXPECT_TRUE(t.f().ToolButton("mnuEditCopy")->isEnabled());
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditDelete"));

    t.Trigger("mnuEditCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "world");
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditPaste"));
    t.Trigger("mnuEditCut");
    EXPECT_EQ(editor.PlainText(), "hello ");
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditCut"));

    editor.Select(0, 0);
    t.f().ToolButton("mnuEditPaste")->trigger();
    EXPECT_EQ(editor.PlainText(), "worldhello ");
    EXPECT_EQ(editor.Selection(), (TextSelection{5, 0}));

    editor.Select(5, 5);
    t.Trigger("mnuEditDelete");
    EXPECT_EQ(editor.PlainText(), "world ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "world");

    t.Trigger("mnuEditSelectAll");
    EXPECT_EQ(editor.Selection(), (TextSelection{0, 6}));

    // Paste is offered only while the clipboard holds text.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    EXPECT_FALSE(t.f().CommandEnabled("mnuEditPaste"));
    QGuiApplication::clipboard()->setText("x");
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditPaste"));
}

TEST_F(EditorEditTest, MultiLineSelectionsCopyWithLineFeeds) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    editor.Text->setPlainText("one\ntwo\n");
    editor.Select(1, 5);
    t.Trigger("mnuEditCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ne\ntw");
}

TEST_F(EditorEditTest, StatusPanelFiveFollowsTheCaret) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 1  Col. 1");
    Type(editor, "\tldaa\t#1");
    Press(editor, Qt::Key_Return);
    Type(editor, "\tst");
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 2  Col. 4");
    editor.Select(3, 4); // the selection start counts
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 1  Col. 4");
    Press(editor, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 1  Col. 1");

    t.Trigger("mnuFileNew");
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "Line 1  Col. 1");
    t.prompt().AnswerMessage(PromptAnswer::No);
    t.f().mdiArea->closeAllSubWindows();
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 0);
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "");
}

TEST_F(EditorEditTest, TabStopsLieEveryNineBlanks) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    const double blank = QFontMetricsF(editor.Text->font()).horizontalAdvance(QLatin1Char(' '));
    EXPECT_DOUBLE_EQ(editor.Text->tabStopDistance(), 9 * blank);

    // A tab moves the caret as far as nine blanks do.
    editor.Text->setPlainText("\tX\n         X");
    QTextCursor cursor = editor.Text->textCursor();
    cursor.setPosition(1);
    editor.Text->setTextCursor(cursor);
    const int afterTab = editor.Text->cursorRect().left();
    cursor.setPosition(3 + 9);
    editor.Text->setTextCursor(cursor);
    EXPECT_NEAR(editor.Text->cursorRect().left(), afterTab, 1);
}

TEST_F(EditorEditTest, TheScreenFontComesFromTheSettingsAndTheOptions) {
    EditorFrame t;
    t.f().ScreenFont = {"DejaVu Sans Mono", 11, true, false};
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    EXPECT_EQ(editor.Text->font().family(), "DejaVu Sans Mono");
    EXPECT_EQ(editor.Text->font().pointSizeF(), 11.0);
    EXPECT_TRUE(editor.Text->font().bold());

    // The stored name "Fixedsys" is missing here: the system's fixed font stands in.
    t.prompt().AnswerDialog([&t](QDialog& dialog) {
        auto& options = static_cast<frmOptions&>(dialog);
        t.prompt().AnswerFont({"Fixedsys", 14, false, true});
        options.cmdESet->click();
        options.cmdOK->click();
    });
    t.Trigger("mnuViewOptions");
    EXPECT_EQ(editor.Text->font(), ResolveFont({"Fixedsys", 14, false, true}));
    EXPECT_TRUE(editor.Text->font().italic());
    const double blank = QFontMetricsF(editor.Text->font()).horizontalAdvance(QLatin1Char(' '));
    EXPECT_DOUBLE_EQ(editor.Text->tabStopDistance(), 9 * blank);
    EXPECT_FALSE(editor.TextChanged());
    EXPECT_FALSE(editor.Undo());
}

TEST_F(EditorEditTest, EditingCommandsFollowTheActiveWindow) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "x");
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditFind"));

    QMdiSubWindow* view = t.f().AddChildForm(MakeForm("a view"));
    view->show();
    t.f().mdiArea->setActiveSubWindow(view);
    Settle();
    for (const char* name : {"mnuEditFind", "mnuEditUndo", "mnuFileSave", "mnuFileSaveAs", "mnuFileClose",
                             "mnuFilePrint", "mnuEditGoToLine", "mnuEditSelectAll", "mnuEditPaste"})
        EXPECT_FALSE(t.f().CommandEnabled(name)) << name;
    EXPECT_EQ(t.e().ActiveEditor(), nullptr);
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "");

    t.f().mdiArea->setActiveSubWindow(t.f().EditorWindows().constFirst());
    Settle();
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditFind"));
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_TRUE(t.f().CommandEnabled("mnuFileSave"));
}

TEST_F(EditorEditTest, OpeningTheEditMenuRefreshesItsItems) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "abc");
    // Changed behind the frame's back: the menu sets it right when it opens.
    t.f().SetCommandEnabled("mnuEditUndo", false);
    QGuiApplication::clipboard()->setText("clip");
    t.f().SetCommandEnabled("mnuEditPaste", false);
    emit t.f().Menu("mnuEdit")->aboutToShow();
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditUndo"));
    EXPECT_TRUE(t.f().CommandEnabled("mnuEditPaste"));
}

} // namespace
} // namespace quorvel::test
