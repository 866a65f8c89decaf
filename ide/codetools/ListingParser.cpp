#include "codetools/ListingParser.h"

#include <chrono>

namespace quorvel {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kEventInterval = std::chrono::milliseconds(10);
// Lines between two looks at the clock.
constexpr int kClockStride = 64;

constexpr qsizetype kSourceIndex = kListingSourceColumn - 1;
constexpr int kTabStop = 9;
// Columns (counted from 1) that hold a blank in every listing line.
constexpr int kBlankColumns[] = {5, 10, 13, 16, 19, 22, 25, 26, 27};
constexpr int kFirstByteColumn = 11;
constexpr int kByteColumnStep = 3;

QChar At(QStringView line, int column) {
    return line[column - 1];
}

bool IsDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A hexadecimal digit's value (either case), or -1.
int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

// The value of the hexadecimal digits among two characters, upper-cased
// first; other characters are skipped.
uint8_t ListedByte(QChar high, QChar low) {
    int value = 0;
    for (const QChar c : {high, low}) {
        const int digit = HexDigit(c);
        if (digit >= 0) value = value * 16 + digit;
    }
    return static_cast<uint8_t>(value);
}

// Line number, address and the blanks between the fields; no tab before the source.
bool HasListingLayout(QStringView line) {
    if (line.size() < kListingSourceColumn) return false;
    for (int column = 1; column <= 4; ++column)
        if (!IsDecimalDigit(At(line, column))) return false;
    for (int column = 6; column <= 9; ++column)
        if (HexDigit(At(line, column)) < 0) return false;
    for (const int column : kBlankColumns)
        if (At(line, column) != u' ') return false;
    for (qsizetype i = 0; i < kSourceIndex; ++i)
        if (line[i] == u'\t') return false;
    return true;
}

// Appends text that starts in column `column` (counted from 0) of its line,
// with every tab replaced by blanks up to the next stop.
void AppendExpanded(QString& out, QStringView text, qsizetype column) {
    qsizetype plain = 0;
    while (plain < text.size()) {
        const qsizetype tab = text.indexOf(u'\t', plain);
        const qsizetype end = tab < 0 ? text.size() : tab;
        out.append(text.sliced(plain, end - plain));
        column += end - plain;
        if (tab < 0) break;
        const qsizetype blanks = kTabStop - column % kTabStop;
        out.resize(out.size() + blanks, u' ');
        column += blanks;
        plain = tab + 1;
    }
}

QStringView SkipBlanks(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.sliced(i);
}

bool IsDataDirective(QStringView operation) {
    return operation.startsWith(u"FCB", Qt::CaseInsensitive) ||
           operation.startsWith(u"FCC", Qt::CaseInsensitive) ||
           operation.startsWith(u"FDB", Qt::CaseInsensitive) ||
           operation.startsWith(u"FILL", Qt::CaseInsensitive);
}

} // namespace

bool AddListingLine(QStringView line, SymbolTableBuilder& builder) {
    if (!HasListingLayout(line)) return false;

    ListingLine fields;
    for (int column = 6; column <= 9; ++column)
        fields.Address = fields.Address * 16 + HexDigit(At(line, column));
    for (int k = 0; k < kListedBytesMax; ++k) {
        const int column = kFirstByteColumn + kByteColumnStep * k;
        if (At(line, column) == u' ') continue;
        fields.Bytes[static_cast<size_t>(fields.ByteCount++)] =
            ListedByte(At(line, column), At(line, column + 1));
    }

    QString& text = builder.Text();
    const qsizetype at = text.size();
    AppendExpanded(text, line.sliced(kSourceIndex), kSourceIndex);
    const QStringView source = QStringView(text).sliced(at);

    // The label runs up to the first blank; without a blank after it there is none.
    qsizetype labelLength = 0;
    QStringView operation = SkipBlanks(source);
    if (source.front() != u' ') {
        const qsizetype blank = source.indexOf(u' ');
        if (blank > 0) {
            labelLength = blank;
            if (source[labelLength - 1] == u':') --labelLength;
            operation = SkipBlanks(source.sliced(blank));
        }
    }

    qsizetype sourceLength = source.size();
    if (IsDataDirective(operation)) {
        fields.ByteCount = 0;
        sourceLength = 0;
        text.truncate(at + labelLength);
    }
    builder.Append(fields, at, labelLength, sourceLength);
    return true;
}

SymbolTable ParseListing(QStringView text, const std::function<void()>& processEvents) {
    SymbolTableBuilder builder;
    builder.Reserve(text.count(u'\n') + 1, text.size());
    Clock::time_point last = Clock::now();
    int untilClock = kClockStride;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        QStringView line = text.sliced(start, end - start);
        if (line.endsWith(u'\r')) line.chop(1);
        AddListingLine(line, builder);
        start = end + 1;
        if (processEvents && --untilClock == 0) {
            untilClock = kClockStride;
            const Clock::time_point now = Clock::now();
            if (now - last >= kEventInterval) {
                processEvents();
                last = Clock::now();
            }
        }
    }
    return builder.Finish();
}

} // namespace quorvel
