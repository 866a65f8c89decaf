// The board's own data: the receive event with its reset message, and the
// timer that hands the running program's short output to the terminal.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

class ReceiverTest : public LinkTest {
protected:
    ReceiverTest() { host.running = true; }
};

TEST_F(ReceiverTest, FiveTextBytesAndTheResetMessage) {
    port.ReplyNext(Reply('R', Bytes({0xE0, 0x00})));
    port.Arrive("helloBBB");
    port.Advance(1);
    // The reset vector is read into the PC.
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'R', 0xFF, 0xFE, 0x02, 0x01})});
    EXPECT_EQ(state.RegPC, 0xE000);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Thaw", "Running=0", "Refresh"}));
    EXPECT_FALSE(host.running);
    EXPECT_GE(host.processed, 1);
    EXPECT_EQ(link.StatusSuffix(), " (Reset)");
    EXPECT_EQ(host.Status(), "HC11 Board: Ready (Reset)");
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"hello"});
    EXPECT_EQ(host.clockResets, 1);
    EXPECT_EQ(port.InBufferCount(), 0);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ReceiverTest, TwoBsAndFourOthersAreText) {
    port.Arrive("BBxyzw");
    port.Advance(1);
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"BBxyzw"});
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(host.running);
    EXPECT_TRUE(port.Written().empty());
    EXPECT_EQ(host.clockResets, 1);
}

TEST_F(ReceiverTest, AResetMessageAloneSendsNothingToTheTerminal) {
    port.ReplyNext(Reply('R', Bytes({0xE1, 0x23})));
    port.Arrive("xyzBBB");
    port.Advance(1);
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"xyz"});
    EXPECT_EQ(state.RegPC, 0xE123);

    port.ReplyNext(Reply('R', Bytes({0xE1, 0x23})));
    host.serial.clear();
    port.Arrive(QByteArray(3, '\0') + "BBB");
    port.Advance(1);
    EXPECT_EQ(host.serial, std::vector<QByteArray>{QByteArray(3, '\0')});
}

TEST_F(ReceiverTest, FewerThanSixBytesRaiseNoEventAndTheTimerDeliversThemAsText) {
    port.Arrive("BBB");
    port.Advance(1);
    EXPECT_TRUE(host.serial.empty());
    EXPECT_EQ(host.clockResets, 0);
    receiver.tmrComm();
    EXPECT_EQ(receiver.LastCount(), 3);
    EXPECT_TRUE(host.serial.empty());
    receiver.tmrComm(); // one quiet tick
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"BBB"});
    EXPECT_EQ(receiver.LastCount(), 0);
    // No reset handling.
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(host.running);
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(ReceiverTest, TheTimerWaitsUntilTheOutputIsQuiet) {
    port.Arrive("ab");
    receiver.tmrComm();
    port.Arrive("c");
    receiver.tmrComm();
    EXPECT_TRUE(host.serial.empty());
    EXPECT_EQ(receiver.LastCount(), 3);
    receiver.tmrComm();
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"abc"});
}

TEST_F(ReceiverTest, TheTimerReadsOnlyWhileTheBoardRuns) {
    port.Arrive("ab");
    host.running = false;
    receiver.tmrComm();
    receiver.tmrComm();
    EXPECT_EQ(receiver.LastCount(), 0);
    EXPECT_EQ(port.InBufferCount(), 2);
    host.running = true;
    host.sim = true;
    receiver.tmrComm();
    receiver.tmrComm();
    EXPECT_EQ(receiver.LastCount(), 0);
    EXPECT_TRUE(host.serial.empty());
}

TEST_F(ReceiverTest, AResetWhileIdleIsHandledToo) {
    host.running = false;
    state.BoardOK = false;
    port.ReplyNext(Reply('R', Bytes({0xE0, 0x00})));
    port.Arrive("ok\r\nBBB");
    port.Advance(1);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), "HC11 Board: Ready (Reset)");
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"ok\r\n"});
}

TEST_F(ReceiverTest, NoReceiveEventsWithTheThresholdAtZero) {
    port.SetRThreshold(0);
    port.Arrive("0123456789");
    port.Advance(10);
    EXPECT_TRUE(host.serial.empty());
    EXPECT_EQ(port.InBufferCount(), 10);
}

TEST_F(ReceiverTest, AReplyEndingInThreeBsIsNotTakenForAReset) {
    // SP low, CCR and the checksum are all "B"; receive events stay off while
    // the step waits, so the reply is not taken for the board's reset.
    const QByteArray reply = Reply('S', Bytes({0x3A, 0, 0, 0, 0, 0, 0, 0x42, 0x42}));
    ASSERT_TRUE(reply.endsWith("BBB"));
    port.ReplyNext(reply, 40);
    board.StepTarget({0x01, 0x01, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Subroutine);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegSP, 0x0042);
    EXPECT_TRUE(host.serial.empty());
    EXPECT_TRUE(host.calls.empty());
}

} // namespace
} // namespace quorvel::test
