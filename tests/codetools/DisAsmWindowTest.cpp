// The disassembly window in the frame: its rows and colours, breakpoints,
// the mouse, the Debug commands it owns, and how it follows run control.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "CodeToolsHarness.h"
#include "ListingText.h"
#include "frame/Fonts.h"
#include "frame/Settings.h"
#include "run/RunTexts.h"

namespace quorvel::test {
namespace {

using DisAsmWindowTest = FrameTest;

const char* const kWindowCommands[] = {"mnuDebugCodeOn",           "mnuDebugIncludeSym",
                                       "mnuDebugToggleBreakpoint", "mnuDebugSetNewPC",
                                       "mnuDebugGoToPCAddress",    "mnuDebugGoToAddress"};

QPoint RowPoint(frmDisAsm& window, int row) {
    return {20, (row - 1) * window.Rows()->RowHeight() + window.Rows()->RowHeight() / 2};
}

// $E000: LDAA #$41, NOP, a BNE back to $E000, then zeros.
void PutProgram(CodeFrame& c) {
    c.Put(0xE000, {0x86, 0x41, 0x01, 0x26, 0xFB});
    c.State().RegPC = 0xE000;
}

TEST_F(DisAsmWindowTest, TheFrameRegistersBothViews) {
    CodeFrame c;
    EXPECT_TRUE(c.f().ViewRegistered("mnuViewDisassembler"));
    EXPECT_TRUE(c.f().CommandEnabled("mnuViewDisassembler"));
    EXPECT_TRUE(c.f().ViewRegistered("mnuViewLabel"));
    EXPECT_TRUE(c.f().CommandEnabled("mnuViewLabel"));
    EXPECT_TRUE(c.f().CommandEnabled("mnuRunRunTo"));
    // Refresh Window shows only in the disassembly window's pop-up.
    EXPECT_FALSE(c.f().Command("mnuDebugRefresh")->isVisible());
}

TEST_F(DisAsmWindowTest, OpeningShowsThePCLine) {
    CodeFrame c;
    PutProgram(c);
    c.f().Command("mnuViewDisassembler")->trigger();
    frmDisAsm* w = c.DisAsm();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(c.f().Checked("mnuViewDisassembler"));
    EXPECT_EQ(w->windowTitle(), "Disassembler");
    EXPECT_EQ(c.f().ViewWindow("mnuViewDisassembler")->windowTitle(), "Disassembler");
    EXPECT_TRUE(IsMonospaced(w->font()));
    EXPECT_EQ(w->CurRow, 1);
    EXPECT_EQ(w->PageAddress, 0xE000);
    EXPECT_EQ(w->RenderedRows(), 50);
    EXPECT_EQ(w->Lines[0].Text, " $E000: 86 41            LDAA  #$41");
    EXPECT_EQ(w->Lines[1].Text, " $E002: 01" + QString(15, ' ') + "NOP");
    EXPECT_TRUE(w->Lines[0].PC);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xE000);
    EXPECT_EQ(c.State().InstrBytes[0], 0x86);
}

TEST_F(DisAsmWindowTest, CodeOnAndIncludeSymbolsRedrawTheRows) {
    QTemporaryDir folder;
    CodeFrame c;
    PutProgram(c);
    c.LoadSymbols(folder.path(), {ListingLineText(1, 0xE000, {0x86, 0x41}, "START    LDAA #'A")});
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    c.f().Command("mnuDebugCodeOn")->trigger();
    EXPECT_FALSE(c.f().Checked("mnuDebugCodeOn"));
    EXPECT_EQ(w->Lines[0].Text, " $E000:   LDAA  #$41");
    c.f().Command("mnuDebugIncludeSym")->trigger();
    EXPECT_EQ(w->Lines[0].Text, " $E000:   START    LDAA #'A");
    // The memory changes; after Refresh Window the disassembly is back.
    c.Put(0xE001, {0x42});
    c.f().Command("mnuDebugRefresh")->trigger();
    EXPECT_EQ(w->Lines[0].Text, " $E000:   LDAA  #$42");
    EXPECT_EQ(w->CurRow, 1);
}

TEST_F(DisAsmWindowTest, ThePCRowIsBoldAndTheCursorBlueWhileActive) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Look(1), CursorLook(true));
    EXPECT_EQ(w->Look(2), NormalLook(*w));
    w->SetCurRow(2);
    EXPECT_EQ(w->Look(1), NormalLook(*w, true));
    EXPECT_EQ(w->Look(2), CursorLook());
    // Another window takes the activation: the cursor colours go, and so do the window's commands.
    c.OpenOther();
    EXPECT_EQ(w->Look(2), NormalLook(*w));
    for (const char* name : kWindowCommands)
        EXPECT_FALSE(c.f().CommandEnabled(name)) << name;
    EXPECT_FALSE(c.f().ToolButton("mnuDebugToggleBreakpoint")->isEnabled());
    c.ActivateDisAsm();
    EXPECT_EQ(w->Look(2), CursorLook());
    for (const char* name : kWindowCommands)
        EXPECT_TRUE(c.f().CommandEnabled(name)) << name;
    EXPECT_TRUE(c.f().ToolButton("mnuDebugToggleBreakpoint")->isEnabled());
    EXPECT_TRUE(c.f().CommandEnabled("mnuRunRunTo"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugClearAllBreakpoints"));
}

TEST_F(DisAsmWindowTest, ToggleBreakpointTwiceLeavesTheTableAsBefore) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    w->SetCurRow(2);
    c.f().Command("mnuDebugToggleBreakpoint")->trigger();
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 1);
    EXPECT_EQ(c.Run().Breakpoints().Breakpoints[0], 0xE002);
    EXPECT_EQ(w->Look(2), CursorBreakpointLook());
    EXPECT_TRUE(c.f().CommandEnabled("mnuDebugClearAllBreakpoints"));
    w->SetCurRow(3);
    EXPECT_EQ(w->Look(2), BreakpointLook());
    w->SetCurRow(2);
    c.f().Command("mnuDebugToggleBreakpoint")->trigger();
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 0);
    EXPECT_EQ(w->Look(2), CursorLook());
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugClearAllBreakpoints"));
    EXPECT_TRUE(c.h.prompt.Shown().empty());
}

TEST_F(DisAsmWindowTest, TheThirtyThirdBreakpointIsRefused) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm(40);
    ASSERT_NE(w, nullptr);
    for (int row = 1; row <= 32; ++row) {
        w->SetCurRow(row);
        w->mnuToggleBreakpoint();
    }
    ASSERT_EQ(c.Run().Breakpoints().BreakpointCount, 32);
    ASSERT_TRUE(c.h.prompt.Shown().empty());
    w->SetCurRow(33);
    w->mnuToggleBreakpoint();
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 32);
    EXPECT_FALSE(c.Run().Breakpoints().Contains(w->Lines[32].Address));
    EXPECT_EQ(w->Look(33), CursorLook());
    ASSERT_EQ(c.h.prompt.Shown().size(), 1U);
    const ScriptedPrompt::ShownItem& message = c.h.prompt.Shown()[0];
    EXPECT_EQ(message.Title, "Dravik - Breakpoint Error");
    EXPECT_EQ(message.Text, "  Can't Set Breakpoint !\n (Max. Breakpoints = 32)");
    EXPECT_EQ(message.Icon, PromptIcon::Exclamation);
    // Removing one still works with a full table.
    w->SetCurRow(5);
    w->mnuToggleBreakpoint();
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 31);
}

TEST_F(DisAsmWindowTest, ClearAllBreakpointsEmptiesTheTable) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    for (int row : {2, 4, 6}) {
        w->SetCurRow(row);
        w->mnuToggleBreakpoint();
    }
    w->SetCurRow(4);
    c.f().Command("mnuDebugClearAllBreakpoints")->trigger();
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 0);
    EXPECT_EQ(w->Look(2), NormalLook(*w));
    EXPECT_EQ(w->Look(4), CursorLook());
    EXPECT_EQ(w->Look(6), NormalLook(*w));
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugClearAllBreakpoints"));
}

TEST_F(DisAsmWindowTest, BreakpointsShowAfterARedraw) {
    CodeFrame c;
    PutProgram(c);
    c.Run().Breakpoints().Add(0xE003);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Lines[2].Breakpoint);
    EXPECT_EQ(w->Look(3), BreakpointLook());
}

TEST_F(DisAsmWindowTest, TheMouseSelectsAndADoubleClickToggles) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->Rows(), Qt::LeftButton, {}, RowPoint(*w, 4));
    EXPECT_EQ(w->CurRow, 4);
    QTest::mouseDClick(w->Rows(), Qt::LeftButton, {}, RowPoint(*w, 3));
    EXPECT_EQ(w->CurRow, 3);
    EXPECT_TRUE(c.Run().Breakpoints().Contains(w->Lines[2].Address));
    // Below the rendered rows nothing is selected.
    QTest::mouseClick(w->Rows(), Qt::LeftButton, {}, RowPoint(*w, 30));
    EXPECT_EQ(w->CurRow, 3);
    // An empty window ignores clicks.
    w->ClearScreen();
    QTest::mouseClick(w->Rows(), Qt::LeftButton, {}, RowPoint(*w, 2));
    EXPECT_EQ(w->CurRow, 0);
    QTest::mouseDClick(w->Rows(), Qt::LeftButton, {}, RowPoint(*w, 2));
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 1);
}

TEST_F(DisAsmWindowTest, ARightClickPopsUpTheDebugMenu) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    QMenu* debug = c.f().Menu("mnuDebug");
    ASSERT_NE(debug, nullptr);
    EXPECT_TRUE(c.f().Command("mnuDebugAddWatch")->isVisible());
    EXPECT_FALSE(c.f().Command("mnuDebugRefresh")->isVisible());
    EXPECT_FALSE(c.f().Command("mnuDebugBar6")->isVisible());

    QContextMenuEvent event(QContextMenuEvent::Mouse, RowPoint(*w, 5),
                            w->Rows()->mapToGlobal(RowPoint(*w, 5)));
    QApplication::sendEvent(w->Rows(), &event);
    EXPECT_EQ(w->CurRow, 5);
    EXPECT_TRUE(debug->isVisible());
    for (const char* name : {"mnuDebugAddWatch", "mnuDebugEditWatch", "mnuDebugBar1"})
        EXPECT_FALSE(c.f().Command(name)->isVisible()) << name;
    for (const char* name : {"mnuDebugRefresh", "mnuDebugBar6"})
        EXPECT_TRUE(c.f().Command(name)->isVisible()) << name;

    debug->hide();
    QCoreApplication::processEvents();
    for (const char* name : {"mnuDebugAddWatch", "mnuDebugEditWatch", "mnuDebugBar1"})
        EXPECT_TRUE(c.f().Command(name)->isVisible()) << name;
    for (const char* name : {"mnuDebugRefresh", "mnuDebugBar6"})
        EXPECT_FALSE(c.f().Command(name)->isVisible()) << name;
}

TEST_F(DisAsmWindowTest, SetNewPCMovesThePCToTheCursor) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    w->SetCurRow(3);
    c.f().Command("mnuDebugSetNewPC")->trigger();
    EXPECT_EQ(c.State().RegPC, 0xE003);
    EXPECT_EQ(w->CurRow, 3);
    EXPECT_TRUE(w->Lines[2].PC);
    EXPECT_FALSE(w->Lines[0].PC);
    // BNE with Z clear is taken back to $E000: below the PC.
    EXPECT_EQ(w->Lines[2].Text.at(23), u'-');
}

TEST_F(DisAsmWindowTest, GoToPCAddressSelectsTheVisiblePCRowOrLoadsItsPage) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    w->SetCurRow(6);
    c.State().RegPC = 0xE003;
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    EXPECT_EQ(w->PageAddress, 0xE000);
    EXPECT_EQ(w->CurRow, 3);
    EXPECT_TRUE(w->Lines[2].PC);
    c.State().RegPC = 0x1F000;
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    EXPECT_EQ(c.State().RegPC, 0xF000);
    EXPECT_EQ(w->PageAddress, 0xF000);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xF000);
    EXPECT_EQ(w->CurRow, 1);
}

TEST_F(DisAsmWindowTest, RunToCursorPlaysToTheSelectedRow) {
    CodeFrame c;
    // A count-down loop, then a NOP at $E006 and an idle loop.
    c.Put(0xE000, {0x86, 0x05, 0x4A, 0x26, 0xFD, 0x01, 0x01, 0x20, 0xFE});
    c.State().RegPC = 0xE000;
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->Lines[4].Address, 0xE006);
    w->SetCurRow(5);
    c.f().Command("mnuRunRunTo")->trigger();
    EXPECT_EQ(c.State().RegPC, 0xE006);
    EXPECT_EQ(c.State().RegA, 0);
    EXPECT_EQ(c.Run().Breakpoints().BreakpointCount, 0);
    EXPECT_TRUE(c.Run().Stopped);
    EXPECT_EQ(w->CurRow, 5);
    EXPECT_TRUE(w->Lines[4].PC);
    // The run is over: the window and its View item are back.
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(c.f().CommandEnabled("mnuViewDisassembler"));
}

TEST_F(DisAsmWindowTest, TheWindowFollowsTheRunAfterEveryStop) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    // Play moves ProgramPage to the code it runs; the window shows the PC afterwards.
    c.Put(0xF000, {0x86, 0x20, 0x4A, 0x26, 0xFD, 0x20, 0xFE});
    c.State().RegPC = 0xF000;
    c.Run().StopAtIdleLoop = true;
    const int renders = w->RenderCount();
    c.Run().Play();
    EXPECT_EQ(c.State().RegPC, 0xF005);
    // Play showed the PC line when it started and once more when it stopped, nothing in between.
    EXPECT_GT(c.Run().StepCount, 60);
    EXPECT_EQ(w->RenderCount() - renders, 2);
    EXPECT_EQ(w->CurRow, 4);
    EXPECT_TRUE(w->Lines[3].PC);
    // An idle loop at the first row.
    c.State().RegPC = 0xF000;
    c.f().ShowPCLine();
    c.Put(0xF000, {0x20, 0xFE});
    c.f().Command("mnuDebugRefresh")->trigger();
    c.Run().Play();
    EXPECT_EQ(c.State().RegPC, 0xF000);
    EXPECT_EQ(w->PageAddress, 0xF000);
    EXPECT_EQ(w->CurRow, 1);
    EXPECT_TRUE(w->Lines[0].PC);
    EXPECT_EQ(w->Lines[0].Text.at(23), QChar(0x00B1));
    // A step: the window shows the new PC row.
    c.State().RegPC = 0xE000;
    c.f().ShowPCLine();
    ASSERT_EQ(w->PageAddress, 0xE000);
    c.Run().StepInto();
    EXPECT_EQ(c.State().RegPC, 0xE002);
    EXPECT_EQ(w->PageAddress, 0xE000);
    EXPECT_EQ(w->CurRow, 2);
    EXPECT_TRUE(w->Lines[1].PC);
    EXPECT_FALSE(w->Lines[0].PC);
    // Another page was loaded since: Refresh reads the window's own page again.
    c.State().ProgramPageAddress = 0x1234;
    c.f().Targets().InProgram();
    c.f().Refresh();
    EXPECT_EQ(c.State().ProgramPageAddress, 0xE000);
    EXPECT_EQ(w->Lines[0].Text, " $E000: 86 41            LDAA  #$41");
    EXPECT_EQ(w->CurRow, 2);
}

TEST_F(DisAsmWindowTest, AFailedPageLoadEmptiesTheWindow) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    c.f().SimEnabled = false; // a board that does not answer
    c.State().RegPC = 0xF000;
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    EXPECT_EQ(w->CurRow, 0);
    EXPECT_EQ(w->RenderedRows(), 0);
    EXPECT_TRUE(w->Lines[0].Text.isEmpty());
    EXPECT_FALSE(w->HScroll()->isVisible());
    EXPECT_FALSE(c.h.prompt.Shown().empty());
    // The target does not answer: the window's commands are off.
    w->Menus();
    EXPECT_FALSE(c.f().CommandEnabled("mnuDebugGoToAddress"));
    EXPECT_FALSE(c.f().CommandEnabled("mnuRunRunTo"));
}

TEST_F(DisAsmWindowTest, ClosingSavesThePlacementAndDisablesTheCommands) {
    CodeFrame c;
    PutProgram(c);
    ASSERT_NE(c.OpenDisAsm(), nullptr);
    c.f().ViewWindow("mnuViewDisassembler")->move(30, 45);
    c.f().Command("mnuViewDisassembler")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(c.DisAsm(), nullptr);
    EXPECT_FALSE(c.f().Checked("mnuViewDisassembler"));
    for (const char* name : kWindowCommands)
        EXPECT_FALSE(c.f().CommandEnabled(name)) << name;
    Settings store;
    EXPECT_EQ(store.GetText(Settings::kWindows, "DisAsmLeft", ""), "450");
    EXPECT_EQ(store.GetText(Settings::kWindows, "DisAsmTop", ""), "675");
    EXPECT_EQ(store.GetText(Settings::kWindows, "DisAsmState", ""), "0");
}

TEST_F(DisAsmWindowTest, LongRowsGetTheHorizontalScrollBar) {
    CodeFrame c;
    PutProgram(c);
    frmDisAsm* w = c.OpenDisAsm();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->HScroll()->isVisible());
    QMdiSubWindow* window = c.f().ViewWindow("mnuViewDisassembler");
    window->resize(window->width() - w->width() + 20 * w->Rows()->BlankWidth(), window->height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->HScroll()->isVisible());
    qsizetype longest = 0;
    for (int row = 0; row < w->RenderedRows(); ++row)
        longest = std::max(longest, w->Lines[size_t(row)].Text.size());
    EXPECT_EQ(longest, 36); // " $E003: 26 FB            BNE   $E000"
    // The rows are as wide as the window beside its vertical scroll bar.
    const int columns = w->Rows()->width() / w->Rows()->BlankWidth();
    EXPECT_EQ(w->HScroll()->maximum(), int(longest) - columns);
    EXPECT_EQ(w->HScroll()->pageStep(), columns);
    w->HScroll()->setValue(3);
    EXPECT_EQ(w->Rows()->FirstColumn(), 3);
}

} // namespace
} // namespace quorvel::test
