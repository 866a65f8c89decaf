// Run control and download with the emulated board as the target: the
// board's step command in all three forms, Play with breakpoints, the RTI
// fix and the free run, each checked against what the program must do.
#include <csignal>

#include <gtest/gtest.h>

#include "PtyBoardTarget.h"
#include "download/LoadS19.h"
#include "run/RunControl.h"

namespace quorvel::tooltest {
namespace {

// The board as the target; a loop that runs away is paused after a while.
class BoardHost : public QuietRunHost {
public:
    RunControl* run = nullptr;
    bool SimulatorSelected() const override { return false; }
    void ProcessEvents() override {
        if (run && std::chrono::steady_clock::now() - start_ > std::chrono::seconds(10)) run->Pause();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

const char* const kProgram = R"(
        ORG $E000
START   LDS #$00FF
        LDAA #3
        JSR TWICE
        BSR TWICE
        LDX #FRAME
        TXS
        RTI
        NOP
BACK    LDAB #$77
DONE    BRA DONE
TWICE   ASLA
        INCB
        RTS
FRAME   FCB $C0,$11,$22  CCR, B, A (TXS leaves SP one below)
        FDB $3333,$4444  X, Y
        FDB BACK         PC
        ORG $FFFE
        FDB START
)";

class BoardRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(process.Start());
        host.run = &run;
        state.BoardOK = true;
        const auto s19 = Assemble(dir, "prog", kProgram);
        const DownloadOutcome outcome = LoadS19(QString::fromStdString(s19.string()), target);
        ASSERT_EQ(outcome.Result, DownloadResult::Done);
        ASSERT_GT(outcome.Records, 0);
        target.InCPU();
    }

    TempDir dir;
    BoardProcess process;
    TargetState state;
    PtyBoardTarget target{state, process};
    BoardHost host;
    RunControl run{state, target, host};
};

TEST_F(BoardRun, DownloadSetsThePcFromTheResetVector) {
    EXPECT_EQ(state.RegPC, 0xE000);
}

TEST_F(BoardRun, StepIntoFollowsTheProgram) {
    run.StepInto(); // LDS
    run.StepInto(); // LDAA #3
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(state.RegA, 3);
    run.StepInto(); // JSR: done by the IDE
    EXPECT_EQ(state.RegPC, 0xE014);
    EXPECT_EQ(state.RegSP, 0x00FD);
    run.StepInto(); // ASLA
    run.StepInto(); // INCB
    run.StepInto(); // RTS
    EXPECT_EQ(state.RegPC, 0xE008);
    EXPECT_EQ(state.RegA, 6);
    EXPECT_EQ(state.RegB, 1);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(run.ClockCount, 3 + 2 + 6 + 2 + 2 + 5);
}

TEST_F(BoardRun, StepOverLetsTheBoardRunTheSubroutine) {
    run.StepInto();
    run.StepInto();
    const int steps = target.steps;
    run.StepOver(); // JSR TWICE on the board
    EXPECT_EQ(target.steps, steps + 1);
    EXPECT_EQ(state.RegPC, 0xE008);
    EXPECT_EQ(state.RegA, 6);
    EXPECT_EQ(state.RegB, 1);
    EXPECT_EQ(state.RegSP, 0x00FF);
    run.StepOver(); // BSR TWICE
    EXPECT_EQ(state.RegPC, 0xE00A);
    EXPECT_EQ(state.RegA, 12);
}

TEST_F(BoardRun, StepOutReturnsToTheCaller) {
    for (int i = 0; i < 4; ++i)
        run.StepInto(); // LDS, LDAA, JSR, ASLA
    ASSERT_EQ(state.RegPC, 0xE015);
    run.StepOut();
    EXPECT_EQ(state.RegPC, 0xE008);
    EXPECT_EQ(state.RegB, 1);
    EXPECT_EQ(state.RegSP, 0x00FF);
}

TEST_F(BoardRun, PlayStopsAtABreakpointAndRtiTakesTheStackedPc) {
    run.Breakpoints().Add(0xE012);
    run.Play();
    EXPECT_EQ(state.RegPC, 0xE012);
    EXPECT_EQ(state.RegA, 0x22);
    EXPECT_EQ(state.RegB, 0x77);
    EXPECT_EQ(state.RegIX, 0x3333);
    EXPECT_EQ(state.RegIY, 0x4444);
}

TEST_F(BoardRun, RunStartsTheBoardUntilItIsReset) {
    run.RunHC11();
    EXPECT_TRUE(run.Running);
    process.Signal(SIGUSR1);
    EXPECT_EQ(process.Read(3), (Bytes{'B', 'B', 'B'}));
    target.InCPU();
    EXPECT_EQ(state.RegB, 0x77); // the program ran to its idle loop
}

} // namespace
} // namespace quorvel::tooltest
