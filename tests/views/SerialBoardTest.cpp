// The serial terminal against the emulated board hc11board: a program that
// prints through the SCI shows its text in the terminal, and the keys typed
// into the terminal reach the program, which echoes them.
#include <functional>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest/QTest>

#include "../target/BoardProcess.h"
#include "FrameHarness.h"
#include "frame/StatusText.h"
#include "run/RunControl.h"
#include "views/frmSerial.h"

namespace quorvel::test {
namespace {

bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// At $E000: prints "Hello" and a line break through SCDR, then echoes every
// byte it receives (RDRF, bit 5 of SCSR).
const std::vector<uint8_t> kHelloEcho = {
    0xCE, 0xE0, 0x20,      // E000 LDX  #$E020
    0xA6, 0x00,            // E003 LDAA 0,X
    0x27, 0x07,            // E005 BEQ  $E00E
    0xB7, 0x10, 0x2F,      // E007 STAA $102F
    0x08,                  // E00A INX
    0x20, 0xF6,            // E00B BRA  $E003
    0x01,                  // E00D NOP
    0xB6, 0x10, 0x2E,      // E00E LDAA $102E
    0x84, 0x20,            // E011 ANDA #$20
    0x27, 0xF9,            // E013 BEQ  $E00E
    0xB6, 0x10, 0x2F,      // E015 LDAA $102F
    0xB7, 0x10, 0x2F,      // E018 STAA $102F
    0x20, 0xF1,            // E01B BRA  $E00E
    0x01, 0x01, 0x01,      // E01D
    'H',  'e',  'l',  'l', // E020
    'o',  '\r', '\n', 0x00,
};

class SerialBoardTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        if (!BoardProcess::Available()) GTEST_SKIP() << "hc11board was not built";
        ASSERT_TRUE(board.Start());
        Settings().SaveText(Settings::kSettings, "COMPortName", board.Path());
        frame = std::make_unique<frmMain>(prompt);
        ASSERT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
    }
    void TearDown() override {
        frame.reset();
        QCoreApplication::processEvents();
        FrameTest::TearDown();
    }
    QString Shown() const { return terminal ? terminal->RichText->toPlainText() : QString(); }

    BoardProcess board;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMain> frame;
    frmSerial* terminal = nullptr;
};

TEST_F(SerialBoardTest, ShowsWhatTheProgramPrintsAndSendsItTheKeys) {
    TargetAccess& target = frame->Targets();
    target.FlashErase();
    target.Programm(0xE000, kHelloEcho);
    ASSERT_TRUE(frame->Target().BoardOK);
    frame->Command("mnuViewSerialTerminal")->trigger();
    terminal = qobject_cast<frmSerial*>(frame->View("mnuViewSerialTerminal"));
    ASSERT_NE(terminal, nullptr);

    frame->Target().RegPC = 0xE000;
    frame->Target().RegSP = 0x00FF;
    frame->mnuRunRun_Click();
    ASSERT_TRUE(frame->Running);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == "Hello\n"; })) << Shown().toStdString();

    QTest::keyClicks(terminal->RichText, "ab");
    ASSERT_TRUE(PumpUntil([&] { return Shown() == "Hello\nab"; })) << Shown().toStdString();
    QTest::keyClick(terminal->RichText, Qt::Key_Return);
    QTest::keyClick(terminal->RichText, 'C');
    ASSERT_TRUE(PumpUntil([&] { return Shown() == "Hello\nab\nC"; })) << Shown().toStdString();
    // Backspace goes to the program too; its echo blanks the C.
    QTest::keyClick(terminal->RichText, Qt::Key_Backspace);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == "Hello\nab\n "; })) << Shown().toStdString();
    EXPECT_TRUE(prompt.Shown().empty());
}

} // namespace
} // namespace quorvel::test
