// The stack window's model: line texts, the start that puts SP on the last
// visible line (wrapping below $0000), the dialog texts taken from a line,
// the reads, and the keys.
#include <gtest/gtest.h>

#include "target/ImageTarget.h"
#include "views/StackLines.h"

namespace quorvel::test {
namespace {

TEST(StackLinesTest, LineTexts) {
    EXPECT_EQ(StackLineText(0x00FF, 0x3F), " $00FF:   $3F");
    EXPECT_EQ(StackLineText(0x10000, 0x00), " $0000:   $00");
    const QString line = StackLineText(0x0100, 0x3F);
    EXPECT_EQ(StackEnterName(line), "$0100");
    EXPECT_EQ(StackEnterText(line), "$3F");
    EXPECT_EQ(StackLineAddress(line), 0x0100);
    EXPECT_EQ(StackLineAddress(u""), -1);
    EXPECT_EQ(StackLineAddress(u" $01G0:   $3F"), -1);
}

TEST(StackLinesTest, TheStackPointerLandsOnTheLastVisibleLine) {
    EXPECT_EQ(StackLines::SPStart(0x00FF, 10), 0x00F6);
    EXPECT_EQ(StackLines::SPStart(0x0005, 10), 0xFFFC);
    EXPECT_EQ(StackLines::SPStart(0x0000, 1), 0x0000);
    EXPECT_EQ(StackLines::SPStart(0xFFFF, 50), 0xFFCE);
}

TEST(StackLinesTest, LinesWrapAroundTheAddressSpace) {
    TargetState state;
    ImageTarget target(state);
    target.TargetMemory()[0xFFFC] = 0xAA;
    target.TargetMemory()[0x0005] = 0x55;
    StackLines stack;
    stack.StackViewAddress = StackLines::SPStart(0x0005, 10);
    ASSERT_TRUE(stack.Read(target));
    stack.Redraw(0x0005);
    EXPECT_EQ(stack.Lines[0].Text, " $FFFC:   $AA");
    EXPECT_EQ(stack.Lines[3].Text, " $FFFF:   $00");
    EXPECT_EQ(stack.Lines[4].Text, " $0000:   $00");
    EXPECT_EQ(stack.Lines[9].Text, " $0005:   $55");
    for (int i = 0; i < kStackLines; ++i)
        EXPECT_EQ(stack.Lines[size_t(i)].Bold, i == 9) << i;
    EXPECT_EQ(stack.LineOf(0x0005, 10), 10);
    EXPECT_EQ(stack.LineOf(0x0005, 9), 0);
    EXPECT_EQ(stack.LineOf(0xFFFC, 1), 1);
    stack.Scroll(-0xFFFC);
    EXPECT_EQ(stack.StackViewAddress, 0x0000);
    stack.Scroll(-1);
    EXPECT_EQ(stack.StackViewAddress, 0xFFFF);
    stack.ClearMarks();
    EXPECT_FALSE(stack.Lines[9].Bold);
    stack.ClearScreen();
    EXPECT_EQ(stack.Lines[0].Text, "");
    EXPECT_EQ(stack.LineOf(0xFFFF, 10), 0) << "an empty line shows no address";
}

TEST(StackLinesTest, TheKeys) {
    const struct {
        StackKeyCode Key;
        int Row;
        StackKeyMove Expected;
    } cases[] = {
        {StackKeyCode::Up, 5, {4, 0}},       {StackKeyCode::Up, 1, {1, -1}},
        {StackKeyCode::Down, 5, {6, 0}},     {StackKeyCode::Down, 10, {10, +1}},
        {StackKeyCode::PageUp, 5, {5, -10}}, {StackKeyCode::PageDown, 5, {5, +10}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StackKey(c.Key, c.Row, 10), c.Expected) << int(c.Key) << " " << c.Row;
}

} // namespace
} // namespace quorvel::test
