// What the memory window's address box takes: at most four hexadecimal
// digits, typed in either case and shown in upper case.
//
//     QChar c = MemoryAddressKey(u'f', 0, 0, 0);    // 'F'
//     int32_t a = MemoryAddressValue(u"FFF5");      // 0xFFF5; -1 for "12345" or "G1"
#pragma once

#include <cstdint>

#include <QChar>
#include <QStringView>

namespace quorvel {

inline constexpr int kMemoryAddressDigits = 4;

// The character a key puts into the box (lower-case "a".."f" upper-cased),
// or a null QChar when it is discarded: anything but a hexadecimal digit, a
// character typed at position 4 or later, and one that would make a fifth
// digit (the box holds `length` characters, `selected` of them selected).
QChar MemoryAddressKey(QChar typed, int caret, int length, int selected);

// The address of 1 to 4 hexadecimal digits (either case); -1 for anything
// else, such as pasted text.
int32_t MemoryAddressValue(QStringView text);

} // namespace quorvel
