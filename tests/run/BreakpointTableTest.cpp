#include <gtest/gtest.h>

#include "run/Breakpoints.h"

namespace quorvel::test {
namespace {

TEST(BreakpointTable, TogglingTwiceLeavesTheTableAsBefore) {
    BreakpointTable table;
    table.Add(0xE000);
    EXPECT_EQ(table.Toggle(0xE010), BreakpointTable::Toggled::Added);
    EXPECT_EQ(table.Toggle(0xE010), BreakpointTable::Toggled::Removed);
    EXPECT_EQ(table.BreakpointCount, 1);
    EXPECT_EQ(table.Breakpoints[0], 0xE000);
}

TEST(BreakpointTable, RemovingMovesTheLaterEntriesDown) {
    BreakpointTable table;
    for (int32_t a : {0x10, 0x20, 0x30})
        table.Add(a);
    EXPECT_TRUE(table.Remove(0x20));
    EXPECT_EQ(table.BreakpointCount, 2);
    EXPECT_EQ(table.Breakpoints[0], 0x10);
    EXPECT_EQ(table.Breakpoints[1], 0x30);
    EXPECT_FALSE(table.Remove(0x20));
}

TEST(BreakpointTable, HoldsThirtyTwoEntries) {
    BreakpointTable table;
    for (int i = 0; i < 32; ++i)
        EXPECT_TRUE(table.Add(i));
    EXPECT_TRUE(table.Full());
    EXPECT_FALSE(table.Add(99));
    EXPECT_EQ(table.Toggle(99), BreakpointTable::Toggled::Full);
    EXPECT_EQ(table.BreakpointCount, 32);
    EXPECT_TRUE(table.Contains(31));
    EXPECT_EQ(table.Toggle(5), BreakpointTable::Toggled::Removed);
    EXPECT_EQ(table.IndexOf(6), 5);
    table.ClearAll();
    EXPECT_EQ(table.BreakpointCount, 0);
    EXPECT_FALSE(table.Contains(0));
}

} // namespace
} // namespace quorvel::test
