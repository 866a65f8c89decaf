// The serial terminal's screen: the text the board's output has written and
// the write position, as a character terminal or as a hex dump. The screen
// is a list of lines; a line break counts as one character in positions.
//
//     TerminalScreen screen;
//     screen.Display("Hi\rX", TerminalScreen::Mode::Character);  // line "Xi", caret after X
//     screen.Display("\x41\x42", TerminalScreen::Mode::Hex);     // a dump line "41 42 ... | AB"
//     TerminalScreen::Changes changed = screen.TakeChanges();   // what a view must redraw
//
// Character mode knows bell (7), backspace (8), tab (9, stops every 8
// columns), line feed (10), form feed (12, clears), carriage return (13) and
// the codes 32..255, which overwrite the character at the write position or
// are inserted before a line break or at the end. Hex mode writes 16 bytes to
// a 67-character dump line: byte k as two hex digits at column 3k and as a
// character at column 51 + k.
//
// The screen keeps the last kMaxLines lines; a line grows to kMaxColumns
// characters at most, a character beyond it starts the next line. A change of
// mode starts a new line at the end of the text, so neither mode writes over
// what the other one showed.
#pragma once

#include <cstdint>
#include <deque>

#include <QByteArrayView>
#include <QString>

namespace quorvel {

class TerminalScreen {
public:
    enum class Mode { Character, Hex };

    static constexpr int kMaxLines = 10000;
    static constexpr int kMaxColumns = 1024; // a multiple of the tab width
    static constexpr int kTabWidth = 8;
    static constexpr int kHexBytesPerLine = 16;
    static constexpr int kHexLineLength = 67;
    static constexpr int kHexBarColumn = 49;
    static constexpr int kHexCharColumn = 51;

    // What changed since the last TakeChanges. Lines before FirstChangedLine
    // are as they were, once the first DroppedLines lines are taken away;
    // Reset: everything must be shown anew.
    struct Changes {
        bool Reset = false;
        int DroppedLines = 0;
        int FirstChangedLine = -1; // -1: no line changed
    };

    TerminalScreen();

    // Treats the bytes one after the other in `mode`; returns how many bells rang.
    int Display(QByteArrayView bytes, Mode mode);
    // Empties the text (the write position goes to its start).
    void Clear();

    bool IsEmpty() const { return lines_.size() == 1 && lines_.front().isEmpty(); }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    const QString& Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    // The lines from `first` on, joined by line feeds.
    QString TextFrom(int first) const;
    QString Text() const { return TextFrom(0); }

    // The write position.
    int CaretLine() const { return caretLine_; }
    int CaretColumn() const { return caretColumn_; }
    int64_t Caret() const { return PositionOf(caretLine_, caretColumn_); }

    // The dump line being written: bytes on it (0..16) and its first character's position.
    int HexCount() const { return hexCount_; }
    int64_t HexLineStart() const { return PositionOf(hexLine_, 0); }

    Changes TakeChanges();

private:
    void CharacterByte(uint8_t code, int& bells);
    void HexByte(uint8_t code);

    void Backspace();
    void Tab();
    void LineFeed();
    void Printable(QChar character);
    // Moves to the end of the text and, unless the last line is empty, starts a new one.
    void FreshLine();
    // Inserts a line break at the write position; the write position follows it.
    void BreakLine();
    void StartDumpLine();

    void Changed(int line);
    void KeepLastLines();
    int64_t PositionOf(int line, int column) const;

    std::deque<QString> lines_;
    int caretLine_ = 0;
    int caretColumn_ = 0;
    int hexCount_ = 0;
    int hexLine_ = 0;
    // The last byte went to the dump line; the write position is where it left it.
    bool dumping_ = false;
    Changes changes_;
};

} // namespace quorvel
