// The watch window on the real frame with the simulator as target: Add, Edit
// and Remove Watch, value entry, formats, the pop-up, refresh after a stop,
// a failed link, and the labels after a new listing.
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "../codetools/CodeToolsHarness.h"
#include "../codetools/ListingText.h"
#include "frame/Settings.h"
#include "views/PopupHelp.h"
#include "views/WatchCommands.h"
#include "views/frmEnterVal.h"
#include "views/frmWatch.h"
#include "views/frmWatchAdr.h"

namespace quorvel::test {
namespace {

using WatchWindowTest = FrameTest;

const QStringList kListing = {ListingLineText(1, 0xC000, {0x86, 0x41}, "START    LDAA #$41"),
                              ListingLineText(2, 0x0040, {}, "COUNT    EQU $40")};

frmWatch* Window(CodeFrame& c) {
    return qobject_cast<frmWatch*>(c.f().View(kWatchView));
}

WatchTable& Table(CodeFrame& c) {
    return c.f().Watches().Table();
}

// The next watch-address dialog gets a text and a size, then OK.
void AnswerAddress(CodeFrame& c, const QString& text, bool wide = false) {
    c.h.prompt.AnswerDialog([text, wide](QDialog& d) {
        auto& dialog = dynamic_cast<frmWatchAdr&>(d);
        dialog.txtAdr->setText(text);
        (wide ? dialog.optWord : dialog.optByte)->setChecked(true);
        dialog.cmdOK_Click();
    });
}

void AddWatch(CodeFrame& c, const QString& text, bool wide = false) {
    AnswerAddress(c, text, wide);
    c.f().Command("mnuDebugAddWatch")->trigger();
}

// The next value-entry dialog gets a text, then OK.
void AnswerValue(CodeFrame& c, const QString& text) {
    c.h.prompt.AnswerDialog([text](QDialog& d) {
        auto& dialog = dynamic_cast<frmEnterVal&>(d);
        dialog.Text->setText(text);
        dialog.cmdOK_Click();
    });
}

// "label value" for each row.
QStringList Rows(frmWatch* window) {
    QStringList rows;
    if (!window) return rows;
    for (int i = 0; i < window->ListView->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = window->ListView->topLevelItem(i);
        rows << item->text(0) + " " + item->text(1);
    }
    return rows;
}

void Activate(CodeFrame& c) {
    c.f().mdiArea->setActiveSubWindow(c.f().ViewWindow(kWatchView));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents(); // the timer starts once the other window has heard of it
}

QPoint RowPoint(frmWatch* window, int row) {
    return window->ListView->visualItemRect(window->ListView->topLevelItem(row)).center();
}

void ClosePopup(CodeFrame& c) {
    c.f().Menu("mnuPopupView")->hide();
    QCoreApplication::processEvents();
}

TEST_F(WatchWindowTest, AddWatchTakesALabelOrAnAddress) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.Put(0xC000, {0x86, 0x41});
    ASSERT_TRUE(c.f().CommandEnabled("mnuDebugAddWatch"));

    c.h.prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = dynamic_cast<frmWatchAdr&>(d);
        EXPECT_EQ(dialog.windowTitle(), "Watch");
        EXPECT_EQ(dialog.lbAdr->text(), "&Address:");
        EXPECT_TRUE(dialog.txtAdr->text().isEmpty());
        EXPECT_TRUE(dialog.optByte->isChecked()) << "a new watch starts as a byte";
        dialog.txtAdr->setText("start");
        dialog.optWord->setChecked(true);
        dialog.cmdOK_Click();
    });
    c.f().Command("mnuDebugAddWatch")->trigger();
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr) << "Add Watch opens the watch window";
    EXPECT_TRUE(c.f().Checked("mnuViewWatch"));
    EXPECT_EQ(window->windowTitle(), "Watch Window");
    EXPECT_EQ(Rows(window), QStringList({"START $8641"}));
    EXPECT_EQ(Table(c).At(0).WatchAddress, 0xC000);

    AddWatch(c, "$C000");
    EXPECT_EQ(Rows(window), QStringList({"START $8641", "$C000 $86"}));
    EXPECT_EQ(window->SelectedWatch(), 1) << "the new watch is selected";
    EXPECT_TRUE(c.h.prompt.Messages().isEmpty());
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
}

TEST_F(WatchWindowTest, AnUnknownAddressIsRefusedAndTheDialogStaysOpen) {
    CodeFrame c;
    c.h.prompt.AnswerDialog([&c](QDialog& d) {
        auto& dialog = dynamic_cast<frmWatchAdr&>(d);
        dialog.cmdOK_Click(); // empty: ignored
        EXPECT_TRUE(c.h.prompt.Messages().isEmpty());
        for (const char* text : {"nowhere", "$10000", "65536", "12x"}) {
            dialog.txtAdr->setText(text);
            dialog.cmdOK_Click();
            EXPECT_FALSE(dialog.EnterOK()) << text;
            EXPECT_TRUE(dialog.txtAdr->text().isEmpty()) << text;
            EXPECT_NE(dialog.result(), QDialog::Accepted) << text;
        }
        dialog.txtAdr->setText("$40");
        QTest::keyClick(dialog.txtAdr, Qt::Key_Return);
    });
    c.f().Command("mnuDebugAddWatch")->trigger();
    EXPECT_EQ(c.h.prompt.Messages(), QStringList(4, "Invalid Address !"));
    EXPECT_EQ(c.h.prompt.Shown().back().Title, "Dravik - Watch");
    EXPECT_EQ(c.h.prompt.Shown().back().Icon, PromptIcon::Information);
    ASSERT_EQ(Table(c).WatchCount(), 1);
    EXPECT_EQ(Table(c).At(0).WatchAddress, 0x40);
}

TEST_F(WatchWindowTest, CancelAddsNothing) {
    CodeFrame c;
    c.h.prompt.AnswerDialog([](QDialog& d) { dynamic_cast<frmWatchAdr&>(d).cmdCancel_Click(); });
    c.f().Command("mnuDebugAddWatch")->trigger();
    EXPECT_EQ(Table(c).WatchCount(), 0);
    EXPECT_EQ(Window(c), nullptr);
}

TEST_F(WatchWindowTest, The33rdWatchIsRefused) {
    CodeFrame c;
    for (int i = 0; i < kMaxWatches - 1; ++i)
        Table(c).Add(i, QString(), false);
    AddWatch(c, "$1F");
    ASSERT_EQ(Table(c).WatchCount(), kMaxWatches);
    ASSERT_NE(Window(c), nullptr);
    EXPECT_EQ(Window(c)->ListView->topLevelItemCount(), kMaxWatches);

    const auto shownBefore = c.h.prompt.Shown().size();
    c.f().Command("mnuDebugAddWatch")->trigger();
    ASSERT_EQ(c.h.prompt.Shown().size(), shownBefore + 1) << "no dialog, only the message";
    const auto& shown = c.h.prompt.Shown().back();
    EXPECT_EQ(shown.What, ScriptedPrompt::Kind::Message);
    EXPECT_EQ(shown.Title, "Dravik - Watch Error");
    EXPECT_EQ(shown.Text, " Can't Add Watch !\n(Max. Watches = 32)");
    EXPECT_EQ(shown.Icon, PromptIcon::Exclamation);
    EXPECT_EQ(Table(c).WatchCount(), kMaxWatches);
    EXPECT_EQ(Window(c)->ListView->topLevelItemCount(), kMaxWatches);
}

TEST_F(WatchWindowTest, EditWatchChangesAddressAndSizeButKeepsTheFormat) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.Put(0xC000, {0x86, 0x41});
    c.Put(0x0040, {0x05});
    AddWatch(c, "start", true);
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->mnuViewBin();
    ASSERT_EQ(Rows(window), QStringList({"START %1000011001000001"}));

    ASSERT_TRUE(c.f().CommandEnabled("mnuDebugEditWatch"));
    c.h.prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = dynamic_cast<frmWatchAdr&>(d);
        EXPECT_EQ(dialog.txtAdr->text(), "START");
        EXPECT_EQ(dialog.txtAdr->selectedText(), "START");
        EXPECT_TRUE(dialog.optWord->isChecked());
        dialog.txtAdr->setText("$40");
        dialog.optByte->setChecked(true);
        dialog.cmdOK_Click();
    });
    c.f().Command("mnuDebugEditWatch")->trigger();
    EXPECT_EQ(Rows(window), QStringList({"$0040 %00000101"}));
    EXPECT_FALSE(Table(c).At(0).WatchNamed);
    EXPECT_FALSE(Table(c).At(0).WatchWide);
}

TEST_F(WatchWindowTest, EditingAClearedRowKeepsTheLabelTie) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    AddWatch(c, "count");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->ClearScreen();
    ASSERT_EQ(Rows(window), QStringList({"$0040 "}));
    // The user confirms the dialog unchanged.
    c.h.prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = dynamic_cast<frmWatchAdr&>(d);
        EXPECT_EQ(dialog.txtAdr->text(), "COUNT");
        dialog.cmdOK_Click();
    });
    c.f().mnuPopupViewEditWatch_Click();
    EXPECT_TRUE(Table(c).At(0).WatchNamed);
    EXPECT_EQ(Rows(window), QStringList({"COUNT $00"}));
}

TEST_F(WatchWindowTest, EditWatchIsOnlyOfferedByTheActiveWatchWindowWithAWatch) {
    CodeFrame c;
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugEditWatch"));
    ASSERT_TRUE(c.f().ShowView(kWatchView));
    Activate(c);
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugEditWatch")) << "no watch yet";
    AddWatch(c, "$10");
    EXPECT_TRUE(c.f().CommandEnabled("mnuDebugEditWatch"));
    c.OpenOther();
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugEditWatch"));
    Activate(c);
    EXPECT_TRUE(c.f().CommandEnabled("mnuDebugEditWatch"));
    Window(c)->mnuRemoveWatch();
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugEditWatch")) << "nothing left to edit";
    // Nothing to edit: no dialog.
    c.f().mnuDebugEditWatch_Click();
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
}

TEST_F(WatchWindowTest, RemoveWatchMovesTheRestUpAndTheLastOneDisablesRemove) {
    CodeFrame c;
    c.Put(0x0010, {1, 2, 3});
    for (const char* text : {"$10", "$11", "$12"})
        AddWatch(c, text);
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->mnuViewDec();
    window->SelectWatch(1);
    c.f().mnuPopupViewRemoveWatch_Click();
    EXPECT_EQ(Rows(window), QStringList({"$0010 $01", "$0012 3"}));

    window->SelectWatch(0);
    c.f().mnuPopupViewRemoveWatch_Click();
    c.f().mnuPopupViewRemoveWatch_Click();
    EXPECT_EQ(Table(c).WatchCount(), 0);
    EXPECT_EQ(window->ListView->topLevelItemCount(), 0);
    window->ShowPopup(QPoint(5, 5));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewRemoveWatch"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewEditWatch"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewEnter"));
    ClosePopup(c);
    // Nothing left: removing, refreshing and entering do nothing.
    c.f().mnuPopupViewRemoveWatch_Click();
    window->mnuRefresh();
    window->mnuEnter();
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
    EXPECT_TRUE(c.h.prompt.Messages().isEmpty());
}

TEST_F(WatchWindowTest, EnterValueWritesAByteOrAWord) {
    CodeFrame c;
    AddWatch(c, "$40");
    AddWatch(c, "$50", true);
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);

    window->SelectWatch(0);
    c.h.prompt.AnswerDialog([](QDialog& d) {
        auto& dialog = dynamic_cast<frmEnterVal&>(d);
        EXPECT_EQ(dialog.Label->text(), "$0040:");
        EXPECT_EQ(dialog.Text->text(), "$00");
        dialog.Text->setText("$1FF"); // too big for a byte
        dialog.cmdOK_Click();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        dialog.Text->setText("$7F");
        dialog.cmdOK_Click();
    });
    c.f().mnuPopupViewEnter_Click();
    EXPECT_EQ(c.h.prompt.Messages(), QStringList({"Invalid Number !"}));
    EXPECT_EQ(c.Memory()[0x40], 0x7F);
    EXPECT_EQ(c.Memory()[0x41], 0x00);

    window->SelectWatch(1);
    AnswerValue(c, "256");
    QTest::keyClick(window->ListView, Qt::Key_Return);
    EXPECT_EQ(c.Memory()[0x50], 0x01);
    EXPECT_EQ(c.Memory()[0x51], 0x00);
    EXPECT_EQ(Rows(window), QStringList({"$0040 $7F", "$0050 $0100"}))
        << "the frame's refresh reads them anew";

    // Cancel writes nothing.
    c.h.prompt.AnswerDialog([](QDialog& d) { dynamic_cast<frmEnterVal&>(d).cmdCancel_Click(); });
    window->mnuEnter();
    EXPECT_EQ(c.Memory()[0x50], 0x01);
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
}

TEST_F(WatchWindowTest, TheFormatCommandsActOnTheSelectedWatch) {
    CodeFrame c;
    c.Put(0x0040, {0x05, 0x12, 0x34});
    AddWatch(c, "$40");
    AddWatch(c, "$41", true);
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->SelectWatch(0);
    c.f().mnuPopupViewBin_Click();
    EXPECT_EQ(Rows(window), QStringList({"$0040 %00000101", "$0041 $1234"}));
    window->SelectWatch(1);
    c.f().mnuPopupViewDec_Click();
    EXPECT_EQ(Rows(window), QStringList({"$0040 %00000101", "$0041 4660"}));
    // Column 2 is as wide as the widest value.
    const int widest = window->ListView->fontMetrics().horizontalAdvance("%00000101");
    EXPECT_GE(window->ListView->columnWidth(1), widest);
    EXPECT_LT(window->ListView->columnWidth(1), widest + 20);
    window->SelectWatch(0);
    c.f().mnuPopupViewHex_Click();
    EXPECT_EQ(Rows(window), QStringList({"$0040 $05", "$0041 4660"}));
}

TEST_F(WatchWindowTest, ThePopupShowsTheWatchCommandsWhileItIsOpen) {
    CodeFrame c;
    AddWatch(c, "$40");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    QMenu* popup = c.f().Menu("mnuPopupView");
    const auto visible = [&c](const char* name) { return c.f().Command(name)->isVisible(); };
    EXPECT_FALSE(visible("mnuPopupViewAddWatch"));

    window->ShowPopup(RowPoint(window, 0));
    EXPECT_TRUE(popup->isVisible());
    for (const char* name :
         {"mnuPopupViewAddWatch", "mnuPopupViewEditWatch", "mnuPopupViewRemoveWatch", "mnuPopupViewBar1"})
        EXPECT_TRUE(visible(name)) << name;
    for (const char* name : {"mnuPopupViewEnter", "mnuPopupViewHex", "mnuPopupViewBin", "mnuPopupViewDec",
                             "mnuPopupViewEditWatch", "mnuPopupViewRemoveWatch", "mnuPopupViewRefresh"})
        EXPECT_TRUE(c.f().CommandEnabled(name)) << name;
    EXPECT_TRUE(c.f().Checked("mnuPopupViewHex"));
    EXPECT_FALSE(c.f().Checked("mnuPopupViewBin"));
    EXPECT_FALSE(c.f().Checked("mnuPopupViewAutoRefresh"));
    EXPECT_EQ(HelpTopicOf(c.f().Command("mnuPopupViewEnter")), 82);
    EXPECT_EQ(HelpTopicOf(c.f().Command("mnuPopupViewAutoRefresh")), 86);
    ClosePopup(c);
    for (const char* name :
         {"mnuPopupViewAddWatch", "mnuPopupViewEditWatch", "mnuPopupViewRemoveWatch", "mnuPopupViewBar1"})
        EXPECT_FALSE(visible(name)) << name;

    // Below the rows: no value commands, but the watch can still be edited or removed.
    window->ShowPopup(QPoint(5, window->ListView->viewport()->height() - 2));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewEnter"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewHex"));
    EXPECT_TRUE(c.f().CommandEnabled("mnuPopupViewEditWatch"));
    EXPECT_TRUE(c.f().CommandEnabled("mnuPopupViewRemoveWatch"));
    EXPECT_TRUE(c.f().Checked("mnuPopupViewHex"));
    ClosePopup(c);

    // Cleared values: no value commands on a row either.
    window->ClearScreen();
    window->ShowPopup(RowPoint(window, 0));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewEnter"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewBin"));
    ClosePopup(c);

    // With Auto Refresh on, Refresh Window is off and the timer waits for the menu.
    window->mnuRefresh();
    c.f().mnuPopupViewAutoRefresh_Click();
    ASSERT_TRUE(window->AutoRefresh);
    window->ShowPopup(RowPoint(window, 0));
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupViewRefresh"));
    EXPECT_TRUE(c.f().Checked("mnuPopupViewAutoRefresh"));
    EXPECT_FALSE(c.f().tmrRefresh->isActive());
    ClosePopup(c);
    EXPECT_TRUE(c.f().tmrRefresh->isActive());
}

TEST_F(WatchWindowTest, AutoRefreshRunsOnlyWhileTheWindowIsActive) {
    CodeFrame c;
    c.Put(0x0040, {0x11});
    AddWatch(c, "$40");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->mnuAutoRefresh();
    EXPECT_TRUE(c.f().tmrRefresh->isActive());
    c.Put(0x0040, {0x22});
    c.f().tmrRefresh_Timer();
    EXPECT_EQ(Rows(window), QStringList({"$0040 $22"}));
    c.OpenOther();
    EXPECT_FALSE(c.f().tmrRefresh->isActive());
    Activate(c);
    EXPECT_TRUE(c.f().tmrRefresh->isActive());
    window->mnuAutoRefresh();
    EXPECT_FALSE(c.f().tmrRefresh->isActive());
}

// A register window with its own auto refresh hears of losing the activation
// after the watch window gained it; the watch window's timer must survive that.
TEST_F(WatchWindowTest, AutoRefreshSurvivesLeavingAnotherAutoRefreshWindow) {
    CodeFrame c;
    AddWatch(c, "$40");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->mnuAutoRefresh();
    ASSERT_TRUE(c.f().ShowView("mnuViewRegPorts"));
    c.f().mdiArea->setActiveSubWindow(c.f().ViewWindow("mnuViewRegPorts"));
    QCoreApplication::processEvents();
    c.f().CallActiveChild("mnuAutoRefresh");
    QCoreApplication::processEvents();
    EXPECT_TRUE(c.f().tmrRefresh->isActive());
    Activate(c);
    EXPECT_EQ(c.f().mdiArea->activeSubWindow(), c.f().ViewWindow(kWatchView));
    EXPECT_TRUE(c.f().tmrRefresh->isActive());
}

TEST_F(WatchWindowTest, AFailedLinkClearsTheValuesAndStopsAutoRefresh) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.Put(0x0040, {0x05});
    AddWatch(c, "count");
    AddWatch(c, "$41");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    Activate(c);
    window->mnuAutoRefresh();
    ASSERT_EQ(Rows(window), QStringList({"COUNT $05", "$0041 $00"}));

    // The board does not answer.
    c.f().SimEnabled = false;
    window->mnuRefresh();
    EXPECT_FALSE(c.h.prompt.Messages().isEmpty());
    EXPECT_EQ(Rows(window), QStringList({"$0040 ", "$0041 "}));
    EXPECT_EQ(window->ListView->columnWidth(1), 0);
    EXPECT_FALSE(window->AutoRefresh);
    EXPECT_FALSE(c.f().tmrRefresh->isActive());
    // Entering a value on the failed link writes nothing and leaves the values cleared.
    AnswerValue(c, "$33");
    window->mnuEnter();
    EXPECT_EQ(c.Memory()[0x40], 0x05);
    EXPECT_EQ(Rows(window), QStringList({"$0040 ", "$0041 "}));
    // A new listing does not bring stale values back.
    c.LoadSymbols(folder.path(), kListing);
    EXPECT_EQ(Rows(window), QStringList({"$0040 ", "$0041 "}));

    c.f().SimEnabled = true;
    window->mnuRefresh();
    EXPECT_EQ(Rows(window), QStringList({"COUNT $05", "$0041 $00"}));
}

TEST_F(WatchWindowTest, RefreshRunOnAFailedLinkClearsTheWindow) {
    CodeFrame c;
    AddWatch(c, "$40");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    c.State().BoardOK = false;
    c.f().RefreshRun();
    EXPECT_EQ(Rows(window), QStringList({"$0040 "}));
    EXPECT_EQ(window->ListView->columnWidth(1), 0);
}

TEST_F(WatchWindowTest, TheWatchesAreReadAgainAfterEveryStop) {
    CodeFrame c;
    // LDAA #$42; STAA $40
    c.Put(0xC000, {0x86, 0x42, 0x97, 0x40});
    c.State().RegPC = 0xC000;
    AddWatch(c, "$40");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Rows(window), QStringList({"$0040 $00"}));
    c.f().Command("mnuRunStepInto")->trigger();
    c.f().Command("mnuRunStepInto")->trigger();
    EXPECT_EQ(c.State().RegPC, 0xC004);
    EXPECT_EQ(Rows(window), QStringList({"$0040 $42"}));
}

TEST_F(WatchWindowTest, ARunDisablesAddWatchAndTheWindow) {
    CodeFrame c;
    AddWatch(c, "$40");
    c.f().FreezeDisplay();
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugAddWatch"));
    EXPECT_FALSE(Window(c)->isEnabled());
    c.f().ThawDisplay();
    EXPECT_TRUE(c.f().CommandEnabled("mnuDebugAddWatch"));
    EXPECT_TRUE(Window(c)->isEnabled());
}

TEST_F(WatchWindowTest, ANewListingUntiesAWatchWhoseLabelMoved) {
    QTemporaryDir folder;
    CodeFrame c;
    c.LoadSymbols(folder.path(), kListing);
    c.Put(0xC000, {0x86});
    c.Put(0x0040, {0x07});
    AddWatch(c, "start");
    AddWatch(c, "count");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Rows(window), QStringList({"START $86", "COUNT $07"}));

    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xC010, {0x86, 0x41}, "START    LDAA #$41"),
                                  ListingLineText(2, 0x0040, {}, "COUNT    EQU $40")});
    EXPECT_EQ(Rows(window), QStringList({"$C000 $86", "COUNT $07"}));
    EXPECT_EQ(Table(c).At(0).WatchAddress, 0xC000);
    EXPECT_FALSE(Table(c).At(0).WatchNamed);
    EXPECT_TRUE(Table(c).At(1).WatchNamed);
}

TEST_F(WatchWindowTest, TheWatchesOutliveTheWindowAndItKeepsItsPlace) {
    CodeFrame c;
    c.Put(0x0040, {0x05});
    AddWatch(c, "$40");
    QMdiSubWindow* sub = c.f().ViewWindow(kWatchView);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->pos(), QPoint(7800 / 15, 0));
    EXPECT_EQ(sub->size(), QSize(2600 / 15, 2450 / 15));
    Activate(c);
    Window(c)->mnuViewBin();
    sub->move(30, 45);

    c.f().Command("mnuViewWatch")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(Window(c), nullptr);
    EXPECT_FALSE(c.f().Checked("mnuViewWatch"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugEditWatch"));
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "WatchLeft", ""), "450");
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "WatchTop", ""), "675");

    c.f().Command("mnuViewWatch")->trigger();
    ASSERT_NE(Window(c), nullptr);
    EXPECT_EQ(Rows(Window(c)), QStringList({"$0040 %00000101"}));
    EXPECT_EQ(c.f().ViewWindow(kWatchView)->pos(), QPoint(30, 45));
}

TEST_F(WatchWindowTest, AddingToAnOpenWindowBringsItForward) {
    CodeFrame c;
    AddWatch(c, "$40");
    c.OpenOther();
    ASSERT_NE(c.f().mdiArea->activeSubWindow(), c.f().ViewWindow(kWatchView));
    AddWatch(c, "$41");
    EXPECT_EQ(c.f().mdiArea->activeSubWindow(), c.f().ViewWindow(kWatchView));
    EXPECT_EQ(Rows(Window(c)), QStringList({"$0040 $00", "$0041 $00"}));
    EXPECT_TRUE(c.f().CommandEnabled("mnuDebugEditWatch"));
}

TEST_F(WatchWindowTest, WithoutABoardTheNewWatchShowsItsAddressOnly) {
    QTemporaryDir folder;
    CodeFrame c(false);
    c.LoadSymbols(folder.path(), kListing);
    AddWatch(c, "start");
    frmWatch* window = Window(c);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Rows(window), QStringList({"$C000 "}));
    EXPECT_FALSE(c.h.prompt.Messages().isEmpty());
}

TEST_F(WatchWindowTest, TheFrameClosesWithTheWindowOpen) {
    CodeFrame c;
    AddWatch(c, "$40");
    Activate(c);
    Window(c)->mnuAutoRefresh();
    EXPECT_TRUE(c.h.Close());
    EXPECT_EQ(Settings().GetText(Settings::kWindows, "WatchState", ""), "0");
}

} // namespace
} // namespace quorvel::test
