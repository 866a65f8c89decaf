// What a key typed into the serial terminal sends to the board. Nothing typed
// is shown locally: the screen shows only what the board sends back.
//
//     QByteArray out = TerminalKeyBytes(Qt::Key_Return, Qt::NoModifier, "\r", board, running);
//     if (!out.isEmpty()) port.Output(out);   // "\r\n" with a board as target
//     if (IsTerminalCopyKey(Qt::Key_C, Qt::ControlModifier, selected)) copy();
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

struct TerminalTarget {
    bool Board = false;   // the board is the target (not the simulator)
    bool Running = false; // a program runs freely on it
};

// Enter sends carriage return and line feed and Backspace the byte 8, on a
// board; Delete, the page, Home/End and arrow keys, and Ctrl with A, C, V, X
// or Z send nothing; any other character is sent as TypedKeyByte while a
// program runs on the board. A character without a code-page-1250 code is
// not sent.
QByteArray TerminalKeyBytes(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                            TerminalTarget target);

// Ctrl+C or Ctrl+Insert (Shift may be held too) while text is selected
// copies the selection to the clipboard; the key then goes nowhere else.
// Without a selection they are keys like any other (TerminalKeyBytes).
bool IsTerminalCopyKey(int key, Qt::KeyboardModifiers modifiers, bool hasSelection);

} // namespace quorvel
