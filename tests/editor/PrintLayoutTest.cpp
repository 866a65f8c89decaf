// The page arithmetic of printed sources.
#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "editor/PrintLayout.h"

namespace quorvel::test {
namespace {

TEST(PrintLayoutTest, LinesPerPageRoundsBothHeights) {
    EXPECT_EQ(LinesPerPage(1000, 20), 50);
    EXPECT_EQ(LinesPerPage(1000.4, 19.6), 50); // 1000 / 20
    EXPECT_EQ(LinesPerPage(999.6, 20.4), 50);  // 1000 / 20
    EXPECT_EQ(LinesPerPage(99, 20), 4);        // 4.95 → 4
    EXPECT_EQ(LinesPerPage(100, 0.2), 0);      // a line rounds to nothing
    EXPECT_EQ(LinesPerPage(0, 12), 0);
}

TEST(PrintLayoutTest, TextLinesEndWithTheLastCharacter) {
    EXPECT_EQ(PrintLines("a\nb\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(PrintLines("a\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(PrintLines("a\n\n"), (QStringList{"a", ""}));
    EXPECT_EQ(PrintLines(""), (QStringList{""}));
    EXPECT_EQ(PrintLines("\n"), (QStringList{""}));
}

TEST(PrintLayoutTest, PagesHoldLinesPerPageLessThreeLines) {
    // 10 rows a page: 7 text lines each.
    EXPECT_EQ(PrintPageCount(1, 10), 1);
    EXPECT_EQ(PrintPageCount(7, 10), 1);
    EXPECT_EQ(PrintPageCount(8, 10), 2);
    EXPECT_EQ(PrintPageCount(14, 10), 2);
    EXPECT_EQ(PrintPageCount(15, 10), 3);
    EXPECT_EQ(PrintPageCount(1000000, 5), 500000);
}

TEST(PrintLayoutTest, TheHeaderEndsAtTheRightMargin) {
    EXPECT_EQ(PageText(3, 7), "3/7");
    // 100 units wide, title and page text 40, blank 10: 6 blanks.
    EXPECT_EQ(HeaderBlanks(100, 40, 10), 6);
    EXPECT_EQ(HeaderBlanks(100, 44, 10), 6);  // 5.6 rounds to 6
    EXPECT_EQ(HeaderBlanks(100, 46, 10), 5);  // 5.4 rounds to 5
    EXPECT_EQ(HeaderBlanks(100, 100, 10), 1); // at least one
    EXPECT_EQ(HeaderBlanks(100, 300, 10), 1);
    EXPECT_EQ(HeaderText("prog.asm", 3, 1, 2), "prog.asm   1/2");
}

} // namespace
} // namespace quorvel::test
