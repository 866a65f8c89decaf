// The stack window in the frame: opening at the stack pointer, the wrap
// below $0000, the marks and colours, keys and mouse, the value entry and
// the go-to commands, and what runs, stops and failed exchanges do to it.
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "../codetools/CodeToolsHarness.h"
#include "MemoryHarness.h"
#include "codetools/frmAddress.h"
#include "views/frmEnterVal.h"
#include "views/frmStack.h"

namespace quorvel::test {
namespace {

using StackWindowTest = FrameTest;

frmStack* StackWindow(frmMain& frame) {
    return qobject_cast<frmStack*>(frame.View(kStackView));
}

void ActivateStack(frmMain& frame) {
    frame.mdiArea->setActiveSubWindow(frame.ViewWindow(kStackView));
    QCoreApplication::processEvents();
}

void SetStackLines(frmMain& frame, int lines) {
    QMdiSubWindow* window = frame.ViewWindow(kStackView);
    frmStack* form = StackWindow(frame);
    const int decoration = window->height() - form->height();
    window->resize(300, decoration + lines * form->Rows()->RowHeight());
    QCoreApplication::processEvents();
}

// Opens the window, active, with `lines` visible lines, and shows the stack pointer.
frmStack* OpenStack(CodeFrame& c, int lines) {
    c.f().Command(kStackView)->trigger();
    if (!StackWindow(c.f())) return nullptr;
    ActivateStack(c.f());
    SetStackLines(c.f(), lines);
    StackWindow(c.f())->mnuGoToSPAddress();
    return StackWindow(c.f());
}

QPoint LinePoint(frmStack& window, int line) {
    return {20, (line - 1) * window.Rows()->RowHeight() + window.Rows()->RowHeight() / 2};
}

RowLook Normal(const frmStack& window, bool bold = false) {
    return NormalLook(window, bold);
}
RowLook Selected(bool bold = false) {
    return {Qt::blue, Qt::white, bold};
}

TEST_F(StackWindowTest, OpeningShowsTheStackPointerOnTheLastVisibleLine) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    c.Put(0x00FF, {0x3C});
    EXPECT_TRUE(c.f().ViewRegistered(kStackView));
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(c.f().Checked(kStackView));
    EXPECT_EQ(c.f().ViewWindow(kStackView)->windowTitle(), "Stack");
    ASSERT_EQ(w->VisibleRows, 10);
    EXPECT_EQ(w->StackViewAddress(), 0x00F6);
    EXPECT_EQ(w->LineText(1), " $00F6:   $00");
    EXPECT_EQ(w->LineText(10), " $00FF:   $3C");
    EXPECT_EQ(w->CurRow, 10);
    EXPECT_EQ(w->Look(10), Selected(true));
    EXPECT_EQ(w->Look(9), Normal(*w));
    // Shown already: Go To SP Address only selects its line.
    w->SetCurRow(3);
    c.f().mnuPopupStackGoToSPAddress_Click();
    EXPECT_EQ(w->StackViewAddress(), 0x00F6);
    EXPECT_EQ(w->CurRow, 10);
}

TEST_F(StackWindowTest, TheFirstPlacementIsBelowTheRegisters) {
    CodeFrame c;
    c.State().RegSP = 0x0000;
    c.f().Command(kStackView)->trigger();
    QMdiSubWindow* window = c.f().ViewWindow(kStackView);
    ASSERT_NE(window, nullptr);
    EXPECT_NEAR(window->x(), 5200 / 15, 1);
    EXPECT_NEAR(window->y(), 2450 / 15, 1);
    EXPECT_NEAR(window->width(), 2600 / 15, 1);
    // Opening looked for the stack pointer in the window's own size.
    frmStack* w = StackWindow(c.f());
    EXPECT_EQ(w->CurRow, w->VisibleRows);
    EXPECT_EQ(w->LineText(w->VisibleRows), " $0000:   $00");
}

TEST_F(StackWindowTest, AStackPointerNearZeroWrapsTheViewBelowZero) {
    CodeFrame c;
    c.State().RegSP = 0x0005;
    c.Put(0xFFFC, {0xEE});
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->StackViewAddress(), 0xFFFC);
    EXPECT_EQ(w->LineText(1), " $FFFC:   $EE");
    EXPECT_EQ(w->LineText(4), " $FFFF:   $00");
    EXPECT_EQ(w->LineText(5), " $0000:   $00");
    EXPECT_EQ(w->LineText(10), " $0005:   $00");
    EXPECT_TRUE(w->Look(10).Bold);
}

TEST_F(StackWindowTest, KeysMoveTheSelectionAndTheView) {
    CodeFrame c;
    c.State().RegSP = 0x0105;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->StackViewAddress(), 0x00FC);
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->StackViewAddress(), 0x00FD);
    EXPECT_EQ(w->CurRow, 10);
    EXPECT_EQ(w->LineText(10), " $0106:   $00");
    EXPECT_FALSE(w->Look(10).Bold);
    EXPECT_TRUE(w->Look(9).Bold);
    QTest::keyClick(w, Qt::Key_PageDown);
    EXPECT_EQ(w->StackViewAddress(), 0x0107);
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->CurRow, 9);
    EXPECT_EQ(w->StackViewAddress(), 0x0107);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->CurRow, 1);
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->StackViewAddress(), 0x0106);
    EXPECT_EQ(w->CurRow, 1);
    EXPECT_EQ(w->Look(1), Selected());
    // Page Up wraps below $0000.
    for (int i = 0; i < 27; ++i)
        QTest::keyClick(w, Qt::Key_PageUp);
    EXPECT_EQ(w->StackViewAddress(), 0xFFF8);
    // Typed characters go nowhere.
    QTest::keyClicks(w, "x1");
    EXPECT_EQ(w->StackViewAddress(), 0xFFF8);
    EXPECT_TRUE(c.h.prompt.Shown().empty());
}

TEST_F(StackWindowTest, TheWheelMovesTheViewByLinesAsTheKeysDo) {
    CodeFrame c;
    c.State().RegSP = 0x0105;
    c.Put(0x00FF, {0x3C});
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->StackViewAddress(), 0x00FC);
    w->SetCurRow(4);
    SendWheel(w->Rows(), -120);
    EXPECT_EQ(w->StackViewAddress(), 0x00FF);
    EXPECT_EQ(w->LineText(1), " $00FF:   $3C");
    EXPECT_EQ(w->CurRow, 4);
    SendWheel(w->Rows(), 40);
    EXPECT_EQ(w->StackViewAddress(), 0x00FE);
    // Across $0000.
    for (int i = 0; i < 85; ++i)
        SendWheel(w->Rows(), 120);
    EXPECT_EQ(w->StackViewAddress(), 0xFFFF);
    // An empty window stays where it is.
    w->ClearScreen();
    SendWheel(w->Rows(), -120);
    EXPECT_EQ(w->StackViewAddress(), 0xFFFF);
}

TEST_F(StackWindowTest, OrdinaryLinesTakeTheTextColourOfADarkPalette) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    w->setPalette(DarkPalette());
    w->SetCurRow(4);
    EXPECT_EQ(w->Look(3),
              (RowLook{DarkPalette().color(QPalette::Base), DarkPalette().color(QPalette::Text), false}));
    EXPECT_EQ(w->Look(10), Normal(*w, true)) << "the stack pointer's line";
    EXPECT_EQ(w->Look(4), Selected());
}

TEST_F(StackWindowTest, OnlyTheActiveWindowShowsItsSelection) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    w->SetCurRow(4);
    EXPECT_EQ(w->Look(4), Selected());
    c.OpenOther();
    for (int line = 1; line <= 10; ++line)
        EXPECT_NE(w->Look(line).Back, QColor(Qt::blue)) << line;
    EXPECT_EQ(w->Look(10), Normal(*w, true));
    w->SetCurRow(5);
    EXPECT_EQ(w->Look(5), Normal(*w));
    ActivateStack(c.f());
    EXPECT_EQ(w->Look(5), Selected());
}

TEST_F(StackWindowTest, TheMouseSelectsAndTheRightButtonGatesEnterValue) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->Rows(), Qt::LeftButton, {}, LinePoint(*w, 3));
    EXPECT_EQ(w->CurRow, 3);
    QContextMenuEvent onLine(QContextMenuEvent::Mouse, LinePoint(*w, 6),
                             w->Rows()->mapToGlobal(LinePoint(*w, 6)));
    QCoreApplication::sendEvent(w->Rows(), &onLine);
    EXPECT_EQ(w->CurRow, 6);
    EXPECT_TRUE(c.f().CommandEnabled("mnuPopupStackEnter"));
    c.f().Menu("mnuPopupStack")->hide();
    QContextMenuEvent below(QContextMenuEvent::Mouse, LinePoint(*w, 20),
                            w->Rows()->mapToGlobal(LinePoint(*w, 20)));
    QCoreApplication::sendEvent(w->Rows(), &below);
    EXPECT_FALSE(c.f().CommandEnabled("mnuPopupStackEnter"));
    EXPECT_EQ(w->CurRow, 6);
    c.f().Menu("mnuPopupStack")->hide();
}

TEST_F(StackWindowTest, EnterValueChangesTheSelectedByte) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    c.Put(0x0100, {0x3F});
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    c.h.prompt.AnswerDialog([](QDialog& dialog) {
        auto& go = static_cast<frmAddress&>(dialog);
        go.txtAdr->setText("$0100");
        go.cmdOK_Click();
    });
    c.f().mnuPopupStackGoToAddress_Click();
    EXPECT_EQ(w->StackViewAddress(), 0x0100);
    EXPECT_EQ(w->CurRow, 1);
    QString label;
    QString text;
    c.h.prompt.AnswerDialog([&](QDialog& dialog) {
        auto& entry = static_cast<frmEnterVal&>(dialog);
        label = entry.Label->text();
        text = entry.Text->text();
        entry.Text->setText("64");
        entry.cmdOK_Click();
    });
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(label, "$0100:");
    EXPECT_EQ(text, "$3F");
    EXPECT_EQ(c.Memory()[0x0100], 0x40);
    EXPECT_EQ(w->LineText(1), " $0100:   $40");
    EXPECT_EQ(w->CurRow, 1);
    // A cancelled entry writes nothing; so does a cancelled Go To Address.
    c.h.prompt.AnswerDialog([](QDialog& dialog) { dialog.reject(); });
    QTest::mouseDClick(w->Rows(), Qt::LeftButton, {}, LinePoint(*w, 2));
    // QTest's double click on a widget leaves the button down; let it go.
    QTest::mouseRelease(w->Rows(), Qt::LeftButton, {}, LinePoint(*w, 2));
    EXPECT_EQ(w->CurRow, 2);
    EXPECT_EQ(c.Memory()[0x0101], 0x00);
    c.h.prompt.AnswerDialog([](QDialog& dialog) { dialog.reject(); });
    w->mnuGoToAddress();
    EXPECT_EQ(w->StackViewAddress(), 0x0100);
    EXPECT_TRUE(c.h.prompt.Problems().isEmpty());
}

TEST_F(StackWindowTest, ARunClearsTheMarksAndAStopReadsTheBytesAgain) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    c.f().FreezeDisplay();
    EXPECT_EQ(w->Look(10), Normal(*w));
    EXPECT_FALSE(w->isEnabled());
    c.f().ThawDisplay();
    c.Put(0x00FE, {0x77});
    c.State().RegSP = 0x00FE;
    c.f().RefreshRun();
    EXPECT_EQ(w->LineText(9), " $00FE:   $77");
    EXPECT_TRUE(w->Look(9).Bold);
    EXPECT_EQ(w->Look(10), Selected());
}

TEST_F(StackWindowTest, AFailedExchangeClearsTheStackAndTheMemoryWindow) {
    CodeFrame c;
    c.State().RegSP = 0x00FF;
    frmStack* w = OpenStack(c, 10);
    ASSERT_NE(w, nullptr);
    frmMemory* memory = OpenMemory(c.f(), 8);
    ASSERT_NE(memory, nullptr);
    ShowAddress(c.f(), c.h.prompt, "00F0");
    ASSERT_EQ(memory->CellText(3, 2), "00");
    c.State().BoardOK = false;
    c.f().RefreshRun();
    for (int line = 1; line <= kStackLines; ++line)
        EXPECT_EQ(w->LineText(line), "") << line;
    EXPECT_EQ(w->CurRow, 0);
    EXPECT_EQ(memory->CellText(3, 2), "");
    EXPECT_EQ(memory->CellText(3, 0), " $00F0:");
}

TEST_F(StackWindowTest, WithoutAnAnswerTheWindowStaysEmptyAndIgnoresItsKeys) {
    CodeFrame c(false); // a board that is not there
    c.f().ShowView(kStackView);
    frmStack* w = StackWindow(c.f());
    ASSERT_NE(w, nullptr);
    ActivateStack(c.f());
    SetStackLines(c.f(), 10);
    w->mnuGoToSPAddress();
    EXPECT_EQ(w->CurRow, 0);
    EXPECT_EQ(w->LineText(1), "");
    const int32_t start = w->StackViewAddress();
    const size_t shown = c.h.prompt.Shown().size();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Return})
        QTest::keyClick(w, key);
    QTest::mouseClick(w->Rows(), Qt::LeftButton, {}, LinePoint(*w, 3));
    w->mnuEnter();
    EXPECT_EQ(w->StackViewAddress(), start);
    EXPECT_EQ(w->CurRow, 0);
    EXPECT_EQ(c.h.prompt.Shown().size(), shown) << "no reads, no dialog";
}

} // namespace
} // namespace quorvel::test
