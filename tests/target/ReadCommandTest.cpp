// "R" through the board's target operations: layouts, time-outs, checksums
// and the messages of every failure.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"
#include "target/LinkMessages.h"

namespace quorvel::test {
namespace {

using ReadCommandTest = LinkTest;

TEST_F(ReadCommandTest, OneByteAt1000) {
    port.ReplyNext(Bytes({0x52, 0xA5, 0x5B}), 20);
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0x10, 0x00, 0x01, 0xEF})});
    EXPECT_EQ(value, 0xA5);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(host.Status(), kBoardReady);
    // FindBoard keeps receive events off for the reply; afterwards they are back.
    EXPECT_EQ(port.ThresholdAtOutput().back(), 0);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
    EXPECT_EQ(host.processed, 0);
}

TEST_F(ReadCommandTest, AWrongChecksumIsInvalidData) {
    port.ReplyNext(Bytes({0x52, 0xA5, 0x5C}));
    uint8_t value = 0x77;
    board.InByte(0x1000, value);
    EXPECT_EQ(value, 0x77);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kInvalidDataMessage);
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    EXPECT_EQ(port.InBufferCount(), 0);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
}

TEST_F(ReadCommandTest, NoReplyWithin100MsIsNoResponse) {
    port.SilenceNext();
    const int64_t start = port.NowMs();
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_EQ(port.NowMs() - start, BoardLink::kReadWaitMs);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kNoResponseMessage);
    EXPECT_EQ(host.Status(), kBoardNotResponding);
}

TEST_F(ReadCommandTest, AReplyAt100MsIsInTimeAt101MsNot) {
    uint8_t value = 0;
    port.ReplyNext(Bytes({0x52, 0x42, 0xBE}), 100);
    board.InByte(0x1000, value);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(value, 0x42);
    port.ReplyNext(Bytes({0x52, 0x43, 0xBD}), 101);
    board.InByte(0x1000, value);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(value, 0x42);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(ReadCommandTest, AReplyCutShortIsNoResponse) {
    port.ReplyNext(Bytes({0x52, 0xA5}));
    uint8_t value = 0;
    board.InByte(0x1000, value);
    ExpectOneMessage(kNoResponseMessage);
    EXPECT_EQ(port.InBufferCount(), 0);
}

TEST_F(ReadCommandTest, SurplusBytesAreInvalidData) {
    port.ReplyNext(Bytes({0x52, 0xA5, 0x5B, 0x00}));
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kInvalidDataMessage);
}

TEST_F(ReadCommandTest, CountZeroAsksFor256AndWaitsFor258) {
    QByteArray data(256, 0);
    for (int i = 0; i < 256; ++i)
        data[i] = static_cast<char>(i);
    // 257 bytes are not the reply: the IDE waits on for the 258th.
    port.ReplyNext(Reply('R', data).left(257), 10);
    std::vector<uint8_t> bytes;
    const int64_t start = port.NowMs();
    board.InBytes(0x2000, bytes, 256);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0x20, 0x00, 0x00, 0xE0})});
    EXPECT_EQ(port.NowMs() - start, BoardLink::kReadWaitMs);
    ExpectOneMessage(kNoResponseMessage);
    EXPECT_TRUE(bytes.empty());

    port.ReplyNext(Reply('R', data), 67);
    board.InBytes(0x2000, bytes, 256);
    EXPECT_TRUE(state.BoardOK);
    ASSERT_EQ(bytes.size(), 256U);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bytes[static_cast<size_t>(i)], i);
}

TEST_F(ReadCommandTest, LongBlocksAreReadInPieces) {
    port.ReplyNext(Reply('R', QByteArray(256, 'a')));
    port.ReplyNext(Reply('R', QByteArray(44, 'b')));
    std::vector<uint8_t> bytes;
    board.InBytes(0xFF00, bytes, 300);
    EXPECT_EQ(TakeWritten(), (std::vector<QByteArray>{Bytes({'R', 0xFF, 0x00, 0x00, 0x01}),
                                                      Bytes({'R', 0x00, 0x00, 0x2C, 0xD4})}));
    ASSERT_EQ(bytes.size(), 300U);
    EXPECT_EQ(bytes[255], 'a');
    EXPECT_EQ(bytes[256], 'b');
}

TEST_F(ReadCommandTest, ACountOfZeroSendsNothing) {
    std::vector<uint8_t> bytes{1, 2};
    board.InBytes(0x2000, bytes, 0);
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(TakeWritten().empty());
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(ReadCommandTest, LateBytesOfAFailedExchangeAreDropped) {
    uint8_t value = 0;
    port.ReplyNext(Bytes({0x52, 0x11, 0xEF}), 150);
    board.InByte(0x1000, value);
    ASSERT_FALSE(state.BoardOK);
    port.Advance(100); // the late reply arrives
    EXPECT_EQ(port.InBufferCount(), 3);
    port.ReplyNext(Bytes({0x52, 0x22, 0xDE}), 5);
    board.InByte(0x1000, value);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(value, 0x22);
}

TEST_F(ReadCommandTest, InCPUReadsTheRegisterBlock) {
    state.RegPC = 0xE123;
    port.ReplyNext(Reply('R', Bytes({0xA1, 0xB2, 0x12, 0x34, 0x56, 0x78, 0x00, 0xFF, 0xC5})));
    board.InCPU();
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0x00, 0x00, 0x09, 0xF7})});
    EXPECT_EQ(state.RegA, 0xA1);
    EXPECT_EQ(state.RegB, 0xB2);
    EXPECT_EQ(state.RegIX, 0x1234);
    EXPECT_EQ(state.RegIY, 0x5678);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(state.RegCCR, 0xC5);
    EXPECT_TRUE(state.FlagC);
    EXPECT_TRUE(state.FlagZ);
    EXPECT_TRUE(state.FlagX);
    EXPECT_TRUE(state.FlagS);
    EXPECT_FALSE(state.FlagN);
    EXPECT_EQ(state.RegPC, 0xE123);
    // Events are processed once, at the end.
    EXPECT_EQ(host.processed, 1);
}

TEST_F(ReadCommandTest, InCPUFailureKeepsTheRegisters) {
    state.RegA = 0x99;
    port.ReplyNext(Reply('R', Bytes({0xA1, 0xB2, 0x12, 0x34, 0x56, 0x78, 0x00, 0xFF})));
    board.InCPU();
    EXPECT_EQ(state.RegA, 0x99);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(ReadCommandTest, InMemoryReadsFourPiecesWrappingTheHighByte) {
    state.MemoryBlockAddress = 0xFE80;
    for (char fill : {'1', '2', '3', '4'})
        port.ReplyNext(Reply('R', QByteArray(256, fill)));
    board.InMemory();
    EXPECT_EQ(TakeWritten(), (std::vector<QByteArray>{Bytes({'R', 0xFE, 0x80, 0x00, 0x82}),
                                                      Bytes({'R', 0xFF, 0x80, 0x00, 0x81}),
                                                      Bytes({'R', 0x00, 0x80, 0x00, 0x80}),
                                                      Bytes({'R', 0x01, 0x80, 0x00, 0x7F})}));
    EXPECT_EQ(state.MemoryBlock[0], '1');
    EXPECT_EQ(state.MemoryBlock[256], '2');
    EXPECT_EQ(state.MemoryBlock[512], '3');
    EXPECT_EQ(state.MemoryBlock[1023], '4');
    // FindBoard turned receive events off; each good piece turns them back on.
    EXPECT_EQ(port.ThresholdAtOutput(), (std::vector<int>{0, 6, 6, 6}));
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(ReadCommandTest, InMemoryStopsAtTheFirstFailureKeepingThePiecesRead) {
    state.MemoryBlock.fill('.');
    state.MemoryBlockAddress = 0x1000;
    port.ReplyNext(Reply('R', QByteArray(256, '1')));
    port.ReplyNext(Reply('R', QByteArray(256, '2')));
    port.SilenceNext();
    board.InMemory();
    EXPECT_EQ(TakeWritten().size(), 3U);
    EXPECT_EQ(state.MemoryBlock[255], '1');
    EXPECT_EQ(state.MemoryBlock[511], '2');
    EXPECT_EQ(state.MemoryBlock[512], '.');
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kNoResponseMessage);
    // Receive events come back: the board's reset message must not go unnoticed.
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
}

TEST_F(ReadCommandTest, InProgramWaits200MsWithReceiveEventsOff) {
    state.ProgramPageAddress = 0xE000;
    port.SetRThreshold(6);
    port.SetInputLen(1);
    port.ReplyNext(Reply('R', QByteArray(256, '\x39')), 150);
    board.InProgram();
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0xE0, 0x00, 0x00, 0x20})});
    EXPECT_EQ(port.ThresholdAtOutput().back(), 0);
    EXPECT_EQ(port.InputLen(), 0);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.ProgramPage[255], 0x39);
    EXPECT_EQ(host.processed, 1);

    port.SilenceNext();
    const int64_t start = port.NowMs();
    board.InProgram();
    EXPECT_EQ(port.NowMs() - start, BoardLink::kProgramPageWaitMs);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(ReadCommandTest, InStackReadsNineBytesFromSp) {
    state.RegSP = 0x00F6;
    port.ReplyNext(Reply('R', Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9})));
    board.InStack();
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0x00, 0xF6, 0x09, 0x01})});
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(state.StackBytes[static_cast<size_t>(k)], k);
}

TEST_F(ReadCommandTest, InResetVectorReadsTwoBytesAtFFFE) {
    port.ReplyNext(Reply('R', Bytes({0xE0, 0x10})));
    int32_t vector = 0;
    board.InResetVector(vector);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0xFF, 0xFE, 0x02, 0x01})});
    EXPECT_EQ(vector, 0xE010);
    port.SilenceNext();
    board.InResetVector(vector);
    EXPECT_EQ(vector, 0xE010);
    EXPECT_FALSE(state.BoardOK);
}

} // namespace
} // namespace quorvel::test
