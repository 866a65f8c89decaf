#include "views/MemoryPage.h"

#include <algorithm>

#include "frame/NumberText.h"
#include "target/TargetAccess.h"
#include "target/TargetState.h"

namespace quorvel {

namespace {

const QChar kTab = QLatin1Char('\t');

QString AddressText(int32_t address) {
    return QStringLiteral(" $") + HexPad(address, 4) + QLatin1Char(':');
}

bool IsHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

QString OneLine(const std::array<uint8_t, 1024>& block, int32_t address, int offset, bool ok) {
    QString line = AddressText(address + offset) + kTab;
    if (!ok || offset < 0 || offset + kMemoryRowBytes > int(block.size())) return line;
    const auto at = [&](int i) { return block[static_cast<size_t>(offset + i)]; };
    for (int i = 0; i < kMemoryRowBytes; ++i)
        line += kTab + HexPad(at(i), 2);
    line += kTab;
    for (int i = 0; i < kMemoryRowBytes; ++i)
        line += kTab + MemoryChar(at(i));
    return line;
}

MemoryPage::MemoryPage(TargetState& state, TargetAccess& target) : state_(state), target_(target) {}

void MemoryPage::SetRowsShown(int rows) {
    rows_ = std::clamp(rows, 0, kMemoryMaxRows);
    if (Base() > LastPageBase(rows_)) SetBase(Base());
}

int32_t MemoryPage::Base() const {
    return state_.MemoryBlockAddress;
}

void MemoryPage::SetBase(int32_t address) {
    address = std::clamp(address, 0, LastPageBase(rows_));
    address -= address % kMemoryRowBytes;
    if (address != state_.MemoryBlockAddress) known_.reset();
    state_.MemoryBlockAddress = address;
}

bool MemoryPage::Read() {
    target_.InMemory();
    if (!state_.BoardOK) {
        known_.reset();
        return false;
    }
    bytes_ = state_.MemoryBlock;
    known_.set();
    return true;
}

void MemoryPage::Clear() {
    known_.reset();
}

QString MemoryPage::Cell(MemoryCell cell) const {
    const int dataRow = cell.Row - kMemoryHeaderRows;
    if (dataRow < 0 || dataRow >= rows_) return {};
    if (cell.Column == kMemoryAddressColumn) return AddressText(Base() + dataRow * kMemoryRowBytes);
    const int byte = Byte(cell);
    if (byte < 0) return {};
    return IsHexColumn(cell.Column) ? HexPad(byte, 2) : MemoryChar(static_cast<uint8_t>(byte));
}

QString MemoryPage::Line(int dataRow) const {
    const int offset = dataRow * kMemoryRowBytes;
    bool ok = offset >= 0 && offset + kMemoryRowBytes <= int(known_.size());
    for (int i = 0; ok && i < kMemoryRowBytes; ++i)
        ok = known_.test(static_cast<size_t>(offset + i));
    return OneLine(bytes_, Base(), offset, ok);
}

int32_t MemoryPage::CellAddress(MemoryCell cell) const {
    if (!IsDataCell(cell, rows_)) return -1;
    return Base() + (cell.Row - kMemoryHeaderRows) * kMemoryRowBytes + ByteInRow(cell.Column);
}

int MemoryPage::Byte(MemoryCell cell) const {
    if (!IsDataCell(cell, rows_)) return -1;
    const auto index =
        static_cast<size_t>((cell.Row - kMemoryHeaderRows) * kMemoryRowBytes + ByteInRow(cell.Column));
    return known_.test(index) ? bytes_[index] : -1;
}

int MemoryPage::CellValue(int column, const QString& text) {
    if (IsHexColumn(column)) {
        const QString digits = text.left(2);
        if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), IsHexDigit)) return -1;
        return HexToLong(digits);
    }
    if (IsCharColumn(column)) {
        if (text.isEmpty()) return -1;
        const char16_t code = text.front().unicode();
        return code >= 32 && code <= 126 ? code : -1;
    }
    return -1;
}

MemoryPage::Write MemoryPage::SendByte(MemoryCell cell, const QString& text) {
    const int32_t address = CellAddress(cell);
    const int value = CellValue(cell.Column, text);
    if (address < 0 || value < 0) return Write::Ignored;
    target_.OutByte(address, static_cast<uint8_t>(value));
    if (!state_.BoardOK) return Write::Failed;
    uint8_t readBack = 0;
    target_.InByte(address, readBack);
    if (!state_.BoardOK) return Write::Failed;
    const auto index = static_cast<size_t>(address - Base());
    bytes_[index] = readBack;
    known_.set(index);
    return readBack == value ? Write::Written : Write::ReadOnly;
}

} // namespace quorvel
