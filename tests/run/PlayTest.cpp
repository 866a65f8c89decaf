// The Play loop: breakpoints before every step, the first-step rule, Pause,
// the pace of events and display updates, and the state around the loop.
#include <chrono>
#include <functional>

#include <gtest/gtest.h>

#include "RunHarness.h"

namespace quorvel::test {
namespace {

using Clock = std::chrono::steady_clock;

// $E000: LDAA #0 / loop: INCA / BRA loop  (runs for ever)
void putCounter(SimRig& rig) {
    rig.Put(0xE000, {0x86, 0x00, 0x4C, 0x20, 0xFD});
    rig.state.RegPC = 0xE000;
}

TEST(Play, StopsAtABreakpoint) {
    SimRig rig;
    putCounter(rig);
    rig.run.Breakpoints().Add(0xE003);
    rig.run.Play();
    EXPECT_EQ(rig.state.RegPC, 0xE003);
    EXPECT_EQ(rig.state.RegA, 1);
    EXPECT_TRUE(rig.run.Stopped);
    EXPECT_FALSE(rig.run.PlayMode);
    EXPECT_EQ(rig.run.LastStop, RunControl::StopReason::Breakpoint);
}

TEST(Play, ABreakpointAtTheStartDoesNotStopItButReachingItAgainDoes) {
    SimRig rig;
    putCounter(rig);
    rig.state.RegPC = 0xE002; // INCA, the top of the loop
    rig.run.Breakpoints().Add(0xE002);
    rig.run.Play();
    EXPECT_EQ(rig.state.RegPC, 0xE002);
    EXPECT_EQ(rig.state.RegA, 1); // one round: INCA, BRA
    EXPECT_EQ(rig.run.StepCount, 2);
}

TEST(Play, PauseEndsTheLoop) {
    SimRig rig;
    putCounter(rig);
    rig.host.onEvents = [&] {
        if (rig.run.StepCount > 100000) rig.run.Pause();
    };
    rig.run.Play();
    EXPECT_TRUE(rig.run.Stopped);
    EXPECT_EQ(rig.run.LastStop, RunControl::StopReason::Pause);
    EXPECT_GT(rig.run.StepCount, 100000);
}

TEST(Play, TheStateAroundTheLoop) {
    SimRig rig;
    putCounter(rig);
    bool sawPlayMode = false;
    rig.host.onEvents = [&] {
        sawPlayMode = rig.run.PlayMode && !rig.run.Stopped && !rig.run.AnimateMode;
        rig.run.Pause();
    };
    rig.run.Play();
    EXPECT_TRUE(sawPlayMode);
    EXPECT_FALSE(rig.run.PlayMode);
    EXPECT_EQ(rig.host.pauseEnabled, (std::vector<bool>{true, false}));
    EXPECT_EQ(rig.host.timersSuspended, 1);
    EXPECT_EQ(rig.host.timersResumed, 1);
    EXPECT_EQ(rig.host.freezes, 1);
    EXPECT_EQ(rig.host.thaws, 1);
    EXPECT_EQ(rig.host.pcLines, 1);
    EXPECT_EQ(rig.host.disassemblyUpdates, 1);
    EXPECT_EQ(rig.host.refreshes, 0);   // Play refreshes no view per step
    EXPECT_EQ(rig.host.refreshRuns, 1); // but every open view follows the stop, once
}

// Every way a Play loop ends shows the stop in every view once; Animate has
// refreshed them after each step already.
TEST(Play, EveryRunThatEndsRefreshesTheViewsOnce) {
    const struct {
        const char* Name;
        std::function<void(SimRig&)> Run;
        int RefreshRuns;
    } cases[] = {
        {"Play to a breakpoint", [](SimRig& r) { r.run.Breakpoints().Add(0xE003), r.run.Play(); }, 1},
        {"Run To Cursor", [](SimRig& r) { r.run.RunToCursor(0xE003); }, 1},
        {"Step Over", [](SimRig& r) { r.run.StepOver(); }, 1},
        {"Animate",
         [](SimRig& r) {
             r.host.onEvents = [&r] { r.run.Pause(); };
             r.run.Animate();
         },
         0},
    };
    for (const auto& c : cases) {
        SimRig rig;
        putCounter(rig);
        c.Run(rig);
        EXPECT_EQ(rig.host.refreshRuns, c.RefreshRuns) << c.Name;
        EXPECT_TRUE(rig.run.Idle()) << c.Name;
    }
}

TEST(Play, ProcessesEventsAtAPaceAndShowsAtDisplayRate) {
    SimRig rig;
    putCounter(rig);
    const Clock::time_point start = Clock::now();
    Clock::duration longestGap{};
    Clock::time_point last = start;
    rig.host.onEvents = [&] {
        const Clock::time_point now = Clock::now();
        longestGap = std::max(longestGap, now - last);
        last = now;
        if (now - start > std::chrono::milliseconds(400)) rig.run.Pause();
    };
    rig.run.Play();
    const auto elapsed = Clock::now() - start;
    // Events every ~10 ms: a few dozen rounds in 400 ms, never one per instruction.
    EXPECT_GE(rig.host.events, 10);
    EXPECT_LE(rig.host.events, 200);
    EXPECT_LT(longestGap, std::chrono::milliseconds(50));
    // The clock panel and the CPU window follow at display rate, plus once at the end.
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 50 + 2;
    EXPECT_LE(rig.host.clockTexts.size(), ticks);
    EXPECT_LE(rig.host.cpuRefreshes, ticks);
    EXPECT_GE(rig.host.cpuRefreshes, 1);
    EXPECT_EQ(rig.host.clockTexts.last(), rig.run.ClockCountText());
    EXPECT_GT(rig.run.StepCount, 10000);
}

TEST(Play, ReloadsThePageWhenThePcLeavesItsFirst252Bytes) {
    SimRig rig;
    rig.Put(0xE000, {0x7E, 0xE0, 0xFC}); // JMP $E0FC
    rig.Put(0xE0FC, {0x01, 0x01});       // NOP at $E0FC (index 252), NOP
    rig.state.RegPC = 0xE000;
    rig.run.Breakpoints().Add(0xE0FE);
    rig.run.Play();
    EXPECT_EQ(rig.state.RegPC, 0xE0FE);
    EXPECT_EQ(rig.state.ProgramPageAddress, 0xE0FC);
}

TEST(Play, HeadlessLimits) {
    SimRig rig;
    putCounter(rig);
    rig.run.StepLimit = 1001;
    rig.run.Play();
    EXPECT_EQ(rig.run.LastStop, RunControl::StopReason::StepLimit);
    EXPECT_EQ(rig.run.StepCount, 1001);
    EXPECT_EQ(rig.state.RegA, 0xF4); // 500 rounds of INCA (mod 256)

    SimRig idle;
    idle.Put(0xE000, {0x86, 0x05, 0x20, 0xFE}); // LDAA #5; BRA *
    idle.state.RegPC = 0xE000;
    idle.run.StopAtIdleLoop = true;
    idle.run.Play();
    EXPECT_EQ(idle.run.LastStop, RunControl::StopReason::IdleLoop);
    EXPECT_EQ(idle.state.RegPC, 0xE002);
    EXPECT_EQ(idle.run.StepCount, 2);
    EXPECT_EQ(idle.run.ClockCount, 2 + 3);
}

TEST(Play, CommandsArrivingInsideTheLoopAreIgnored) {
    SimRig rig;
    putCounter(rig);
    int32_t pcSeen = -1;
    rig.host.onEvents = [&] {
        pcSeen = rig.state.RegPC;
        rig.run.StepInto(); // ignored: Play is at work
        rig.run.Animate();  // ignored
        EXPECT_EQ(rig.state.RegPC, pcSeen);
        rig.run.Pause();
    };
    rig.run.Play();
    EXPECT_TRUE(rig.run.Busy() == false);
    EXPECT_EQ(rig.host.pauseEnabled.size(), 2u);
}

TEST(Play, FollowsCallsAndReturns) {
    SimRig rig;
    // $E000: LDS #$00FF / JSR $E010 / BRA * ; $E010: LDAB #$42 / RTS
    rig.Put(0xE000, {0x8E, 0x00, 0xFF, 0xBD, 0xE0, 0x10, 0x20, 0xFE});
    rig.Put(0xE010, {0xC6, 0x42, 0x39});
    rig.state.RegPC = 0xE000;
    rig.run.StopAtIdleLoop = true;
    rig.run.Play();
    EXPECT_EQ(rig.state.RegPC, 0xE006);
    EXPECT_EQ(rig.state.RegB, 0x42);
    EXPECT_EQ(rig.state.RegSP, 0x00FF);
    EXPECT_EQ(rig.run.ClockCount, 3 + 6 + 2 + 5 + 3);
}

} // namespace
} // namespace quorvel::test
