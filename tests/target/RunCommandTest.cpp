// "X" and "S": the register packets, the one-byte start acknowledgement, the
// step reply, the step's two kinds of wait and abandoning the long one.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"
#include "target/LinkMessages.h"

namespace quorvel::test {
namespace {

class RunCommandTest : public LinkTest {
protected:
    RunCommandTest() {
        state.RegA = 0x11;
        state.RegB = 0x22;
        state.RegIX = 0x3344;
        state.RegIY = 0x5566;
        state.RegSP = 0x00FF;
        state.RegCCR = 0xD0;
    }
    // The board's answer to a step: A=$41, B=$22, IX=$3344, IY=$5566, SP=$00FF, CCR=$D0.
    static QByteArray StepReply() {
        return Reply('S', Bytes({0x41, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00, 0xFF, 0xD0}));
    }

    const std::array<uint8_t, 5> ldaa{0x86, 0x41, 0x01, 0x01, 0x01};
};

TEST_F(RunCommandTest, ExecuteSendsXAndTakesOneByte) {
    link.SetStatusSuffix(QStringLiteral(" (Reset)"));
    port.ReplyNext(Bytes({0x06, 'h', 'i'}), 10);
    target.Execute(0xE000);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'X', 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00,
                                                            0xFF, 0xD0, 0x7E, 0xE0, 0x00, 0x6E})});
    EXPECT_EQ(port.ThresholdAtOutput().back(), 0);
    EXPECT_TRUE(state.BoardOK);
    // What the program sent after the acknowledgement stays for the terminal.
    EXPECT_EQ(port.InBufferCount(), 2);
    EXPECT_EQ(port.InputLen(), 0);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(link.StatusSuffix(), "");
}

TEST_F(RunCommandTest, ExecuteFailures) {
    link.SetStatusSuffix(QStringLiteral(" (Reset)"));
    port.ReplyNext(Bytes({0x15}));
    target.Execute(0xE000);
    EXPECT_FALSE(state.BoardOK);
    port.SilenceNext();
    const int64_t start = port.NowMs();
    target.Execute(0xE000);
    EXPECT_EQ(port.NowMs() - start, BoardLink::kExecuteWaitMs);
    EXPECT_EQ(prompt.Texts(), (QStringList{kInvalidDataMessage, kNoResponseMessage}));
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    EXPECT_EQ(link.StatusSuffix(), " (Reset)");
}

TEST_F(RunCommandTest, ExecuteOnTheSimulatorSendsNothing) {
    host.sim = true;
    target.Execute(0xE000);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_TRUE(TakeWritten().empty());
}

TEST_F(RunCommandTest, StepSendsSWithFourCodeBytesAndTakesTheRegisters) {
    port.ReplyNext(StepReply(), 2);
    board.StepTarget(ldaa, TargetAccess::StepWait::Instruction);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'S', 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00,
                                                            0xFF, 0xD0, 0x86, 0x41, 0x01, 0x01, 0x03})});
    EXPECT_EQ(port.ThresholdAtOutput().back(), 0);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x41);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(state.RegCCR, 0xD0);
    EXPECT_TRUE(state.FlagS);
    EXPECT_TRUE(state.FlagI);
    EXPECT_FALSE(state.FlagC);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
    EXPECT_EQ(host.processed, 0);
}

TEST_F(RunCommandTest, AnInstructionStepWaitsOneSecond) {
    port.ReplyNext(StepReply(), 999);
    board.StepTarget(ldaa, TargetAccess::StepWait::Instruction);
    EXPECT_TRUE(state.BoardOK);
    port.SilenceNext();
    const int64_t start = port.NowMs();
    state.RegA = 0x77;
    board.StepTarget(ldaa, TargetAccess::StepWait::Instruction);
    EXPECT_EQ(port.NowMs() - start, BoardLink::kStepWaitMs);
    EXPECT_EQ(state.RegA, 0x77);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(kNoResponseMessage);
}

TEST_F(RunCommandTest, AStepReplyWithAWrongChecksumIsInvalidData) {
    QByteArray reply = StepReply();
    reply[3] = static_cast<char>(reply[3] + 1);
    port.ReplyNext(reply);
    board.StepTarget(ldaa, TargetAccess::StepWait::Instruction);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x11);
    ExpectOneMessage(kInvalidDataMessage);
}

TEST_F(RunCommandTest, ASubroutineStepWaitsAsLongAsItTakesProcessingEvents) {
    port.ReplyNext(StepReply(), 60000);
    board.StepTarget({0xBD, 0xE1, 0x00, 0x01, 0x01}, TargetAccess::StepWait::Subroutine);
    EXPECT_EQ(TakeWritten()[0].mid(10, 4), Bytes({0xBD, 0xE1, 0x00, 0x01}));
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x41);
    EXPECT_GE(port.NowMs(), 60000);
    EXPECT_GT(host.processed, 100);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(RunCommandTest, PauseAbandonsASubroutineStep) {
    port.SilenceNext();
    host.onProcessEvents = [this] {
        if (host.processed == 20) target.AbandonWait();
    };
    board.StepTarget({0x7E, 0xE0, 0x00, 0x01, 0x01}, TargetAccess::StepWait::Subroutine);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x11);
    EXPECT_EQ(host.processed, 20);
    // The user asked for it: no message.
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    EXPECT_EQ(port.RThreshold(), BoardLink::kIdleThreshold);
}

TEST_F(RunCommandTest, AbandoningWhenNothingWaitsChangesNothing) {
    target.AbandonWait();
    port.ReplyNext(StepReply(), 30);
    board.StepTarget(ldaa, TargetAccess::StepWait::Subroutine);
    EXPECT_TRUE(state.BoardOK);
    // Nor does Pause end the waits of other commands.
    host.onProcessEvents = [this] { target.AbandonWait(); };
    port.ReplyNext(Bytes({0x06}), 30);
    board.OutByte(0x0100, 1);
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(RunCommandTest, AnExchangeAskedForDuringAWaitIsRefused) {
    port.ReplyNext(StepReply(), 500);
    bool refreshed = false;
    host.onProcessEvents = [&] {
        if (refreshed) return;
        refreshed = true;
        state.MemoryBlockAddress = 0x1000;
        target.InMemory(); // an auto-refresh of the memory window
        EXPECT_FALSE(state.BoardOK);
    };
    board.StepTarget({0xBD, 0xE1, 0x00, 0x01, 0x01}, TargetAccess::StepWait::Subroutine);
    EXPECT_TRUE(refreshed);
    EXPECT_EQ(TakeWritten().size(), 1U);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x41);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(RunCommandTest, TheTimerLeavesAReplyInProgressAlone) {
    host.running = true;
    port.OnNextOutput([](ScriptedCommPort& p, const QByteArray&) {
        p.Arrive(StepReply().left(4), 10);
        p.Arrive(StepReply().mid(4), 200);
    });
    host.onProcessEvents = [this] { receiver.tmrComm(); };
    board.StepTarget(ldaa, TargetAccess::StepWait::Subroutine);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_TRUE(host.serial.empty());
}

} // namespace
} // namespace quorvel::test
