#include "views/StackLines.h"

#include <vector>

#include "frame/NumberText.h"
#include "target/TargetAccess.h"
#include "target/TargetState.h"

namespace quorvel {

namespace {

constexpr int32_t kAddressMask = 0xFFFF;

// The line's parts: " $00FF:   $3F".
constexpr int kNameStart = 1;
constexpr int kNameLength = 5;
constexpr int kAddressStart = 2;
constexpr int kAddressLength = 4;
constexpr int kValueStart = 10;
constexpr int kValueLength = 3;
constexpr int kLineLength = 13;

bool IsHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

QString StackLineText(int32_t address, uint8_t byte) {
    return QStringLiteral(" $") + HexPad(address & kAddressMask, 4) + QStringLiteral(":   $") +
           HexPad(byte, 2);
}

QString StackEnterName(QStringView line) {
    return line.mid(kNameStart, kNameLength).toString();
}

QString StackEnterText(QStringView line) {
    return line.mid(kValueStart, kValueLength).toString();
}

int32_t StackLineAddress(QStringView line) {
    if (line.size() != kLineLength) return -1;
    const QStringView digits = line.mid(kAddressStart, kAddressLength);
    for (QChar c : digits)
        if (!IsHexDigit(c)) return -1;
    return HexToLong(digits);
}

int32_t StackLines::Address(int line) const {
    return (StackViewAddress + line - 1) & kAddressMask;
}

bool StackLines::Read(TargetAccess& target) {
    StackViewAddress &= kAddressMask;
    std::vector<uint8_t> bytes;
    target.InBytes(StackViewAddress, bytes, kStackLines);
    if (!target.state().BoardOK) return false;
    for (size_t i = 0; i < StackViewBytes.size(); ++i)
        StackViewBytes[i] = i < bytes.size() ? bytes[i] : 0;
    return true;
}

void StackLines::Redraw(int32_t sp) {
    for (int line = 1; line <= kStackLines; ++line) {
        StackLine& shown = Lines[static_cast<size_t>(line - 1)];
        const int32_t address = Address(line);
        shown.Bold = address == (sp & kAddressMask);
        const QString text = StackLineText(address, StackViewBytes[static_cast<size_t>(line - 1)]);
        if (shown.Text != text) shown.Text = text;
    }
}

void StackLines::ClearScreen() {
    for (StackLine& line : Lines)
        line = StackLine();
}

void StackLines::ClearMarks() {
    for (StackLine& line : Lines)
        line.Bold = false;
}

int StackLines::LineOf(int32_t address, int visibleRows) const {
    address &= kAddressMask;
    for (int line = 1; line <= visibleRows && line <= kStackLines; ++line)
        if (!Lines[static_cast<size_t>(line - 1)].Text.isEmpty() && Address(line) == address) return line;
    return 0;
}

void StackLines::Scroll(int delta) {
    StackViewAddress = (StackViewAddress + delta) & kAddressMask;
}

int32_t StackLines::SPStart(int32_t sp, int visibleRows) {
    return (sp - visibleRows + 1) & kAddressMask;
}

StackKeyMove StackKey(StackKeyCode key, int curRow, int visibleRows) {
    switch (key) {
    case StackKeyCode::Up: return curRow > 1 ? StackKeyMove{curRow - 1, 0} : StackKeyMove{curRow, -1};
    case StackKeyCode::Down:
        return curRow < visibleRows ? StackKeyMove{curRow + 1, 0} : StackKeyMove{curRow, +1};
    case StackKeyCode::PageUp: return {curRow, -visibleRows};
    case StackKeyCode::PageDown: return {curRow, visibleRows};
    }
    return {curRow, 0};
}

} // namespace quorvel
