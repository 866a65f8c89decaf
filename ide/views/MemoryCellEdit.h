// The in-place editor of one memory cell as a state machine: typing
// overwrites, so a hexadecimal cell keeps two digits and a character cell one
// character.
//
//     MemoryCellEdit edit(MemoryCellEdit::Kind::Hex, "12");   // all selected
//     edit.Type(u'7');                                        // "72", caret 1
//     edit.Type(u'f');                                        // "7F", caret 2
//     edit.Type(u'0');                                        // discarded: the last position
//
// In a hexadecimal cell "a".."f" become upper case and anything but
// "0".."9", "A".."F" is discarded; in a character cell only codes 32..126 are
// taken. A character typed at the last position (caret at 2, or 1) is
// discarded; Backspace and Delete remove the selection or one character.
#pragma once

#include <QString>

namespace quorvel {

class MemoryCellEdit {
public:
    enum class Kind { Hex, Char };

    // The cell's text with all of it selected and the caret at its end.
    MemoryCellEdit(Kind kind, QString text);
    // An editor state as it stands (the caret, a selection of `length` from `start`).
    MemoryCellEdit(Kind kind, QString text, int caret, int selectionStart, int selectionLength);

    // False when the character was discarded (nothing changed).
    bool Type(QChar typed);
    void Backspace();
    void Delete();

    Kind kind() const { return kind_; }
    const QString& Text() const { return text_; }
    int Caret() const { return caret_; }
    int SelectionStart() const { return selectionStart_; }
    int SelectionLength() const { return selectionLength_; }
    // Characters the cell holds: 2 (hexadecimal) or 1 (character).
    int Width() const { return kind_ == Kind::Hex ? 2 : 1; }
    // The editor's maximum length: one more than Width, the room overwriting needs.
    int MaxLength() const { return Width() + 1; }

private:
    // The character as the cell takes it, or a null QChar when it is discarded.
    QChar Accepted(QChar typed) const;
    void RemoveSelection();

    Kind kind_;
    QString text_;
    int caret_ = 0;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
};

} // namespace quorvel
