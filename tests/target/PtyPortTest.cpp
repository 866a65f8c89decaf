// The QSerialPort-based port on a real pseudo-terminal, with a small monitor
// on the master side: an exchange, CTS, the receive threshold, the flush.
#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "LinkHarness.h"
#include "PtyMonitor.h"
#include "frame/StatusText.h"
#include "target/SerialCommPort.h"

namespace quorvel::test {
namespace {

// Runs the event loop until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

class PtyPortTest : public ::testing::Test {
protected:
    PtyPortTest() {
        host.onProcessEvents = [] { QCoreApplication::processEvents(); };
        port.SetOnComm([this](int event) { events.push_back(event); });
    }

    PtyMonitor monitor;
    SerialCommPort port;
    TargetState state;
    RecordingHost host;
    RecordingPrompt prompt;
    SteadyClock clock;
    BoardLink link{port, state, host, prompt, clock};
    BoardTarget board{state, link};
    std::vector<int> events;
};

TEST_F(PtyPortTest, APseudoTerminalHoldsCTS) {
    ASSERT_FALSE(monitor.path.isEmpty());
    ASSERT_TRUE(link.OpenPort(monitor.path)) << port.ErrorText().toStdString();
    EXPECT_TRUE(port.CTSHolding());
    // The "unsupported" error of the modem-line query is not left behind.
    EXPECT_EQ(port.port().error(), QSerialPort::NoError);
    EXPECT_EQ(host.Status(), kBoardReady);
    EXPECT_EQ(port.port().baudRate(), 38400);
    EXPECT_EQ(port.port().dataBits(), QSerialPort::Data8);
    // CTS never changes on it, so no CTS event comes.
    Pump(300);
    EXPECT_TRUE(events.empty());
}

TEST_F(PtyPortTest, AReadExchange) {
    monitor.memory[0x1000] = 0xA5;
    ASSERT_TRUE(link.OpenPort(monitor.path));
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(value, 0xA5);
    EXPECT_EQ(monitor.Received(), Bytes({'R', 0x10, 0x00, 0x01, 0xEF}));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(port.RThreshold(), 6);
}

TEST_F(PtyPortTest, AKilobyteAndAWrite) {
    for (size_t i = 0; i < 1024; ++i)
        monitor.memory[0x2000 + i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(link.OpenPort(monitor.path));
    state.MemoryBlockAddress = 0x2000;
    board.InMemory();
    ASSERT_TRUE(state.BoardOK);
    for (size_t i = 0; i < 1024; ++i)
        ASSERT_EQ(state.MemoryBlock[i], static_cast<uint8_t>(i * 7));
    board.OutByte(0x0100, 0x42);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_GT(host.processed, 0);
    uint8_t value = 0;
    board.InByte(0x0100, value);
    EXPECT_EQ(value, 0x42);
}

TEST_F(PtyPortTest, ASilentBoardIsNoResponse) {
    ASSERT_TRUE(link.OpenPort(monitor.path));
    monitor.SetSilent(true);
    QElapsedTimer timer;
    timer.start();
    uint8_t value = 0;
    board.InByte(0x1000, value);
    EXPECT_GE(timer.elapsed(), BoardLink::kReadWaitMs);
    EXPECT_LT(timer.elapsed(), BoardLink::kReadWaitMs + 100);
    EXPECT_FALSE(state.BoardOK);
    ASSERT_EQ(prompt.shown.size(), 1U);
    EXPECT_EQ(prompt.shown[0].Text, "No Response from M68HC11 Board !");
}

TEST_F(PtyPortTest, AReceiveEventFromSixBytesOn) {
    ASSERT_TRUE(port.Open(monitor.path));
    port.SetRThreshold(6);
    monitor.Send("abc");
    ASSERT_TRUE(PumpUntil([&] { return port.InBufferCount() == 3; }));
    Pump(100);
    EXPECT_TRUE(events.empty());
    monitor.Send("def");
    ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, std::vector<int>{kCommEventReceive});
    EXPECT_EQ(port.Input(), "abcdef");
}

TEST_F(PtyPortTest, NoReceiveEventWithTheThresholdAtZero) {
    ASSERT_TRUE(port.Open(monitor.path));
    port.SetRThreshold(0);
    monitor.Send("0123456789");
    ASSERT_TRUE(PumpUntil([&] { return port.InBufferCount() == 10; }));
    Pump(100);
    EXPECT_TRUE(events.empty());
}

TEST_F(PtyPortTest, InputLenOneTakesOneByte) {
    ASSERT_TRUE(port.Open(monitor.path));
    monitor.Send("xyz");
    ASSERT_TRUE(PumpUntil([&] { return port.InBufferCount() == 3; }));
    port.SetInputLen(1);
    EXPECT_EQ(port.Input(), "x");
    port.SetInputLen(0);
    EXPECT_EQ(port.Input(), "yz");
}

TEST_F(PtyPortTest, ClearingDropsWhatWaits) {
    ASSERT_TRUE(port.Open(monitor.path));
    monitor.Send("stale");
    ASSERT_TRUE(PumpUntil([&] { return port.InBufferCount() == 5; }));
    port.ClearInBuffer();
    EXPECT_EQ(port.InBufferCount(), 0);
}

TEST_F(PtyPortTest, AMissingDeviceDoesNotOpen) {
    EXPECT_FALSE(link.OpenPort(QStringLiteral("/dev/quorvel-no-such-port")));
    EXPECT_FALSE(port.ErrorText().isEmpty());
    EXPECT_EQ(host.Status(), kBoardPortError);
    EXPECT_FALSE(port.CTSHolding());
    // FindBoard tries again and tells why it failed.
    link.FindBoard();
    EXPECT_FALSE(state.BoardOK);
    ASSERT_EQ(prompt.shown.size(), 1U);
    EXPECT_EQ(prompt.shown[0].Text, port.ErrorText() + " !");
}

} // namespace
} // namespace quorvel::test
