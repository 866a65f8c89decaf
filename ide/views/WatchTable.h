// The watch table: up to 32 target locations the user keeps an eye on, each a
// byte or a 16-bit word (high byte first), named by its address or by a label
// of the symbol table. The main window owns it, so the watches outlive the
// watch window; rows of that window show the entries in table order.
//
//     WatchTable watches;
//     QString name;
//     int32_t address = WatchAddressOf(u"start", symbols, name);   // $C000, name "START"
//     if (address >= 0 && watches.Add(address, name, true)) ...     // false when 32 are set
//     watches.ReadValues(target);                                   // false: the link failed
//     QString row = watches.LabelText(0) + " " + watches.ValueText(0);   // "START $1234"
//     watches.UntieMovedLabels(symbols);                            // after a new listing
#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>

namespace quorvel {

class SymbolTable;
class TargetAccess;

inline constexpr int kMaxWatches = 32;

struct Watch {
    int32_t WatchAddress = 0; // 0..65535
    QString WatchName;        // upper case; meaningful only when WatchNamed
    bool WatchNamed = false;  // entered as a label name
    QString WatchFormat = QStringLiteral("$");
    bool WatchWide = false; // word at WatchAddress and WatchAddress + 1
    int32_t WatchValue = 0; // as read at the last refresh
};

// The address a watch-address text names: a number (ParseNumber, word range)
// or else a label (SymbolValue). `name` gets the label in upper case, or stays
// empty for a number. -1 when the text is neither.
int32_t WatchAddressOf(const QString& text, const SymbolTable& symbols, QString& name);

class WatchTable {
public:
    int WatchCount() const { return static_cast<int>(watches_.size()); }
    bool Full() const { return WatchCount() >= kMaxWatches; }
    // index 0..WatchCount() - 1.
    const Watch& At(int index) const { return watches_.at(static_cast<size_t>(index)); }
    bool Valid(int index) const { return index >= 0 && index < WatchCount(); }

    // Appends a watch shown in hexadecimal; a non-empty name ties it to that
    // label. False, and the table unchanged, when it is full.
    bool Add(int32_t address, const QString& name, bool wide);
    // New address, name and size for a watch; its format and value stay.
    void Edit(int index, int32_t address, const QString& name, bool wide);
    // The entries after it move up one place.
    void Remove(int index);
    // " " decimal, "$" hexadecimal, "%" binary.
    void SetFormat(int index, QStringView format);

    // The label column: the label name of a tied watch, else "$" and four digits.
    QString LabelText(int index) const;
    QString AddressText(int index) const;
    // The value column: WatchValue in the watch's format and size.
    QString ValueText(int index) const;

    // Reads every watch in table order, a word as two bytes, high first; stops
    // at the first read that fails. True when all reads succeeded.
    bool ReadValues(TargetAccess& target);
    // Writes a value into a watched location: a word as two bytes (high, low),
    // a byte as the value's low byte.
    void WriteValue(TargetAccess& target, int index, int32_t value);

    // After the symbol table was replaced: every tied watch whose label no
    // longer gives its address is no longer tied (its address stays). True
    // when any watch changed.
    bool UntieMovedLabels(const SymbolTable& symbols);

private:
    std::vector<Watch> watches_;
};

} // namespace quorvel
