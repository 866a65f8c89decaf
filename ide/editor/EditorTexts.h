// The editor's captions, file filters and messages, and the small rules that
// derive texts from names and numbers.
//
//     UntitledTitle(3)              // "Untitled3.asm"
//     SaveAsFilterIndex("prog.LST") // 2, the listing filter
//     CaretText(0, 4)               // "Line 1  Col. 5"
//     SourceLineIndex(99, u"a\nb\n") // 1, the line of "b"
#pragma once

#include <QString>
#include <QStringView>

namespace quorvel {

inline const QString kEditorForm = QStringLiteral("frmEditor");

inline const QString kOpenTitle = QStringLiteral("Open");
inline const QString kOpenFilter =
    QStringLiteral("Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Error Listing (*.err)|*.err|"
                   "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
inline const QString kSaveAsTitle = QStringLiteral("Save As");
inline const QString kSaveAsFilter = QStringLiteral(
    "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");

inline const QString kSearchNotFound = QStringLiteral("Search Text not found !");
inline const QString kLineEntryInvalid = QStringLiteral("Please Enter an Integer (1 .. 999999999) !");

// "Untitled" + n + ".asm".
QString UntitledTitle(int n);
// The Save As filter for a proposed name, from its last three characters:
// "ASM" 1, "LST" 2, "TXT" 3 (any case), anything else 4 (All Files).
int SaveAsFilterIndex(const QString& name);
// The file name without its folder.
QString FileTitle(const QString& path);
// Status panel 5 for a caret at a 0-based line and column.
QString CaretText(qsizetype line, qsizetype column);
// "Save changes to " + title + " ?".
QString SaveChangesText(const QString& title);
// "1 item replaced !" or n + " items replaced !".
QString ReplacedText(qint64 count);
// The messages of a file that cannot be opened or saved; the reason goes on a second line.
QString CantOpenText(const QString& path, const QString& reason);
QString CantSaveText(const QString& path, const QString& reason);

// The line a Go To Line entry asks for: digits only, 1 to 999999999; 0 for
// anything else.
qint64 ParseLineEntry(QStringView entry);

// The 0-based line that the error list's jump to the 1-based `line` of `text`
// ("\n" between lines) lands on: that line, or the last line when the text is
// shorter. The last line is the one that holds the text's last character, so
// a final line break does not count as the start of one more, empty line.
// Line numbers below 1 give line 0.
qsizetype SourceLineIndex(qint64 line, QStringView text);

} // namespace quorvel
