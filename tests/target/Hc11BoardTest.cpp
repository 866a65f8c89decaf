// The board link end to end against the emulated board hc11board over a
// pseudo-terminal: memory, flash, steps, a reset while the program runs, and
// each fault the board can be told to make.
#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "BoardProcess.h"
#include "LinkHarness.h"
#include "frame/StatusText.h"
#include "target/LinkMessages.h"
#include "target/SerialCommPort.h"

namespace quorvel::test {
namespace {

bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

class Hc11BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!BoardProcess::Available()) GTEST_SKIP() << "hc11board was not built";
        host.onProcessEvents = [] { QCoreApplication::processEvents(); };
        port.SetOnComm([this](int event) { receiver.OnComm(event); });
        state.RegSP = 0x00FF;
        state.RegCCR = 0xD0;
    }
    void Start(const QStringList& faults = {}) {
        ASSERT_TRUE(process.Start(faults));
        ASSERT_TRUE(link.OpenPort(process.Path())) << port.ErrorText().toStdString();
        ASSERT_EQ(host.Status(), kBoardReady);
    }
    std::vector<uint8_t> Read(int32_t address, int count) {
        std::vector<uint8_t> bytes;
        target.InBytes(address, bytes, count);
        return bytes;
    }
    // Erases the flash and programs `code` at $E000 and the reset vector $E000.
    void Load(const std::vector<uint8_t>& code) {
        target.FlashErase();
        ASSERT_TRUE(state.BoardOK);
        target.Programm(0xE000, code);
        const std::vector<uint8_t> vector{0xE0, 0x00};
        target.Programm(0xFFFE, vector);
        ASSERT_TRUE(state.BoardOK);
    }
    // What run control does on Run.
    void Run() {
        target.Execute(0xE000);
        ASSERT_TRUE(state.BoardOK);
        host.running = true;
    }

    BoardProcess process;
    SerialCommPort port;
    TargetState state;
    RecordingHost host;
    RecordingPrompt prompt;
    SteadyClock clock;
    BoardLink link{port, state, host, prompt, clock};
    ImageTarget image{state};
    BoardTarget board{state, link};
    SwitchingTarget target{state, image, board};
    BoardReceiver receiver{link, target};
};

TEST_F(Hc11BoardTest, ReadWriteProgramAndErase) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::vector<uint8_t> ram{1, 2, 3};
    target.OutBytes(0x0100, ram);
    EXPECT_EQ(Read(0x0100, 3), ram);
    uint8_t value = 0;
    target.OutByte(0x0200, 0x5A);
    target.InByte(0x0200, value);
    EXPECT_EQ(value, 0x5A);

    target.FlashErase();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(Read(0xE000, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
    const std::vector<uint8_t> code{0x86, 0x41, 0x39};
    target.Programm(0xE000, code);
    EXPECT_EQ(Read(0xE000, 3), code);
    const std::vector<uint8_t> vector{0xE0, 0x00};
    target.Programm(0xFFFE, vector);
    int32_t reset = 0;
    target.InResetVector(reset);
    EXPECT_EQ(reset, 0xE000);

    state.MemoryBlockAddress = 0xE000;
    target.InMemory();
    EXPECT_EQ(state.MemoryBlock[1], 0x41);
    EXPECT_EQ(state.MemoryBlock[3], 0xFF);
    EXPECT_EQ(state.MemoryBlock[1023], 0xFF);
    state.ProgramPageAddress = 0xE000;
    target.InProgram();
    EXPECT_EQ(state.ProgramPage[2], 0x39);
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Texts().join("|").toStdString();
    EXPECT_EQ(host.Status(), kBoardReady);
}

TEST_F(Hc11BoardTest, StepsOnTheBoard) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // A subroutine at $E100: LDAB #$07, RTS.
    ASSERT_NO_FATAL_FAILURE(Load({}));
    const std::vector<uint8_t> subroutine{0xC6, 0x07, 0x39};
    target.Programm(0xE100, subroutine);

    target.StepTarget({0x86, 0x41, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Instruction); // LDAA #$41
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegA, 0x41);
    state.RegA = 0;
    target.InCPU();
    EXPECT_EQ(state.RegA, 0x41);
    EXPECT_EQ(state.RegSP, 0x00FF);

    target.StepTarget({0xBD, 0xE1, 0x00, 0x01, 0x01}, TargetAccess::StepWait::Subroutine); // JSR $E100
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(state.RegB, 0x07);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Texts().join("|").toStdString();
}

TEST_F(Hc11BoardTest, AResetWhileTheProgramRuns) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // Sends "hello" on the SCI, then waits in BRA *.
    ASSERT_NO_FATAL_FAILURE(Load({0xCE, 0xE0, 0x10, // LDX #$E010
                                  0xA6, 0x00,       // LDAA 0,X
                                  0x27, 0x06,       // BEQ $E00D
                                  0xB7, 0x10, 0x2F, // STAA $102F
                                  0x08,             // INX
                                  0x20, 0xF6,       // BRA $E003
                                  0x20, 0xFE,       // BRA *
                                  0x00,             // (to $E010)
                                  'h',  'e',  'l',  'l', 'o', 0x00}));
    state.RegPC = 0x1234;
    ASSERT_NO_FATAL_FAILURE(Run());
    ASSERT_TRUE(PumpUntil([&] { return port.InBufferCount() == 5; }));
    process.Reset();
    ASSERT_TRUE(PumpUntil([&] { return !host.running; }));
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"hello"});
    EXPECT_EQ(state.RegPC, 0xE000);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Thaw", "Running=0", "Refresh"}));
    EXPECT_EQ(host.Status(), "HC11 Board: Ready (Reset)");
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Texts().join("|").toStdString();
    // The board takes commands again.
    EXPECT_EQ(Read(0xE000, 1), std::vector<uint8_t>{0xCE});
}

TEST_F(Hc11BoardTest, AResetMessageAloneReachesTheTerminalAsText) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Load({0x20, 0xFE})); // BRA *
    ASSERT_NO_FATAL_FAILURE(Run());
    process.Reset();
    // tmrComm every 50 ms.
    ASSERT_TRUE(PumpUntil([&] {
        receiver.tmrComm();
        QThread::msleep(50);
        return !host.serial.empty();
    }));
    EXPECT_EQ(host.serial, std::vector<QByteArray>{"BBB"});
    EXPECT_TRUE(host.running);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Hc11BoardTest, ADroppedReplyIsNoResponse) {
    ASSERT_NO_FATAL_FAILURE(Start({"--drop-every", "2"}));
    uint8_t value = 0;
    target.InByte(0x0000, value);
    EXPECT_TRUE(state.BoardOK);
    target.InByte(0x0000, value);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(prompt.Texts(), QStringList{kNoResponseMessage});
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    target.InByte(0x0000, value);
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardReady);
}

TEST_F(Hc11BoardTest, ACorruptedReplyIsInvalidData) {
    ASSERT_NO_FATAL_FAILURE(Start({"--corrupt-every", "2"}));
    uint8_t value = 0;
    target.InByte(0x0000, value);
    EXPECT_TRUE(state.BoardOK);
    target.InCPU();
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(prompt.Texts(), QStringList{kInvalidDataMessage});
    EXPECT_EQ(host.Status(), kBoardNotResponding);
    target.InCPU();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), kBoardReady);
}

TEST_F(Hc11BoardTest, ALateReplyIsNoResponse) {
    ASSERT_NO_FATAL_FAILURE(Start({"--delay-ms", "150"}));
    uint8_t value = 0;
    target.InByte(0x0000, value);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(prompt.Texts(), QStringList{kNoResponseMessage});
    // Its reply comes late and is dropped before the next command, whose
    // wait is long enough.
    PumpUntil([] { return false; }, 300);
    target.FlashErase();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(prompt.shown.size(), 1U);
}

TEST_F(Hc11BoardTest, AFailedEraseIsTold) {
    ASSERT_NO_FATAL_FAILURE(Start({"--erase-fails"}));
    target.FlashErase();
    EXPECT_FALSE(state.BoardOK);
    ASSERT_EQ(prompt.shown.size(), 1U);
    EXPECT_EQ(prompt.shown[0].Text, "Erasing Flash failed!");
    EXPECT_EQ(prompt.shown[0].Title, "Quorvel Tolvic");
    uint8_t value = 0;
    target.InByte(0x0000, value);
    EXPECT_TRUE(state.BoardOK);
}

} // namespace
} // namespace quorvel::test
