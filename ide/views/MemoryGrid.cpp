#include "views/MemoryGrid.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "frame/Placement.h"

namespace quorvel {

namespace {

// Every row is 210 twips high at the least.
constexpr int kMinRowHeight = 210 / kTwipsPerPixel;
const QString kHexDigits = QStringLiteral("0123456789ABCDEF");

} // namespace

RowLook MemoryCellLook(const QPalette& palette, bool header, bool cursor, bool focused) {
    if (cursor && focused) return {Qt::blue, Qt::white, false};
    if (cursor) return {palette.color(QPalette::Mid), palette.color(QPalette::Text), false};
    if (header) return {QColor(), palette.color(QPalette::Disabled, QPalette::Text), false};
    return {QColor(), palette.color(QPalette::Text), false};
}

MemoryGrid::MemoryGrid(std::function<QString(MemoryCell)> text, QWidget* parent)
    : QWidget(parent), text_(std::move(text)) {
    setObjectName(QStringLiteral("gridMemory"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    MeasureColumns();
}

void MemoryGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) MeasureColumns();
    QWidget::changeEvent(event);
}

// Column widths from the font: the address, two digits, one character, and narrow gaps.
void MemoryGrid::MeasureColumns() {
    const QFontMetrics metrics = fontMetrics();
    const int digit = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    const int pad = std::max(2, digit / 2);
    int x = 0;
    for (int column = 0; column < kMemoryColumns; ++column) {
        columnLeft_[static_cast<size_t>(column)] = x;
        int width = pad;
        if (column == kMemoryAddressColumn)
            // Wide enough for its header too, which would run into "Hexadecimal".
            width =
                std::max(metrics.horizontalAdvance(QStringLiteral(" $FFFF:")),
                         metrics.horizontalAdvance(HeaderText(0, kMemoryAddressColumn) + QLatin1Char(' '))) +
                pad;
        else if (IsHexColumn(column))
            width = 2 * digit + pad;
        else if (IsCharColumn(column))
            width = digit + 2;
        else if (column == kMemoryCharColumn - 1)
            width = digit;
        x += width;
    }
    columnLeft_[kMemoryColumns] = x;
    update();
}

void MemoryGrid::SetRowCount(int dataRows) {
    if (dataRows == dataRows_) return;
    dataRows_ = dataRows;
    update();
}

void MemoryGrid::SetCursor(MemoryCell cell) {
    if (cell == cursor_) return;
    cursor_ = cell;
    update();
}

void MemoryGrid::SetFirstPixel(int pixel) {
    if (pixel == firstPixel_) return;
    firstPixel_ = pixel;
    update();
}

int MemoryGrid::RowHeight() const {
    return std::max(kMinRowHeight, fontMetrics().height());
}

int MemoryGrid::ColumnLeft(int column) const {
    return columnLeft_[static_cast<size_t>(std::clamp(column, 0, kMemoryColumns))];
}

int MemoryGrid::ColumnWidth(int column) const {
    if (column < 0 || column >= kMemoryColumns) return 0;
    return ColumnLeft(column + 1) - ColumnLeft(column);
}

QRect MemoryGrid::CellRect(MemoryCell cell) const {
    return {ColumnLeft(cell.Column) - firstPixel_, cell.Row * RowHeight(), ColumnWidth(cell.Column),
            RowHeight()};
}

bool MemoryGrid::CellAt(QPoint position, MemoryCell& cell) const {
    const int x = position.x() + firstPixel_;
    if (position.y() < 0 || x < 0 || x >= ContentWidth()) return false;
    const int row = position.y() / RowHeight();
    if (row >= kMemoryHeaderRows + dataRows_) return false;
    const auto next = std::upper_bound(columnLeft_.begin(), columnLeft_.end(), x);
    cell = {row, int(next - columnLeft_.begin()) - 1};
    return true;
}

QString MemoryGrid::HeaderText(int row, int column) const {
    if (row == 0) {
        if (column == kMemoryAddressColumn) return QStringLiteral(" Address");
        if (column == kMemoryHexColumn) return QStringLiteral("Hexadecimal");
        if (column == kMemoryCharColumn) return QStringLiteral("Characters");
        return {};
    }
    if (row == 1 && ByteInRow(column) >= 0) return kHexDigits.mid(ByteInRow(column), 1);
    return {};
}

void MemoryGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Base);
    painter.fillRect(event->rect(), background);
    const int height = RowHeight();
    const int lastRow = std::min(kMemoryHeaderRows + dataRows_ - 1, event->rect().bottom() / height);
    const QColor dim = palette().color(QPalette::Disabled, QPalette::Text);
    const MemoryCell twin{cursor_.Row, IsHexColumn(cursor_.Column) ? cursor_.Column + kMemoryAreaDistance
                                                                   : cursor_.Column - kMemoryAreaDistance};
    const bool cursorShown = IsDataCell(cursor_, dataRows_);

    for (int row = std::max(0, event->rect().top() / height); row <= lastRow; ++row) {
        if (row == kMemoryHeaderRows - 1) {
            painter.setPen(dim);
            const int y = row * height + height / 2;
            painter.drawLine(-firstPixel_, y, ContentWidth() - firstPixel_, y);
            continue;
        }
        for (int column = 0; column < kMemoryColumns; ++column) {
            const MemoryCell cell{row, column};
            QRect rect = CellRect(cell);
            const bool header = row < kMemoryHeaderRows;
            if (!header && (rect.right() < event->rect().left() || rect.left() > event->rect().right()))
                continue;
            const QString text = header ? HeaderText(row, column) : text_(cell);
            const RowLook look =
                MemoryCellLook(palette(), header, cursorShown && cell == cursor_, hasFocus());
            if (look.Back.isValid()) {
                painter.fillRect(rect, look.Back);
            } else if (cursorShown && cell == twin) {
                painter.setPen(palette().color(QPalette::Mid));
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            if (text.isEmpty()) continue;
            painter.setPen(look.Fore);
            // Captions of a whole area run on over the neighbouring cells.
            if (header && row == 0) rect.setWidth(ContentWidth());
            const Qt::Alignment align =
                column == kMemoryAddressColumn || (header && row == 0) ? Qt::AlignLeft : Qt::AlignHCenter;
            painter.drawText(rect, int(align | Qt::AlignVCenter | Qt::TextSingleLine), text);
        }
    }
}

void MemoryGrid::mousePressEvent(QMouseEvent* event) {
    MemoryCell cell;
    if (event->button() != Qt::RightButton && CellAt(event->position().toPoint(), cell))
        emit CellPressed(cell, event->button());
    QWidget::mousePressEvent(event);
}

void MemoryGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    MemoryCell cell;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), cell))
        emit CellDoubleClicked(cell);
}

void MemoryGrid::contextMenuEvent(QContextMenuEvent* event) {
    MemoryCell cell;
    const bool onCell = CellAt(event->pos(), cell);
    emit CellMenuRequested(cell, onCell, event->globalPos());
}

} // namespace quorvel
