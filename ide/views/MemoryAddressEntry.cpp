#include "views/MemoryAddressEntry.h"

#include "frame/NumberText.h"

namespace quorvel {

namespace {

QChar UpperHexDigit(QChar c) {
    const char16_t code = c.unicode();
    if (code >= u'a' && code <= u'f') return QChar(char16_t(code - u'a' + u'A'));
    if ((code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'F')) return c;
    return QChar();
}

} // namespace

QChar MemoryAddressKey(QChar typed, int caret, int length, int selected) {
    const QChar digit = UpperHexDigit(typed);
    if (digit.isNull() || caret >= kMemoryAddressDigits) return QChar();
    if (length - selected >= kMemoryAddressDigits) return QChar();
    return digit;
}

int32_t MemoryAddressValue(QStringView text) {
    if (text.isEmpty() || text.size() > kMemoryAddressDigits) return -1;
    QString digits;
    for (QChar c : text) {
        const QChar digit = UpperHexDigit(c);
        if (digit.isNull()) return -1;
        digits += digit;
    }
    return HexToLong(digits);
}

} // namespace quorvel
