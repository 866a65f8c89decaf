// What the stack window shows: 50 consecutive target bytes from
// StackViewAddress, one per line (" $00FF:   $3F"), the line at the stack
// pointer in bold, and how its keys move the selection and the view. Line i
// (1..50) shows the byte at StackViewAddress + i - 1, modulo 65536.
//
//     StackLines stack;
//     stack.StackViewAddress = StackLines::SPStart(0x0005, 10);   // $FFFC: SP on line 10
//     if (stack.Read(target)) stack.Redraw(state.RegSP);
//     StackKeyMove move = StackKey(StackKeyCode::Down, 10, 10);    // {10, +1}: the view moves on
#pragma once

#include <array>
#include <cstdint>

#include <QString>
#include <QStringView>

namespace quorvel {

class TargetAccess;

inline constexpr int kStackLines = 50;

// " $" + 4 hexadecimal digits + ":   $" + 2 digits.
QString StackLineText(int32_t address, uint8_t byte);
// The value-entry dialog's label for a line ("$00FF"), its text ("$3F") and
// the line's address (-1 when the line shows none).
QString StackEnterName(QStringView line);
QString StackEnterText(QStringView line);
int32_t StackLineAddress(QStringView line);

struct StackLine {
    QString Text;
    bool Bold = false;
};

class StackLines {
public:
    int32_t StackViewAddress = 0; // line 1, within $0000..$FFFF
    std::array<uint8_t, kStackLines> StackViewBytes{};
    std::array<StackLine, kStackLines> Lines;

    // The address line `line` (1..50) stands for.
    int32_t Address(int line) const;
    // InBytes of the 50 bytes from StackViewAddress; false when the target did not answer.
    bool Read(TargetAccess& target);
    // Line texts from the bytes, the line at `sp` in bold.
    void Redraw(int32_t sp);
    // Every line empty.
    void ClearScreen();
    // Normal weight everywhere.
    void ClearMarks();
    // The line (1..visibleRows) that shows `address`; 0 when none does.
    int LineOf(int32_t address, int visibleRows) const;
    // StackViewAddress := StackViewAddress + delta, modulo 65536.
    void Scroll(int delta);

    // The view start that puts `sp` on the last visible line.
    static int32_t SPStart(int32_t sp, int visibleRows);
};

enum class StackKeyCode { Up, Down, PageUp, PageDown };

struct StackKeyMove {
    int Row = 0;    // the line selected afterwards
    int Scroll = 0; // how far StackViewAddress moves (a re-read when not 0)

    friend bool operator==(const StackKeyMove&, const StackKeyMove&) = default;
};
// Up and Down move the selection and, on the first or last visible line,
// the view by one byte; Page Up and Page Down move the view by the visible lines.
StackKeyMove StackKey(StackKeyCode key, int curRow, int visibleRows);

} // namespace quorvel
