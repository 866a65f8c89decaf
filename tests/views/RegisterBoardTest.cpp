// The register windows against the emulated board hc11board, over a real
// pseudo-terminal: the values come from the board, an entry reaches it, and
// a PC edit sends nothing.
#include <memory>
#include <vector>

#include <QLineEdit>
#include <QMdiArea>
#include <QTreeWidget>

#include "../target/BoardProcess.h"
#include "RegisterHarness.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

class RegisterBoardTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        if (!BoardProcess::Available()) GTEST_SKIP() << "hc11board was not built";
        ASSERT_TRUE(board.Start());
        Settings().SaveText(Settings::kSettings, "COMPortName", board.Path());
        StartOptions options;
        options.SimEnabled = false;
        frame = std::make_unique<frmMain>(prompt, options);
        frame->show();
        ASSERT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
    }
    void TearDown() override {
        frame.reset();
        FrameTest::TearDown();
    }
    frmRegisters* Open(const QString& menuName) {
        if (!frame->ShowView(menuName)) return nullptr;
        frame->mdiArea->setActiveSubWindow(frame->ViewWindow(menuName));
        return qobject_cast<frmRegisters*>(frame->View(menuName));
    }
    void AnswerEntry(const QString& typed) {
        prompt.AnswerDialog([typed](QDialog& dialog) {
            auto& entry = static_cast<frmEnterVal&>(dialog);
            entry.Text->setText(typed);
            entry.cmdOK_Click();
        });
    }
    uint8_t BoardByte(int32_t address) {
        uint8_t value = 0;
        frame->Targets().InByte(address, value);
        EXPECT_TRUE(frame->Target().BoardOK);
        return value;
    }

    BoardProcess board;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMain> frame;
};

TEST_F(RegisterBoardTest, EntriesReachTheBoard) {
    const std::vector<uint8_t> registers{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00, 0xFF, 0xD0};
    frame->Targets().OutBytes(0x0000, registers);
    const std::vector<uint8_t> timer{0x12, 0x34};
    frame->Targets().OutBytes(0x100E, timer);

    for (const char* item : {"mnuViewRegCPU", "mnuViewRegPorts", "mnuViewRegTimer", "mnuViewRegPIA"})
        EXPECT_TRUE(frame->CommandEnabled(item)) << item;
    frmRegisters* cpu = Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    EXPECT_EQ(cpu->ValueText(2), "$1122");
    EXPECT_EQ(cpu->ValueText(7), "%SX0I0000");
    frmRegisters* timerWindow = Open("mnuViewRegTimer");
    ASSERT_NE(timerWindow, nullptr);
    EXPECT_EQ(timerWindow->ValueText(0), "$1234");

    AnswerEntry("256");
    cpu->SelectRow(2);
    cpu->mnuEnter();
    EXPECT_EQ(BoardByte(0x0000), 0x01);
    EXPECT_EQ(BoardByte(0x0001), 0x00);
    EXPECT_EQ(cpu->ValueText(2), "$0100");

    AnswerEntry("$E123");
    cpu->SelectRow(5);
    cpu->mnuEnter();
    EXPECT_EQ(frame->Target().RegPC, 0xE123);
    EXPECT_EQ(cpu->ValueText(5), "$E123");
    std::vector<uint8_t> area;
    frame->Targets().InBytes(0x0000, area, 9);
    EXPECT_EQ(area, (std::vector<uint8_t>{0x01, 0x00, 0x33, 0x44, 0x55, 0x66, 0x00, 0xFF, 0xD0}));

    AnswerEntry("%00000011");
    timerWindow->SelectRow(RegisterFrame::RowNamed(*timerWindow, "TCTL1"));
    timerWindow->mnuEnter();
    EXPECT_EQ(BoardByte(0x1020), 0x03);
    EXPECT_EQ(timerWindow->ValueText(9), "%00000011");
    EXPECT_TRUE(prompt.Messages().isEmpty());
}

} // namespace
} // namespace quorvel::test
