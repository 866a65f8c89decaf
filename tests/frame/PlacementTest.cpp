// Placement keys, twips, the sanity check of stored geometry, and the
// arrangement of editors and debugger views.
#include <cmath>
#include <limits>

#include "FrameHarness.h"
#include "frame/Arrange.h"
#include "frame/Placement.h"
#include "frame/Settings.h"

namespace quorvel::test {
namespace {

using PlacementTest = FrameTest;

TEST_F(PlacementTest, FifteenTwipsMakeAPixel) {
    EXPECT_EQ(PixelsToTwips(1), 15);
    EXPECT_EQ(PixelsToTwips(-2), -30);
    EXPECT_EQ(TwipsToPixels(5200), 347); // 346.67 rounded
    EXPECT_EQ(TwipsToPixels(2600), 173);
    EXPECT_EQ(TwipsToPixels(-150), -10);
    EXPECT_FALSE(TwipsToPixels(1e30).has_value());
    EXPECT_FALSE(TwipsToPixels(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(TwipsToPixels(std::numeric_limits<double>::infinity()).has_value());
}

TEST_F(PlacementTest, MissingKeysTakeTheDefaults) {
    const WindowPlacement defaults{7800, 0, 2600, 2450, kStateNormal};
    EXPECT_EQ(ReadPlacement(Settings(), "Watch", defaults), defaults);
}

TEST_F(PlacementTest, NormalStateWritesAllFiveKeys) {
    {
        Settings store;
        SavePlacement(store, "Memory", {150, 300, 4500, 3000, kStateNormal});
    }
    Settings store;
    EXPECT_EQ(store.GetText(Settings::kWindows, "MemoryLeft", ""), "150");
    EXPECT_EQ(store.GetText(Settings::kWindows, "MemoryTop", ""), "300");
    EXPECT_EQ(store.GetText(Settings::kWindows, "MemoryWidth", ""), "4500");
    EXPECT_EQ(store.GetText(Settings::kWindows, "MemoryHeight", ""), "3000");
    EXPECT_EQ(store.GetText(Settings::kWindows, "MemoryState", ""), "0");
    EXPECT_EQ(ReadPlacement(store, "Memory", {}), (WindowPlacement{150, 300, 4500, 3000, kStateNormal}));
}

TEST_F(PlacementTest, MinimisedOrMaximisedWritesOnlyTheState) {
    Settings store;
    SavePlacement(store, "Stack", {150, 300, 4500, 3000, kStateNormal});
    SavePlacement(store, "Stack", {0, 0, 12000, 9000, kStateMaximised});
    EXPECT_EQ(ReadPlacement(store, "Stack", {}), (WindowPlacement{150, 300, 4500, 3000, kStateMaximised}));
    SavePlacement(store, "Stack", {0, 8000, 2000, 300, kStateMinimised});
    EXPECT_EQ(ReadPlacement(store, "Stack", {}), (WindowPlacement{150, 300, 4500, 3000, kStateMinimised}));
}

TEST_F(PlacementTest, AWindowStoredMinimisedIsRestoredNormal) {
    const struct {
        int stored;
        int restored;
    } rows[] = {
        {kStateNormal, kStateNormal}, {kStateMinimised, kStateNormal}, {kStateMaximised, kStateMaximised}};
    for (const auto& row : rows)
        EXPECT_EQ(RestoredState(row.stored), row.restored) << row.stored;
}

TEST_F(PlacementTest, AStateOutOfRangeTakesTheDefault) {
    Settings store;
    store.SaveText(Settings::kWindows, "LabelState", "7");
    EXPECT_EQ(ReadPlacement(store, "Label", {0, 0, 100, 100, kStateMaximised}).State, kStateMaximised);
    store.SaveText(Settings::kWindows, "LabelState", "max");
    EXPECT_EQ(ReadPlacement(store, "Label", {0, 0, 100, 100, kStateNormal}).State, kStateNormal);
}

TEST_F(PlacementTest, PixelRectangles) {
    EXPECT_EQ(PlacementPixels({150, 300, 4500, 3000, 0}), QRect(10, 20, 300, 200));
    EXPECT_FALSE(PlacementPixels({1e30F, 0, 100, 100, 0}).has_value());
    EXPECT_EQ(PlacementFromPixels(QRect(10, 20, 300, 200), kStateMinimised),
              (WindowPlacement{150, 300, 4500, 3000, kStateMinimised}));
}

struct UsableCase {
    const char* Why;
    QRect Rect;
    bool Usable;
};

TEST_F(PlacementTest, UsablePlacements) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const UsableCase cases[] = {
        {"inside the first screen", QRect(100, 100, 800, 600), true},
        {"on the second screen", QRect(2000, 50, 600, 400), true},
        {"partly off to the right, enough visible", QRect(3100, 100, 800, 600), true},
        {"as large as the screen", QRect(0, 0, 1920, 1080), true},
        {"entirely left of all screens", QRect(-2000, 100, 800, 600), false},
        {"entirely below", QRect(100, 3000, 800, 600), false},
        {"title bar above the screens", QRect(100, -50, 800, 600), false},
        {"only a sliver visible", QRect(3190, 100, 800, 600), false},
        {"negative width", QRect(100, 100, -300, 600), false},
        {"zero height", QRect(100, 100, 300, 0), false},
        {"tiny", QRect(100, 100, 5, 5), false},
        {"huge", QRect(0, 0, 100000, 600), false},
        {"huge height", QRect(0, 0, 800, 5000), false},
    };
    for (const UsableCase& c : cases)
        EXPECT_EQ(PlacementUsable(c.Rect, screens), c.Usable) << c.Why;
    EXPECT_FALSE(PlacementUsable(QRect(0, 0, 100, 100), {}));
}

TEST_F(PlacementTest, TileHorizontalGivesEqualShares) {
    const QList<QRect> rects = TileHorizontal(QSize(600, 400), 3);
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(rects[0], QRect(0, 0, 600, 133));
    EXPECT_EQ(rects[1], QRect(0, 133, 600, 133));
    EXPECT_EQ(rects[2], QRect(0, 266, 600, 133));
    EXPECT_TRUE(TileHorizontal(QSize(600, 400), 0).isEmpty());
}

TEST_F(PlacementTest, TileVerticalGivesEqualShares) {
    const QList<QRect> rects = TileVertical(QSize(600, 400), 4);
    ASSERT_EQ(rects.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rects[i], QRect(150 * i, 0, 150, 400));
}

TEST_F(PlacementTest, CascadeStepsAndStartsAgain) {
    const QList<QRect> rects = Cascade(QSize(800, 400), 12, 25);
    ASSERT_EQ(rects.size(), 12);
    EXPECT_EQ(rects[0], QRect(0, 0, 600, 300));
    EXPECT_EQ(rects[1], QRect(25, 25, 600, 300));
    // 100 pixels of room: offsets 0, 25, 50, 75, 100, then the run starts again.
    EXPECT_EQ(rects[4].topLeft(), QPoint(100, 100));
    EXPECT_EQ(rects[5].topLeft(), QPoint(0, 0));
    for (const QRect& r : rects)
        EXPECT_TRUE(QRect(0, 0, 800, 400).contains(r)) << r.x();
}

TEST_F(PlacementTest, DebuggerArrangementUsesTheBaseMeasures) {
    const QList<DebuggerSlot> arrangement = ArrangeDebugger(9000);
    ASSERT_EQ(arrangement.size(), 5);
    auto find = [&](const QString& prefix) {
        for (const DebuggerSlot& s : arrangement)
            if (s.Prefix == prefix) return s.Placement;
        ADD_FAILURE() << prefix.toStdString();
        return WindowPlacement{};
    };
    EXPECT_EQ(find("DisAsm"), (WindowPlacement{0, 0, 5200, 9000, kStateNormal}));
    EXPECT_EQ(find("RegCPU"), (WindowPlacement{5200, 0, 2600, 2450, kStateNormal}));
    EXPECT_EQ(find("Watch"), (WindowPlacement{7800, 0, 2600, 2450, kStateNormal}));
    EXPECT_EQ(find("Stack"), (WindowPlacement{5200, 2450, 2600, 6550, kStateNormal}));
    EXPECT_EQ(find("Label"), (WindowPlacement{7800, 2450, 2600, 6550, kStateNormal}));
}

TEST_F(PlacementTest, DebuggerArrangementKeepsAMinimumHeight) {
    for (const DebuggerSlot& s : ArrangeDebugger(1000))
        EXPECT_GE(s.Placement.Height, kArrangeMinHeight) << s.Prefix.toStdString();
}

} // namespace
} // namespace quorvel::test
