// "W", "P" and "E": layouts, acknowledgements, time-outs and messages.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"
#include "target/LinkMessages.h"

namespace quorvel::test {
namespace {

using WriteCommandTest = LinkTest;

TEST_F(WriteCommandTest, OutByteSendsWAndTakesTheAcknowledgement) {
    port.ReplyNext(Bytes({0x06}), 20);
    board.OutByte(0x1234, 0x5A);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'W', 0x12, 0x34, 0x01, 0x5A, 0x5F})});
    EXPECT_TRUE(state.BoardOK);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(host.Status(), kBoardReady);
    // "W" processes events while it waits.
    EXPECT_GT(host.processed, 0);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
}

TEST_F(WriteCommandTest, AnythingButAcknowledgeIsInvalidData) {
    port.ReplyNext(Bytes({0x15}));
    board.OutByte(0x1234, 0x5A);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kInvalidDataMessage);
    EXPECT_EQ(host.Status(), kBoardNotResponding);
}

TEST_F(WriteCommandTest, NoAcknowledgementWithin100MsIsNoResponse) {
    port.SilenceNext();
    const int64_t start = port.NowMs();
    const std::vector<uint8_t> bytes{0x00, 0x0D};
    board.OutBytes(0x00F1, bytes);
    EXPECT_EQ(port.NowMs() - start, BoardLink::kWriteWaitMs);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(WriteCommandTest, LongBlocksGoInPiecesOf255) {
    std::vector<uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i);
    port.ReplyNext(Bytes({0x06}));
    port.ReplyNext(Bytes({0x06}));
    board.OutBytes(0x2000, bytes);
    const auto written = TakeWritten();
    ASSERT_EQ(written.size(), 2U);
    EXPECT_EQ(written[0].size(), 255 + 5);
    EXPECT_EQ(written[0].left(4), Bytes({'W', 0x20, 0x00, 0xFF}));
    EXPECT_EQ(written[1].size(), 45 + 5);
    EXPECT_EQ(written[1].left(5), Bytes({'W', 0x20, 0xFF, 45, 255}));
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(WriteCommandTest, TheFirstFailedPieceEndsTheBlock) {
    const std::vector<uint8_t> bytes(300, 0xAA);
    port.SilenceNext();
    board.OutBytes(0x2000, bytes);
    EXPECT_EQ(TakeWritten().size(), 1U);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(WriteCommandTest, ProgrammSendsPWithoutProcessingEvents) {
    const std::vector<uint8_t> code{0x86, 0x41, 0x39};
    port.ReplyNext(Bytes({0x06}), 30);
    board.Programm(0xE000, code);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'P', 0xE0, 0x00, 0x03, 0x86, 0x41, 0x39, 0x1D})});
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.processed, 0);
}

TEST_F(WriteCommandTest, ProgrammFailures) {
    const std::vector<uint8_t> code{0x39};
    port.ReplyNext(Bytes({0x00}));
    board.Programm(0xE000, code);
    port.SilenceNext();
    board.Programm(0xE000, code);
    EXPECT_EQ(prompt.Texts(), (QStringList{kInvalidDataMessage, kNoResponseMessage}));
    EXPECT_FALSE(state.BoardOK);
}

TEST_F(WriteCommandTest, ProgrammPastFFFFWrapsTheAddress) {
    const std::vector<uint8_t> code(258, 0x01);
    port.ReplyNext(Bytes({0x06}));
    port.ReplyNext(Bytes({0x06}));
    board.Programm(0xFFF0, code);
    const auto written = TakeWritten();
    ASSERT_EQ(written.size(), 2U);
    EXPECT_EQ(written[1].left(4), Bytes({'P', 0x00, 0xEF, 3}));
}

TEST_F(WriteCommandTest, EraseSendsEEEAndTakesAcknowledge) {
    port.ReplyNext(Bytes({0x06}), 2500);
    const int statuses = static_cast<int>(host.statuses.size());
    board.FlashErase();
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'E', 'E', 'E', 0x76})});
    EXPECT_TRUE(state.BoardOK);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_GT(host.processed, 0);
    // FlashErase shows no status of its own.
    EXPECT_EQ(host.statuses.size(), static_cast<size_t>(statuses));
}

TEST_F(WriteCommandTest, EraseGoesOutWithoutTheConnectionCheck) {
    port.SetCTS(false);
    port.ReplyNext(Bytes({0x06}));
    board.FlashErase();
    EXPECT_EQ(TakeWritten().size(), 1U);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(WriteCommandTest, EraseRefusedByTheBoard) {
    port.ReplyNext(Bytes({0x15}));
    board.FlashErase();
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kEraseFailedMessage, QStringLiteral("Quorvel Tolvic"));
    EXPECT_EQ(kEraseFailedMessage, "Erasing Flash failed!");
}

TEST_F(WriteCommandTest, EraseAnsweredWithSomethingElse) {
    port.ReplyNext(Bytes({0x00}));
    board.FlashErase();
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(QStringLiteral("Invalid data from board !"));
}

TEST_F(WriteCommandTest, EraseWaitsThreeSeconds) {
    port.SilenceNext();
    const int64_t start = port.NowMs();
    board.FlashErase();
    EXPECT_EQ(port.NowMs() - start, BoardLink::kEraseWaitMs);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kNoResponseMessage);
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
}

} // namespace
} // namespace quorvel::test
