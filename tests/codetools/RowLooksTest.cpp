// Row colours from the palette and the row's marks, on a light and a dark palette.
#include <gtest/gtest.h>

#include <QPalette>

#include "codetools/RowLooks.h"

namespace quorvel::test {
namespace {

QPalette Palette(QColor base, QColor text) {
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    return palette;
}

TEST(RowLooksTest, OrdinaryRowsFollowThePaletteAndMarksKeepTheirColours) {
    const QColor darkBase(0x20, 0x20, 0x20);
    const QColor lightText(0xE0, 0xE0, 0xE0);
    const struct {
        QPalette Colours;
        RowMarks Marks;
        RowLook Look;
    } cases[] = {
        {Palette(Qt::white, Qt::black), {}, {Qt::white, Qt::black, false}},
        {Palette(darkBase, lightText), {}, {darkBase, lightText, false}},
        {Palette(darkBase, lightText), {.Bold = true}, {darkBase, lightText, true}},
        {Palette(darkBase, lightText), {.Cursor = true}, {Qt::blue, Qt::white, false}},
        {Palette(darkBase, lightText), {.Breakpoint = true}, {Qt::red, Qt::black, false}},
        {Palette(darkBase, lightText),
         {.Cursor = true, .Breakpoint = true, .Bold = true},
         {Qt::magenta, Qt::black, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PickRowLook(c.Colours, c.Marks), c.Look)
            << c.Marks.Cursor << c.Marks.Breakpoint << c.Marks.Bold << " on "
            << c.Colours.color(QPalette::Base).name().toStdString();
}

} // namespace
} // namespace quorvel::test
