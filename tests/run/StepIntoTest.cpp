// Step Into on the simulator: which changes of flow the IDE performs itself,
// what the target executes, the register save area and the cycle counter.
#include <gtest/gtest.h>

#include "RunHarness.h"

namespace quorvel::test {
namespace {

TEST(StepInto, BsrPushesTheReturnAddressAndExecutesNothing) {
    SimRig rig;
    rig.Put(0xE000, {0x8D, 0x10}); // BSR $E012
    rig.state.RegPC = 0xE000;
    rig.state.RegSP = 0x0080;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE012);
    EXPECT_EQ(rig.state.RegSP, 0x007E);
    EXPECT_EQ(rig.At(0x007F), 0xE0); // high byte at old SP-1
    EXPECT_EQ(rig.At(0x0080), 0x02); // low byte at old SP
    EXPECT_EQ(rig.At(0x0006), 0x00);
    EXPECT_EQ(rig.At(0x0007), 0x7E);
    EXPECT_EQ(rig.target.steps, 0);
    EXPECT_EQ(rig.run.ClockCount, 6);
}

TEST(StepInto, JsrExtendedGoesToItsTarget) {
    SimRig rig;
    rig.Put(0xE000, {0xBD, 0xE1, 0x00}); // JSR $E100
    rig.state.RegPC = 0xE000;
    rig.state.RegSP = 0x00FF;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE100);
    EXPECT_EQ(rig.state.RegSP, 0x00FD);
    EXPECT_EQ(rig.At(0x00FE), 0xE0);
    EXPECT_EQ(rig.At(0x00FF), 0x03);
    EXPECT_EQ(rig.run.ClockCount, 6);
}

TEST(StepInto, RtsPopsTheReturnAddress) {
    SimRig rig;
    rig.Put(0xE100, {0x39}); // RTS
    rig.Put(0x007F, {0xE0, 0x02});
    rig.state.RegPC = 0xE100;
    rig.state.RegSP = 0x007E;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.state.RegSP, 0x0080);
    EXPECT_EQ(rig.At(0x0006), 0x00);
    EXPECT_EQ(rig.At(0x0007), 0x80);
    EXPECT_EQ(rig.target.steps, 0);
    EXPECT_EQ(rig.run.ClockCount, 5);
}

TEST(StepInto, TakenBeqMovesThePcAndOnlyCounts) {
    SimRig rig;
    rig.Put(0xE000, {0x27, 0x20}); // BEQ $E022
    rig.state.RegPC = 0xE000;
    rig.SetCCR(0x04); // Z
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE022);
    EXPECT_EQ(rig.target.steps, 0);
    EXPECT_EQ(rig.run.ClockCount, 3);
    EXPECT_EQ(rig.host.refreshes, 1);
}

TEST(StepInto, BranchNotTakenRunsOnTheTarget) {
    SimRig rig;
    rig.Put(0xE000, {0x27, 0x20}); // BEQ, Z clear
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.target.steps, 1);
}

TEST(StepInto, OtherInstructionsRunOnTheTargetPaddedWithOnes) {
    SimRig rig;
    rig.Put(0xE000, {0x86, 0x41, 0x97, 0x40}); // LDAA #$41; STAA $40
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    ASSERT_EQ(rig.target.codes.size(), 1u);
    EXPECT_EQ(rig.target.codes[0], (std::array<uint8_t, 5>{0x86, 0x41, 0x01, 0x01, 0x01}));
    EXPECT_EQ(rig.state.RegA, 0x41);
    EXPECT_EQ(rig.At(0x0000), 0x41); // register save area
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    rig.run.StepInto();
    EXPECT_EQ(rig.At(0x0040), 0x41);
    EXPECT_EQ(rig.state.RegPC, 0xE004);
    EXPECT_EQ(rig.run.ClockCount, 2 + 3);
}

TEST(StepInto, ReadsCodeThroughTargetAccessWithoutTheImage) {
    SimRig rig(false);
    rig.Put(0xE000, {0x18, 0xCE, 0x12, 0x34}); // LDY #$1234
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegIY, 0x1234);
    EXPECT_EQ(rig.state.RegPC, 0xE004);
}

TEST(StepInto, LoadsThePageWhenThePcIsNotInIt) {
    SimRig rig;
    rig.Put(0x2000, {0x86, 0x07});
    rig.state.ProgramPageAddress = 0xE000; // a page elsewhere
    rig.state.RegPC = 0x2000;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegA, 0x07);
    EXPECT_EQ(rig.state.ProgramPageAddress, 0x2000);
}

TEST(StepInto, KeepsAPageThatHoldsTheInstruction) {
    SimRig rig;
    rig.Put(0xE000, {0x01});
    rig.Put(0xE0FD, {0x86, 0x07});
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();       // loads the page at $E000
    rig.state.RegPC = 0xE0FD; // beyond the 252 bytes Play keeps, but still inside
    rig.run.StepInto();
    EXPECT_EQ(rig.state.ProgramPageAddress, 0xE000);
    EXPECT_EQ(rig.state.RegA, 0x07);
}

TEST(StepInto, BrsetReadsTheTestedByte) {
    SimRig rig;
    rig.Put(0xE000, {0x12, 0x50, 0x81, 0x10}); // BRSET $50 $81 +$10
    rig.Put(0x0050, {0x83});
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE014);
    EXPECT_EQ(rig.target.steps, 0);
    EXPECT_EQ(rig.run.ClockCount, 6);
}

// RTI runs on the target, which restores CCR, B, A, X, Y and the PC from the
// stack. The IDE takes the PC RTI pulled, not the address after it.
TEST(StepInto, RtiContinuesAtThePcItPulled) {
    SimRig rig;
    rig.Put(0xE050, {0x3B});
    // SP+1.. : CCR, B, A, X, Y, PC
    rig.Put(0x00F1, {0xC4, 0x22, 0x11, 0x12, 0x34, 0x56, 0x78, 0xE1, 0x23});
    rig.state.RegPC = 0xE050;
    rig.state.RegSP = 0x00F0;
    rig.run.StepInto();
    EXPECT_EQ(rig.target.steps, 1);
    EXPECT_EQ(rig.state.RegPC, 0xE123);
    EXPECT_EQ(rig.state.RegSP, 0x00F9);
    EXPECT_EQ(rig.state.RegA, 0x11);
    EXPECT_EQ(rig.state.RegB, 0x22);
    EXPECT_EQ(rig.state.RegIX, 0x1234);
    EXPECT_EQ(rig.state.RegIY, 0x5678);
    EXPECT_EQ(rig.run.ClockCount, 12);
}

TEST(StepInto, RtiStackWrapsAtTheTopOfMemory) {
    SimRig rig;
    rig.Put(0xE050, {0x3B});
    rig.Put(0xFFFC, {0x00, 0x00, 0x00, 0x00});       // CCR, B, A, X high at $FFFC..$FFFF
    rig.Put(0x0000, {0x00, 0x00, 0x00, 0xE2, 0x00}); // X low, Y, PC at $0002/$0003
    rig.state.RegPC = 0xE050;
    rig.state.RegSP = 0xFFFB;
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE200);
}

TEST(StepInto, TheFlagsDecideTheNextBranch) {
    SimRig rig;
    rig.Put(0xE000, {0x4F, 0x27, 0x10}); // CLRA; BEQ +$10
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    rig.run.StepInto();
    EXPECT_EQ(rig.state.RegPC, 0xE013);
}

TEST(StepInto, EndsWithRefreshAndTheClock) {
    SimRig rig;
    rig.Put(0xE000, {0x01});
    rig.state.RegPC = 0xE000;
    rig.run.StepInto();
    EXPECT_EQ(rig.host.refreshes, 1);
    ASSERT_FALSE(rig.host.clockTexts.isEmpty());
    EXPECT_EQ(rig.host.clockTexts.last(), "Clock= 00000002");
}

} // namespace
} // namespace quorvel::test
