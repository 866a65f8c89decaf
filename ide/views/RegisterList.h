// What one register window knows apart from its widgets: the display format
// of each row, the PIA bytes it read, how to read its data from the target,
// the text each row shows and what a confirmed value entry writes. Rows are
// numbered from 0 here.
//
//     RegisterList cpu(*FindRegisterWindow(u"frmRegCPU"));
//     cpu.Read(target, state);                    // InCPU
//     if (state.BoardOK) text = cpu.Text(0, state); // "$05"
//     cpu.SetFormat(0, u'%');                     // "%00000101", no target access
//     cpu.Write(2, 256, target, state);           // D: $01 to $0000, $00 to $0001
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QChar>
#include <QString>

#include "target/TargetAccess.h"
#include "views/RegisterRows.h"

namespace quorvel {

class RegisterList {
public:
    explicit RegisterList(const RegisterWindowInfo& info);

    const RegisterWindowInfo& Info() const { return info_; }
    int RowCount() const { return int(info_.Rows.size()); }
    // Row `row` of the table; `row` must lie in 0..RowCount()-1.
    const RegisterRow& Row(int row) const;
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    // ' ', '$' or '%'.
    QChar Format(int row) const;
    // Any other code, a row outside the table and the CCR row (whose flag
    // letters are fixed) are left as they are; false then.
    bool SetFormat(int row, QChar format);
    // The CCR row always shows its flag letters.
    bool FormatFixed(int row) const;

    // The window's data from the target: the register mirror (InCPU), the
    // 64 on-chip bytes into OnChipRegisters, or the 10 PIA bytes. Callers
    // test state.BoardOK afterwards; on failure nothing held changes.
    void Read(TargetAccess& target, TargetState& state);

    // The row's value from the data held: a wide row of bytes reads
    // high * 256 + low, PC and the other 16-bit registers are masked to 16 bits.
    int32_t Value(int row, const TargetState& state) const;
    // The text the row shows: FormatNumber in the row's format, or the CCR flag letters.
    QString Text(int row, const TargetState& state) const;
    // The text the value-entry box starts with: the text shown, or the CCR as plain binary digits.
    QString EntryText(int row, const TargetState& state) const;

    // Performs the row's write with a value the entry dialog accepted (it is
    // cut to the row's width): one byte, two bytes high first, RegPC, or nothing.
    void Write(int row, int32_t value, TargetAccess& target, TargetState& state) const;

    // Target bytes $1800..$1809, filled by Read in the PIA window.
    std::array<uint8_t, kPiaCount> PiaRegisters{};

private:
    uint8_t ByteAt(int32_t address, const TargetState& state) const;

    const RegisterWindowInfo& info_;
    std::vector<QChar> formats_;
};

} // namespace quorvel
