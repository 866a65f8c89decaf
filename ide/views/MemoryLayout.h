// The memory window's grid as data: three header rows, then one data row per
// 16 bytes. Column 0 holds the row's address (" $1230:"), columns 2..17 the
// bytes in hexadecimal, columns 19..34 the same bytes as characters; columns
// 1 and 18 stay empty. The hexadecimal and character cells of one byte are
// 17 columns apart.
//
//     AddressPlacement p = PlaceAddress(0xFFF5, 8);   // base $FF80, cursor row 3 + 7, column 2 + 5
//     CursorMove m = MoveCursor({3, 17}, CursorKey::Right, 0x1230, 8);  // {4, 2}, no scroll
//
// Rows and columns are grid coordinates (data row k is grid row k + 3).
#pragma once

#include <cstdint>

#include <QString>

namespace quorvel {

inline constexpr int kMemoryHeaderRows = 3;
inline constexpr int kMemoryRowBytes = 16;
inline constexpr int kMemoryMaxRows = 64; // the 1 KiB block
inline constexpr int kMemoryAddressColumn = 0;
inline constexpr int kMemoryHexColumn = 2;
inline constexpr int kMemoryLastHexColumn = 17;
inline constexpr int kMemoryCharColumn = 19;
inline constexpr int kMemoryLastCharColumn = 34;
inline constexpr int kMemoryColumns = 35;
inline constexpr int kMemoryAreaDistance = kMemoryCharColumn - kMemoryHexColumn;
inline constexpr int32_t kMemoryEnd = 0x10000;
// Scroll bar values are row addresses divided by 16.
inline constexpr int kMemoryScrollRows = kMemoryEnd / kMemoryRowBytes;

struct MemoryCell {
    int Row = kMemoryHeaderRows;
    int Column = kMemoryHexColumn;

    friend bool operator==(const MemoryCell&, const MemoryCell&) = default;
};

inline bool IsHexColumn(int column) {
    return column >= kMemoryHexColumn && column <= kMemoryLastHexColumn;
}
inline bool IsCharColumn(int column) {
    return column >= kMemoryCharColumn && column <= kMemoryLastCharColumn;
}
inline bool IsDataColumn(int column) {
    return IsHexColumn(column) || IsCharColumn(column);
}
// The byte's index within its row (0..15); -1 outside the data columns.
int ByteInRow(int column);
// A data cell of one of the `rows` data rows.
bool IsDataCell(MemoryCell cell, int rows);

// The character area's text of a byte: the character for codes 32..126, "." otherwise.
QString MemoryChar(uint8_t byte);

// Data rows that fit: (inner height - 2 * header row height) / data row height - 1, within 0..64.
int RowsShownFor(int innerHeight, int headerRowHeight, int rowHeight);

// ---- The vertical scroll bar ----
// The last page ends exactly at $FFFF.
inline int ScrollMaximum(int rows) {
    return kMemoryScrollRows - rows;
}
inline int ScrollPageStep(int rows) {
    return rows > 0 ? rows : 1;
}
// The first address of the last page.
inline int32_t LastPageBase(int rows) {
    return kMemoryEnd - rows * kMemoryRowBytes;
}
// The address the top row gets for a scroll value: value * 16, at most the last page's.
int32_t ScrollAddress(int value, int rows);

// ---- Display Address ----
struct AddressPlacement {
    int32_t Base = 0; // a multiple of 16
    MemoryCell Cursor;

    friend bool operator==(const AddressPlacement&, const AddressPlacement&) = default;
};
// The page that shows `address` (taken within $0000..$FFFF) and the cursor on
// its hexadecimal cell: the address starts the first row, except near the end
// of memory, where the last page is shown with the byte on its own row.
AddressPlacement PlaceAddress(int32_t address, int rows);

// ---- Cursor movement ----
enum class CursorKey { Left, Right, Up, Down, Tab, Home, End };

struct CursorMove {
    MemoryCell Cursor;
    int ScrollRows = 0; // -1: the page moves back by one row, +1: forward

    friend bool operator==(const CursorMove&, const CursorMove&) = default;
};
// Where the cursor goes from `from` on a page of `rows` data rows starting at
// `base`. It rests on data cells only; Left and Right run on into the
// neighbouring row of the same area; at the top and bottom edge the page
// scrolls by one row instead, never before $0000 or past $FFFF (the cursor
// then stays). Tab switches between the two areas, Home and End go to the
// first and last cell of the area in the row.
CursorMove MoveCursor(MemoryCell from, CursorKey key, int32_t base, int rows);

// The data cell a click on (row, column) selects: columns 0 and 1 give the
// first hexadecimal cell, column 18 the first character cell, columns beyond
// the last character cell that cell. Header rows and rows past the data give
// no cell (false).
bool ClickedCell(int row, int column, int rows, MemoryCell& cell);

} // namespace quorvel
