#include "editor/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

int LinesPerPage(double pageHeight, double lineHeight) {
    const double page = std::round(pageHeight);
    const double line = std::round(lineHeight);
    if (!(page > 0) || !(line > 0)) return 0;
    return int(std::min(page / line, 1e9));
}

QStringList PrintLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && text.endsWith(QLatin1Char('\n'))) lines.removeLast();
    return lines;
}

int PrintPageCount(qsizetype lines, int linesPerPage) {
    const qsizetype rows = linesPerPage - kHeaderRows;
    if (rows < 1 || lines < 1) return 1;
    return int((lines - 1) / rows + 1);
}

QString PageText(int page, int pages) {
    return QString::number(page) + QLatin1Char('/') + QString::number(pages);
}

int HeaderBlanks(double pageWidth, double titleAndPageWidth, double blankWidth) {
    if (!(blankWidth > 0)) return 1;
    const double blanks = std::round((pageWidth - titleAndPageWidth) / blankWidth);
    return blanks >= 1 ? int(std::min(blanks, 1e6)) : 1;
}

QString HeaderText(const QString& title, int blanks, int page, int pages) {
    return title + QString(std::max(blanks, 1), QLatin1Char(' ')) + PageText(page, pages);
}

} // namespace quorvel
