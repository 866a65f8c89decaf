// The rows of the disassembly window, painted line by line in a fixed-pitch
// font: each row one text line high, drawn from a first character on (the
// horizontal scroll position), in the colours its owner gives. The view
// reports presses, double clicks and context-menu requests by row number
// (1 = the top row, 0 = below the rows).
#pragma once

#include <functional>

#include <QPoint>
#include <QString>
#include <QWidget>

#include "codetools/RowLooks.h"

namespace quorvel {

class DisAsmRowsView : public QWidget {
    Q_OBJECT
public:
    // text(row) and look(row) are asked for rows 1..rows while painting.
    DisAsmRowsView(std::function<QString(int)> text, std::function<RowLook(int)> look,
                   QWidget* parent = nullptr);

    void SetRowCount(int rows);
    void SetFirstColumn(int column);
    int FirstColumn() const { return firstColumn_; }

    int RowHeight() const;
    int BlankWidth() const;
    // The row under a point of the view, 1-based; 0 when there is none.
    int RowAt(QPoint position) const;

signals:
    void RowPressed(int row, Qt::MouseButton button);
    void RowDoubleClicked(int row);
    void RowMenuRequested(int row, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<QString(int)> text_;
    std::function<RowLook(int)> look_;
    int rows_ = 0;
    int firstColumn_ = 0;
};

} // namespace quorvel
