// New, Open, Save, Save As and Close on editor windows, the recent files and
// the files named on the command line.
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "EditorHarness.h"
#include "editor/EditorText.h"
#include "editor/EditorTexts.h"
#include "editor/frmReplace.h"

namespace quorvel::test {
namespace {

using EditorFileTest = EditorTest;

const char* const kEditingCommands[] = {
    "mnuEditUndo",     "mnuEditRedo",    "mnuEditCut",       "mnuEditCopy",
    "mnuEditPaste",    "mnuEditDelete",  "mnuEditSelectAll", "mnuEditFind",
    "mnuEditFindNext", "mnuEditReplace", "mnuEditGoToLine",  "mnuFileSave",
    "mnuFileSaveAs",   "mnuFileClose",   "mnuFilePrint",     "mnuFilePrintPreview",
};

TEST_F(EditorFileTest, WithoutAnEditorOnlyTheFileCommandsThatMakeOneWork) {
    EditorFrame t;
    for (const char* name : kEditingCommands)
        EXPECT_FALSE(t.f().CommandEnabled(name)) << name;
    for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFilePrintSetup", "mnuFileExit"})
        EXPECT_TRUE(t.f().CommandEnabled(name)) << name;
    EXPECT_FALSE(t.f().ToolButton("mnuFileSave")->isEnabled());
    EXPECT_TRUE(t.f().ToolButton("mnuFileNew")->isEnabled());
    EXPECT_EQ(t.f().StatusPanel(kPanelCaret), "");
}

TEST_F(EditorFileTest, NewWindowsAreNumberedAndTheCountNeverGoesDown) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& first = t.Active();
    EXPECT_EQ(first.EditorTitle(), "Untitled1.asm");
    EXPECT_EQ(first.EditorName(), "");
    EXPECT_EQ(first.objectName(), "frmEditor");
    EXPECT_EQ(first.Text->objectName(), "Text");
    EXPECT_FALSE(first.TextChanged());
    EXPECT_EQ(t.f().EditorWindows().constFirst()->windowTitle(), "Untitled1.asm");

    t.f().ToolButton("mnuFileNew")->trigger();
    EXPECT_EQ(t.Active().EditorTitle(), "Untitled2.asm");
    EXPECT_EQ(t.f().OpenEditorCount(), 2);

    t.f().mdiArea->setActiveSubWindow(t.f().EditorWindows().constFirst());
    EXPECT_EQ(&t.Active(), &first);
    t.Trigger("mnuFileClose"); // unchanged: no question
    Settle();
    EXPECT_TRUE(t.prompt().Shown().empty());
    EXPECT_EQ(t.f().OpenEditorCount(), 1);

    t.Trigger("mnuFileNew");
    EXPECT_EQ(t.Active().EditorTitle(), "Untitled3.asm");
    EXPECT_EQ(t.e().NewCount(), 3);
}

TEST_F(EditorFileTest, OpenReadsTheWholeFileIntoANewEditor) {
    EditorFrame t;
    const QString path = t.Path("prog.asm");
    WriteBytes(path, "\tORG\t$E000\r\nloop\tBRA\tloop\r\n");
    t.prompt().AnswerFile(path, 2);
    t.f().ToolButton("mnuFileOpen")->trigger();

    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    const FileRequest& request = t.prompt().Shown()[0].File;
    EXPECT_EQ(t.prompt().Shown()[0].What, ScriptedPrompt::Kind::OpenFile);
    EXPECT_EQ(request.Title, "Open");
    EXPECT_EQ(request.Filter, "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Error Listing "
                              "(*.err)|*.err|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(request.FilterIndex, 1);
    EXPECT_TRUE(request.FileMustExist);
    EXPECT_TRUE(request.HideReadOnly);
    EXPECT_EQ(request.FileName, "");

    frmEditor& editor = t.Active();
    EXPECT_EQ(editor.EditorName(), path);
    EXPECT_EQ(editor.EditorTitle(), "prog.asm");
    EXPECT_EQ(t.f().EditorWindows().constFirst()->windowTitle(), "prog.asm");
    EXPECT_EQ(editor.PlainText(), "\tORG\t$E000\nloop\tBRA\tloop\n");
    EXPECT_FALSE(editor.TextChanged());
    EXPECT_FALSE(editor.Undo());
    EXPECT_FALSE(t.f().CommandEnabled("mnuFileSave"));
    EXPECT_TRUE(t.f().CommandEnabled("mnuFileSaveAs"));
    EXPECT_EQ(t.e().AssembleSource, "prog.asm");

    // The filter index chosen is offered next time, also after a cancel.
    t.prompt().CancelFile();
    t.Trigger("mnuFileOpen");
    EXPECT_EQ(t.prompt().Shown().back().File.FilterIndex, 2);
    t.prompt().CancelFile();
    t.Trigger("mnuFileOpen");
    EXPECT_EQ(t.prompt().Shown().back().File.FilterIndex, 2);
    EXPECT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(EditorFileTest, FilesThatAreNotTextOrCannotBeReadAreRefused) {
    EditorFrame t;
    WriteBytes(t.Path("prog.s19"), QByteArray("S1\0\0binary", 10));
    const QString missing = t.Path("missing.asm");
    QFile huge(t.Path("huge.lst"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(16 * 1024 * 1024 + 1));
    huge.close();
    for (const QString& path : {t.Path("prog.s19"), missing, t.dir.path(), huge.fileName()}) {
        t.prompt().AnswerFile(path);
        t.Trigger("mnuFileOpen");
    }
    EXPECT_EQ(t.f().OpenEditorCount(), 0);
    const QStringList messages = MessagesWithTitles(t.prompt());
    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[0], "Dravik - File Error|Can't Open " + t.Path("prog.s19") + " !\n(Not a text file)");
    EXPECT_EQ(messages[1], "Dravik - File Error|Can't Open " + missing + " !\n(File not found)");
    EXPECT_EQ(messages[2], "Dravik - File Error|Can't Open " + t.dir.path() + " !\n(It is a folder)");
    EXPECT_EQ(messages[3], "Dravik - File Error|Can't Open " + huge.fileName() + " !\n(Larger than 16 MiB)");
    EXPECT_EQ(t.prompt().Shown().back().Icon, PromptIcon::Exclamation);
}

TEST_F(EditorFileTest, SaveWritesTheTextWithTheFilesLineEnds) {
    EditorFrame t;
    const QString crlf = t.Path("crlf.asm");
    const QString lf = t.Path("lf.asm");
    WriteBytes(crlf, "a\r\nb\r\n");
    WriteBytes(lf, "a\nb\n");
    for (const QString& path : {crlf, lf}) {
        ASSERT_NE(t.e().OpenFile(path), nullptr);
        frmEditor& editor = t.Active();
        editor.Text->moveCursor(QTextCursor::End);
        Type(editor, "c");
        Press(editor, Qt::Key_Return);
        EXPECT_TRUE(editor.TextChanged());
        EXPECT_TRUE(t.f().CommandEnabled("mnuFileSave"));
        EXPECT_TRUE(t.f().ToolButton("mnuFileSave")->isEnabled());
        t.f().ToolButton("mnuFileSave")->trigger();
        EXPECT_FALSE(editor.TextChanged());
        EXPECT_FALSE(t.f().CommandEnabled("mnuFileSave"));
        EXPECT_FALSE(t.f().ToolButton("mnuFileSave")->isEnabled());
    }
    EXPECT_EQ(ReadBytes(crlf), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ReadBytes(lf), "a\nb\nc\n");
    EXPECT_TRUE(t.prompt().Shown().empty());
}

TEST_F(EditorFileTest, SaveKeepsTheEncodingOfTheFile) {
    EditorFrame t;
    const QString path = t.Path("latin1.asm");
    WriteBytes(path, "; Z\xE4hler\r\n\tNOP\r\n"); // Latin-1, not UTF-8
    ASSERT_NE(t.e().OpenFile(path), nullptr);
    frmEditor& editor = t.Active();
    EXPECT_EQ(editor.PlainText(), QString::fromUtf8("; Zähler\n\tNOP\n"));
    editor.Text->moveCursor(QTextCursor::End);
    Type(editor, "\tRTS");
    t.Trigger("mnuFileSave");
    EXPECT_EQ(ReadBytes(path), "; Z\xE4hler\r\n\tNOP\r\n\tRTS");
}

TEST_F(EditorFileTest, SavingANewEditorAsksForAName) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "\tNOP");
    const QString path = t.Path("first.asm");
    t.prompt().AnswerFile(path);
    t.Trigger("mnuFileSave");

    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    const FileRequest& request = t.prompt().Shown()[0].File;
    EXPECT_EQ(t.prompt().Shown()[0].What, ScriptedPrompt::Kind::SaveFile);
    EXPECT_EQ(request.Title, "Save As");
    EXPECT_EQ(request.Filter, "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Text Files "
                              "(*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(request.FileName, "Untitled1.asm");
    EXPECT_EQ(request.FilterIndex, 1);
    EXPECT_TRUE(request.OverwritePrompt);

    EXPECT_EQ(ReadBytes(path), "\tNOP");
    EXPECT_EQ(editor.EditorName(), path);
    EXPECT_EQ(editor.EditorTitle(), "first.asm");
    EXPECT_EQ(t.f().EditorWindows().constFirst()->windowTitle(), "first.asm");
    EXPECT_FALSE(editor.TextChanged());
    EXPECT_EQ(t.e().AssembleSource, "first.asm");
}

TEST_F(EditorFileTest, SaveAsPreselectsTheFilterOfTheName) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    const struct {
        const char* name;
        int index;
    } rows[] = {{"/src/prog.LST", 2}, {"/src/prog", 4}, {"/src/notes.txt", 3}, {"/src/x.asm", 1}};
    for (const auto& row : rows) {
        editor.SetEditorName(row.name);
        t.prompt().CancelFile();
        t.Trigger("mnuFileSaveAs");
        EXPECT_EQ(t.prompt().Shown().back().File.FilterIndex, row.index) << row.name;
        EXPECT_EQ(t.prompt().Shown().back().File.FileName, row.name);
    }
}

TEST_F(EditorFileTest, CancelInSaveAsLeavesTheEditorAsItWas) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    frmEditor& editor = t.Active();
    Type(editor, "x");
    t.prompt().CancelFile();
    t.Trigger("mnuFileSaveAs");
    EXPECT_EQ(editor.EditorName(), "");
    EXPECT_EQ(editor.EditorTitle(), "Untitled1.asm");
    EXPECT_TRUE(editor.TextChanged());
    EXPECT_TRUE(t.f().CommandEnabled("mnuFileSave"));
    EXPECT_EQ(MessagesWithTitles(t.prompt()), QStringList{});
}

TEST_F(EditorFileTest, ClosingAChangedEditorAsks) {
    EditorFrame t;
    const QString path = t.Path("prog.asm");
    WriteBytes(path, "old\n");
    ASSERT_NE(t.e().OpenFile(path), nullptr);
    Type(t.Active(), "new ");

    // Cancel keeps the window.
    t.prompt().AnswerMessage(PromptAnswer::Cancel);
    t.Trigger("mnuFileClose");
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 1);
    const ScriptedPrompt::ShownItem question = t.prompt().Shown().back();
    EXPECT_EQ(question.Title, "Dravik - Warning");
    EXPECT_EQ(question.Text, "Save changes to prog.asm ?");
    EXPECT_EQ(question.Buttons, PromptButtons::YesNoCancel);
    EXPECT_TRUE(t.Active().TextChanged());

    // Yes saves and closes.
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.Trigger("mnuFileClose");
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 0);
    EXPECT_EQ(ReadBytes(path), "new old\n");

    // No closes without saving.
    ASSERT_NE(t.e().OpenFile(path), nullptr);
    Type(t.Active(), "lost ");
    t.prompt().AnswerMessage(PromptAnswer::No);
    t.Trigger("mnuFileClose");
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 0);
    EXPECT_EQ(ReadBytes(path), "new old\n");
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(EditorFileTest, YesOnANewEditorSavesAsAndStaysWhenThatIsCancelled) {
    EditorFrame t;
    t.Trigger("mnuFileNew");
    Type(t.Active(), "keep me");
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.prompt().CancelFile();
    t.Trigger("mnuFileClose");
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(t.Active().PlainText(), "keep me");

    const QString path = t.Path("kept.asm");
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.prompt().AnswerFile(path);
    t.Trigger("mnuFileClose");
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 0);
    EXPECT_EQ(ReadBytes(path), "keep me");
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(EditorFileTest, RecentFilesListTheLastFourAndReopenThem) {
    QTemporaryDir dir;
    QStringList paths;
    for (const char* name : {"a.asm", "b.asm", "c.asm", "d.asm", "e.asm"}) {
        paths.append(QDir(dir.path()).filePath(name));
        WriteBytes(paths.back(), name);
    }
    {
        EditorFrame t;
        for (const QString& path : paths)
            ASSERT_NE(t.e().OpenFile(path), nullptr);
        EXPECT_EQ(t.f().RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
        ASSERT_TRUE(t.h.Close());
    }
    EditorFrame t;
    EXPECT_EQ(t.f().RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_TRUE(t.f().Command("mnuFileRecent3")->isVisible());

    t.Trigger("mnuFileRecent2");
    EXPECT_EQ(t.Active().EditorName(), paths[2]);
    EXPECT_EQ(t.f().RecentFiles().constFirst(), paths[2]);
    // Open already: it comes forward instead of opening twice.
    t.Trigger("mnuFileNew");
    t.Trigger("mnuFileRecent0");
    EXPECT_EQ(t.Active().EditorName(), paths[2]);
    EXPECT_EQ(t.f().OpenEditorCount(), 2);

    // A file that went away is reported and dropped.
    ASSERT_TRUE(QFile::remove(paths[4]));
    const int index = int(t.f().RecentFiles().indexOf(paths[4]));
    ASSERT_GE(index, 0);
    t.e().OpenRecent(index);
    EXPECT_FALSE(t.f().RecentFiles().contains(paths[4]));
    EXPECT_EQ(t.prompt().Messages().size(), 1);
}

// Two editors on one file would let a save in one silently overwrite the
// edits of the other: a file that is open already is brought forward instead,
// whichever way it is named.
TEST_F(EditorFileTest, AFileThatIsOpenAlreadyComesForwardInsteadOfOpeningTwice) {
    EditorFrame t;
    const QString path = t.Path("prog.asm");
    WriteBytes(path, "old\n");
    ASSERT_TRUE(QDir(t.dir.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(path, t.Path("link.asm")));
    t.prompt().AnswerFile(path);
    t.Trigger("mnuFileOpen");
    frmEditor& editor = t.Active();
    Type(editor, "edited ");

    for (const QString& same : {path, t.Path("sub/../prog.asm"), t.Path("link.asm")}) {
        t.Trigger("mnuFileNew");
        t.prompt().AnswerFile(same);
        t.Trigger("mnuFileOpen");
        EXPECT_EQ(&t.Active(), &editor) << same.toStdString();
        EXPECT_EQ(editor.PlainText(), "edited old\n");
    }
    EXPECT_EQ(t.e().AllEditors().size(), 4) << "the editor and three new ones";

    t.Trigger("mnuFileNew");
    t.Trigger("mnuFileRecent0");
    EXPECT_EQ(&t.Active(), &editor);
    t.e().OpenFiles({t.Path("link.asm"), path});
    EXPECT_EQ(&t.Active(), &editor);
    EXPECT_EQ(t.e().AllEditors().size(), 5);
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

// The current folder is the program's own (an installed program's bin/):
// the file dialogs start in the active editor's folder, else in the folder a
// file was last chosen in (also in an earlier run), else at home.
TEST_F(EditorFileTest, FileDialogsStartInTheActiveFilesFolderElseTheLastOneElseHome) {
    QTemporaryDir docs;
    QTemporaryDir other;
    const QString prog = QDir(docs.path()).filePath("prog.asm");
    const QString elsewhere = QDir(other.path()).filePath("b.asm");
    WriteBytes(prog, "\tNOP\n");
    WriteBytes(elsewhere, "\tNOP\n");
    const char* const dialogs[] = {"mnuFileOpen", "mnuFileDownload", "mnuFileLoadSymbols", "mnuFileSaveAs"};
    const auto startFolders = [&dialogs](EditorFrame& t) {
        QStringList folders;
        for (const char* command : dialogs) {
            if (!t.f().CommandEnabled(command)) continue;
            t.prompt().CancelFile();
            t.Trigger(command);
            folders.append(t.prompt().Shown().back().File.Directory);
        }
        return folders;
    };
    {
        EditorFrame t;
        EXPECT_EQ(startFolders(t), QStringList(3, QDir::homePath())) << "nothing open, nothing chosen yet";
        t.prompt().AnswerFile(prog);
        t.Trigger("mnuFileOpen");
        EXPECT_EQ(startFolders(t), QStringList(4, docs.path()));
        t.prompt().AnswerFile(elsewhere);
        t.Trigger("mnuFileOpen");
        t.Trigger("mnuFileNew");
        EXPECT_EQ(startFolders(t), QStringList(4, other.path())) << "an untitled editor has no folder";
        EXPECT_TRUE(t.prompt().Problems().isEmpty());
        ASSERT_TRUE(t.h.Close());
    }
    EditorFrame t;
    EXPECT_EQ(startFolders(t), QStringList(3, other.path()));
}

TEST_F(EditorFileTest, AFileNamedTwiceOnTheCommandLineOpensOnce) {
    QTemporaryDir dir;
    const QString a = QDir(dir.path()).filePath("a.asm");
    WriteBytes(a, "first\n");
    StartOptions options;
    options.Files = {a, QDir(dir.path()).filePath("./a.asm"), a};
    EditorFrame t(options);
    Settle();
    EXPECT_EQ(t.e().AllEditors().size(), 1);
}

TEST_F(EditorFileTest, FilesNamedOnTheCommandLineOpenAtStartUp) {
    QTemporaryDir dir;
    const QString a = QDir(dir.path()).filePath("a.asm");
    const QString b = QDir(dir.path()).filePath("b.lst");
    const QString missing = QDir(dir.path()).filePath("missing.asm");
    WriteBytes(a, "first\n");
    WriteBytes(b, "second\n");
    StartOptions options;
    options.Files = {a, missing, b};
    EditorFrame t(options);
    Settle();
    const QList<frmEditor*> editors = t.e().AllEditors();
    ASSERT_EQ(editors.size(), 2);
    EXPECT_EQ(editors[0]->EditorName(), a);
    EXPECT_EQ(editors[0]->PlainText(), "first\n");
    EXPECT_EQ(editors[1]->EditorTitle(), "b.lst");
    EXPECT_EQ(t.Active().EditorName(), b);
    EXPECT_EQ(t.prompt().Messages(), QStringList{"Can't Open " + missing + " !\n(File not found)"});
}

// A pipe named on the command line is refused by its type, never opened:
// its writer would never come and the frame would never appear.
TEST_F(EditorFileTest, APipeNamedOnTheCommandLineIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString pipe = QDir(dir.path()).filePath("pipe.asm");
    const QString a = QDir(dir.path()).filePath("a.asm");
    const WaitingFifo fifo(pipe);
    ASSERT_TRUE(fifo.Made());
    WriteBytes(a, "first\n");
    StartOptions options;
    options.Files = {pipe, a};
    EditorFrame t(options);
    Settle();
    ASSERT_EQ(t.e().AllEditors().size(), 1);
    EXPECT_EQ(t.Active().EditorName(), a);
    EXPECT_EQ(MessagesWithTitles(t.prompt()),
              QStringList{"Dravik - File Error|Can't Open " + pipe + " !\n(Not a regular file)"});
}

TEST_F(EditorFileTest, TheErrorListOpensTheSourceAtALine) {
    EditorFrame t;
    const QString path = t.Path("prog.asm");
    WriteBytes(path, "l1\nl2\nl3\nl4\n");
    frmEditor* editor = t.e().ShowSourceLine(path, "prog.asm", 3);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->CaretLine(), 2);
    EXPECT_EQ(editor->CaretColumn(), 0);
    // Open already: the same window, not read again.
    Type(*editor, "x");
    // Past the end: the last line with text, not the empty one after the final line break.
    EXPECT_EQ(t.e().ShowSourceLine(path, "prog.asm", 99), editor);
    EXPECT_EQ(editor->CaretLine(), 3);
    EXPECT_TRUE(editor->TextChanged());
    EXPECT_EQ(t.f().OpenEditorCount(), 1);
}

} // namespace
} // namespace quorvel::test
