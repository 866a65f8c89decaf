#include "codetools/DisAsmRowsView.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace quorvel {

DisAsmRowsView::DisAsmRowsView(std::function<QString(int)> text, std::function<RowLook(int)> look,
                               QWidget* parent)
    : QWidget(parent), text_(std::move(text)), look_(std::move(look)) {
    setObjectName(QStringLiteral("Label"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void DisAsmRowsView::SetRowCount(int rows) {
    if (rows == rows_) return;
    rows_ = rows;
    update();
}

void DisAsmRowsView::SetFirstColumn(int column) {
    if (column == firstColumn_) return;
    firstColumn_ = column;
    update();
}

int DisAsmRowsView::RowHeight() const {
    return std::max(1, fontMetrics().height());
}

int DisAsmRowsView::BlankWidth() const {
    return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

int DisAsmRowsView::RowAt(QPoint position) const {
    if (position.y() < 0) return 0;
    const int row = position.y() / RowHeight() + 1;
    return row <= rows_ ? row : 0;
}

void DisAsmRowsView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QColor window = palette().color(QPalette::Base);
    painter.fillRect(event->rect(), window);
    const int height = RowHeight();
    const int first = std::max(1, event->rect().top() / height + 1);
    const int last = std::min(rows_, event->rect().bottom() / height + 1);
    QFont bold = font();
    bold.setBold(true);
    for (int row = first; row <= last; ++row) {
        const RowLook look = look_(row);
        const QRect line(0, (row - 1) * height, width(), height);
        if (look.Back.isValid() && look.Back != window) painter.fillRect(line, look.Back);
        painter.setFont(look.Bold ? bold : font());
        painter.setPen(look.Fore);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         text_(row).mid(firstColumn_));
    }
}

void DisAsmRowsView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton)
        emit RowPressed(RowAt(event->position().toPoint()), event->button());
    QWidget::mousePressEvent(event);
}

void DisAsmRowsView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit RowDoubleClicked(RowAt(event->position().toPoint()));
}

void DisAsmRowsView::contextMenuEvent(QContextMenuEvent* event) {
    emit RowMenuRequested(RowAt(event->pos()), event->globalPos());
}

} // namespace quorvel
