// Step Over and Step Out on the simulator: a temporary breakpoint and Play.
#include <gtest/gtest.h>

#include "RunHarness.h"
#include "run/RunTexts.h"

namespace quorvel::test {
namespace {

// $E000: LDS #$00FF / JSR $E020 / LDAA #1 / BRA *
// $E020: LDAB #$42 / BSR $E030 / RTS
// $E030: INCB / RTS
void putProgram(SimRig& rig) {
    rig.Put(0xE000, {0x8E, 0x00, 0xFF, 0xBD, 0xE0, 0x20, 0x86, 0x01, 0x20, 0xFE});
    rig.Put(0xE020, {0xC6, 0x42, 0x8D, 0x0C, 0x39});
    rig.Put(0xE030, {0x5C, 0x39});
    rig.state.RegPC = 0xE000;
    rig.run.StepInto(); // LDS
}

TEST(StepOver, RunsTheWholeSubroutineAndStopsAfterTheCall) {
    SimRig rig;
    putProgram(rig);
    rig.run.StepOver();
    EXPECT_EQ(rig.state.RegPC, 0xE006);
    EXPECT_EQ(rig.state.RegB, 0x43);
    EXPECT_EQ(rig.state.RegSP, 0x00FF);
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 0); // the temporary entry is gone
    EXPECT_EQ(rig.run.ClockCount, 3 + 6 + 2 + 6 + 2 + 5 + 5);
    EXPECT_EQ(rig.host.disassemblyUpdates, 1);
    EXPECT_EQ(rig.host.refreshRuns, 1);
    EXPECT_TRUE(rig.run.Stopped);
}

TEST(StepOver, OnAnythingElseBehavesLikeStepInto) {
    SimRig rig;
    putProgram(rig);
    rig.run.StepInto(); // into the subroutine
    ASSERT_EQ(rig.state.RegPC, 0xE020);
    rig.run.StepOver(); // LDAB #$42
    EXPECT_EQ(rig.state.RegPC, 0xE022);
    EXPECT_EQ(rig.state.RegB, 0x42);
    rig.run.StepOver(); // BSR: over it
    EXPECT_EQ(rig.state.RegPC, 0xE024);
    EXPECT_EQ(rig.state.RegB, 0x43);
    rig.run.StepOver(); // RTS: back to the caller
    EXPECT_EQ(rig.state.RegPC, 0xE006);
    EXPECT_EQ(rig.state.RegSP, 0x00FF);
}

TEST(StepOver, OnATakenBranchGoesToItsTarget) {
    SimRig rig;
    rig.Put(0xE000, {0x20, 0x10}); // BRA $E012
    rig.Put(0xE012, {0x01});
    rig.state.RegPC = 0xE000;
    rig.run.StepOver();
    EXPECT_EQ(rig.state.RegPC, 0xE012);
}

TEST(StepOver, AFullTableMakesStepOverAndStepOutDoNothing) {
    SimRig rig;
    putProgram(rig);
    for (int i = 0; i < 32; ++i)
        rig.run.Breakpoints().Add(0x8000 + i);
    const int refreshes = rig.host.refreshes;
    rig.run.StepOver();
    EXPECT_EQ(rig.state.RegPC, 0xE003);
    rig.run.StepInto();
    ASSERT_EQ(rig.state.RegPC, 0xE020);
    rig.run.StepOut();
    EXPECT_EQ(rig.state.RegPC, 0xE020);
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 32);
    EXPECT_EQ(rig.host.refreshes, refreshes + 1); // the Step Into only
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST(StepOut, RunsToTheCallersNextInstruction) {
    SimRig rig;
    putProgram(rig);
    rig.run.StepInto(); // JSR
    rig.run.StepInto(); // LDAB
    rig.run.StepInto(); // BSR
    ASSERT_EQ(rig.state.RegPC, 0xE030);
    rig.run.StepOut();
    EXPECT_EQ(rig.state.RegPC, 0xE024);
    EXPECT_EQ(rig.state.RegB, 0x43);
    rig.run.StepOut();
    EXPECT_EQ(rig.state.RegPC, 0xE006);
    EXPECT_EQ(rig.state.RegSP, 0x00FF);
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 0);
}

TEST(StepOver, KeepsTheUsersBreakpoints) {
    SimRig rig;
    putProgram(rig);
    rig.run.Breakpoints().Add(0xE030); // inside the subroutine
    rig.run.StepOver();
    EXPECT_EQ(rig.state.RegPC, 0xE030); // the user's breakpoint wins
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 1);
    EXPECT_EQ(rig.run.Breakpoints().Breakpoints[0], 0xE030);
}

TEST(StepOver, OverRtiStopsWhereRtiReturns) {
    SimRig rig;
    rig.Put(0xE050, {0x3B});
    rig.Put(0x00F1, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE1, 0x00});
    rig.Put(0xE100, {0x01});
    rig.state.RegPC = 0xE050;
    rig.state.RegSP = 0x00F0;
    rig.run.StepOver();
    EXPECT_EQ(rig.state.RegPC, 0xE100);
    EXPECT_EQ(rig.target.steps, 1);
}

TEST(RunToCursor, PlaysToTheAddressAndLeavesTheTable) {
    SimRig rig;
    putProgram(rig);
    rig.run.RunToCursor(0xE030);
    EXPECT_EQ(rig.state.RegPC, 0xE030);
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 0);
    EXPECT_EQ(rig.host.pcLines, 2); // Run To Cursor, then Play
}

TEST(RunToCursor, AnExistingBreakpointThereStays) {
    SimRig rig;
    putProgram(rig);
    rig.run.Breakpoints().Add(0xE030);
    rig.run.RunToCursor(0xE030);
    EXPECT_EQ(rig.state.RegPC, 0xE030);
    EXPECT_EQ(rig.run.Breakpoints().BreakpointCount, 1);
}

TEST(RunToCursor, AFullTableIsRefused) {
    SimRig rig;
    putProgram(rig);
    for (int i = 0; i < 32; ++i)
        rig.run.Breakpoints().Add(0x8000 + i);
    rig.run.RunToCursor(0xE030);
    EXPECT_EQ(rig.state.RegPC, 0xE003);
    ASSERT_EQ(rig.host.messages.size(), 1);
    EXPECT_EQ(rig.host.messages[0], kBreakpointErrorTitle + u'|' + kBreakpointFullText);
    EXPECT_EQ(kBreakpointFullText, QStringLiteral("  Can't Set Breakpoint !\n (Max. Breakpoints = 32)"));
}

} // namespace
} // namespace quorvel::test
