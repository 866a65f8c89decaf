// The memory window in the frame on the simulator: opening it, paging,
// the cursor and its edge scrolling, editing in both areas, the scroll
// thumb's floating address, the mouse, the pop-up, the address dialog, and
// what a stop or a failed exchange does to it.
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "../codetools/CodeToolsHarness.h"
#include "MemoryHarness.h"
#include "frame/Fonts.h"
#include "views/frmMemAdr.h"

namespace quorvel::test {
namespace {

using MemoryWindowTest = FrameTest;

TEST_F(MemoryWindowTest, TheViewMenuOpensTheWindowAtTheAddressAskedFor) {
    CodeFrame c;
    c.Put(0x1234, {0x41});
    EXPECT_TRUE(c.f().ViewRegistered(kMemoryView));
    EXPECT_TRUE(c.f().CommandEnabled(kMemoryView));
    AnswerAddress(c.h.prompt, "1234");
    c.f().Command(kMemoryView)->trigger();
    frmMemory* w = MemoryWindow(c.f());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(c.f().Checked(kMemoryView));
    EXPECT_EQ(c.f().ViewWindow(kMemoryView)->windowTitle(), "Memory Window");
    ASSERT_EQ(c.h.prompt.Shown().size(), 1U);
    EXPECT_EQ(c.h.prompt.Shown()[0].DialogName, "frmMemAdr");
    EXPECT_TRUE(w->EnterOK);
    EXPECT_EQ(w->EnterAddress, 0x1234);
    EXPECT_EQ(w->Page().Base(), 0x1230);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 2 + 4}));
    EXPECT_EQ(w->CellText(3, 0), " $1230:");
    EXPECT_EQ(w->CellText(3, 6), "41");
    EXPECT_EQ(w->CellText(3, 23), "A");
    EXPECT_TRUE(IsMonospaced(w->gridMemory->font()));
    // The first placement fills the frame's client area.
    EXPECT_EQ(c.f().ViewWindow(kMemoryView)->pos(), QPoint(0, 0));
    // The item again closes the window.
    c.f().Command(kMemoryView)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(MemoryWindow(c.f()), nullptr);
    EXPECT_FALSE(c.f().Checked(kMemoryView));
}

TEST_F(MemoryWindowTest, DisplayAddressPagesThroughMemory) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->RowsShown, 8);
    EXPECT_EQ(w->VScroll->maximum(), 4096 - 8);
    EXPECT_EQ(w->VScroll->pageStep(), 8);
    const struct {
        const char* Text;
        int32_t Base;
        MemoryCell Cursor;
    } cases[] = {
        {"FFF5", 0xFF80, {3 + 7, 2 + 5}}, {"1234", 0x1230, {3, 2 + 4}},
        {"ffff", 0xFF80, {10, 17}},       {"0", 0x0000, {3, 2}},
        {"FF8F", 0xFF80, {3, 17}},
    };
    for (const auto& t : cases) {
        ShowAddress(c.f(), c.h.prompt, t.Text);
        EXPECT_EQ(w->Page().Base(), t.Base) << t.Text;
        EXPECT_EQ(c.State().MemoryBlockAddress, t.Base) << t.Text;
        EXPECT_EQ(w->VScroll->value(), t.Base / 16) << t.Text;
        EXPECT_EQ(w->Cursor, t.Cursor) << t.Text;
        EXPECT_EQ(w->Page().CellAddress(w->Cursor), w->EnterAddress) << t.Text;
    }
    ShowAddress(c.f(), c.h.prompt, "FFF5");
    EXPECT_EQ(w->CellText(10, 0), " $FFF0:");
    EXPECT_EQ(w->CellText(11, 0), "");
}

TEST_F(MemoryWindowTest, CancellingTheAddressDialogShowsThePageAtZero) {
    CodeFrame c;
    c.Put(0x0000, {0x5A});
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "2345");
    CancelAddress(c.h.prompt);
    w->mnuMemoryAddress();
    EXPECT_FALSE(w->EnterOK);
    EXPECT_EQ(w->Page().Base(), 0x0000);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 2}));
    EXPECT_EQ(w->CellText(3, 2), "5A");
}

TEST_F(MemoryWindowTest, TheCharacterAreaShowsPrintableCharactersOnly) {
    CodeFrame c;
    c.Put(0x2000, {0x41, 0x7F, 0x1F, 0x80, 0x20, 0x7E, 0x00, 0xFF});
    frmMemory* w = OpenMemory(c.f(), 4);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "2000");
    const char* expected[] = {"A", ".", ".", ".", " ", "~", ".", "."};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w->CellText(3, 19 + i), expected[i]) << i;
    EXPECT_EQ(w->CellText(3, 2 + 1), "7F");
}

TEST_F(MemoryWindowTest, TypingIntoAHexCellOverwritesAndEnterWritesTheByte) {
    CodeFrame c;
    c.Put(0x1234, {0x12});
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    QTest::keyClick(w->gridMemory, Qt::Key_Return);
    ASSERT_TRUE(w->txtData->isVisible());
    EXPECT_EQ(w->txtData->text(), "12");
    EXPECT_EQ(w->txtData->selectedText(), "12");
    EXPECT_EQ(w->txtData->geometry(), w->gridMemory->CellRect({3, 6}));
    QTest::keyClicks(w->txtData, "7fg0");
    EXPECT_EQ(w->txtData->text(), "7F");
    QTest::keyClick(w->txtData, Qt::Key_Return);
    EXPECT_FALSE(w->txtData->isVisible());
    EXPECT_EQ(c.Memory()[0x1234], 0x7F);
    EXPECT_EQ(w->CellText(3, 6), "7F");
    EXPECT_EQ(w->CellText(3, 23), ".");
    EXPECT_TRUE(c.h.prompt.Messages().isEmpty());
}

TEST_F(MemoryWindowTest, TypingIntoACharacterCellWritesItsCode) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    QTest::keyClick(w->gridMemory, Qt::Key_Tab);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 23}));
    w->mnuMemoryEnter();
    ASSERT_TRUE(w->txtData->isVisible());
    EXPECT_EQ(w->txtData->text(), ".");
    QTest::keyClicks(w->txtData, "Az");
    EXPECT_EQ(w->txtData->text(), "A");
    QTest::keyClick(w->txtData, Qt::Key_Enter);
    EXPECT_EQ(c.Memory()[0x1234], 0x41);
    EXPECT_EQ(w->CellText(3, 6), "41");
    EXPECT_EQ(w->CellText(3, 23), "A");
}

TEST_F(MemoryWindowTest, EscapeAnEmptyEditorAndLosingTheFocusWriteNothing) {
    CodeFrame c;
    c.Put(0x1234, {0x12});
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    w->EnterData(3, 6);
    QTest::keyClicks(w->txtData, "55");
    QTest::keyClick(w->txtData, Qt::Key_Escape);
    EXPECT_FALSE(w->txtData->isVisible());
    EXPECT_EQ(c.Memory()[0x1234], 0x12);

    w->EnterData(3, 6);
    QTest::keyClick(w->txtData, Qt::Key_Backspace);
    EXPECT_EQ(w->txtData->text(), "");
    QTest::keyClick(w->txtData, Qt::Key_Return);
    EXPECT_TRUE(w->txtData->isVisible()) << "Enter on an empty editor does nothing";
    EXPECT_EQ(c.Memory()[0x1234], 0x12);

    QTest::keyClicks(w->txtData, "55");
    w->gridMemory->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->txtData->isVisible());
    EXPECT_EQ(c.Memory()[0x1234], 0x12);
    EXPECT_EQ(w->CellText(3, 6), "12");
}

TEST_F(MemoryWindowTest, OnlyDataCellsAreEdited) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    for (MemoryCell cell : {MemoryCell{3, 0}, MemoryCell{3, 1}, MemoryCell{3, 18}, MemoryCell{2, 5},
                            MemoryCell{11, 5}, MemoryCell{3, 35}}) {
        w->EnterData(cell.Row, cell.Column);
        EXPECT_FALSE(w->txtData->isVisible()) << cell.Row << "," << cell.Column;
    }
}

TEST_F(MemoryWindowTest, TheKeysMoveTheCursorAndScrollAtThePageEdges) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    const auto key = [w](Qt::Key k) { QTest::keyClick(w->gridMemory, k); };

    int displays = w->DisplayCount();
    key(Qt::Key_Up);
    EXPECT_EQ(w->Page().Base(), 0x1220);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 6}));
    EXPECT_EQ(w->DisplayCount(), displays + 1) << "one row of scrolling reads the page again";
    for (int i = 0; i < 7; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(w->Cursor, (MemoryCell{10, 6}));
    EXPECT_EQ(w->Page().Base(), 0x1220);
    key(Qt::Key_Down);
    EXPECT_EQ(w->Page().Base(), 0x1230);
    EXPECT_EQ(w->Cursor, (MemoryCell{10, 6}));
    key(Qt::Key_End);
    key(Qt::Key_Right);
    EXPECT_EQ(w->Page().Base(), 0x1240);
    EXPECT_EQ(w->Cursor, (MemoryCell{10, 2}));
    key(Qt::Key_Tab);
    EXPECT_EQ(w->Cursor, (MemoryCell{10, 19}));
    key(Qt::Key_Left);
    EXPECT_EQ(w->Cursor, (MemoryCell{9, 34}));
    key(Qt::Key_PageDown);
    EXPECT_EQ(w->Page().Base(), 0x12C0);
    key(Qt::Key_PageUp);
    EXPECT_EQ(w->Page().Base(), 0x1240);

    // The last byte of memory: nothing scrolls past $FFFF.
    ShowAddress(c.f(), c.h.prompt, "FFFF");
    displays = w->DisplayCount();
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(w->Page().Base(), 0xFF80);
    EXPECT_EQ(w->Cursor, (MemoryCell{10, 17}));
    EXPECT_EQ(w->DisplayCount(), displays);
    // The first byte: nothing scrolls before $0000.
    ShowAddress(c.f(), c.h.prompt, "0000");
    key(Qt::Key_Up);
    key(Qt::Key_Left);
    EXPECT_EQ(w->Page().Base(), 0x0000);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 2}));
}

TEST_F(MemoryWindowTest, TheWheelOverTheGridScrollsByRowsWithinMemory) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1234");
    ASSERT_EQ(w->Cursor, (MemoryCell{3, 6}));
    SendWheel(w->gridMemory, -120);
    EXPECT_EQ(w->Page().Base(), 0x1260);
    EXPECT_EQ(w->VScroll->value(), 0x126);
    EXPECT_EQ(w->Cursor, (MemoryCell{3, 6}));
    SendWheel(w->gridMemory, 40);
    EXPECT_EQ(w->Page().Base(), 0x1250);
    // Never before $0000 or past $FFFF.
    ShowAddress(c.f(), c.h.prompt, "0010");
    SendWheel(w->gridMemory, 120);
    EXPECT_EQ(w->Page().Base(), 0x0000);
    ShowAddress(c.f(), c.h.prompt, "FFFF");
    const int displays = w->DisplayCount();
    SendWheel(w->gridMemory, -120);
    EXPECT_EQ(w->Page().Base(), 0xFF80);
    EXPECT_EQ(w->DisplayCount(), displays);
}

TEST(MemoryGridLookTest, CellsTakeThePaletteColoursAndTheFocusedCursorIsBlue) {
    const QPalette dark = DarkPalette();
    const QColor text = dark.color(QPalette::Text);
    const struct {
        bool Header, Cursor, Focused;
        RowLook Look;
    } cases[] = {
        {false, false, true, {QColor(), text, false}},
        {true, false, true, {QColor(), dark.color(QPalette::Disabled, QPalette::Text), false}},
        {false, true, true, {Qt::blue, Qt::white, false}},
        {false, true, false, {dark.color(QPalette::Mid), text, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemoryCellLook(dark, c.Header, c.Cursor, c.Focused), c.Look)
            << c.Header << c.Cursor << c.Focused;
}

TEST_F(MemoryWindowTest, DraggingTheThumbShowsTheAddressAndTheReleasedPageFollows) {
    CodeFrame c;
    c.Put(0x1230, {0x99});
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "0");
    w->VScroll->setSliderDown(true);
    w->VScroll->setSliderPosition(0x123);
    EXPECT_TRUE(w->frameAdr->isVisible());
    EXPECT_EQ(w->lbAdr->text(), "$1230");
    EXPECT_EQ(w->frameAdr->geometry().right() + 1 + 120 / 15, w->VScroll->x());
    EXPECT_EQ(w->Page().Base(), 0x0000) << "the page waits for the release";
    w->VScroll->setSliderPosition(w->VScroll->maximum());
    EXPECT_EQ(w->lbAdr->text(), "$FF80");
    w->VScroll->setSliderPosition(0x123);
    w->VScroll->setSliderDown(false);
    EXPECT_FALSE(w->frameAdr->isVisible());
    EXPECT_EQ(w->Page().Base(), 0x1230);
    EXPECT_EQ(w->CellText(3, 2), "99");
}

TEST_F(MemoryWindowTest, AResizeAtTheEndOfMemoryKeepsTheLastPageEndingAtFFFF) {
    CodeFrame c;
    c.Put(0xFF00, {0x77});
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "FFFF");
    SetMemoryRows(c.f(), 16);
    ASSERT_EQ(w->RowsShown, 16);
    EXPECT_EQ(w->Page().Base(), 0xFF00);
    EXPECT_EQ(w->VScroll->value(), 0xFF0);
    EXPECT_EQ(w->VScroll->maximum(), 4096 - 16);
    EXPECT_EQ(w->CellText(3, 2), "77");
    EXPECT_EQ(w->CellText(18, 0), " $FFF0:");
    // Fewer rows keep the cursor on the page.
    SetMemoryRows(c.f(), 4);
    EXPECT_EQ(w->RowsShown, 4);
    EXPECT_LE(w->Cursor.Row, 6);
}

TEST_F(MemoryWindowTest, TheMouseSelectsEditsAndAsksForAnAddress) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1000");
    QTest::mouseClick(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 5, 9));
    EXPECT_EQ(w->Cursor, (MemoryCell{5, 9}));
    QTest::mouseClick(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 6, 18));
    EXPECT_EQ(w->Cursor, (MemoryCell{6, 19}));
    QTest::mouseDClick(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 4, 20));
    // QTest's double click on a widget leaves the button down; let it go.
    QTest::mouseRelease(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 4, 20));
    EXPECT_TRUE(w->txtData->isVisible());
    EXPECT_EQ(w->Cursor, (MemoryCell{4, 20}));
    QTest::keyClick(w->txtData, Qt::Key_Escape);
    // The address column asks for an address instead.
    AnswerAddress(c.h.prompt, "2000");
    QTest::mouseDClick(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 4, 0));
    QTest::mouseRelease(w->gridMemory, Qt::LeftButton, {}, CellCentre(*w, 4, 0));
    EXPECT_EQ(w->Page().Base(), 0x2000);
    EXPECT_FALSE(w->txtData->isVisible());
}

TEST_F(MemoryWindowTest, ThePopupCommandsReachTheWindow) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "3000");
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, CellCentre(*w, 4, 3),
                                w->gridMemory->mapToGlobal(CellCentre(*w, 4, 3)));
    QCoreApplication::sendEvent(w->gridMemory, &menuEvent);
    EXPECT_EQ(w->Cursor, (MemoryCell{4, 3}));
    EXPECT_TRUE(c.f().CommandEnabled("mnuPopupMemoryEnter"));
    c.f().Menu("mnuPopupMemory")->hide();
    c.f().mnuPopupMemoryEnter_Click();
    EXPECT_TRUE(w->txtData->isVisible());
    QTest::keyClick(w->txtData, Qt::Key_Escape);

    c.Put(0x3000, {0xAB});
    c.f().mnuPopupMemoryRefresh_Click();
    EXPECT_EQ(w->CellText(3, 2), "AB");
    AnswerAddress(c.h.prompt, "4000");
    c.f().mnuPopupMemoryAddress_Click();
    EXPECT_EQ(w->Page().Base(), 0x4000);
}

TEST_F(MemoryWindowTest, BecomingTheActiveWindowReadsThePageAgain) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    c.f().SetChecked(kMemoryView, true);
    ShowAddress(c.f(), c.h.prompt, "5000");
    c.OpenOther();
    c.Put(0x5000, {0x42});
    EXPECT_EQ(w->CellText(3, 2), "00");
    c.f().mdiArea->setActiveSubWindow(c.f().ViewWindow(kMemoryView));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->CellText(3, 2), "42");
}

TEST_F(MemoryWindowTest, AStopReadsThePageAndAFailedExchangeLeavesOnlyAddresses) {
    CodeFrame c;
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "6100");
    c.Put(0x6100, {0x11});
    c.f().RefreshRun();
    EXPECT_EQ(w->CellText(3, 2), "11");
    c.State().BoardOK = false;
    c.f().RefreshRun();
    for (int row = 3; row < 11; ++row) {
        EXPECT_EQ(w->CellText(row, 0), QStringLiteral(" $%1:").arg(0x6100 + 16 * (row - 3), 4, 16).toUpper());
        EXPECT_EQ(w->Page().Line(row - 3).count(u'\t'), 1);
    }
    EXPECT_EQ(w->CellText(3, 2), "");
}

TEST_F(MemoryWindowTest, WithATargetThatDoesNotAnswerEveryRowShowsOnlyItsAddress) {
    CodeFrame c(false); // a board that is not there
    frmMemory* w = OpenMemory(c.f(), 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(c.f(), c.h.prompt, "1230");
    EXPECT_FALSE(c.State().BoardOK);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(w->Page().Line(k), QStringLiteral(" $%1:\t").arg(0x1230 + 16 * k, 4, 16).toUpper()) << k;
    // A write that fails changes nothing either.
    w->EnterData(3, 2);
    QTest::keyClicks(w->txtData, "12");
    QTest::keyClick(w->txtData, Qt::Key_Return);
    EXPECT_EQ(w->CellText(3, 2), "");
}

// ---- The address dialog ----

TEST_F(MemoryWindowTest, TheAddressBoxTakesUpToFourHexDigits) {
    ScriptedPrompt prompt;
    frmMemAdr dialog(prompt);
    EXPECT_EQ(dialog.windowTitle(), "Memory Display Address");
    EXPECT_EQ(dialog.cmdOK->text(), "OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "Cancel");
    QTest::keyClicks(dialog.txtAdr, "1g-2 f");
    EXPECT_EQ(dialog.txtAdr->text(), "12F");
    QTest::keyClicks(dialog.txtAdr, "ab");
    EXPECT_EQ(dialog.txtAdr->text(), "12FA");
    dialog.txtAdr->setCursorPosition(0);
    QTest::keyClicks(dialog.txtAdr, "9");
    EXPECT_EQ(dialog.txtAdr->text(), "12FA") << "no fifth digit, wherever the caret is";
    dialog.txtAdr->end(false);
    QTest::keyClick(dialog.txtAdr, Qt::Key_Backspace);
    EXPECT_EQ(dialog.txtAdr->text(), "12F");
    QTest::keyClick(dialog.txtAdr, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.EnterOK);
    EXPECT_EQ(dialog.EnterAddress, 0x12F);
    EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(MemoryWindowTest, AnEmptyBoxStaysOpen) {
    ScriptedPrompt prompt;
    frmMemAdr dialog(prompt);
    QTest::keyClick(dialog.txtAdr, Qt::Key_Return);
    dialog.cmdOK->click();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.EnterOK);
    EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(MemoryWindowTest, PastedTextThatIsNoAddressIsRefused) {
    for (const char* text : {"12345", "ZZ", "$100", "1 2"}) {
        ScriptedPrompt prompt;
        frmMemAdr dialog(prompt);
        dialog.txtAdr->setText(text);
        dialog.cmdOK->click();
        EXPECT_FALSE(dialog.EnterOK) << text;
        EXPECT_EQ(dialog.result(), 0) << text;
        EXPECT_EQ(dialog.txtAdr->text(), "") << text;
        ASSERT_EQ(prompt.Shown().size(), 1U) << text;
        EXPECT_EQ(prompt.Shown()[0].Title, "Dravik - Memory Display Address");
        EXPECT_EQ(prompt.Shown()[0].Text, "Invalid Address !");
    }
}

} // namespace
} // namespace quorvel::test
