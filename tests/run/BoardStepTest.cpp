// Run control with the board as the target: the step command's code bytes
// and waits, the PC the IDE keeps, Step Out's return into the monitor, the
// free run, and the RTI fix.
#include <gtest/gtest.h>

#include "RunHarness.h"
#include "ScriptedBoard.h"
#include "run/RunTexts.h"

namespace quorvel::test {
namespace {

struct BoardRig {
    TargetState state;
    ScriptedBoard board{state};
    RecordingHost host;
    RunControl run{state, board, host};

    BoardRig() {
        host.simulator = false;
        state.BoardOK = true;
    }
    void Put(int32_t address, std::initializer_list<uint8_t> bytes) {
        for (const uint8_t byte : bytes)
            board.memory[static_cast<size_t>(address++ & 0xFFFF)] = byte;
    }
    std::vector<std::string> Steps() const {
        std::vector<std::string> steps;
        for (const std::string& e : board.exchanges)
            if (e[0] == 'S') steps.push_back(e);
        return steps;
    }
};

TEST(BoardStep, StepIntoSendsTheInstructionPaddedWithOnes) {
    BoardRig rig;
    rig.Put(0xE000, {0x86, 0x41});
    rig.state.RegPC = 0xE000;
    rig.board.stepResult = [](TargetState& s) { s.RegA = 0x41; };
    rig.run.StepInto();
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S 86 41 01 01"}));
    EXPECT_EQ(rig.board.waits.back(), TargetAccess::StepWait::Instruction);
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.state.RegA, 0x41);
    EXPECT_EQ(rig.run.ClockCount, 2);
    EXPECT_EQ(rig.host.refreshes, 1);
}

// A board that stops answering ends Play and Animate at the first failed
// exchange: one message, and nothing more is read after it.
TEST(BoardStep, AFailedExchangeEndsTheLoop) {
    for (const bool animate : {false, true}) {
        BoardRig rig;
        rig.Put(0xE000, {0x4C, 0x4C, 0x4C, 0x20, 0xFB}); // INCA x3 / BRA back
        rig.state.RegPC = 0xE000;
        rig.board.failSteps = true;
        int passes = 0;
        rig.host.onEvents = [&] {
            if (++passes > 50) rig.run.Pause();
        };
        animate ? rig.run.Animate() : rig.run.Play();
        EXPECT_EQ(rig.Steps().size(), 1u) << animate;
        EXPECT_EQ(rig.run.LastStop, RunControl::StopReason::TargetFailed) << animate;
        EXPECT_EQ(rig.host.disassemblyUpdates, 0) << animate;
        EXPECT_EQ(rig.host.refreshRuns, 0) << animate;
        EXPECT_TRUE(rig.run.Idle()) << animate;
    }
}

TEST(BoardStep, AFiveByteInstructionSendsItsFirstFour) {
    BoardRig rig;
    rig.Put(0xE000, {0x18, 0x1E, 0x05, 0x80, 0x10}); // BRSET $05,Y $80 (not taken)
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S 18 1E 05 80"}));
    EXPECT_EQ(rig.state.RegPC, 0xE005);
}

TEST(BoardStep, TheFlowStaysWithTheIde) {
    BoardRig rig;
    rig.Put(0xE000, {0x8D, 0x10}); // BSR
    rig.state.RegPC = 0xE000;
    rig.state.RegSP = 0x0080;
    rig.run.StepInto();
    EXPECT_TRUE(rig.Steps().empty());
    EXPECT_EQ(rig.state.RegPC, 0xE012);
    EXPECT_EQ(rig.board.memory[0x007F], 0xE0);
    EXPECT_EQ(rig.board.memory[0x0080], 0x02);
    EXPECT_EQ(rig.board.memory[0x0006], 0x00);
    EXPECT_EQ(rig.board.memory[0x0007], 0x7E);
}

TEST(BoardStep, AFailedStepKeepsTheRegistersButNotThePc) {
    BoardRig rig;
    rig.Put(0xE000, {0x86, 0x41});
    rig.state.RegPC = 0xE000;
    rig.state.RegA = 0x99;
    rig.board.failSteps = true;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.state.RegA, 0x99);
    EXPECT_EQ(rig.host.refreshes, 0); // no display update after a failed exchange
}

TEST(BoardStep, StepOverSendsAJsrToTheSubroutineAndWaits) {
    BoardRig rig;
    rig.Put(0xE000, {0xAD, 0x10}); // JSR $10,X
    rig.state.RegPC = 0xE000;
    rig.state.RegIX = 0xE100;
    rig.run.StepOver();
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S BD E1 10 01"}));
    EXPECT_EQ(rig.board.waits.back(), TargetAccess::StepWait::Subroutine);
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.run.ClockCount, 0); // a board Step Over is not counted
    EXPECT_EQ(rig.host.freezes, 1);
    EXPECT_EQ(rig.host.thaws, 1);
}

TEST(BoardStep, StepOverOnAnythingElseStepsInto) {
    BoardRig rig;
    rig.Put(0xE000, {0x4C, 0x20, 0x10}); // INCA; BRA +$10
    rig.state.RegPC = 0xE000;
    rig.run.StepOver();
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S 4C 01 01 01"}));
    EXPECT_EQ(rig.board.waits.back(), TargetAccess::StepWait::Instruction);
    rig.run.StepOver();
    EXPECT_EQ(rig.Steps().size(), 1u);
    EXPECT_EQ(rig.state.RegPC, 0xE013);
}

TEST(BoardStep, StepOutReturnsIntoTheMonitor) {
    BoardRig rig;
    rig.Put(0xE020, {0x01});
    rig.Put(0x00FE, {0xE0, 0x06}); // return address at SP+1
    rig.state.RegPC = 0xE020;
    rig.state.RegSP = 0x00FD;
    rig.board.stepResult = [](TargetState& s) { s.RegSP = 0x00FF; };
    rig.run.StepOut();
    EXPECT_EQ(rig.board.memory[0x00FE], 0x00);
    EXPECT_EQ(rig.board.memory[0x00FF], 0x0D);
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S 7E E0 20 01"}));
    EXPECT_EQ(rig.board.waits.back(), TargetAccess::StepWait::Subroutine);
    EXPECT_EQ(rig.state.RegPC, 0xE006);
    EXPECT_EQ(rig.state.RegSP, 0x00FF);
    EXPECT_EQ(rig.host.pcLines, 1);
}

TEST(BoardStep, StepOutStopsWhenTheStackCannotBeRead) {
    BoardRig rig;
    rig.state.RegPC = 0xE020;
    rig.board.failReads = true;
    rig.run.StepOut();
    EXPECT_TRUE(rig.Steps().empty());
    EXPECT_EQ(rig.state.RegPC, 0xE020);
}

TEST(BoardStep, PauseAbandonsASubroutineWait) {
    BoardRig rig;
    rig.Put(0xE000, {0xBD, 0xE1, 0x00});
    rig.state.RegPC = 0xE000;
    rig.board.whileWaiting = [&] { rig.run.Pause(); };
    rig.run.StepOver();
    EXPECT_EQ(rig.board.abandoned, 1);
    EXPECT_FALSE(rig.state.BoardOK);
    EXPECT_EQ(rig.state.RegPC, 0xE003);
}

TEST(BoardStep, RtiReadsTheStackedPcBeforeTheStep) {
    BoardRig rig;
    rig.Put(0xE050, {0x3B});
    rig.Put(0x00F8, {0xE1, 0x23}); // SP+8, SP+9
    rig.state.RegPC = 0xE050;
    rig.state.RegSP = 0x00F0;
    rig.board.stepResult = [](TargetState& s) { s.RegSP = 0x00F9; };
    rig.run.StepInto();
    ASSERT_GE(rig.board.exchanges.size(), 2u);
    const size_t step = rig.board.exchanges.size() - 1;
    EXPECT_EQ(rig.board.exchanges[step], "S 3B 01 01 01");
    EXPECT_EQ(rig.board.exchanges[step - 1], "R 00F8 2");
    EXPECT_EQ(rig.state.RegPC, 0xE123);
}

TEST(BoardStep, RtiIsNotSentWhenTheStackCannotBeRead) {
    BoardRig rig;
    rig.Put(0xE04F, {0x01, 0x3B}); // NOP; RTI
    rig.state.RegPC = 0xE04F;
    rig.run.StepInto(); // loads the page
    rig.board.failReads = true;
    rig.run.StepInto();
    EXPECT_EQ(rig.Steps(), (std::vector<std::string>{"S 01 01 01 01"}));
    EXPECT_EQ(rig.state.RegPC, 0xE050);
}

TEST(BoardStep, PlayStepsTheBoardAndTestsBreakpoints) {
    BoardRig rig;
    rig.Put(0xE000, {0x4C, 0x4C, 0x4C, 0x20, 0xFB});
    rig.state.RegPC = 0xE000;
    rig.run.Breakpoints().Add(0xE003);
    rig.run.Play();
    EXPECT_EQ(rig.Steps().size(), 3u);
    EXPECT_EQ(rig.state.RegPC, 0xE003);
}

TEST(RunHC11, StartsTheBoard) {
    BoardRig rig;
    rig.state.RegPC = 0xE000;
    rig.run.RunHC11();
    EXPECT_EQ(rig.board.exchanges, (std::vector<std::string>{"X E000"}));
    EXPECT_TRUE(rig.run.Running);
    EXPECT_EQ(rig.host.freezes, 1);
    EXPECT_EQ(rig.host.pauseEnabled, (std::vector<bool>{false}));
    EXPECT_EQ(rig.host.debugMenus, 1);
}

TEST(RunHC11, AFailedStartLeavesItStopped) {
    BoardRig rig;
    rig.board.failSteps = true;
    rig.run.RunHC11();
    EXPECT_FALSE(rig.run.Running);
    EXPECT_EQ(rig.host.freezes, 0);
    EXPECT_EQ(rig.host.debugMenus, 1);
}

TEST(RunHC11, TheSimulatorCannotRunFreely) {
    SimRig rig;
    rig.run.RunHC11();
    ASSERT_EQ(rig.host.messages.size(), 1);
    EXPECT_EQ(rig.host.messages[0], "Procedure called: RunHC11|M68HC11 Simulator error !");
    EXPECT_FALSE(rig.run.Running);
}

TEST(MakeStep, TheSimulatorRefusesStepOverAndStepOut) {
    SimRig rig;
    rig.Put(0xE000, {0x01});
    rig.state.RegPC = 0xE000;
    rig.run.ExecuteOnTarget = true;
    rig.run.StepOverMode = true;
    rig.run.MakeStep();
    rig.run.StepOverMode = false;
    rig.run.StepOutMode = true;
    rig.run.MakeStep();
    EXPECT_EQ(rig.target.steps, 0);
    ASSERT_EQ(rig.host.messages.size(), 2);
    EXPECT_EQ(rig.host.messages[0], "Procedure called: DoStepOver|M68HC11 Simulator error !");
    EXPECT_EQ(rig.host.messages[1], "Procedure called: DoStepOut|M68HC11 Simulator error !");
}

} // namespace
} // namespace quorvel::test
