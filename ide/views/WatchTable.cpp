#include "views/WatchTable.h"

#include "codetools/SymbolTable.h"
#include "frame/NumberText.h"
#include "target/TargetAccess.h"

namespace quorvel {

int32_t WatchAddressOf(const QString& text, const SymbolTable& symbols, QString& name) {
    name.clear();
    int32_t address = ParseNumber(text, true);
    if (address != -1) return address;
    QString label = text;
    address = symbols.SymbolValue(label);
    if (address != -1) name = label;
    return address;
}

bool WatchTable::Add(int32_t address, const QString& name, bool wide) {
    if (Full()) return false;
    Watch watch;
    watch.WatchAddress = address;
    watch.WatchNamed = !name.isEmpty();
    if (watch.WatchNamed) watch.WatchName = name;
    watch.WatchWide = wide;
    watches_.push_back(std::move(watch));
    return true;
}

void WatchTable::Edit(int index, int32_t address, const QString& name, bool wide) {
    if (!Valid(index)) return;
    Watch& watch = watches_[static_cast<size_t>(index)];
    watch.WatchAddress = address;
    watch.WatchNamed = !name.isEmpty();
    if (watch.WatchNamed) watch.WatchName = name;
    watch.WatchWide = wide;
}

void WatchTable::Remove(int index) {
    if (!Valid(index)) return;
    watches_.erase(watches_.begin() + index);
}

void WatchTable::SetFormat(int index, QStringView format) {
    if (Valid(index)) watches_[static_cast<size_t>(index)].WatchFormat = format.toString();
}

QString WatchTable::LabelText(int index) const {
    const Watch& watch = At(index);
    return watch.WatchNamed ? watch.WatchName : AddressText(index);
}

QString WatchTable::AddressText(int index) const {
    return FormatNumber(At(index).WatchAddress, u"$", true);
}

QString WatchTable::ValueText(int index) const {
    const Watch& watch = At(index);
    return FormatNumber(watch.WatchValue, watch.WatchFormat, watch.WatchWide);
}

bool WatchTable::ReadValues(TargetAccess& target) {
    TargetState& state = target.state();
    for (Watch& watch : watches_) {
        if (watch.WatchWide) {
            std::vector<uint8_t> bytes;
            target.InBytes(watch.WatchAddress, bytes, 2);
            if (!state.BoardOK) return false;
            if (bytes.size() >= 2) watch.WatchValue = bytes[0] * 256 + bytes[1];
        } else {
            uint8_t byte = 0;
            target.InByte(watch.WatchAddress, byte);
            if (!state.BoardOK) return false;
            watch.WatchValue = byte;
        }
    }
    return true;
}

void WatchTable::WriteValue(TargetAccess& target, int index, int32_t value) {
    if (!Valid(index)) return;
    const Watch& watch = At(index);
    if (watch.WatchWide) {
        const uint8_t bytes[2] = {static_cast<uint8_t>((value >> 8) & 0xFF),
                                  static_cast<uint8_t>(value & 0xFF)};
        target.OutBytes(watch.WatchAddress, bytes);
    } else {
        target.OutByte(watch.WatchAddress, static_cast<uint8_t>(value & 0xFF));
    }
}

bool WatchTable::UntieMovedLabels(const SymbolTable& symbols) {
    bool changed = false;
    for (Watch& watch : watches_) {
        if (!watch.WatchNamed) continue;
        QString label = watch.WatchName;
        if (symbols.SymbolValue(label) == watch.WatchAddress) continue;
        watch.WatchNamed = false;
        changed = true;
    }
    return changed;
}

} // namespace quorvel
