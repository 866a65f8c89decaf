// Opening the port, FindBoard and the link state in status panel 1.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"
#include "target/LinkMessages.h"

namespace quorvel::test {
namespace {

using LinkStateTest = LinkTest;

TEST_F(LinkStateTest, OpeningAtStartUp) {
    EXPECT_EQ(port.Opened(), std::vector<QString>{"/dev/ttyS1"});
    EXPECT_EQ(port.RThreshold(), 6);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardReady);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(LinkStateTest, APortThatWillNotOpenShowsThePortErrorWithoutAMessage) {
    state.BoardOK = false;
    port.FailOpen(QStringLiteral("No such file or directory"));
    EXPECT_FALSE(link.OpenPort(QStringLiteral("/dev/ttyS7")));
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardPortError);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LinkStateTest, ReopeningClosesFirst) {
    port.SetRThreshold(0);
    EXPECT_TRUE(link.OpenPort(QStringLiteral("/dev/ttyUSB0")));
    EXPECT_EQ(port.Opened().back(), "/dev/ttyUSB0");
    EXPECT_EQ(port.Device(), "/dev/ttyUSB0");
    EXPECT_EQ(port.RThreshold(), 6);
}

TEST_F(LinkStateTest, FindBoardOnTheSimulatorIsAlwaysOK) {
    host.sim = true;
    port.SetCTS(false);
    state.BoardOK = false;
    link.FindBoard();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LinkStateTest, FindBoardWithCTSTurnsReceiveEventsOff) {
    state.BoardOK = false;
    link.FindBoard();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(port.RThreshold(), 0);
}

TEST_F(LinkStateTest, WithoutCTSTheBoardIsNotConnected) {
    port.SetCTS(false);
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(QStringLiteral("M68HC11 Board Not Connected !"));
    EXPECT_EQ(host.Status(), kBoardNotConnected);
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(LinkStateTest, FindBoardReopensAClosedPort) {
    port.Close();
    port.ReplyNext(Bytes({0x52, 0xA5, 0x5B}));
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_EQ(port.Opened(), (std::vector<QString>{"/dev/ttyS1", "/dev/ttyS1"}));
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(value, 0xA5);
}

TEST_F(LinkStateTest, APortThatWillNotReopenIsToldWithItsOwnError) {
    port.Close();
    port.FailOpen(QStringLiteral("Permission denied"));
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_FALSE(state.BoardOK);
    ExpectOneMessage(QStringLiteral("Permission denied !"));
    EXPECT_EQ(host.Status(), kBoardPortError);
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(LinkStateTest, StatusTexts) {
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Ready");
    link.SetStatusSuffix(QStringLiteral(" (Reset)"));
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Ready (Reset)");
    state.BoardOK = false;
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Not Responding !");
    host.running = true;
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Running ...");
    port.SetCTS(false);
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Not Connected !");
    port.Close();
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "HC11 Board: Communication Port Error !");
    EXPECT_TRUE(host.runEnabled.empty());
    host.sim = true;
    link.BoardStatus();
    EXPECT_EQ(host.Status(), "Simulator mode");
    EXPECT_EQ(host.runEnabled, std::vector<bool>{false});
}

TEST_F(LinkStateTest, ACTSChangeShowsAtOnce) {
    port.SetCTS(false);
    port.Advance(1);
    EXPECT_EQ(host.Status(), kBoardNotConnected);
    EXPECT_EQ(host.clockResets, 1);
    port.SetCTS(true);
    port.Advance(1);
    EXPECT_EQ(host.Status(), kBoardReady);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LinkStateTest, AFailureIsToldOnceAndTheNextCommandTriesAgain) {
    uint8_t value = 0;
    port.SilenceNext();
    board.InByte(0x1000, value);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    port.ReplyNext(Bytes({0x52, 0xA5, 0x5B}));
    board.InByte(0x1000, value);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardReady);
    EXPECT_EQ(prompt.shown.size(), 1U);
    EXPECT_EQ(port.Written().size(), 2U);
}

} // namespace
} // namespace quorvel::test
