// Printing an editor's text: a header row with the title on the left and
// "page/pages" at the right margin, a black rule under it, two empty rows,
// then the text lines with their tabs expanded, in the print font, as many
// as fit on each page.
//
//     if (prompt.PrintDialog(printer, PrintMode::Print))
//         PrintEditor(printer, ResolveFont(frame.PrintFont), editor->EditorTitle(), editor->PlainText());
//
// The result is the number of pages printed; 0 when fewer than five rows fit
// on a page (the print job is then not started); -1 when the printer could
// not be started.
#pragma once

#include <functional>

#include <QFont>
#include <QString>

class QPaintDevice;
class QPrinter;

namespace quorvel {

int PrintEditor(QPrinter& printer, const QFont& font, const QString& title, const QString& text);
// The same on any paint device; `newPage` ends a page and starts the next.
int PrintEditor(QPaintDevice& device, const std::function<bool()>& newPage, const QFont& font,
                const QString& title, const QString& text);

} // namespace quorvel
