// The board link inside the main window: start-up on a board, Vantrel1 and
// the switching target, the receive event and tmrComm, the serial terminal
// and the I/O board panel plugged in as views, the options reopening the port.
#include <memory>
#include <vector>

#include <QAction>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

#include "LinkHarness.h"
#include "PtyMonitor.h"
#include "frame/MainWindow.h"
#include "frame/ScriptedPrompt.h"
#include "run/RunControl.h"
#include "frame/Settings.h"
#include "frame/StatusText.h"
#include "frame/frmOptions.h"

namespace quorvel::test {
namespace {

// A serial terminal as the frame sees it.
class FakeTerminal : public QWidget {
    Q_OBJECT
public:
    QByteArray shown;
public slots:
    void ShowSerialData(const QByteArray& bytes) { shown.append(bytes); }
};

// An I/O board panel as the frame sees it.
class FakePanel : public QWidget {
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void setInFresh(int v) { calls.append(QStringLiteral("setInFresh(%1)").arg(v)); }
    void setInDataRegister(int v) { calls.append(QStringLiteral("setInDataRegister(%1)").arg(v)); }
    void setOutFresh(int v) { calls.append(QStringLiteral("setOutFresh(%1)").arg(v)); }
    void setOutDataRegister(int v) { calls.append(QStringLiteral("setOutDataRegister(%1)").arg(v)); }
};

class FrameLinkTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override {
        frame.reset();
        Clear();
    }
    static void Clear() {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, Settings::kOrganisation,
                        Settings::kApplication);
        store.clear();
        store.sync();
    }
    // A frame on a scripted port.
    void StartScripted(StartOptions options = {}) {
        auto owned = std::make_unique<ScriptedCommPort>();
        port = owned.get();
        frame = std::make_unique<frmMain>(prompt, std::move(options), std::move(owned));
    }

    ScriptedPrompt prompt;
    ScriptedCommPort* port = nullptr;
    std::unique_ptr<frmMain> frame;
};

TEST_F(FrameLinkTest, StartingOnABoardShowsItReady) {
    PtyMonitor board;
    board.memory[0x1000] = 0xA5;
    Settings().SaveText(Settings::kSettings, "COMPortName", board.path);
    frame = std::make_unique<frmMain>(prompt);
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
    EXPECT_TRUE(frame->Target().BoardOK);
    EXPECT_EQ(frame->MSComm().RThreshold(), 6);
    uint8_t value = 0;
    frame->Targets().InByte(0x1000, value);
    EXPECT_EQ(value, 0xA5);
    EXPECT_EQ(board.Received(), Bytes({'R', 0x10, 0x00, 0x01, 0xEF}));
    EXPECT_TRUE(prompt.Shown().empty());
    EXPECT_TRUE(frame->tmrComm->isActive());
}

TEST_F(FrameLinkTest, APortErrorAtStartUpIsToldByTheFirstOperation) {
    Settings().SaveText(Settings::kSettings, "COMPortName", "/dev/quorvel-no-such-port");
    frame = std::make_unique<frmMain>(prompt);
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardPortError);
    EXPECT_TRUE(prompt.Shown().empty());
    uint8_t value = 0;
    frame->Targets().InByte(0x1000, value);
    EXPECT_FALSE(frame->Target().BoardOK);
    ASSERT_EQ(prompt.Shown().size(), 1U);
    EXPECT_EQ(prompt.Shown()[0].Title, "Dravik - Communication Error");
    EXPECT_TRUE(prompt.Shown()[0].Text.endsWith(" !"));
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardPortError);
}

TEST_F(FrameLinkTest, TheSimulatorStepsWithVantrel1) {
    StartOptions options;
    options.SimEnabled = true;
    StartScripted(options);
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kSimulatorMode);
    frame->Simulator().TargetMemory()[0x1234] = 0x77;
    frame->Target().RegSP = 0x00FF;
    frame->Targets().StepTarget({0xB6, 0x12, 0x34, 0x01, 0x01}, TargetAccess::StepWait::Instruction);
    EXPECT_EQ(frame->Target().RegA, 0x77);
    EXPECT_EQ(frame->Simulator().TargetMemory()[0x0000], 0x77);
    // Vantrel1 answers from the same image whoever calls it.
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0xFF;
    frame->Vantrel1.Step(a, b, x, y, sp, ccr, 0xF6, 0x12, 0x34, 0x01, 0x01); // LDAB $1234
    EXPECT_EQ(b, 0x77);
    EXPECT_TRUE(port->Written().empty());
}

TEST_F(FrameLinkTest, TheBoardsResetMessageEndsARun) {
    StartScripted();
    ASSERT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
    frame->Running = true;
    frame->Run().ClockCount = 1234;
    frame->BoardStatus();
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardRunning);
    port->ReplyNext(Reply('R', Bytes({0xE0, 0x00})));
    port->Arrive("helloBBB");
    port->Advance(1);
    EXPECT_FALSE(frame->Running);
    EXPECT_EQ(frame->Target().RegPC, 0xE000);
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), "HC11 Board: Ready (Reset)");
    EXPECT_EQ(frame->Run().ClockCount, 0);
    EXPECT_EQ(frame->StatusPanel(kPanelClock), "Clock= 00000000");
    EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(FrameLinkTest, TheTerminalGetsTheBoardsOutputWhileItIsShown) {
    StartScripted();
    FakeTerminal* terminal = nullptr;
    frame->RegisterView({"mnuViewSerialTerminal", "frmSerial", QString(), nullptr, [&terminal] {
                             terminal = new FakeTerminal;
                             return terminal;
                         }});
    frame->Running = true;
    port->Arrive("hi");
    frame->tmrComm_Timer();
    frame->tmrComm_Timer();
    // Nobody shows it: dropped.
    EXPECT_EQ(port->InBufferCount(), 0);
    ASSERT_TRUE(frame->ShowView("mnuViewSerialTerminal"));
    ASSERT_NE(terminal, nullptr);
    port->Arrive("ok");
    frame->tmrComm_Timer();
    EXPECT_TRUE(terminal->shown.isEmpty());
    frame->tmrComm_Timer();
    EXPECT_EQ(terminal->shown, "ok");
    port->Arrive("0123456789");
    port->Advance(1);
    EXPECT_EQ(terminal->shown, "ok0123456789");
}

TEST_F(FrameLinkTest, TheIoPanelHearsOfItsRegisters) {
    StartOptions options;
    options.SimEnabled = true;
    StartScripted(options);
    FakePanel* panel = nullptr;
    frame->RegisterView({"mnuViewIOunit", "frmIOBOard", QString(), nullptr, [&panel] {
                             panel = new FakePanel;
                             return panel;
                         }});
    EXPECT_FALSE(frame->Simulator().IoUnitShown());
    frame->Command("mnuViewIOunit")->trigger();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(frame->Simulator().IoUnitShown());
    frame->Targets().OutByte(0x6001, 0x42);
    EXPECT_EQ(panel->calls, QStringList{"setInDataRegister(66)"});
    auto& memory = frame->Simulator().TargetMemory();
    memory[0x6000] = 1;
    frame->Targets().StepTarget({0xB6, 0x60, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Instruction);
    EXPECT_EQ(memory[0x6000], 0);
    EXPECT_EQ(panel->calls.back(), "setInFresh(0)");
    frame->Command("mnuViewIOunit")->trigger();
    EXPECT_FALSE(frame->Simulator().IoUnitShown());
    memory[0x6000] = 1;
    frame->Targets().StepTarget({0xB6, 0x60, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Instruction);
    EXPECT_EQ(memory[0x6000], 1);
}

TEST_F(FrameLinkTest, TheOptionsReopenThePortThroughTheLink) {
    StartScripted();
    port->SetCTS(false);
    frame->BoardStatus();
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardNotConnected);
    port->SetCTS(true);
    port->SetRThreshold(0);
    prompt.AnswerDialog([](QDialog& dialog) { static_cast<frmOptions&>(dialog).cmdOK->click(); });
    frame->mnuViewOptions_Click();
    EXPECT_EQ(port->Opened().size(), 2U);
    EXPECT_EQ(port->RThreshold(), 6);
    EXPECT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
}

} // namespace
} // namespace quorvel::test

#include "FrameLinkTest.moc"
