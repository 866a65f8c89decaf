// The bytes the memory window shows: one page of up to 64 rows read from the
// target with one block read (InMemory from MemoryBlockAddress), the grid's
// cell texts, and the write of one cell with its read-back.
//
//     MemoryPage page(state, target);
//     page.SetRowsShown(8);
//     page.SetBase(0x1234);            // $1230: the base is a multiple of 16
//     page.Read();                     // false when the target did not answer
//     QString row = page.Line(0);      // " $1230:\t\t00\t...": OneLine of data row 0
//     if (page.SendByte({3, 4}, "7F") == MemoryPage::Write::ReadOnly) ...
//
// The page keeps its own copy of what it shows, so a cell keeps the value it
// was written with even when something else reads another block meanwhile.
// Without an answer from the target the rows show only their addresses.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include <QString>

#include "views/MemoryLayout.h"

namespace quorvel {

class TargetAccess;
struct TargetState;

// One row as text, the columns separated by tabs: " $1230:", an empty column,
// 16 bytes as two hexadecimal digits, an empty column, the 16 characters.
// Without ok the row is only its address column. block holds the page from
// `address` on; the row is the one at `offset`.
QString OneLine(const std::array<uint8_t, 1024>& block, int32_t address, int offset, bool ok);

class MemoryPage {
public:
    MemoryPage(TargetState& state, TargetAccess& target);

    int RowsShown() const { return rows_; }
    // Data rows, within 0..64; the base moves back when the page would run past $FFFF.
    void SetRowsShown(int rows);
    // MemoryBlockAddress, the address of the first data row.
    int32_t Base() const;
    // Rounded down to a multiple of 16 and kept so the page ends by $FFFF;
    // a new base forgets the bytes shown.
    void SetBase(int32_t address);

    // InMemory; true with the bytes when the target answered, else the rows show only addresses.
    bool Read();
    // Forgets the bytes shown: only the addresses remain.
    void Clear();
    // The last read answered (some bytes are shown).
    bool HasData() const { return known_.any(); }

    // The text of a grid cell of a data row; empty elsewhere.
    QString Cell(MemoryCell cell) const;
    // OneLine of data row k (0-based).
    QString Line(int dataRow) const;
    // The target address of a data cell; -1 for any other cell.
    int32_t CellAddress(MemoryCell cell) const;
    // The byte of a data cell; -1 when the page does not know it.
    int Byte(MemoryCell cell) const;

    enum class Write {
        Failed,   // the target did not answer the write or the read-back; cells unchanged
        Written,  // the byte reads back as written
        ReadOnly, // the byte reads back otherwise; the cells show what the target holds
        Ignored,  // no data cell or no value in the text
    };
    // Writes the value typed into a cell (two hexadecimal digits or one
    // character) with OutByte, reads it back with InByte and shows the byte
    // read in both cells of that byte.
    Write SendByte(MemoryCell cell, const QString& text);

    // The value a cell's editor text stands for: HexToLong of its first two
    // characters in the hexadecimal area (hexadecimal digits only), the code of
    // its character (32..126) in the character area; -1 when there is none.
    static int CellValue(int column, const QString& text);

private:
    TargetState& state_;
    TargetAccess& target_;
    int rows_ = 0;
    std::array<uint8_t, 1024> bytes_{};
    std::bitset<1024> known_;
};

} // namespace quorvel
