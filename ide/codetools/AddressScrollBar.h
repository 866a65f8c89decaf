// The disassembly window's vertical scroll bar. It spans the address space
// $0000-$FFFF: its value is the address of the first row and its thumb is as
// long as the rows shown, so the thumb at the bottom shows the code that ends
// at $FFFF. The bar never moves the view itself; it asks its owner to, the
// way the keys do: an arrow moves one row, a click beside the thumb one page,
// and letting go of the dragged thumb shows the code from the address it was
// dropped at. While the thumb is dragged, that address is shown beside the
// pointer. Wheel turns over the bar go on to the owner, which scrolls by rows.
//
//     auto* bar = new AddressScrollBar;
//     connect(bar, &AddressScrollBar::RowsRequested, window, &Window::ScrollRows);
//     bar->ShowRows(pageAddress, bytesShown);   // after every redraw
#pragma once

#include <cstdint>

#include <QScrollBar>

namespace quorvel {

class AddressScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit AddressScrollBar(QWidget* parent = nullptr);

    // The view shows `bytes` bytes from `first` on; the bar follows without asking for anything.
    void ShowRows(int32_t first, int bytes);
    // "$E000" while the thumb is dragged to $E000; empty otherwise.
    QString DragText() const { return dragText_; }

signals:
    // Move the view `rows` rows on (negative: back).
    void RowsRequested(int rows);
    // Move the view one page on (+1) or back (-1).
    void PageRequested(int pages);
    // Show the code from this address on.
    void AddressRequested(int32_t address);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnAction(int action);
    void OnDragged(int position);
    void OnReleased();

    QString dragText_;
};

} // namespace quorvel
