#include "frame/NumberText.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c) {
    return isDecimalDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// A binary text may be arbitrarily long; its value is capped here, which is
// far above every accepted range, so that long texts can never overflow.
constexpr uint32_t kBinaryCap = 0x01000000;

} // namespace

uint8_t CheckSum(std::span<const uint8_t> bytes, int16_t count) {
    if (count < 1 || bytes.size() < 2) return 0;
    const size_t last = std::min<size_t>(static_cast<size_t>(count), bytes.size() - 1);
    unsigned sum = 0;
    for (size_t i = 1; i <= last; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

QString HexPad(int32_t value, int16_t width) {
    QString text = QString::number(static_cast<uint32_t>(value), 16).toUpper();
    if (text.size() < width) text.prepend(QString(width - text.size(), u'0'));
    return text;
}

int32_t HexToLong(QStringView text) {
    uint32_t value = 0;
    for (const QChar c : text) {
        uint32_t digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else
            continue;
        value = value * 16 + digit; // unsigned: wraps modulo 2^32
    }
    return static_cast<int32_t>(value);
}

int32_t ParseNumber(QStringView text, bool wide) {
    if (text.isEmpty()) return -1;
    const qsizetype length = text.size();
    const QStringView digits = text.mid(1);
    int64_t value = 0;

    const QChar first = text.front();
    if (isDecimalDigit(first)) {
        if (length > 5) return -1;
        for (const QChar c : text) {
            if (!isDecimalDigit(c)) return -1;
            value = value * 10 + (c.unicode() - u'0');
        }
    } else if (first == u'$') {
        if (length < 2 || length > 5) return -1;
        if (!std::all_of(digits.begin(), digits.end(), isHexDigit)) return -1;
        value = HexToLong(digits.toString().toUpper());
    } else if (first == u'%') {
        if (length < 2) return -1;
        for (const QChar c : digits) {
            if (c != u'0' && c != u'1') return -1;
            value = std::min<int64_t>(value * 2 + (c.unicode() - u'0'), kBinaryCap);
        }
    } else if (first == u'@') {
        if (length < 2 || length > 7) return -1;
        for (const QChar c : digits) {
            if (c < u'0' || c > u'7') return -1;
            value = value * 8 + (c.unicode() - u'0');
        }
    } else {
        return -1;
    }

    const int64_t limit = wide ? 65535 : 255;
    return value > limit ? -1 : static_cast<int32_t>(value);
}

QString FormatNumber(int32_t value, QStringView code, bool wide) {
    if (code == u" ") return QString::number(value);
    if (code == u"$") return u'$' + HexPad(value, wide ? 4 : 2);
    if (code == u"%") {
        // Negative values show their 32-bit two's complement, as HexPad does.
        QString bits = QString::number(static_cast<uint32_t>(value), 2);
        const qsizetype width = wide ? 16 : 8;
        if (bits.size() < width) bits.prepend(QString(width - bits.size(), u'0'));
        return u'%' + bits;
    }
    return {};
}

QString ExpandTabs(QString text) {
    constexpr qsizetype kTabStop = 9;
    for (qsizetype tab = text.indexOf(u'\t'); tab >= 0; tab = text.indexOf(u'\t', tab)) {
        // Column of the tab within its line.
        qsizetype lineStart = 0;
        for (qsizetype i = tab - 1; i >= 0; --i) {
            if (text[i] == u'\n' || text[i] == u'\r') {
                lineStart = i + 1;
                break;
            }
        }
        const qsizetype blanks = kTabStop - (tab - lineStart) % kTabStop;
        text.replace(tab, 1, QString(blanks, u' '));
        tab += blanks;
    }
    return text;
}

void SplitFileName(QStringView path, QString& name, QString& ext) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0) {
        name = path.toString();
        ext.clear();
        return;
    }
    name = path.left(dot).toString();
    ext = path.mid(dot + 1).toString();
}

} // namespace quorvel
