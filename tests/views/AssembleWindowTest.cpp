// File > Assemble in the frame: saving first, the toolbar button, the
// results next to the source, the symbols, the summary and the error list
// with its jumps into the source.
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AssembleHarness.h"
#include "codetools/SymbolFile.h"

namespace quorvel::test {
namespace {

using namespace std::chrono_literals;
using AssembleWindowTest = EditorTest;

const QString kDoneTitle = "Dravik - Assembling Done";

QString DoneText(const QString& source) {
    return AssemblingDoneText(source, ResultNamesOf(source));
}

// Notes how many messages had been shown when the error list first appeared.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(const ScriptedPrompt& prompt) : prompt_(prompt) { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }
    int MessagesBeforeList = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "frmError" && MessagesBeforeList < 0)
            MessagesBeforeList = int(prompt_.Shown().size());
        return false;
    }

private:
    const ScriptedPrompt& prompt_;
};

TEST_F(AssembleWindowTest, TheCommandIsThereWhileAnEditorIsActive) {
    AssembleFrame t;
    EXPECT_FALSE(t.f().CommandEnabled("mnuFileAssemble"));
    t.Trigger("mnuFileNew");
    EXPECT_TRUE(t.f().CommandEnabled("mnuFileAssemble"));
    EXPECT_TRUE(t.f().ToolButton("mnuFileAssemble")->isEnabled());
    EXPECT_EQ(t.a().Runner().Options.ProgramFolder, t.program.path());
}

TEST_F(AssembleWindowTest, AssemblingTheActiveSourceLoadsItsSymbolsAndKeepsTheMachineCode) {
    AssembleFrame t;
    t.OpenSource("prog.asm", kCleanSource);
    ASSERT_EQ(t.e().AssembleSource, "prog.asm");
    t.Trigger("mnuFileAssemble");

    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    const auto& done = t.prompt().Shown()[0];
    EXPECT_EQ(done.Title, kDoneTitle);
    EXPECT_EQ(done.Text, "Assembly Source:\tprog.asm\nListing (Symbol):\tprog.lst\nMachine Code:\tprog.s19");
    EXPECT_EQ(done.Icon, PromptIcon::Information);

    EXPECT_TRUE(QFile::exists(t.Path("prog.lst")));
    EXPECT_TRUE(QFile::exists(t.Path("prog.s19")));
    EXPECT_FALSE(QFile::exists(t.Path("prog.err")));
    EXPECT_EQ(t.f().DownloadFileName, t.Path("prog.s19"));
    EXPECT_EQ(t.f().StatusPanel(kPanelSymbols), "Symbols: prog.lst");
    QString name = "LOOP";
    EXPECT_EQ(t.f().Symbols().Table().SymbolValue(name), 0xE002);
    EXPECT_EQ(t.Errors(), nullptr);
    EXPECT_TRUE(t.TempLeftOvers().isEmpty());
    EXPECT_EQ(t.e().AssembleSource, "prog.asm");
}

TEST_F(AssembleWindowTest, ADottedNameGetsItsResultsNamedUpToTheLastDot) {
    AssembleFrame t;
    t.OpenSource("prog.old.asm", kFaultySource);
    t.Trigger("mnuFileAssemble");
    for (const char* result : {"prog.old.lst", "prog.old.s19", "prog.old.err"})
        EXPECT_TRUE(QFile::exists(t.Path(result))) << result;
    ASSERT_FALSE(t.prompt().Shown().empty());
    EXPECT_EQ(t.prompt().Shown()[0].Text, DoneText("prog.old.asm"));
    ASSERT_NE(t.Errors(), nullptr);
    EXPECT_EQ(t.Errors()->windowTitle(), "prog.old.err");
    EXPECT_EQ(t.f().DownloadFileName, t.Path("prog.old.s19"));
}

TEST_F(AssembleWindowTest, ListingAndErrorsShowTheSummaryFirstThenTheErrorList) {
    AssembleFrame t;
    t.OpenSource("prog.asm", kFaultySource);
    ShowWatcher watcher(t.prompt());
    t.Trigger("mnuFileAssemble");
    Settle();

    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    EXPECT_EQ(t.prompt().Shown()[0].Title, kDoneTitle);
    EXPECT_EQ(watcher.MessagesBeforeList, 1);

    frmError* errors = t.Errors();
    ASSERT_NE(errors, nullptr);
    EXPECT_TRUE(errors->isVisible());
    EXPECT_EQ(errors->parentWidget(), t.h.frame.get());
    EXPECT_FALSE(errors->isModal());
    EXPECT_EQ(errors->windowTitle(), "prog.err");
    const QStringList entries = t.ErrorEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].startsWith("4: ")) << entries[0].toStdString();
    EXPECT_TRUE(entries[1].startsWith("6: ")) << entries[1].toStdString();
    EXPECT_EQ(errors->ErrLines, (std::vector<int32_t>{4, 6}));
    EXPECT_EQ(errors->List->currentRow(), 0);
    EXPECT_TRUE(errors->cmdShow->isEnabled());
    EXPECT_EQ(errors->cmdShow->text(), "Show Error");
    EXPECT_EQ(errors->cmdClose->text(), "Close");
    EXPECT_EQ(t.a().ErrorSourcePath(), t.Path("prog.asm"));
    EXPECT_EQ(t.a().ErrorSourceTitle(), "prog.asm");
}

TEST_F(AssembleWindowTest, ShowErrorUsesTheOpenEditorWithoutReloadingIt) {
    AssembleFrame t;
    frmEditor& editor = t.OpenSource("prog.asm", kFaultySource);
    t.Trigger("mnuFileAssemble");
    frmError* errors = t.Errors();
    ASSERT_NE(errors, nullptr);
    // An edit that is not on disk shows the editor is not read again.
    editor.Select(0, 0);
    Type(editor, "*x");
    const QString edited = editor.PlainText();

    errors->List->setCurrentRow(1);
    errors->cmdShow->click();
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(&t.Active(), &editor);
    EXPECT_EQ(editor.PlainText(), edited);
    EXPECT_EQ(editor.CaretLine(), 5);
    EXPECT_EQ(editor.CaretColumn(), 0);
    EXPECT_TRUE(editor.Text->hasFocus() || !QApplication::focusWidget());
}

TEST_F(AssembleWindowTest, ShowErrorOpensTheClosedSourceFromDisk) {
    AssembleFrame t;
    t.OpenSource("prog.asm", kFaultySource);
    t.Trigger("mnuFileAssemble");
    t.Trigger("mnuFileClose");
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 0);
    frmError* errors = t.Errors();
    ASSERT_NE(errors, nullptr);

    // A double click on the second entry.
    errors->List->setCurrentRow(1);
    const QRect rect = errors->List->visualItemRect(errors->List->item(1));
    QTest::mouseClick(errors->List->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(errors->List->viewport(), Qt::LeftButton, {}, rect.center());
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 1);
    frmEditor& editor = t.Active();
    EXPECT_EQ(editor.EditorName(), t.Path("prog.asm"));
    EXPECT_EQ(editor.EditorTitle(), "prog.asm");
    EXPECT_FALSE(editor.TextChanged());
    EXPECT_EQ(editor.PlainText(), kFaultySource);
    EXPECT_EQ(editor.CaretLine(), 5);

    // Show Error again: the same editor, the first entry's line.
    errors->List->setCurrentRow(0);
    errors->cmdShow->click();
    Settle();
    EXPECT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(editor.CaretLine(), 3);
}

TEST_F(AssembleWindowTest, OnlyNumberedLinesAreListedAndALineBeyondTheEndGoesToTheLast) {
    AssembleFrame t;
    // asm.sh's stand-in writes an error file of its own and no listing.
    t.ScriptSays("#!/bin/sh\n"
                 "printf '%s\\n' '99: past the end' ' 3: blank first' '0: line zero' 'no colon here' "
                 "'2: the second line' > 'Temp$$$.err'\n"
                 ": > 'Temp$$$.$$$'\n");
    // The final line break starts no line of its own: line 99 is "last".
    frmEditor& editor = t.OpenSource("prog.asm", "first\nsecond\nthird\nlast\n");
    t.Trigger("mnuFileAssemble");
    EXPECT_TRUE(t.prompt().Shown().empty()) << "no listing: no summary";
    EXPECT_EQ(t.f().StatusPanel(kPanelSymbols), "Symbols: <None>");
    EXPECT_EQ(t.ErrorEntries(), (QStringList{"99: past the end", "2: the second line"}));

    t.Errors()->cmdShow->click();
    Settle();
    EXPECT_EQ(editor.CaretLine(), 3);
    EXPECT_EQ(editor.CaretColumn(), 0);
    t.Errors()->List->setCurrentRow(1);
    t.Errors()->cmdShow->click();
    EXPECT_EQ(editor.CaretLine(), 1);
}

// A desktop style that activates list items on a single click.
class SingleClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ItemView_ActivateItemOnSingleClick) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

TEST_F(AssembleWindowTest, TheErrorListOpensTheSourceOnEnterOrDoubleClickButNotOnASingleClick) {
    SingleClickStyle style; // outlives the list
    AssembleFrame t;
    t.OpenSource("prog.asm", kFaultySource);
    t.Trigger("mnuFileAssemble");
    t.Trigger("mnuFileClose");
    Settle();
    frmError* errors = t.Errors();
    ASSERT_NE(errors, nullptr);
    errors->List->setStyle(&style);
    const QRect second = errors->List->visualItemRect(errors->List->item(1));

    QTest::mouseClick(errors->List->viewport(), Qt::LeftButton, {}, second.center());
    Settle();
    EXPECT_EQ(errors->List->currentRow(), 1);
    EXPECT_EQ(t.f().OpenEditorCount(), 0) << "a single click only selects";

    QTest::keyClick(errors->List, Qt::Key_Return);
    Settle();
    ASSERT_EQ(t.f().OpenEditorCount(), 1);
    EXPECT_EQ(t.Active().CaretLine(), 5);

    errors->List->setCurrentRow(0);
    QTest::keyClick(errors->List, Qt::Key_Enter);
    Settle();
    EXPECT_EQ(t.Active().CaretLine(), 3);
    errors->List->setStyle(nullptr);
}

// A run that fails before asm.sh has finished made no machine code: Download
// must ask for a file, not offer the earlier run's.
TEST_F(AssembleWindowTest, ARunThatFailsEarlyLeavesNothingToDownload) {
    const struct {
        const char* failure;
        std::function<void(AssembleFrame&)> cause;
    } rows[] = {
        {"as11 missing", [](AssembleFrame& t) { QFile::remove(QDir(t.program.path()).filePath("as11")); }},
        {"no working folder",
         [](AssembleFrame& t) { t.a().Runner().Options.TempRoot = t.Path("no/such/folder"); }},
        {"asm.sh ends without its marker", [](AssembleFrame& t) { t.ScriptSays("#!/bin/sh\nexit 1\n"); }},
    };
    for (const auto& row : rows) {
        AssembleFrame t;
        t.OpenSource("prog.asm", kCleanSource);
        t.Trigger("mnuFileAssemble");
        ASSERT_EQ(t.f().DownloadFileName, t.Path("prog.s19")) << row.failure;
        row.cause(t);
        t.prompt().Clear();
        t.Trigger("mnuFileAssemble");
        ASSERT_EQ(t.prompt().Shown().size(), 1U) << row.failure;
        EXPECT_EQ(t.prompt().Shown()[0].Title, "Dravik - Assemble Error") << row.failure;
        EXPECT_EQ(t.f().DownloadFileName, "") << row.failure;

        t.prompt().CancelFile();
        t.Trigger("mnuFileDownload");
        ASSERT_EQ(t.prompt().Shown().size(), 2U) << row.failure;
        EXPECT_EQ(t.prompt().Shown()[1].What, ScriptedPrompt::Kind::OpenFile) << row.failure;
        EXPECT_EQ(t.prompt().Shown()[1].Title, "Download") << row.failure;
    }
}

TEST_F(AssembleWindowTest, AnErrorFileWithoutNumberedLinesDisablesShowError) {
    AssembleFrame t;
    t.ScriptSays("#!/bin/sh\necho 'nothing numbered' > 'Temp$$$.err'\n: > 'Temp$$$.$$$'\n");
    t.OpenSource("prog.asm", kCleanSource);
    t.Trigger("mnuFileAssemble");
    ASSERT_NE(t.Errors(), nullptr);
    EXPECT_TRUE(t.Errors()->isVisible());
    EXPECT_EQ(t.Errors()->List->count(), 0);
    EXPECT_FALSE(t.Errors()->cmdShow->isEnabled());
    t.Errors()->cmdShow->click(); // disabled: nothing happens
    t.Errors()->cmdClose->click();
    Settle();
    EXPECT_EQ(t.Errors(), nullptr) << "closing unloads the list";
}

TEST_F(AssembleWindowTest, AssemblingAgainReplacesTheResultsAndACleanRunRemovesTheErrors) {
    AssembleFrame t;
    frmEditor& editor = t.OpenSource("prog.asm", kFaultySource);
    t.Trigger("mnuFileAssemble");
    ASSERT_TRUE(QFile::exists(t.Path("prog.err")));
    ASSERT_NE(t.Errors(), nullptr);
    const QByteArray firstListing = ReadBytes(t.Path("prog.lst"));

    // The source is corrected in the editor; Assemble offers to save it.
    editor.EditSelectAll();
    editor.ReplaceSelection(kCleanSource);
    t.prompt().Clear();
    t.prompt().AnswerMessage(PromptAnswer::Yes);
    t.Trigger("mnuFileAssemble");
    Settle();
    ASSERT_GE(t.prompt().Shown().size(), 2U);
    EXPECT_EQ(t.prompt().Shown()[0].Text, "Save prog.asm ?");
    EXPECT_EQ(t.prompt().Shown()[1].Title, kDoneTitle);
    EXPECT_EQ(ReadBytes(t.Path("prog.asm")), kCleanSource);
    EXPECT_FALSE(QFile::exists(t.Path("prog.err")));
    EXPECT_NE(ReadBytes(t.Path("prog.lst")), firstListing);
    EXPECT_EQ(t.Errors(), nullptr) << "the list of errors that are gone closed";
}

TEST_F(AssembleWindowTest, DecliningToSaveMeansNoAssembly) {
    AssembleFrame t;
    frmEditor& editor = t.OpenSource("prog.asm", kCleanSource);
    Type(editor, "*");
    ASSERT_TRUE(t.f().CommandEnabled("mnuFileSave"));
    t.prompt().AnswerMessage(PromptAnswer::No);
    t.Trigger("mnuFileAssemble");
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    const auto& question = t.prompt().Shown()[0];
    EXPECT_EQ(question.Title, "Dravik - Assemble File");
    EXPECT_EQ(question.Text, "Save prog.asm ?");
    EXPECT_EQ(question.Icon, PromptIcon::Information);
    EXPECT_EQ(question.Buttons, PromptButtons::YesNo);
    EXPECT_FALSE(QFile::exists(t.Path("prog.lst")));
    EXPECT_TRUE(editor.TextChanged());
}

TEST_F(AssembleWindowTest, TheToolbarButtonAssemblesAtOnceOrFallsBackToTheMenuWay) {
    AssembleFrame t;
    frmEditor& editor = t.OpenSource("prog.asm", kCleanSource);
    t.f().ToolButton("mnuFileAssemble")->trigger();
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    EXPECT_EQ(t.prompt().Shown()[0].Title, kDoneTitle);
    ASSERT_TRUE(QFile::remove(t.Path("prog.lst")));

    // Declined, the button takes the menu's way, which asks again.
    Type(editor, "*");
    t.prompt().Clear();
    t.prompt().AnswerMessage(PromptAnswer::No);
    t.prompt().AnswerMessage(PromptAnswer::No);
    t.f().ToolButton("mnuFileAssemble")->trigger();
    EXPECT_EQ(MessagesWithTitles(t.prompt()), (QStringList{"Dravik - Assemble File|Save prog.asm ?",
                                                           "Dravik - Assemble File|Save prog.asm ?"}));
    EXPECT_FALSE(QFile::exists(t.Path("prog.lst")));
    EXPECT_TRUE(t.prompt().Problems().isEmpty());
}

TEST_F(AssembleWindowTest, AnUntitledEditorAsksForTheSourceToAssemble) {
    AssembleFrame t;
    WriteBytes(t.Path("other.asm"), kCleanSource);
    t.Trigger("mnuFileNew");
    t.prompt().CancelFile();
    t.Trigger("mnuFileAssemble");
    ASSERT_EQ(t.prompt().Shown().size(), 1U);
    const FileRequest& request = t.prompt().Shown()[0].File;
    EXPECT_EQ(t.prompt().Shown()[0].What, ScriptedPrompt::Kind::OpenFile);
    EXPECT_EQ(request.Title, "Assemble");
    EXPECT_EQ(request.Filter, "Assembly Source (*.asm)|*.asm|All Files (*.*)|*.*");
    EXPECT_EQ(request.FilterIndex, 1);
    EXPECT_TRUE(request.FileMustExist);
    EXPECT_TRUE(request.HideReadOnly);
    EXPECT_EQ(request.Directory, QDir::homePath()) << "not the program's folder";
    EXPECT_FALSE(QFile::exists(t.Path("other.lst")));
    EXPECT_EQ(t.e().AssembleSource, "");

    t.prompt().Clear();
    t.prompt().AnswerFile(t.Path("other.asm"));
    t.Trigger("mnuFileAssemble");
    ASSERT_EQ(t.prompt().Shown().size(), 2U);
    EXPECT_EQ(t.prompt().Shown()[1].Text, DoneText("other.asm"));
    EXPECT_TRUE(QFile::exists(t.Path("other.lst")));
    // The untitled editor keeps assembling the chosen file, from its folder.
    EXPECT_EQ(t.e().AssembleSource, "other.asm");
    EXPECT_EQ(QDir(t.a().SourceFolder()), QDir(t.dir.path()));
}

TEST_F(AssembleWindowTest, EachEditorAssemblesTheFileInItsOwnFolder) {
    AssembleFrame t;
    QTemporaryDir second;
    const QString otherPath = QDir(second.path()).filePath("prog.asm");
    WriteBytes(otherPath, kFaultySource);
    t.OpenSource("prog.asm", kCleanSource);
    t.e().OpenFile(otherPath);
    Settle();
    t.f().mdiArea->setActiveSubWindow(t.f().EditorWindows().constFirst());
    Settle();
    ASSERT_EQ(t.Active().EditorName(), t.Path("prog.asm"));
    t.Trigger("mnuFileAssemble");
    EXPECT_TRUE(QFile::exists(t.Path("prog.lst")));
    EXPECT_FALSE(QFile::exists(QDir(second.path()).filePath("prog.lst")));
    EXPECT_EQ(t.Errors(), nullptr);
}

TEST_F(AssembleWindowTest, ASourceThatIsGoneIsNotAssembled) {
    AssembleFrame t;
    t.OpenSource("prog.asm", kCleanSource);
    ASSERT_TRUE(QFile::remove(t.Path("prog.asm")));
    t.Trigger("mnuFileAssemble");
    EXPECT_TRUE(t.prompt().Shown().empty());
    EXPECT_FALSE(QFile::exists(t.Path("prog.lst")));
}

TEST_F(AssembleWindowTest, MissingToolsAreNamedAndNothingElseHappens) {
    for (const char* tool : {"as11", "asm.sh"}) {
        AssembleFrame t;
        ASSERT_TRUE(QFile::remove(QDir(t.program.path()).filePath(tool)));
        t.OpenSource("prog.asm", kCleanSource);
        t.Trigger("mnuFileAssemble");
        EXPECT_EQ(MessagesWithTitles(t.prompt()),
                  QStringList{QString("Dravik - Assemble Error|Can't Find ") + tool + " !"});
        EXPECT_EQ(t.prompt().Shown()[0].Icon, PromptIcon::Exclamation);
        EXPECT_FALSE(QFile::exists(t.Path("prog.lst")));
        EXPECT_EQ(t.f().DownloadFileName, "");
    }
}

TEST_F(AssembleWindowTest, TheFrameStaysOpenWhileAsmShRuns) {
    AssembleFrame t;
    t.a().Runner().Options.Timeout = 400ms;
    t.ScriptSays("#!/bin/sh\nsleep 30\n");
    t.OpenSource("prog.asm", kCleanSource);
    bool closed = true;
    QTimer::singleShot(50, t.h.frame.get(), [&] { closed = t.h.frame->close(); });
    t.Trigger("mnuFileAssemble");
    EXPECT_FALSE(closed);
    EXPECT_TRUE(t.f().isVisible());
    EXPECT_FALSE(t.a().Busy());
    EXPECT_EQ(MessagesWithTitles(t.prompt()),
              QStringList{"Dravik - Assemble Error|asm.sh Did Not Finish !\n(No Temp$$$.$$$ after 0.4 s)"});
}

TEST(AssembleBuildTreeTest, As11AndAsmShSitBesideTheProgram) {
    const QDir program(QStringLiteral(QUORVEL_PROGRAM_DIR));
    EXPECT_TRUE(QFileInfo(program.filePath("as11")).isExecutable());
    EXPECT_TRUE(QFileInfo(program.filePath("asm.sh")).isFile());

    // They assemble as they are.
    ScriptedPrompt prompt;
    AssemblerRun run(prompt);
    QTemporaryDir source;
    run.Options.ProgramFolder = program.path();
    WriteBytes(QDir(source.path()).filePath("prog.asm"), kFaultySource);
    const AssembleOutcome out = run.Run(source.path(), "prog.asm");
    EXPECT_TRUE(out.Listing);
    EXPECT_TRUE(out.Errors);
    EXPECT_TRUE(prompt.Shown().empty());
}

} // namespace
} // namespace quorvel::test
