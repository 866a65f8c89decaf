// Wheel deltas as rows: whole notches, a touchpad's small deltas adding up,
// and a turn the other way dropping what was left over.
#include <vector>

#include <gtest/gtest.h>

#include "codetools/WheelRows.h"

namespace quorvel::test {
namespace {

TEST(WheelRowsTest, DeltasMakeWholeRows) {
    const struct {
        const char* Name;
        int RowsPerNotch;
        std::vector<int> Deltas;
        std::vector<int> Rows;
    } cases[] = {
        {"a notch away from the user moves back", 3, {120}, {-3}},
        {"a notch towards the user moves on", 3, {-120}, {3}},
        {"two notches at once", 3, {240}, {-6}},
        {"one row a notch", 1, {-120, -120}, {1, 1}},
        {"touchpad deltas add up", 3, {-15, -15, -15, -15, -60}, {0, 0, 1, 0, 2}},
        {"a part-row is kept", 3, {-50, -30}, {1, 1}},
        {"turning back drops the part-row", 3, {-30, 30, -30}, {0, 0, 0}},
        {"no vertical delta", 3, {0}, {0}},
    };
    for (const auto& c : cases) {
        WheelRows wheel;
        std::vector<int> rows;
        for (int delta : c.Deltas)
            rows.push_back(wheel.Take(delta, c.RowsPerNotch));
        EXPECT_EQ(rows, c.Rows) << c.Name;
    }
}

} // namespace
} // namespace quorvel::test
