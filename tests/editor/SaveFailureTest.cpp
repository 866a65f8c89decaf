// Saves that cannot be made: the user is told why, the file on disk stays as
// it was and the editor keeps its changes. (The tests run as root, so the
// failures come from folders that are gone or are regular files.)
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>

#include "EditorHarness.h"

namespace quorvel::test {
namespace {

using SaveFailureTest = EditorTest;

TEST_F(SaveFailureTest, TheFolderOfTheFileWentAway) {
    EditorFrame t;
    ASSERT_TRUE(QDir().mkdir(t.Path("src")));
    const QString path = t.Path("src/prog.asm");
    WriteBytes(path, "original\n");
    ASSERT_NE(t.e().OpenFile(path), nullptr);
    frmEditor& editor = t.Active();
    Type(editor, "changed ");
    ASSERT_TRUE(QDir().rename(t.Path("src"), t.Path("moved")));

    t.Trigger("mnuFileSave");
    const QStringList messages = MessagesWithTitles(t.prompt());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Dravik - File Error|Can't Save " + path + " !\n("))
        << messages[0].toStdString();
    EXPECT_EQ(t.prompt().Shown().back().Icon, PromptIcon::Exclamation);
    EXPECT_TRUE(editor.TextChanged());
    EXPECT_TRUE(t.f().CommandEnabled("mnuFileSave"));
    EXPECT_EQ(editor.EditorName(), path);
    EXPECT_EQ(ReadBytes(t.Path("moved/prog.asm")), "original\n");
    EXPECT_FALSE(QFile::exists(t.Path("src")));
    EXPECT_EQ(QDir(t.Path("moved")).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.asm"});
}

TEST_F(SaveFailureTest, SaveAsIntoAFolderThatIsARegularFile) {
    EditorFrame t;
    WriteBytes(t.Path("plain"), "a regular file\n");
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "text");
    t.prompt().AnswerFile(t.Path("plain/prog.asm"));
    t.Trigger("mnuFileSaveAs");

    ASSERT_EQ(t.prompt().Messages().size(), 1);
    EXPECT_TRUE(t.prompt().Messages()[0].startsWith("Can't Save " + t.Path("plain/prog.asm") + " !\n("));
    // The editor keeps its old name and its changes.
    EXPECT_EQ(editor.EditorName(), "");
    EXPECT_EQ(editor.EditorTitle(), "Untitled1.asm");
    EXPECT_TRUE(editor.TextChanged());
    EXPECT_EQ(ReadBytes(t.Path("plain")), "a regular file\n");
    EXPECT_TRUE(t.e().AssembleSource.isEmpty());
}

TEST_F(SaveFailureTest, AFailedSaveOnClosingKeepsTheWindow) {
    EditorFrame t;
    const QString path = t.Path("gone/prog.asm");
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "unsaved work");
    editor.SetEditorName(path); // its folder does not exist

    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.Trigger("mnuFileClose");
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(t.Active().PlainText(), "unsaved work");
    EXPECT_EQ(t.prompt().Messages().size(), 2); // the question, then why the save failed
    EXPECT_FALSE(QFile::exists(path));

    // The exit stops there too.
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    EXPECT_FALSE(t.h.Close());
    EXPECT_FALSE(t.f().Unloaded());
    t.prompt().AnswerMessage(PromptAnswer::No);
    EXPECT_TRUE(t.h.Close());
}

} // namespace
} // namespace quorvel::test
