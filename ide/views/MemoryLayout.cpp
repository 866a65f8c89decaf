#include "views/MemoryLayout.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int32_t kLastAddress = kMemoryEnd - 1;

int FirstRow() {
    return kMemoryHeaderRows;
}
int LastRow(int rows) {
    return kMemoryHeaderRows + rows - 1;
}
bool PageEndsAtEnd(int32_t base, int rows) {
    return base + rows * kMemoryRowBytes >= kMemoryEnd;
}
// The same cell kept on the page: a data row, a data column.
MemoryCell Normalised(MemoryCell cell, int rows) {
    cell.Row = std::clamp(cell.Row, FirstRow(), LastRow(rows));
    if (cell.Column < kMemoryHexColumn)
        cell.Column = kMemoryHexColumn;
    else if (cell.Column > kMemoryLastHexColumn && cell.Column < kMemoryCharColumn)
        cell.Column = kMemoryCharColumn;
    else if (cell.Column > kMemoryLastCharColumn)
        cell.Column = kMemoryLastCharColumn;
    return cell;
}

CursorMove MoveRight(MemoryCell at, int32_t base, int rows) {
    if (at.Column != kMemoryLastHexColumn && at.Column != kMemoryLastCharColumn)
        return {{at.Row, at.Column + 1}};
    const int column = at.Column == kMemoryLastHexColumn ? kMemoryHexColumn : kMemoryCharColumn;
    if (at.Row < LastRow(rows)) return {{at.Row + 1, column}};
    if (!PageEndsAtEnd(base, rows)) return {{at.Row, column}, +1};
    return {at};
}

CursorMove MoveLeft(MemoryCell at, int32_t base) {
    if (at.Column != kMemoryHexColumn && at.Column != kMemoryCharColumn) return {{at.Row, at.Column - 1}};
    const int column = at.Column == kMemoryHexColumn ? kMemoryLastHexColumn : kMemoryLastCharColumn;
    if (at.Row > FirstRow()) return {{at.Row - 1, column}};
    if (base >= kMemoryRowBytes) return {{at.Row, column}, -1};
    return {at};
}

} // namespace

int ByteInRow(int column) {
    if (IsHexColumn(column)) return column - kMemoryHexColumn;
    if (IsCharColumn(column)) return column - kMemoryCharColumn;
    return -1;
}

bool IsDataCell(MemoryCell cell, int rows) {
    return cell.Row >= FirstRow() && cell.Row <= LastRow(rows) && IsDataColumn(cell.Column);
}

QString MemoryChar(uint8_t byte) {
    return byte >= 32 && byte <= 126 ? QString(QChar(byte)) : QStringLiteral(".");
}

int RowsShownFor(int innerHeight, int headerRowHeight, int rowHeight) {
    if (rowHeight <= 0) return 0;
    const int fit = (innerHeight - 2 * headerRowHeight) / rowHeight - 1;
    return std::clamp(fit, 0, kMemoryMaxRows);
}

int32_t ScrollAddress(int value, int rows) {
    return std::clamp(value * kMemoryRowBytes, 0, LastPageBase(std::max(rows, 0)));
}

AddressPlacement PlaceAddress(int32_t address, int rows) {
    address = std::clamp(address, 0, kLastAddress);
    AddressPlacement placement;
    placement.Cursor.Column = kMemoryHexColumn + address % kMemoryRowBytes;
    int32_t base = address;
    if (rows > 0 && address > kLastAddress - (rows - 1) * kMemoryRowBytes) {
        base = LastPageBase(rows);
        placement.Cursor.Row = rows + kMemoryHeaderRows - 1 - (kLastAddress - address) / kMemoryRowBytes;
    } else {
        placement.Cursor.Row = FirstRow();
    }
    placement.Base = base - base % kMemoryRowBytes;
    return placement;
}

CursorMove MoveCursor(MemoryCell from, CursorKey key, int32_t base, int rows) {
    if (rows <= 0) return {from};
    const MemoryCell at = Normalised(from, rows);
    const bool hex = IsHexColumn(at.Column);
    switch (key) {
    case CursorKey::Right: return MoveRight(at, base, rows);
    case CursorKey::Left: return MoveLeft(at, base);
    case CursorKey::Up:
        if (at.Row > FirstRow()) return {{at.Row - 1, at.Column}};
        return {at, base >= kMemoryRowBytes ? -1 : 0};
    case CursorKey::Down:
        if (at.Row < LastRow(rows)) return {{at.Row + 1, at.Column}};
        return {at, PageEndsAtEnd(base, rows) ? 0 : +1};
    case CursorKey::Tab:
        return {{at.Row, hex ? at.Column + kMemoryAreaDistance : at.Column - kMemoryAreaDistance}};
    case CursorKey::Home: return {{at.Row, hex ? kMemoryHexColumn : kMemoryCharColumn}};
    case CursorKey::End: return {{at.Row, hex ? kMemoryLastHexColumn : kMemoryLastCharColumn}};
    }
    return {at};
}

bool ClickedCell(int row, int column, int rows, MemoryCell& cell) {
    if (row < FirstRow() || row > LastRow(rows) || column < 0) return false;
    cell = Normalised({row, column}, rows);
    return true;
}

} // namespace quorvel
