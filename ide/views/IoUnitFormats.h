// The number formats of the I/O board panel. Every value travels as a text of
// eight binary digits, most significant first ("11111111" for $FF); the
// converters turn the user's entry into such a text and such a text into the
// shown formats. A failed conversion gives the text "error".
//
//     QString bits = fromInt("-1", IntKind::Signed);   // "11111111"
//     QString shown = toHex(bits);                      // "FF"
//     toBCD("10011010");                                // "error": $9A is no BCD byte
#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>

namespace quorvel {

inline const QString kConversionError = QStringLiteral("error");

enum class IntKind { Signed, Unsigned };

// The drop-downs' formats, in their order.
inline const QString kFormatSigned = QStringLiteral("Signed");
inline const QString kFormatUnsigned = QStringLiteral("Unsigned");
inline const QString kFormatHex = QStringLiteral("Hex");
inline const QString kFormatBinary = QStringLiteral("Binary");
inline const QString kFormatBCD = QStringLiteral("BCD");
QStringList InputFormats();  // Signed, Unsigned, Hex, Binary
QStringList OutputFormats(); // Signed, Unsigned, Hex, BCD

// ---- Entry to binary text ----
// A decimal number: an optional sign and digits, nothing else; -128..127 or
// 0..255. Leading zeros do not count towards the four characters allowed.
QString fromInt(const QString& Value, IntKind valType);
// One or two hexadecimal digits (either case), leading zeros aside.
QString fromHex(const QString& Value);
// Up to eight binary digits, leading zeros aside.
QString fromBinary(const QString& Value);
// inVal without leading "0" characters; "0" when nothing is left.
QString removeLeadingZeroes(const QString& inVal);

// ---- Binary text to shown text ----
// The decimal value, -128..127 for Signed, 0..255 for Unsigned.
QString toInt(const QString& Value, IntKind valType);
// Two upper-case hexadecimal digits.
QString toHex(const QString& Value);
// The two decimal digits of a BCD byte, or "error" when a nibble exceeds 9.
QString toBCD(const QString& Value);

// ---- The panel's conversions by format name ----
// The entry in an input format as binary text, or "error" (also for an empty entry).
QString InputToBinary(const QString& format, const QString& entry);
// Binary text shown in an input or output format.
QString BinaryToInput(const QString& format, const QString& binary);
QString BinaryToOutput(const QString& format, const QString& binary);

// The eight binary digits of a byte, and back (empty when not eight binary digits).
QString BinaryText(uint8_t value);
std::optional<uint8_t> BinaryValue(const QString& binary);

} // namespace quorvel
