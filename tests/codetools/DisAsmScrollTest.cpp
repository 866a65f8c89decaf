// The disassembly window's wheel and vertical scroll bar move the view the
// way its keys do, and its rows read on a dark palette.
#include <QTest>

#include "CodeToolsHarness.h"
#include "codetools/AddressScrollBar.h"

namespace quorvel::test {
namespace {

using DisAsmScrollTest = FrameTest;

constexpr int kRows = 10;
constexpr int kNotch = 120;

frmDisAsm* OpenAt(CodeFrame& c, int32_t pc) {
    c.State().RegPC = pc;
    frmDisAsm* w = c.OpenDisAsm(kRows);
    if (w) w->setFocus();
    return w;
}

// Before $E000 among NOPs: LDY #$0010 at $DFF8, NOP at $DFFC, LDX #$1234 at $DFFD.
void MixedCode(CodeFrame& c) {
    c.Memory().fill(0x01);
    c.Put(0xDFF8, {0x18, 0xCE, 0x00, 0x10});
    c.Put(0xDFFD, {0xCE, 0x12, 0x34});
}

TEST_F(DisAsmScrollTest, AWheelNotchMovesThreeRowsAsTheUpAndDownKeysDo) {
    CodeFrame c;
    MixedCode(c);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    w->SetCurRow(4);
    SendWheel(w->Rows(), -kNotch);
    EXPECT_EQ(w->PageAddress, 0xE003);
    EXPECT_EQ(c.State().ProgramPageAddress, 0xE003);
    EXPECT_EQ(w->CurRow, 4) << "the cursor keeps its row";
    // A touchpad's small deltas: 40 make a row.
    SendWheel(w->Rows(), -20);
    EXPECT_EQ(w->PageAddress, 0xE003);
    SendWheel(w->Rows(), -20);
    EXPECT_EQ(w->PageAddress, 0xE004);
    SendWheel(w->Rows(), 40);
    EXPECT_EQ(w->PageAddress, 0xE003);

    // Back from $E000: where Up pressed three times on row 1 goes.
    w->ClearScreen();
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    ASSERT_EQ(w->PageAddress, 0xE000);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w, Qt::Key_Up);
    const int32_t byKeys = w->PageAddress;
    EXPECT_EQ(byKeys, 0xDFF8);
    w->ClearScreen();
    c.f().Command("mnuDebugGoToPCAddress")->trigger();
    SendWheel(w->Rows(), kNotch);
    EXPECT_EQ(w->PageAddress, byKeys);
    EXPECT_EQ(w->Lines[1].Address, 0xDFFC);
    EXPECT_EQ(w->Lines[3].Address, 0xE000);
    EXPECT_EQ(w->CurRow, 1);

    // Over the scroll bar the wheel scrolls the rows too.
    SendWheel(w->VScroll(), -kNotch);
    EXPECT_EQ(w->PageAddress, 0xE000);
    // An empty window does not scroll.
    w->ClearScreen();
    SendWheel(w->Rows(), -kNotch);
    EXPECT_EQ(w->RenderedRows(), 0);
}

TEST_F(DisAsmScrollTest, TheScrollBarSpansTheAddressesAndStepsAsTheKeys) {
    CodeFrame c;
    c.Memory().fill(0x01);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    AddressScrollBar* bar = w->VScroll();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->pageStep(), kRows) << "the thumb covers the ten one-byte rows";
    EXPECT_EQ(bar->maximum() + bar->pageStep(), 0x10000);
    EXPECT_EQ(bar->value(), 0xE000);

    w->SetCurRow(5);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w->PageAddress, 0xE001);
    EXPECT_EQ(bar->value(), 0xE001);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(w->PageAddress, 0xE000);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w->PageAddress, 0xE009) << "as Page Down: the last visible row becomes the first";
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(w->PageAddress, 0xE000) << "as Page Up: the first row becomes the last visible";
    EXPECT_EQ(w->CurRow, 5);

    // The keys move the thumb with the view.
    QTest::keyClick(w, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 0xE009);

    // Dragging shows the address; the rows follow when the thumb is let go.
    bar->setSliderDown(true);
    bar->setSliderPosition(0x1234);
    EXPECT_EQ(bar->DragText(), "$1234");
    EXPECT_EQ(w->PageAddress, 0xE009) << "the page waits for the release";
    bar->setSliderDown(false);
    EXPECT_EQ(w->PageAddress, 0x1234);
    EXPECT_EQ(c.State().ProgramPageAddress, 0x1234);
    EXPECT_EQ(w->Lines[0].Address, 0x1234);
    EXPECT_EQ(bar->value(), 0x1234);
    EXPECT_EQ(w->CurRow, 5);
    EXPECT_TRUE(bar->DragText().isEmpty());
    // The thumb at the bottom shows the rows that end at $FFFF.
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->maximum());
    bar->setSliderDown(false);
    EXPECT_EQ(w->Lines[kRows - 1].Address, 0xFFFF);

    w->ClearScreen();
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(DisAsmScrollTest, OrdinaryRowsTakeTheTextColourOfADarkPalette) {
    CodeFrame c;
    c.Memory().fill(0x01);
    frmDisAsm* w = OpenAt(c, 0xE000);
    ASSERT_NE(w, nullptr);
    w->setPalette(DarkPalette());
    w->SetCurRow(3);
    c.f().Command("mnuDebugToggleBreakpoint")->trigger();
    w->SetCurRow(5);
    EXPECT_EQ(w->Look(2),
              (RowLook{DarkPalette().color(QPalette::Base), DarkPalette().color(QPalette::Text), false}));
    EXPECT_EQ(w->Look(1), NormalLook(*w, true)) << "the PC row";
    EXPECT_EQ(w->Look(3), BreakpointLook());
    EXPECT_EQ(w->Look(5), CursorLook());
    EXPECT_EQ(w->Rows()->palette().color(QPalette::Base), DarkPalette().color(QPalette::Base));
}

} // namespace
} // namespace quorvel::test
