// The scroll keys of the disassembly window: the cursor moves within the
// visible rows; at the edges the page moves and is loaded again, across the
// ends of memory too.
#include <QTest>

#include "CodeToolsHarness.h"

namespace quorvel::test {
namespace {

using DisAsmKeysTest = FrameTest;

constexpr int kRows = 10;

void Key(frmDisAsm* w, Qt::Key key) {
    QTest::keyClick(w, key);
}

// One-byte instructions (NOP) everywhere.
void Nops(CodeFrame& c) {
    c.Memory().fill(0x01);
}

frmDisAsm* OpenAt(CodeFrame& c, int32_t pc) {
    c.State().RegPC = pc;
    frmDisAsm* w = c.OpenDisAsm(kRows);
    if (w) w->setFocus();
    return w;
}

TEST_F(DisAsmKeysTest, UpAndDownMoveTheCursorInsideTheRows) {
    CodeFrame c;
    Nops(c);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->VisibleRows, kRows);
    Key(w, Qt::Key_Down);
    Key(w, Qt::Key_Down);
    EXPECT_EQ(w->CurRow, 3);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(w->CurRow, 2);
    EXPECT_EQ(w->PageAddress, 0xE000);
}

TEST_F(DisAsmKeysTest, UpOnRowOneScrollsBackByOneInstruction) {
    CodeFrame c;
    Nops(c);
    c.Put(0xDFFD, {0xCE, 0x12, 0x34}); // ends at $E000
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(w->CurRow, 1);
    EXPECT_EQ(w->PageAddress, 0xDFFD);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xDFFB);
    EXPECT_EQ(w->Lines[1].Address, 0xE000);
    // Without an instruction that ends there, the row one byte back.
    Key(w, Qt::Key_Up);
    EXPECT_EQ(w->PageAddress, 0xDFFC);
}

TEST_F(DisAsmKeysTest, DownOnTheLastRowMakesRowTwoTheFirst) {
    CodeFrame c;
    Nops(c);
    c.Put(0xE000, {0x86, 0x41});
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    w->SetCurRow(kRows);
    Key(w, Qt::Key_Down);
    EXPECT_EQ(w->PageAddress, 0xE002);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xE002);
    EXPECT_EQ(w->CurRow, kRows);
    EXPECT_EQ(w->Lines[kRows - 1].Address, 0xE002 + kRows - 1);
}

TEST_F(DisAsmKeysTest, PageDownMakesTheLastVisibleRowTheFirst) {
    CodeFrame c;
    Nops(c);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    w->SetCurRow(4);
    Key(w, Qt::Key_PageDown);
    EXPECT_EQ(w->PageAddress, 0xE009);
    EXPECT_EQ(w->CurRow, 4);
}

TEST_F(DisAsmKeysTest, PageUpMakesTheFirstRowTheLastVisible) {
    CodeFrame c;
    Nops(c);
    c.Put(0xDFFA, {0x18, 0xCE, 0x00, 0x10}); // a four-byte instruction among the NOPs
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    Key(w, Qt::Key_PageUp);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xE009 - 250);
    EXPECT_EQ(w->PageAddress, 0xDFF4);
    EXPECT_EQ(w->Lines[6].Address, 0xDFFA);
    EXPECT_EQ(w->Lines[7].Address, 0xDFFE);
    EXPECT_EQ(w->Lines[kRows - 1].Address, 0xE000);
    EXPECT_EQ(w->CurRow, 1);
}

TEST_F(DisAsmKeysTest, PageUpAndUpAtTheBottomOfMemory) {
    CodeFrame c;
    Nops(c);
    frmDisAsm* w = OpenAt(c, 0x0000);
    ASSERT_NE(w, nullptr);
    Key(w, Qt::Key_PageUp);
    EXPECT_EQ(w->PageAddress, 0xFFF7);
    EXPECT_EQ(w->Lines[kRows - 1].Address, 0x0000);
    EXPECT_EQ(w->Lines[kRows - 2].Address, 0xFFFF);

    // From a page at $0000, Up goes back across the bottom of memory.
    w->ClearScreen();
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    ASSERT_EQ(w->PageAddress, 0x0000);
    ASSERT_EQ(w->CurRow, 1);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(w->PageAddress, 0xFFFF);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xFFFB);
    EXPECT_EQ(w->Lines[1].Address, 0x0000);
}

TEST_F(DisAsmKeysTest, PageDownAndDownAtTheTopOfMemory) {
    CodeFrame c;
    Nops(c);
    frmDisAsm* w = OpenAt(c, 0xFFF8);
    ASSERT_NE(w, nullptr);
    Key(w, Qt::Key_PageDown);
    EXPECT_EQ(w->PageAddress, 0xFFF8 + kRows - 1 - 0x10000);
    EXPECT_EQ(w->Lines[0].Address, 0x0001);
    EXPECT_EQ(c.State().ProgramPageAddress, 0x0001);

    c.State().RegPC = 0xFFF6;
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    ASSERT_EQ(w->PageAddress, 0xFFF6);
    ASSERT_EQ(w->Lines[kRows - 1].Address, 0xFFFF);
    w->SetCurRow(kRows);
    Key(w, Qt::Key_Down);
    EXPECT_EQ(w->PageAddress, 0xFFF7);
    EXPECT_EQ(w->Lines[kRows - 1].Address, 0x0000);
    EXPECT_EQ(w->CurRow, kRows);
}

TEST_F(DisAsmKeysTest, KeysNeedASelectedRowAndAnIdleWindow) {
    CodeFrame c;
    Nops(c);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    w->Busy = true;
    Key(w, Qt::Key_Up);
    Key(w, Qt::Key_PageDown);
    EXPECT_EQ(w->PageAddress, 0xE000);
    // Inside the rows the cursor still moves.
    Key(w, Qt::Key_Down);
    EXPECT_EQ(w->CurRow, 2);
    w->Busy = false;
    w->ClearScreen();
    Key(w, Qt::Key_PageDown);
    Key(w, Qt::Key_Down);
    EXPECT_EQ(w->CurRow, 0);
    EXPECT_EQ(w->RenderedRows(), 0);
}

} // namespace
} // namespace quorvel::test
