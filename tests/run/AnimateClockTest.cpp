// Animate's pace and display, and the cycle counter's text.
#include <chrono>

#include <gtest/gtest.h>

#include "RunHarness.h"

namespace quorvel::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(Animate, StepsAboutTenTimesASecondAndRefreshesEachStep) {
    SimRig rig;
    rig.Put(0xE000, {0x4C, 0x20, 0xFD}); // INCA; BRA *-3
    rig.state.RegPC = 0xE000;
    const Clock::time_point start = Clock::now();
    bool sawAnimateMode = false;
    rig.host.onEvents = [&] {
        sawAnimateMode = sawAnimateMode || (rig.run.AnimateMode && !rig.run.PlayMode);
        if (Clock::now() - start >= std::chrono::milliseconds(550)) rig.run.Pause();
    };
    rig.run.Animate();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_TRUE(sawAnimateMode);
    EXPECT_GE(rig.run.StepCount, 5);
    EXPECT_LE(rig.run.StepCount, 7);
    EXPECT_LE(rig.run.StepCount, elapsed / 100 + 1);
    EXPECT_EQ(rig.host.refreshes, rig.run.StepCount); // each step refreshes everything
    EXPECT_EQ(rig.host.disassemblyUpdates, 0);
    EXPECT_FALSE(rig.run.AnimateMode);
    EXPECT_EQ(rig.host.pauseEnabled, (std::vector<bool>{true, false}));
    EXPECT_EQ(rig.host.timersResumed, 1);
}

TEST(Animate, PauseArrivesWithinAStep) {
    SimRig rig;
    rig.Put(0xE000, {0x20, 0xFE}); // BRA *
    rig.state.RegPC = 0xE000;
    Clock::time_point paused{};
    rig.host.onEvents = [&] {
        if (paused == Clock::time_point{} && rig.run.StepCount == 1) {
            paused = Clock::now();
            rig.run.Pause();
        }
    };
    rig.run.Animate();
    EXPECT_LT(Clock::now() - paused, std::chrono::milliseconds(50));
    EXPECT_EQ(rig.run.StepCount, 1);
}

TEST(Animate, StopsAtABreakpoint) {
    SimRig rig;
    rig.Put(0xE000, {0x01, 0x01, 0x01});
    rig.state.RegPC = 0xE000;
    rig.run.Breakpoints().Add(0xE002);
    rig.run.Animate();
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.run.LastStop, RunControl::StopReason::Breakpoint);
}

TEST(ClockCount, ResetCounterShowsEightZeros) {
    SimRig rig;
    rig.run.ClockCount = 77;
    rig.run.ResetCounter();
    EXPECT_EQ(rig.run.ClockCount, 0);
    ASSERT_EQ(rig.host.clockTexts.size(), 1);
    EXPECT_EQ(rig.host.clockTexts[0], "Clock= 00000000");
}

TEST(ClockCount, ShowsAllDigitsOfALargeCount) {
    SimRig rig;
    rig.run.ClockCount = 123456789;
    rig.run.ClockCountUpdate();
    EXPECT_EQ(rig.host.clockTexts.last(), "Clock= 123456789");
}

TEST(ClockCount, GrowsPastThirtyTwoBits) {
    SimRig rig;
    rig.Put(0xE000, {0x01});
    rig.state.RegPC = 0xE000;
    rig.run.ClockCount = 0x7FFFFFFF;
    rig.run.StepInto();
    EXPECT_EQ(rig.run.ClockCount, int64_t{0x7FFFFFFF} + 2);
    EXPECT_EQ(rig.host.clockTexts.last(), "Clock= 2147483649");
}

} // namespace
} // namespace quorvel::test
