// hc11board end to end over its pseudo-terminal: the monitor's commands byte
// for byte, flash, the step command in its three forms, the free run with
// SCI traffic, the reset signal, robustness against garbage, and each fault
// option.
#include <csignal>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace quorvel::tooltest {
namespace {

using namespace std::chrono_literals;

const Bytes kAck{0x06};

Bytes readCommand(uint16_t address, uint8_t count) {
    return Packet('R', {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), count});
}
Bytes dataCommand(char letter, uint16_t address, const Bytes& data) {
    Bytes fields{static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                 static_cast<uint8_t>(data.size())};
    fields.insert(fields.end(), data.begin(), data.end());
    return Packet(letter, fields);
}
// A, B, IX, IY, SP, CCR as the "S" and "X" packets carry them.
Bytes registerFields(uint8_t a, uint8_t b, uint16_t x, uint16_t y, uint16_t sp, uint8_t ccr) {
    return {a,
            b,
            static_cast<uint8_t>(x >> 8),
            static_cast<uint8_t>(x),
            static_cast<uint8_t>(y >> 8),
            static_cast<uint8_t>(y),
            static_cast<uint8_t>(sp >> 8),
            static_cast<uint8_t>(sp),
            ccr};
}
Bytes stepCommand(const Bytes& registers, const Bytes& code) {
    Bytes fields = registers;
    fields.insert(fields.end(), code.begin(), code.end());
    return Packet('S', fields);
}
Bytes runCommand(const Bytes& registers, uint16_t pc) {
    Bytes fields = registers;
    fields.insert(fields.end(), {0x7E, static_cast<uint8_t>(pc >> 8), static_cast<uint8_t>(pc)});
    return Packet('X', fields);
}
Bytes eraseCommand() {
    return {'E', 'E', 'E', 0x76};
}

class Board : public ::testing::Test {
protected:
    void start(const std::vector<std::string>& args = {}) { ASSERT_TRUE(board.Start(args)); }
    Bytes read(uint16_t address, uint8_t count) {
        const Bytes reply = board.Exchange(readCommand(address, count), (count == 0 ? 256u : count) + 2u);
        EXPECT_TRUE(ChecksumGood(reply));
        return reply.size() > 2 ? Bytes(reply.begin() + 1, reply.end() - 1) : Bytes{};
    }
    void write(char letter, uint16_t address, const Bytes& data) {
        EXPECT_EQ(board.Exchange(dataCommand(letter, address, data), 1), kAck);
    }
    BoardProcess board;
};

TEST_F(Board, ReadsOneByteAsTheProtocolShows) {
    start();
    board.Send({'R', 0x10, 0x00, 0x01, 0xEF});
    const Bytes reply = board.Read(3);
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[0], 'R');
    EXPECT_EQ(reply[1], 0x00); // RAM starts cleared
    EXPECT_TRUE(ChecksumGood(reply));
}

TEST_F(Board, WritesReadsAndReadsAWholePage) {
    start();
    write('W', 0x2000, {0xA5, 0x5A, 0x01});
    EXPECT_EQ(read(0x2000, 3), (Bytes{0xA5, 0x5A, 0x01}));
    const Bytes page = read(0x1F00, 0); // count 0: 256 bytes
    ASSERT_EQ(page.size(), 256u);
    EXPECT_EQ(page[255], 0x00);
    EXPECT_EQ(read(0x1FFF, 2), (Bytes{0x00, 0xA5}));
}

TEST_F(Board, FlashIsErasedProgrammedAndNotWritten) {
    start();
    EXPECT_EQ(board.Exchange(eraseCommand(), 1, 3000ms), kAck);
    EXPECT_EQ(read(0xE000, 2), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(read(0xFFFF, 1), (Bytes{0xFF}));
    write('P', 0xE000, {0x86, 0x41});
    EXPECT_EQ(read(0xE000, 2), (Bytes{0x86, 0x41}));
    write('W', 0xE000, {0x00, 0x00}); // acknowledged, but flash does not change
    EXPECT_EQ(read(0xE000, 2), (Bytes{0x86, 0x41}));
    write('P', 0xE000, {0xF0}); // programming only clears bits
    EXPECT_EQ(read(0xE000, 1), (Bytes{0x80}));
    write('P', 0x3000, {0x12}); // RAM takes "P" as a write
    EXPECT_EQ(read(0x3000, 1), (Bytes{0x12}));
}

TEST_F(Board, StepIntoExecutesOneInstructionAndSavesTheRegisters) {
    start();
    const Bytes reply = board.Exchange(
        stepCommand(registerFields(0, 0x22, 0x1234, 0x5678, 0x00FF, 0xD0), {0x86, 0x41, 0x01, 0x01}), 11);
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_TRUE(ChecksumGood(reply));
    EXPECT_EQ(Bytes(reply.begin() + 1, reply.end() - 1),
              (Bytes{0x41, 0x22, 0x12, 0x34, 0x56, 0x78, 0x00, 0xFF, 0xD0}));
    EXPECT_EQ(read(0x0000, 9), (Bytes{0x41, 0x22, 0x12, 0x34, 0x56, 0x78, 0x00, 0xFF, 0xD0}));
}

TEST_F(Board, TheStepBufferLeavesUserRamAlone) {
    start();
    write('W', 0x0009, {0x11, 0x22, 0x33, 0x44, 0x55});
    board.Exchange(stepCommand(registerFields(0, 0, 0, 0, 0x00FF, 0), {0x18, 0xCE, 0xAB, 0xCD}),
                   11); // LDY #$ABCD
    EXPECT_EQ(read(0x0009, 5), (Bytes{0x11, 0x22, 0x33, 0x44, 0x55}));
}

TEST_F(Board, StepOverRunsTheSubroutine) {
    start();
    write('W', 0x2100, {0xC6, 0x42, 0x5C, 0x39}); // LDAB #$42; INCB; RTS
    const Bytes reply =
        board.Exchange(stepCommand(registerFields(1, 2, 3, 4, 0x00FF, 0), {0xBD, 0x21, 0x00, 0x01}), 11);
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(Bytes(reply.begin() + 1, reply.end() - 1), (Bytes{0x01, 0x43, 0, 3, 0, 4, 0x00, 0xFF, 0x00}));
}

TEST_F(Board, StepOutRunsUntilTheSubroutineReturnsIntoTheMonitor) {
    start();
    // Inside a subroutine at $2102 (INCB; RTS), called from $2000: return address $2003 at SP+1.
    write('W', 0x2100, {0xC6, 0x42, 0x5C, 0x39});
    write('W', 0x00FE, {0x20, 0x03});
    write('W', 0x00FE, {0x00, 0x0D}); // what the IDE writes over it
    const Bytes reply =
        board.Exchange(stepCommand(registerFields(0, 7, 0, 0, 0x00FD, 0), {0x7E, 0x21, 0x02, 0x01}), 11);
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(reply[2], 0x08);                                   // INCB ran
    EXPECT_EQ((Bytes{reply[7], reply[8]}), (Bytes{0x00, 0xFF})); // the return popped
}

TEST_F(Board, RtiInTheStepBufferReturnsAtOnce) {
    start();
    // A frame at SP+1..SP+9: CCR, B, A, X, Y, PC.
    write('W', 0x00F1, {0xC4, 0x22, 0x11, 0x12, 0x34, 0x56, 0x78, 0x21, 0x23});
    const Bytes reply =
        board.Exchange(stepCommand(registerFields(0, 0, 0, 0, 0x00F0, 0), {0x3B, 0x01, 0x01, 0x01}), 11);
    ASSERT_EQ(reply.size(), 11u);
    EXPECT_EQ(Bytes(reply.begin() + 1, reply.end() - 1),
              (Bytes{0x11, 0x22, 0x12, 0x34, 0x56, 0x78, 0x00, 0xF9, 0xC4}));
}

TEST_F(Board, RunsFreelyWithSciTrafficUntilReset) {
    start();
    // $2000: send "Hi", then echo every received byte plus one.
    write('W', 0x2000,
          {0x86, 'H',  0xB7, 0x10, 0x2F, 0x86, 'i',  0xB7, 0x10,
           0x2F,                                                   // LDAA #'H; STAA SCDR; LDAA #'i; STAA SCDR
           0xB6, 0x10, 0x2E, 0x85, 0x20, 0x27, 0xF9,               // WAIT LDAA SCSR; BITA #$20; BEQ WAIT
           0xB6, 0x10, 0x2F, 0x4C, 0xB7, 0x10, 0x2F, 0x20, 0xF0}); // LDAA SCDR; INCA; STAA SCDR; BRA WAIT
    EXPECT_EQ(board.Exchange(runCommand(registerFields(0, 0, 0, 0, 0x00FF, 0), 0x2000), 3),
              (Bytes{0x06, 'H', 'i'}));
    EXPECT_EQ(board.Exchange({'A', 'R'}, 2), (Bytes{'B', 'S'})); // commands are the program's input now
    board.Signal(SIGUSR1);
    EXPECT_EQ(board.Read(3), (Bytes{'B', 'B', 'B'}));
    EXPECT_EQ(read(0x2000, 1), (Bytes{0x86})); // the monitor answers again
    const Bytes saved = read(0x0000, 9);
    EXPECT_EQ(saved[6], 0x00); // SP saved when the run stopped
    EXPECT_EQ(saved[7], 0xFF);
}

TEST_F(Board, AnIdleProgramCostsNoProcessorTime) {
    start();
    write('W', 0x2000, {0x20, 0xFE}); // BRA *
    EXPECT_EQ(board.Exchange(runCommand(registerFields(0, 0, 0, 0, 0x00FF, 0), 0x2000), 1), kAck);
    const double before = board.CpuSeconds();
    std::this_thread::sleep_for(600ms);
    EXPECT_LT(board.CpuSeconds() - before, 0.2);
    board.Signal(SIGUSR1);
    EXPECT_EQ(board.Read(3), (Bytes{'B', 'B', 'B'}));
}

TEST_F(Board, ResetEndsAStepOverThatNeverReturns) {
    start();
    write('W', 0x2100, {0x20, 0xFE}); // BRA *
    board.Send(stepCommand(registerFields(0, 0, 0, 0, 0x00FF, 0), {0xBD, 0x21, 0x00, 0x01}));
    EXPECT_TRUE(board.Read(1, 300ms).empty());
    board.Signal(SIGUSR1);
    EXPECT_EQ(board.Read(3), (Bytes{'B', 'B', 'B'}));
    EXPECT_EQ(read(0x2100, 1), (Bytes{0x20}));
}

TEST_F(Board, ResetWhileIdleSendsTheMessage) {
    start();
    board.Signal(SIGUSR1);
    EXPECT_EQ(board.Read(3), (Bytes{'B', 'B', 'B'}));
}

TEST_F(Board, SkipsGarbageAndDiscardsStaleOrBadCommands) {
    start();
    board.Send({0x00, 0xFF, 'Z', 0x13}); // no command letters
    EXPECT_EQ(read(0x1000, 1), (Bytes{0x00}));
    board.Send({'R', 0x10, 0x00, 0x01, 0x00}); // bad checksum: no reply
    EXPECT_TRUE(board.Read(1, 200ms).empty());
    board.Send({'W', 0x20}); // never completed
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(read(0x1000, 1), (Bytes{0x00}));     // the stale start was dropped
    board.Send({'E', 'X', 'E', 0x76 - 'X' + 'E'}); // not "EEE": ignored
    EXPECT_TRUE(board.Read(1, 200ms).empty());
}

TEST_F(Board, DropsEveryNthReply) {
    start({"--drop-every", "2"});
    EXPECT_EQ(board.Exchange(readCommand(0x1000, 1), 3).size(), 3u);
    EXPECT_TRUE(board.Exchange(readCommand(0x1000, 1), 3, 300ms).empty());
    EXPECT_EQ(board.Exchange(readCommand(0x1000, 1), 3).size(), 3u);
}

TEST_F(Board, CorruptsEveryNthReply) {
    start({"--corrupt-every", "2"});
    EXPECT_TRUE(ChecksumGood(board.Exchange(readCommand(0x1000, 1), 3)));
    EXPECT_FALSE(ChecksumGood(board.Exchange(readCommand(0x1000, 1), 3)));
    EXPECT_EQ(board.Exchange(dataCommand('W', 0x2000, {1}), 1), kAck);
    EXPECT_EQ(board.Exchange(dataCommand('W', 0x2000, {1}), 1), (Bytes{0x07}));
}

TEST_F(Board, DelaysEachReply) {
    start({"--delay-ms", "300"});
    board.Send(readCommand(0x1000, 1));
    EXPECT_TRUE(board.Read(1, 150ms).empty());
    EXPECT_EQ(board.Read(3, 1000ms).size(), 3u);
}

TEST_F(Board, ReportsAFailedErase) {
    start({"--erase-fails"});
    write('P', 0xE000, {0x00});
    EXPECT_EQ(board.Exchange(eraseCommand(), 1, 3000ms), (Bytes{0x15}));
    EXPECT_EQ(read(0xE000, 1), (Bytes{0x00}));
}

TEST_F(Board, LinksItsDevice) {
    TempDir dir;
    const auto link = dir / "hc11";
    start({"--link", link.string()});
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), board.Device());
    EXPECT_EQ(board.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(BoardOptions, BadArgumentsAreRefused) {
    TempDir dir;
    WriteText(dir / "file", "x");
    for (const std::vector<std::string>& argv : std::vector<std::vector<std::string>>{
             {HC11BOARD_EXE, "--drop-every", "x"},
             {HC11BOARD_EXE, "--delay-ms"},
             {HC11BOARD_EXE, "--bogus"},
         }) {
        const RunResult r = RunTool(argv, dir);
        EXPECT_EQ(r.status, 2) << argv[1];
        EXPECT_EQ(r.err.rfind("hc11board: ", 0), 0u);
    }
    // A link path that is a plain file is not replaced.
    const RunResult r = RunTool({HC11BOARD_EXE, "--link", (dir / "file").string()}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadText(dir / "file"), "x");
}

} // namespace
} // namespace quorvel::tooltest
