// The search primitive and Replace All on plain strings.
#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "editor/TextSearch.h"

namespace quorvel::test {
namespace {

struct FindRow {
    const char* text;
    const char* what;
    qsizetype start;
    qsizetype length;
    bool down;
    bool matchCase;
    qsizetype hit;
};

TEST(TextSearchTest, FindsAsTheDirectionAndCaseSay) {
    const FindRow rows[] = {
        // Down: from the end of the selection on.
        {"ldaa #1\nldaa #2\n", "ldaa", 0, 0, true, false, 0},
        {"ldaa #1\nldaa #2\n", "ldaa", 0, 4, true, false, 8},
        {"ldaa #1\nldaa #2\n", "ldaa", 8, 4, true, false, -1},
        {"ldaa #1\nldaa #2\n", "ldaa", 1, 0, true, false, 8},
        // Case: off matches any case, on only the same.
        {"\tLDAA\t#1\n", "ldaa", 0, 0, true, false, 1},
        {"\tLDAA\t#1\n", "ldaa", 0, 0, true, true, -1},
        {"\tLDAA\t#1\n", "LDAA", 0, 0, true, true, 1},
        // Up: the last hit wholly before the selection start.
        {"ab ab ab", "ab", 8, 0, false, false, 6},
        {"ab ab ab", "ab", 6, 2, false, false, 3},
        {"ab ab ab", "ab", 7, 0, false, false, 3},
        {"ab ab ab", "ab", 0, 0, false, false, -1},
        {"ab ab ab", "AB", 8, 0, false, true, -1},
        // Up steps past each hit: no overlapping hits.
        {"aaaa", "aa", 4, 0, false, false, 2},
        {"aaa", "aa", 3, 0, false, false, 0},
        // Empty search text, empty text, selection beyond the text.
        {"abc", "", 0, 0, true, false, -1},
        {"", "a", 0, 0, true, false, -1},
        {"abc", "c", 99, 5, true, false, -1},
        {"abc", "c", 99, 0, false, false, 2},
        // Across lines.
        {"x\ny\n", "x\ny", 0, 0, true, false, 0},
    };
    for (const FindRow& row : rows) {
        const QString text = QString::fromUtf8(row.text);
        const QString what = QString::fromUtf8(row.what);
        EXPECT_EQ(FindText(text, what, {row.start, row.length}, row.down, row.matchCase), row.hit)
            << row.text << " / " << row.what << " at " << row.start << (row.down ? " down" : " up");
    }
}

TEST(TextSearchTest, CaseFoldingKeepsPositions) {
    // Upper-casing "ß" would make two letters and shift every later position.
    const QString text = QString::fromUtf8("straße LDAA");
    EXPECT_EQ(FindText(text, u"ldaa", {0, 0}, true, false), 7);
}

QString Apply(const QString& text, const ReplaceAllResult& r) {
    QString out = text;
    out.replace(r.From, r.To - r.From, r.Replacement);
    return out;
}

TEST(TextSearchTest, ReplaceAllDownFromTheCaret) {
    const QString text = "ldaa ldaa ldaa";
    const ReplaceAllResult all = ReplaceAllText(text, u"ldaa", u"LDAB", {0, 0}, true, false);
    EXPECT_EQ(all.Count, 3);
    EXPECT_EQ(Apply(text, all), "LDAB LDAB LDAB");
    EXPECT_EQ(all.Caret, 14);

    // From after the first hit (as when Find selected it): the first stays.
    const ReplaceAllResult rest = ReplaceAllText(text, u"ldaa", u"x", {0, 4}, true, false);
    EXPECT_EQ(rest.Count, 2);
    EXPECT_EQ(Apply(text, rest), "ldaa x x");
    EXPECT_EQ(rest.Caret, 8);
}

TEST(TextSearchTest, ReplaceAllUpBeforeTheCaret) {
    const QString text = "ldaa ldaa ldaa";
    const ReplaceAllResult up = ReplaceAllText(text, u"ldaa", u"x", {10, 0}, false, false);
    EXPECT_EQ(up.Count, 2);
    EXPECT_EQ(Apply(text, up), "x x ldaa");
    EXPECT_EQ(up.Caret, 0);
}

TEST(TextSearchTest, ReplaceAllWithTextThatHoldsTheSearchEnds) {
    const QString text = "a-a-a";
    const ReplaceAllResult down = ReplaceAllText(text, u"a", u"aa", {0, 0}, true, true);
    EXPECT_EQ(down.Count, 3);
    EXPECT_EQ(Apply(text, down), "aa-aa-aa");
    const ReplaceAllResult up = ReplaceAllText(text, u"a", u"aa", {5, 0}, false, true);
    EXPECT_EQ(up.Count, 3);
    EXPECT_EQ(Apply(text, up), "aa-aa-aa");
}

TEST(TextSearchTest, ReplaceAllCountsPastSixteenBits) {
    const QString text(40000, QLatin1Char('x'));
    const ReplaceAllResult all = ReplaceAllText(text, u"x", u"yz", {0, 0}, true, true);
    EXPECT_EQ(all.Count, 40000);
    EXPECT_EQ(all.Replacement.size(), 80000);
}

TEST(TextSearchTest, ReplaceAllWithNothingFoundChangesNothing) {
    const ReplaceAllResult none = ReplaceAllText(u"abc", u"x", u"y", {1, 1}, true, false);
    EXPECT_EQ(none.Count, 0);
    EXPECT_TRUE(none.Replacement.isEmpty());
    EXPECT_EQ(ReplaceAllText(u"abc", u"", u"y", {0, 0}, true, false).Count, 0);
    // Case-insensitive replacement of differently cased hits.
    const QString text = "Ldaa LDAA ldaa";
    const ReplaceAllResult any = ReplaceAllText(text, u"ldaa", u"ldab", {0, 0}, true, false);
    EXPECT_EQ(Apply(text, any), "ldab ldab ldab");
}

} // namespace
} // namespace quorvel::test
