// Number and text helpers shared by every window: 68HC11-style number texts
// ("$" hexadecimal, "%" binary, "@" octal, plain decimal), the 8-bit checksum of
// the board protocol, tab expansion and the split of a file name. All stateless.
//
//     int32_t v = quorvel::ParseNumber(u"$1F", true);   // 31; -1 when malformed
//     QString t = quorvel::FormatNumber(v, u"%", false); // "%00011111"
#pragma once

#include <cstdint>
#include <span>

#include <QString>
#include <QStringView>

namespace quorvel {

// Sum of bytes[1..count] modulo 256; element 0 never counts. 0 when count < 1.
// A count beyond the array stops at its last element.
uint8_t CheckSum(std::span<const uint8_t> bytes, int16_t count);

// Upper-case hexadecimal text of value, left-padded with "0" to width
// characters and never truncated. Negative values give their eight-digit
// two's complement.
QString HexPad(int32_t value, int16_t width);

// Value of the hexadecimal digits "0".."9" and "A".."F" in text, read left to
// right; every other character (lower-case "a".."f" included) is skipped.
// The accumulator keeps the low 32 bits, so more than eight digits keep the
// last eight and "FFFFFFFF" gives -1, the inverse of HexPad for negatives.
int32_t HexToLong(QStringView text);

// "123" decimal (at most 5 characters), "$1F" hexadecimal (1 to 4 digits,
// either case), "%101" binary (any number of digits), "@17" octal (1 to 6
// digits). Word range (0..65535) when wide, else byte range (0..255).
// Anything malformed or out of range gives -1.
int32_t ParseNumber(QStringView text, bool wide);

// By code: " " decimal, "$" hexadecimal (2 or 4 digits, more when needed),
// "%" binary (8 or 16 digits, more when needed); any other code gives "".
QString FormatNumber(int32_t value, QStringView code, bool wide);

// Every tab replaced by blanks up to the next tab stop; stops lie every 9
// columns, counted from the start of the line.
QString ExpandTabs(QString text);

// name = everything before the last "." of path, ext = everything after it;
// without a dot name is the whole path and ext is empty. The dot may lie in a
// folder name.
void SplitFileName(QStringView path, QString& name, QString& ext);

} // namespace quorvel
