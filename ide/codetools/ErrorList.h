// The assembler's error file as the error list shows it: every line that
// starts with a source line number and a colon ("12: undefined symbol LOOP2")
// becomes an entry; every other line is left out.
//
//     std::vector<ErrorListEntry> entries;
//     QString why;
//     if (!ReadErrorFile(path, entries, why, [] { QCoreApplication::processEvents(); })) ...
//     entries[0].Line;   // 12, the 1-based source line
//     entries[0].Text;   // the whole line, as listed
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>
#include <QStringView>

namespace quorvel {

struct ErrorListEntry {
    int32_t Line = 0;
    QString Text;
};

// The line number an error-file line starts with: the text before its first
// ":" must be one to five decimal digits and nothing else, with a value of 1
// to 65535. -1 for any other line (no colon, a blank before the number, 0).
int32_t ErrorLineNumber(QStringView line);

// The accepted lines of an error file's text, in order; `eachLine` runs after
// every line, accepted or not.
std::vector<ErrorListEntry> ErrorEntries(const QString& text, const std::function<void()>& eachLine = {});

// Reads and parses the error file; false with the reason when it cannot be read.
bool ReadErrorFile(const QString& path, std::vector<ErrorListEntry>& entries, QString& error,
                   const std::function<void()>& eachLine = {});

} // namespace quorvel
