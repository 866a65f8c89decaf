// The memory window against the emulated board hc11board over a real
// pseudo-terminal: a page read from the board, a write to RAM that sticks,
// and a write to the board's flash that does not.
#include <memory>

#include <QLineEdit>
#include <QTest>

#include "../target/BoardProcess.h"
#include "FrameHarness.h"
#include "MemoryHarness.h"
#include "frame/NumberText.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

class MemoryBoardTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        if (!BoardProcess::Available()) GTEST_SKIP() << "hc11board was not built";
        ASSERT_TRUE(board.Start());
        Settings().SaveText(Settings::kSettings, "COMPortName", board.Path());
        StartOptions options;
        options.SimEnabled = false;
        frame = std::make_unique<frmMain>(prompt, options);
        frame->resize(1100, 900);
        frame->show();
        ASSERT_EQ(frame->StatusPanel(kPanelBoard), kBoardReady);
    }
    void TearDown() override {
        frame.reset();
        FrameTest::TearDown();
    }
    uint8_t BoardByte(int32_t address) {
        uint8_t value = 0;
        frame->Targets().InByte(address, value);
        EXPECT_TRUE(frame->Target().BoardOK);
        return value;
    }
    // Types two hexadecimal digits into the cell and presses Enter.
    void Type(frmMemory& window, MemoryCell cell, uint8_t value) {
        window.EnterData(cell.Row, cell.Column);
        QTest::keyClicks(window.txtData, HexPad(value, 2));
        QTest::keyClick(window.txtData, Qt::Key_Return);
    }

    BoardProcess board;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMain> frame;
};

TEST_F(MemoryBoardTest, RamTakesTheByteAndFlashReportsReadOnlyMemory) {
    const std::vector<uint8_t> bytes{0x3F, 0x41};
    frame->Targets().OutBytes(0x0100, bytes);
    frmMemory* w = OpenMemory(*frame, 8);
    ASSERT_NE(w, nullptr);
    ShowAddress(*frame, prompt, "0100");
    EXPECT_EQ(w->CellText(3, 2), "3F");
    EXPECT_EQ(w->CellText(3, 20), "A");
    Type(*w, {3, 2}, 0x40);
    EXPECT_EQ(BoardByte(0x0100), 0x40);
    EXPECT_EQ(w->CellText(3, 2), "40");
    EXPECT_TRUE(prompt.Messages().isEmpty());

    ShowAddress(*frame, prompt, "E000");
    const uint8_t flash = BoardByte(0xE000);
    EXPECT_EQ(w->CellText(3, 2), HexPad(flash, 2));
    Type(*w, {3, 2}, static_cast<uint8_t>(flash ^ 0x55));
    ASSERT_EQ(prompt.Messages().size(), 1);
    const ScriptedPrompt::ShownItem& message = prompt.Shown().back();
    EXPECT_EQ(message.Title, "Dravik - Memory Write Error");
    EXPECT_EQ(message.Text, "Can't Write to Memory !\n (Read Only Memory)");
    EXPECT_EQ(message.Icon, PromptIcon::Exclamation);
    EXPECT_EQ(BoardByte(0xE000), flash);
    EXPECT_EQ(w->CellText(3, 2), HexPad(flash, 2));
    EXPECT_EQ(w->CellText(3, 19), MemoryChar(flash));
}

} // namespace
} // namespace quorvel::test
