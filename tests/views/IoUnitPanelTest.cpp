// The I/O board panel in the frame on the simulator: its start, the input
// unit's Enter, the output unit's formats and LEDs, Read and Close, and a
// simulated program that echoes the input unit to the output unit.
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "FrameHarness.h"
#include "run/RunControl.h"
#include "views/frmIOBOard.h"

namespace quorvel::test {
namespace {

const QString kIoView = QStringLiteral("mnuViewIOunit");

StartOptions OnTheSimulator() {
    StartOptions options;
    options.SimEnabled = true;
    return options;
}

class IoUnitPanelTest : public FrameTest {
protected:
    frmIOBOard* Open() {
        if (!h->frame->Checked(kIoView)) h->frame->Command(kIoView)->trigger();
        return qobject_cast<frmIOBOard*>(h->frame->View(kIoView));
    }
    ImageTarget::Image& Memory() { return h->frame->Simulator().TargetMemory(); }
    std::vector<int> Registers() {
        return {Memory()[0x6000], Memory()[0x6001], Memory()[0x6002], Memory()[0x6003]};
    }
    QString Leds(const frmIOBOard& panel) {
        QString lit;
        for (const IoUnitLamp* led : panel.ShapeLed)
            lit += led->Lit() ? QLatin1Char('1') : QLatin1Char('0');
        return lit;
    }
    void Enter(frmIOBOard& panel, const QString& format, const QString& entry) {
        panel.ComboFormatIn->setCurrentText(format);
        panel.TextIn->setText(entry);
        panel.CommandInput->click();
    }

    void SetUp() override {
        FrameTest::SetUp();
        h = std::make_unique<Harness>(OnTheSimulator());
    }
    void TearDown() override {
        h.reset();
        FrameTest::TearDown();
    }

    std::unique_ptr<Harness> h;
};

TEST_F(IoUnitPanelTest, StartsDarkWithBothFormatsSigned) {
    Memory()[0x6000] = 1;
    Memory()[0x6003] = 0x5A;
    ASSERT_TRUE(h->frame->CommandEnabled(kIoView));
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(h->frame->Checked(kIoView));
    EXPECT_EQ(panel->windowTitle(), "Input-Output Unit");
    EXPECT_EQ(panel->objectName(), "frmIOBOard");
    EXPECT_EQ(panel->Label5[0]->text(), "1") << "LED 1 is the leftmost";
    EXPECT_EQ(panel->InputFormat(), "Signed");
    EXPECT_EQ(panel->OutputFormat(), "Signed");
    EXPECT_EQ(panel->TextInBinary->text(), "00000000");
    EXPECT_EQ(panel->TextOutBinary->text(), "00000000");
    EXPECT_EQ(panel->TextOut->text(), "0");
    EXPECT_EQ(panel->InFreshText(), "0");
    EXPECT_EQ(panel->OutFreshText(), "0");
    EXPECT_EQ(panel->ShapeInFresh->FillColor(), QColor(128, 128, 128));
    EXPECT_EQ(Leds(*panel), "00000000");
    EXPECT_EQ(Registers(), (std::vector<int>{1, 0, 0, 0x5A})) << "loading leaves the registers";

    panel->CommandClose->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(h->frame->Checked(kIoView));
    EXPECT_EQ(h->frame->View(kIoView), nullptr);
    EXPECT_FALSE(h->frame->Simulator().IoUnitShown());
    EXPECT_EQ(Registers(), (std::vector<int>{1, 0, 0, 0x5A})) << "unloading leaves the registers";
}

TEST_F(IoUnitPanelTest, OnlyTheSimulatorOffersIt) {
    Harness board;
    EXPECT_FALSE(board.frame->CommandEnabled(kIoView));
    EXPECT_TRUE(h->frame->CommandEnabled(kIoView));
}

TEST_F(IoUnitPanelTest, EnterHandsTheProgramAByte) {
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    Enter(*panel, "Signed", "-1");
    EXPECT_EQ(panel->TextInBinary->text(), "11111111");
    EXPECT_EQ(Registers(), (std::vector<int>{1, 0xFF, 0, 0}));
    EXPECT_TRUE(panel->ShapeInFresh->Lit());
    EXPECT_EQ(panel->ShapeInFresh->FillColor(), QColor(255, 0, 0));
    EXPECT_EQ(panel->InFreshText(), "1");
    EXPECT_TRUE(h->prompt.Shown().empty());

    Enter(*panel, "Hex", "a");
    EXPECT_EQ(Memory()[0x6001], 0x0A);
    Enter(*panel, "Binary", "101");
    EXPECT_EQ(panel->TextInBinary->text(), "00000101");
    Enter(*panel, "Unsigned", "255");
    EXPECT_EQ(Memory()[0x6001], 0xFF);
    // The Enter key in the entry does the same.
    panel->ComboFormatIn->setCurrentText("Signed");
    panel->TextIn->setText("007");
    QTest::keyClick(panel->TextIn, Qt::Key_Return);
    EXPECT_EQ(Memory()[0x6001], 7);
    EXPECT_TRUE(h->prompt.Shown().empty());
}

TEST_F(IoUnitPanelTest, AWrongEntryIsToldAndChangesNothing) {
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    Enter(*panel, "Unsigned", "42");
    Memory()[0x6000] = 0;
    panel->setInFresh(0);
    for (const auto& [format, entry] :
         {std::pair{"Signed", "128"}, std::pair{"Unsigned", "-1"}, std::pair{"Hex", "1G"},
          std::pair{"Hex", "100"}, std::pair{"Binary", "102"}, std::pair{"Signed", "abc"},
          std::pair{"Signed", ""}}) {
        h->prompt.Clear();
        Enter(*panel, format, entry);
        ASSERT_EQ(h->prompt.Shown().size(), 1U) << format << ' ' << entry;
        EXPECT_EQ(h->prompt.Shown()[0].Title, "Input Error");
        EXPECT_EQ(h->prompt.Shown()[0].Text, "Wrong data format or Value out of range");
        EXPECT_EQ(h->prompt.Shown()[0].Buttons, PromptButtons::OK);
        EXPECT_TRUE(panel->TextIn->text().isEmpty());
        EXPECT_EQ(panel->TextInBinary->text(), "00101010");
        EXPECT_EQ(Registers(), (std::vector<int>{0, 42, 0, 0}));
        EXPECT_FALSE(panel->ShapeInFresh->Lit());
    }
}

TEST_F(IoUnitPanelTest, TheEntryFollowsTheFormatAndTheRegister) {
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    Enter(*panel, "Signed", "-2");
    panel->ComboFormatIn->setCurrentText("Hex");
    EXPECT_EQ(panel->InputFormat(), "Hex");
    EXPECT_EQ(panel->TextIn->text(), "FE");
    panel->ComboFormatIn->setCurrentText("Unsigned");
    EXPECT_EQ(panel->TextIn->text(), "254");
    panel->ComboFormatIn->setCurrentText("Binary");
    EXPECT_EQ(panel->TextIn->text(), "11111110");
    // A write to $6001 through the target shows in the entry, in its format.
    h->frame->Targets().OutByte(0x6001, 0x81);
    EXPECT_EQ(panel->TextInBinary->text(), "10000001");
    EXPECT_EQ(panel->TextIn->text(), "10000001");
    h->frame->Targets().OutByte(0x6000, 3);
    EXPECT_TRUE(panel->ShapeInFresh->Lit()) << "bit 0 counts";
    h->frame->Targets().OutByte(0x6000, 2);
    EXPECT_FALSE(panel->ShapeInFresh->Lit());
    // An empty entry stays empty.
    panel->TextIn->clear();
    panel->ComboFormatIn->setCurrentText("Signed");
    h->frame->Targets().OutByte(0x6001, 0x05);
    EXPECT_TRUE(panel->TextIn->text().isEmpty());
}

TEST_F(IoUnitPanelTest, TheOutputByteInEachFormatAndOnTheLeds) {
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    TargetAccess& target = h->frame->Targets();
    target.OutByte(0x6003, 0xFF);
    EXPECT_EQ(panel->TextOut->text(), "-1");
    EXPECT_EQ(panel->TextOutBinary->text(), "11111111");
    EXPECT_EQ(Leds(*panel), "00000000") << "the LEDs have no power";
    target.OutByte(0x6003, 0x9A);
    panel->ComboFormatOut->setCurrentText("BCD");
    EXPECT_EQ(panel->TextOut->text(), "error");
    target.OutByte(0x6003, 0x42);
    EXPECT_EQ(panel->TextOut->text(), "42");
    panel->ComboFormatOut->setCurrentText("Hex");
    target.OutByte(0x6003, 0x0A);
    EXPECT_EQ(panel->TextOut->text(), "0A");
    panel->ComboFormatOut->setCurrentText("Unsigned");
    EXPECT_EQ(panel->TextOut->text(), "10");

    // Power on lights the LEDs of the 1 bits at once; LED "1" is bit 7.
    target.OutByte(0x6003, 0x81);
    panel->CheckLEDPower->click();
    EXPECT_EQ(Leds(*panel), "10000001");
    EXPECT_EQ(panel->ShapeLed[0]->FillColor(), QColor(255, 0, 0));
    EXPECT_EQ(panel->ShapeLed[1]->FillColor(), QColor(128, 128, 128));
    target.OutByte(0x6003, 0x0C);
    EXPECT_EQ(Leds(*panel), "00001100");
    panel->CheckLEDPower->click();
    EXPECT_EQ(Leds(*panel), "00000000");

    target.OutByte(0x6002, 1);
    EXPECT_TRUE(panel->ShapeOutFresh->Lit());
    panel->CommandRead->click();
    EXPECT_FALSE(panel->ShapeOutFresh->Lit());
    EXPECT_EQ(Memory()[0x6002], 0);
}

// At $E000 the program waits for the input unit's flag, takes the byte and
// writes it to the output unit, and starts again.
const std::vector<uint8_t> kEcho = {
    0xB6, 0x60, 0x00, // E000 LDAA $6000
    0x27, 0xFB,       // E003 BEQ  $E000
    0xB6, 0x60, 0x01, // E005 LDAA $6001
    0xB7, 0x60, 0x03, // E008 STAA $6003
    0x20, 0xF3,       // E00B BRA  $E000
};

TEST_F(IoUnitPanelTest, ASimulatedProgramEchoesTheInputUnit) {
    std::copy(kEcho.begin(), kEcho.end(), Memory().begin() + 0xE000);
    frmMain& frame = *h->frame;
    frame.Target().RegPC = 0xE000;
    frame.Target().RegSP = 0x00FF;
    frmIOBOard* panel = Open();
    ASSERT_NE(panel, nullptr);
    panel->CheckLEDPower->click();

    // Nothing pending: the program keeps polling.
    for (int i = 0; i < 4; ++i)
        frame.mnuRunStepInto_Click();
    EXPECT_EQ(frame.Target().RegPC, 0xE000);
    EXPECT_FALSE(panel->ShapeOutFresh->Lit());

    Enter(*panel, "Hex", "A5");
    EXPECT_TRUE(panel->ShapeInFresh->Lit());
    frame.mnuRunStepInto_Click(); // LDAA $6000
    frame.mnuRunStepInto_Click(); // BEQ, not taken
    frame.mnuRunStepInto_Click(); // LDAA $6001: the byte is taken
    EXPECT_EQ(frame.Target().RegA, 0xA5);
    EXPECT_FALSE(panel->ShapeInFresh->Lit());
    EXPECT_EQ(Memory()[0x6000], 0);
    frame.mnuRunStepInto_Click(); // STAA $6003
    EXPECT_EQ(Memory()[0x6003], 0xA5);
    EXPECT_EQ(Memory()[0x6002], 1);
    EXPECT_TRUE(panel->ShapeOutFresh->Lit());
    EXPECT_EQ(panel->TextOutBinary->text(), "10100101");
    EXPECT_EQ(panel->TextOut->text(), "-91");
    EXPECT_EQ(Leds(*panel), "10100101");

    panel->CommandRead->click();
    EXPECT_EQ(Memory()[0x6002], 0);
    EXPECT_FALSE(panel->ShapeOutFresh->Lit());
    EXPECT_TRUE(h->prompt.Shown().empty()) << h->prompt.Messages().join("|").toStdString();
}

TEST_F(IoUnitPanelTest, AClosedPanelLeavesTheProgramPlainMemory) {
    std::copy(kEcho.begin(), kEcho.end(), Memory().begin() + 0xE000);
    frmMain& frame = *h->frame;
    frame.Target().RegPC = 0xE005;
    Memory()[0x6000] = 1;
    Memory()[0x6001] = 0x33;
    frame.mnuRunStepInto_Click(); // LDAA $6001
    frame.mnuRunStepInto_Click(); // STAA $6003
    EXPECT_EQ(Registers(), (std::vector<int>{1, 0x33, 0, 0x33}));
}

} // namespace
} // namespace quorvel::test
