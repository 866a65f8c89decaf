// The page layout of a printed source. Every page starts with a header row
// (the title, blanks, then "page/pages" ending at the right margin), a rule
// at one and a half rows, and an empty row; the remaining rows take the text
// lines, counted on across the pages.
//
//     int perPage = LinesPerPage(pageHeight, lineHeight);   // < kMinPrintLines: print nothing
//     QStringList lines = PrintLines(text);
//     int pages = PrintPageCount(lines.size(), perPage);
//     QString header = HeaderText(title, HeaderBlanks(pageWidth, width(title + PageText(1, pages)),
//     blankWidth),
//                                 1, pages);
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// Fewer rows than this on a page and nothing is printed.
inline constexpr int kMinPrintLines = 5;
// The header row and the two empty rows under it.
inline constexpr int kHeaderRows = 3;

// Rows on a page: page height ÷ row height, both rounded to whole units.
int LinesPerPage(double pageHeight, double lineHeight);
// The lines of the text, up to the line that holds its last character (a
// final line end starts no line of its own); one empty line for an empty text.
QStringList PrintLines(const QString& text);
// (lines − 1) ÷ (rows − 3) + 1.
int PrintPageCount(qsizetype lines, int linesPerPage);
// "3/7".
QString PageText(int page, int pages);
// The blanks between the title and the page text: what is left of the page
// width in blank widths, rounded, and at least 1.
int HeaderBlanks(double pageWidth, double titleAndPageWidth, double blankWidth);
QString HeaderText(const QString& title, int blanks, int page, int pages);

} // namespace quorvel
