// The memory window in a frame: opening it without the address dialog at a
// given number of data rows, answering the address dialog, and where a cell
// lies on the screen.
#pragma once

#include <QPoint>
#include <QString>

#include "frame/MainWindow.h"
#include "frame/ScriptedPrompt.h"
#include "views/frmMemory.h"

namespace quorvel::test {

frmMemory* MemoryWindow(frmMain& frame);
// Opens the window (as the frame does, without asking for an address), makes
// it the active window and gives it `rows` data rows.
frmMemory* OpenMemory(frmMain& frame, int rows);
void SetMemoryRows(frmMain& frame, int rows);
// The next address dialog gets `text` typed into its box and OK clicked.
void AnswerAddress(ScriptedPrompt& prompt, const QString& text);
void CancelAddress(ScriptedPrompt& prompt);
// Shows the address `text` (as Display Address does) on an open window.
void ShowAddress(frmMain& frame, ScriptedPrompt& prompt, const QString& text);
QPoint CellCentre(frmMemory& window, int row, int column);

} // namespace quorvel::test
