// The colours of a row in the row lists of the disassembly and stack
// windows. Ordinary rows take the palette's text and base colours, so they
// read on a dark desktop as on a light one; the debugger's marks keep their
// own colours: a breakpoint row black on red, the cursor row white on blue,
// the cursor on a breakpoint black on magenta. The PC (or SP) row is bold in
// any of them.
//
//     RowLook look = PickRowLook(widget->palette(), {.Cursor = row == CurRow, .Bold = line.PC});
#pragma once

#include <QColor>

class QPalette;

namespace quorvel {

struct RowLook {
    QColor Back;
    QColor Fore;
    bool Bold = false;

    friend bool operator==(const RowLook&, const RowLook&) = default;
};

struct RowMarks {
    bool Cursor = false;     // the selected row, shown while its window is active
    bool Breakpoint = false; // the row's address is in the breakpoint table
    bool Bold = false;       // the row of the PC (the stack pointer in the stack window)
};

RowLook PickRowLook(const QPalette& palette, RowMarks marks);

} // namespace quorvel
