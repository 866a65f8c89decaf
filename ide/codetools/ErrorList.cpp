#include "codetools/ErrorList.h"

#include <algorithm>

#include <QList>

#include "editor/TextFile.h"
#include "frame/NumberText.h"

namespace quorvel {

namespace {

constexpr qsizetype kMaxLineDigits = 5;

bool IsDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

int32_t ErrorLineNumber(QStringView line) {
    const qsizetype colon = line.indexOf(u':');
    if (colon < 1 || colon > kMaxLineDigits) return -1;
    const QStringView number = line.first(colon);
    // ParseNumber would also take "$C" or "%1100"; the assembler writes decimal numbers only.
    if (!std::all_of(number.begin(), number.end(), IsDecimalDigit)) return -1;
    const int32_t value = ParseNumber(number, true);
    return value > 0 ? value : -1;
}

std::vector<ErrorListEntry> ErrorEntries(const QString& text, const std::function<void()>& eachLine) {
    std::vector<ErrorListEntry> entries;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        const int32_t number = ErrorLineNumber(line);
        if (number > 0) entries.push_back({number, line.toString()});
        if (eachLine) eachLine();
    }
    return entries;
}

bool ReadErrorFile(const QString& path, std::vector<ErrorListEntry>& entries, QString& error,
                   const std::function<void()>& eachLine) {
    TextFileContent content;
    if (!ReadTextFile(path, content, error)) return false;
    entries = ErrorEntries(content.Text, eachLine);
    return true;
}

} // namespace quorvel
