#include "views/IoUnitFormats.h"

namespace quorvel {

namespace {

constexpr int kBits = 8;
// Characters allowed in a decimal entry after its leading zeros went: "-128".
constexpr int kMaxDecimalLength = 4;
constexpr int kMaxHexDigits = 2;

bool AllDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

int HexDigitValue(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) return c.unicode() - 'A' + 10;
    return -1;
}

QChar HexDigit(int value) {
    return QLatin1Char("0123456789ABCDEF"[value & 0xF]);
}

} // namespace

QStringList InputFormats() {
    return {kFormatSigned, kFormatUnsigned, kFormatHex, kFormatBinary};
}

QStringList OutputFormats() {
    return {kFormatSigned, kFormatUnsigned, kFormatHex, kFormatBCD};
}

QString BinaryText(uint8_t value) {
    return QString::number(value, 2).rightJustified(kBits, QLatin1Char('0'));
}

std::optional<uint8_t> BinaryValue(const QString& binary) {
    if (binary.size() != kBits) return std::nullopt;
    int value = 0;
    for (const QChar c : binary) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) return std::nullopt;
        value = value * 2 + (c == QLatin1Char('1') ? 1 : 0);
    }
    return static_cast<uint8_t>(value);
}

QString removeLeadingZeroes(const QString& inVal) {
    qsizetype first = 0;
    while (first < inVal.size() && inVal[first] == QLatin1Char('0'))
        ++first;
    return first == inVal.size() ? QStringLiteral("0") : inVal.mid(first);
}

// The whole text must be the number: a sign and digits. Trailing characters,
// inner blanks or a fraction make it an error rather than a different value.
QString fromInt(const QString& Value, IntKind valType) {
    QString text = Value.trimmed();
    if (text.isEmpty()) return kConversionError;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative) text.remove(0, 1);
    text = removeLeadingZeroes(text);
    if (negative) text.prepend(QLatin1Char('-'));
    if (text.size() > kMaxDecimalLength) return kConversionError;
    QStringView digits(text);
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) digits = digits.mid(1);
    if (!AllDigits(digits)) return kConversionError;
    int n = digits.toInt();
    if (negative) n = -n;
    if (n == 0 && text != QLatin1String("0")) return kConversionError;
    const int low = valType == IntKind::Signed ? -128 : 0;
    const int high = valType == IntKind::Signed ? 127 : 255;
    if (n < low || n > high) return kConversionError;
    if (n < 0) n += 256;
    return BinaryText(static_cast<uint8_t>(n));
}

QString fromHex(const QString& Value) {
    QString text = Value.toUpper().trimmed();
    if (text.isEmpty()) return kConversionError;
    text = removeLeadingZeroes(text);
    if (text.size() > kMaxHexDigits) return kConversionError;
    if (text.size() == 1) text.prepend(QLatin1Char('0'));
    const int high = HexDigitValue(text[0]);
    const int low = HexDigitValue(text[1]);
    if (high < 0 || low < 0) return kConversionError;
    return BinaryText(static_cast<uint8_t>(high * 16 + low));
}

QString fromBinary(const QString& Value) {
    QString text = Value.trimmed();
    if (text.isEmpty()) return kConversionError;
    text = removeLeadingZeroes(text);
    if (text.size() > kBits) return kConversionError;
    for (const QChar c : text)
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) return kConversionError;
    return text.rightJustified(kBits, QLatin1Char('0'));
}

QString toInt(const QString& Value, IntKind valType) {
    const std::optional<uint8_t> byte = BinaryValue(Value);
    if (!byte) return kConversionError;
    int v = *byte;
    if (valType == IntKind::Signed && v > 127) v -= 256;
    return QString::number(v);
}

QString toHex(const QString& Value) {
    const std::optional<uint8_t> byte = BinaryValue(Value);
    if (!byte) return kConversionError;
    return QString(HexDigit(*byte >> 4)) + HexDigit(*byte);
}

QString toBCD(const QString& Value) {
    const std::optional<uint8_t> byte = BinaryValue(Value);
    if (!byte) return kConversionError;
    const int high = *byte >> 4;
    const int low = *byte & 0xF;
    if (high > 9 || low > 9) return kConversionError;
    return QString::number(high) + QString::number(low);
}

QString InputToBinary(const QString& format, const QString& entry) {
    if (format == kFormatSigned) return fromInt(entry, IntKind::Signed);
    if (format == kFormatUnsigned) return fromInt(entry, IntKind::Unsigned);
    if (format == kFormatHex) return fromHex(entry);
    if (format == kFormatBinary) return fromBinary(entry);
    return kConversionError;
}

QString BinaryToInput(const QString& format, const QString& binary) {
    if (format == kFormatSigned) return toInt(binary, IntKind::Signed);
    if (format == kFormatUnsigned) return toInt(binary, IntKind::Unsigned);
    if (format == kFormatHex) return toHex(binary);
    if (format == kFormatBinary) return fromBinary(binary);
    return kConversionError;
}

QString BinaryToOutput(const QString& format, const QString& binary) {
    if (format == kFormatSigned) return toInt(binary, IntKind::Signed);
    if (format == kFormatUnsigned) return toInt(binary, IntKind::Unsigned);
    if (format == kFormatHex) return toHex(binary);
    if (format == kFormatBCD) return toBCD(binary);
    return kConversionError;
}

} // namespace quorvel
