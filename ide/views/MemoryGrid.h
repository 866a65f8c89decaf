// The memory window's grid, painted cell by cell in a fixed-pitch font: three
// header rows (captions and a rule), then the data rows whose texts its owner
// gives, the current cell highlighted. It scrolls horizontally by a pixel
// offset; the rows come from the owner's page, so the grid never scrolls
// vertically. Presses and double clicks on a cell are reported by its grid
// row and column; a context-menu request says whether it was on a cell.
#pragma once

#include <array>
#include <functional>

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "codetools/RowLooks.h"
#include "views/MemoryLayout.h"

class QPalette;

namespace quorvel {

// The colours of a grid cell (Back invalid: the grid's base colour). Cells
// take the palette's text colour, header cells its dimmed text colour; the
// cursor cell is white on blue while the grid has the focus and in the text
// colour on the palette's mid colour otherwise.
RowLook MemoryCellLook(const QPalette& palette, bool header, bool cursor, bool focused);

class MemoryGrid : public QWidget {
    Q_OBJECT
public:
    // text(cell) is asked for the cells of data rows while painting.
    explicit MemoryGrid(std::function<QString(MemoryCell)> text, QWidget* parent = nullptr);

    void SetRowCount(int dataRows);
    int RowCount() const { return dataRows_; }
    // The highlighted cell; none when its row is not a data row.
    void SetCursor(MemoryCell cell);
    MemoryCell Cursor() const { return cursor_; }
    void SetFirstPixel(int pixel);
    int FirstPixel() const { return firstPixel_; }

    // Every row is this high (header rows too), at least 210 twips.
    int RowHeight() const;
    // The width of all columns.
    int ContentWidth() const { return columnLeft_[kMemoryColumns]; }
    int ColumnLeft(int column) const;
    int ColumnWidth(int column) const;
    // Where a cell is drawn now (scroll offset applied).
    QRect CellRect(MemoryCell cell) const;
    // The cell under a point; false when there is none.
    bool CellAt(QPoint position, MemoryCell& cell) const;

signals:
    void CellPressed(MemoryCell cell, Qt::MouseButton button);
    void CellDoubleClicked(MemoryCell cell);
    void CellMenuRequested(MemoryCell cell, bool onCell, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void MeasureColumns();
    QString HeaderText(int row, int column) const;

    std::function<QString(MemoryCell)> text_;
    std::array<int, kMemoryColumns + 1> columnLeft_{};
    int dataRows_ = 0;
    int firstPixel_ = 0;
    MemoryCell cursor_;
};

} // namespace quorvel
