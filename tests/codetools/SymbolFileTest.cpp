// File > Load Symbols, the status bar, a listing that cannot be read, and
// what a reload brings up to date.
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "CodeToolsHarness.h"
#include "ListingText.h"
#include "frame/HelpWindow.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

using SymbolFileTest = FrameTest;

const QStringList kListing = {ListingLineText(1, 0xE000, {0x86, 0x41}, "START    LDAA #'A"),
                              ListingLineText(2, 0xE002, {0x01}, "NEXT     NOP")};

TEST_F(SymbolFileTest, LoadSymbolsAsksForAListingAndShowsIt) {
    QTemporaryDir folder;
    CodeFrame c;
    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: <None>");
    ASSERT_TRUE(c.f().CommandEnabled("mnuFileLoadSymbols"));
    c.LoadSymbols(folder.path(), kListing);
    ASSERT_EQ(c.h.prompt.Shown().size(), 1U);
    const FileRequest& request = c.h.prompt.Shown()[0].File;
    EXPECT_EQ(c.h.prompt.Shown()[0].What, ScriptedPrompt::Kind::OpenFile);
    EXPECT_EQ(request.Title, "Load Symbols");
    EXPECT_EQ(request.Filter, "Listing Files (*.lst)|*.lst|All Files (*.*)|*.*");
    EXPECT_EQ(request.FilterIndex, 1);
    EXPECT_TRUE(request.FileMustExist);
    EXPECT_TRUE(request.HideReadOnly);
    EXPECT_TRUE(request.FileName.isEmpty());

    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: prog.lst");
    EXPECT_EQ(c.f().Symbols().SymbolFileTitle(), "prog.lst");
    EXPECT_EQ(c.f().Symbols().Table().ListingCount(), 2);
    QString name = "next";
    EXPECT_EQ(c.f().Symbols().Table().SymbolValue(name), 0xE002);

    // The next dialog proposes the listing's name, in its folder.
    c.h.prompt.CancelFile();
    c.f().Command("mnuFileLoadSymbols")->trigger();
    ASSERT_EQ(c.h.prompt.Shown().size(), 2U);
    EXPECT_EQ(c.h.prompt.Shown()[1].File.FileName, "prog.lst");
    EXPECT_EQ(QDir(c.h.prompt.Shown()[1].File.Directory), QDir(folder.path()));
    // Cancelled: nothing changed.
    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: prog.lst");
    EXPECT_EQ(c.f().Symbols().Table().ListingCount(), 2);
}

TEST_F(SymbolFileTest, AListingWithoutRecordsShowsNone) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.LoadSymbols(folder.path(), {"not a listing line"});
    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: <None>");
    EXPECT_EQ(c.f().Symbols().Table().ListingCount(), 0);
}

TEST_F(SymbolFileTest, AFailedLoadKeepsThePreviousTableAndSaysWhy) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.h.prompt.Clear();
    const QString missing = folder.filePath("gone.lst");
    c.h.prompt.AnswerFile(missing);
    c.f().Command("mnuFileLoadSymbols")->trigger();
    ASSERT_EQ(c.h.prompt.Shown().size(), 2U);
    const ScriptedPrompt::ShownItem& message = c.h.prompt.Shown()[1];
    EXPECT_EQ(message.Title, "Dravik - Load Symbols");
    EXPECT_EQ(message.Text, "Can't Load Symbols from " + missing + " !\n(File not found)");
    EXPECT_EQ(message.Icon, PromptIcon::Exclamation);
    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: prog.lst");
    EXPECT_EQ(c.f().Symbols().SymbolFileTitle(), "prog.lst");
    ASSERT_EQ(c.f().Symbols().Table().ListingCount(), 2);
    EXPECT_EQ(c.f().Symbols().Table().ListingLines()[0].Label, u"START");

    // A folder cannot be read either.
    c.h.prompt.AnswerFile(folder.path());
    c.f().Command("mnuFileLoadSymbols")->trigger();
    EXPECT_TRUE(c.h.prompt.Shown().back().Text.endsWith("(It is a folder)"));
    EXPECT_EQ(c.f().Symbols().Table().ListingCount(), 2);
}

TEST_F(SymbolFileTest, AReloadRedrawsTheViewsAndTellsTheWatches) {
    QTemporaryDir folder;
    CodeFrame c;
    c.Put(0xE000, {0x86, 0x41, 0x01});
    c.State().RegPC = 0xE000;
    c.f().SetChecked("mnuDebugIncludeSym", true);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Lines[0].Text, " $E000: 86 41            LDAA  #$41");
    QSignalSpy reloaded(&c.f().Symbols(), &SymbolFile::SymbolsReloaded);
    c.LoadSymbols(folder.path(), kListing);
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(w->Lines[0].Text, " $E000: 86 41            START    LDAA #'A");
    EXPECT_EQ(w->Lines[1].Text, " $E002: 01" + QString(15, ' ') + "NEXT     NOP");
    // The assembler's listing: the same reload.
    const QString other =
        WriteFile(folder.path(), "other.lst",
                  ListingFile({ListingLineText(1, 0xE000, {0x86, 0x41}, "OTHER    LDAA #65")}).toUtf8());
    c.f().Symbols().SetListingFile(other);
    c.f().Symbols().ReloadSymbols();
    EXPECT_EQ(reloaded.count(), 2);
    EXPECT_EQ(w->Lines[0].Text, " $E000: 86 41            OTHER    LDAA #65");
    EXPECT_EQ(c.f().StatusPanel(kPanelSymbols), "Symbols: other.lst");
    // A failed reload tells no one.
    c.f().Symbols().SetListingFile(folder.filePath("gone.lst"));
    c.f().Symbols().ReloadSymbols();
    EXPECT_EQ(reloaded.count(), 2);
}

TEST_F(SymbolFileTest, HelpHC11SymbolsOpensTopic999) {
    CodeFrame c;
    c.f().SetHelpFolder(QUORVEL_TEST_HELP_DIR);
    c.f().Command("mnuHelpHC11Symbols")->trigger();
    ASSERT_NE(c.f().Help(), nullptr);
    EXPECT_EQ(c.f().Help()->txtHelp->source().fileName(), "hc11symbols.html");
    EXPECT_EQ(c.f().Help()->txtHelp->source().fragment(), "999");
}

} // namespace
} // namespace quorvel::test
