#include "editor/PrintEditor.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "editor/PrintLayout.h"
#include "frame/NumberText.h"

namespace quorvel {

int PrintEditor(QPrinter& printer, const QFont& font, const QString& title, const QString& text) {
    return PrintEditor(
        printer, [&printer] { return printer.newPage(); }, font, title, text);
}

int PrintEditor(QPaintDevice& device, const std::function<bool()>& newPage, const QFont& font,
                const QString& title, const QString& text) {
    // Measured for the device before anything is started on it.
    const QFontMetricsF metrics(font, &device);
    const double lineHeight = std::round(metrics.height());
    const int linesPerPage = LinesPerPage(device.height(), metrics.height());
    if (linesPerPage < kMinPrintLines) return 0;

    const QStringList lines = PrintLines(text);
    const int pages = PrintPageCount(lines.size(), linesPerPage);
    const int textRows = linesPerPage - kHeaderRows;
    const double blankWidth = metrics.horizontalAdvance(QLatin1Char(' '));
    const double pageWidth = device.width();

    QPainter painter;
    if (!painter.begin(&device)) return -1;
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    const auto printRow = [&](int row, const QString& rowText) {
        painter.drawText(QPointF(0, row * lineHeight + metrics.ascent()), rowText);
    };

    qsizetype next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !newPage()) break;
        const QString pageText = PageText(page, pages);
        const int blanks = HeaderBlanks(pageWidth, metrics.horizontalAdvance(title + pageText), blankWidth);
        painter.drawLine(QLineF(0, 1.5 * lineHeight, pageWidth, 1.5 * lineHeight));
        printRow(0, HeaderText(title, blanks, page, pages));
        for (int row = 0; row < textRows && next < lines.size(); ++row, ++next)
            printRow(kHeaderRows + row, ExpandTabs(lines[next]));
    }
    painter.end();
    return pages;
}

} // namespace quorvel
