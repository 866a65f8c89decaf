#include "views/RegisterList.h"

#include <algorithm>

#include "frame/NumberText.h"

namespace quorvel {

RegisterList::RegisterList(const RegisterWindowInfo& info) : info_(info) {
    formats_.reserve(info_.Rows.size());
    for (const RegisterRow& row : info_.Rows)
        formats_.push_back(QLatin1Char(row.Format));
}

const RegisterRow& RegisterList::Row(int row) const {
    return info_.Rows[static_cast<size_t>(row)];
}

QChar RegisterList::Format(int row) const {
    return ValidRow(row) ? formats_[static_cast<size_t>(row)] : QChar(u' ');
}

bool RegisterList::FormatFixed(int row) const {
    return ValidRow(row) && Row(row).Cpu == CpuRegister::CCR;
}

bool RegisterList::SetFormat(int row, QChar format) {
    if (!ValidRow(row) || FormatFixed(row)) return false;
    if (format != u' ' && format != u'$' && format != u'%') return false;
    formats_[static_cast<size_t>(row)] = format;
    return true;
}

void RegisterList::Read(TargetAccess& target, TargetState& state) {
    std::vector<uint8_t> bytes;
    switch (info_.Source) {
    case RegisterSource::CPU: target.InCPU(); return;
    case RegisterSource::OnChip:
        target.InBytes(kOnChipBase, bytes, kOnChipCount);
        if (state.BoardOK && bytes.size() >= state.OnChipRegisters.size())
            std::copy_n(bytes.begin(), state.OnChipRegisters.size(), state.OnChipRegisters.begin());
        return;
    case RegisterSource::PIA:
        target.InBytes(kPiaBase, bytes, kPiaCount);
        if (state.BoardOK && bytes.size() >= PiaRegisters.size())
            std::copy_n(bytes.begin(), PiaRegisters.size(), PiaRegisters.begin());
        return;
    }
}

uint8_t RegisterList::ByteAt(int32_t address, const TargetState& state) const {
    if (info_.Source == RegisterSource::PIA) {
        const int32_t index = address - kPiaBase;
        return index >= 0 && index < kPiaCount ? PiaRegisters[static_cast<size_t>(index)] : 0;
    }
    const int32_t index = address - kOnChipBase;
    return index >= 0 && index < kOnChipCount ? state.OnChipRegisters[static_cast<size_t>(index)] : 0;
}

int32_t RegisterList::Value(int row, const TargetState& state) const {
    if (!ValidRow(row)) return 0;
    const RegisterRow& r = Row(row);
    switch (r.Cpu) {
    case CpuRegister::A: return state.RegA;
    case CpuRegister::B: return state.RegB;
    case CpuRegister::D: return state.RegA * 256 + state.RegB;
    case CpuRegister::IX: return state.RegIX & 0xFFFF;
    case CpuRegister::IY: return state.RegIY & 0xFFFF;
    case CpuRegister::PC: return state.RegPC & 0xFFFF;
    case CpuRegister::SP: return state.RegSP & 0xFFFF;
    case CpuRegister::CCR: return state.RegCCR;
    case CpuRegister::None: break;
    }
    const int32_t high = ByteAt(r.Address, state);
    return r.Wide ? high * 256 + ByteAt(r.Address + 1, state) : high;
}

QString RegisterList::Text(int row, const TargetState& state) const {
    if (!ValidRow(row)) return QString();
    if (FormatFixed(row)) return CcrFlagText(state.RegCCR);
    const QChar format = Format(row);
    return FormatNumber(Value(row, state), QStringView(&format, 1), Row(row).Wide);
}

QString RegisterList::EntryText(int row, const TargetState& state) const {
    if (FormatFixed(row)) return FormatNumber(state.RegCCR, u"%", false);
    return Text(row, state);
}

void RegisterList::Write(int row, int32_t value, TargetAccess& target, TargetState& state) const {
    if (!ValidRow(row)) return;
    const RegisterRow& r = Row(row);
    switch (r.Write) {
    case RowWrite::None: return;
    case RowWrite::Byte: target.OutByte(r.Address, static_cast<uint8_t>(value & 0xFF)); return;
    case RowWrite::Word: {
        const uint8_t bytes[2] = {static_cast<uint8_t>((value >> 8) & 0xFF),
                                  static_cast<uint8_t>(value & 0xFF)};
        target.OutBytes(r.Address, bytes);
        return;
    }
    case RowWrite::SetPC: state.RegPC = value & 0xFFFF; return;
    }
}

} // namespace quorvel
