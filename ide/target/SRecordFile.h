// Reading a file to load (an S-record file or a raw image) and judging its
// lines, shared by File > Download, hc11sim and hc11dis.
//
// Only regular files up to kMaxLoadFileSize are read: a device or a pipe
// (/dev/zero, a FIFO) would never end or block. Every line is classified:
//
//     S1 record, clean          loaded
//     S1 record, other chars    loaded, counted (non-hex characters are skipped)
//     S0, S5, S9, blank line    ignored, not counted (header, count, end)
//     anything else             ignored, counted (bad checksum, other record types, text)
//
//     SRecordFlaws flaws;
//     ForEachLine(content, [&](QByteArrayView text, qsizetype) {
//         const SRecordLine line = CheckSRecordLine(text);
//         if (line.Flawed) flaws.Add(number);
//         ...
#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "target/SRecord.h"

namespace quorvel {

// The same limit as for source files.
inline constexpr qint64 kMaxLoadFileSize = 16 * 1024 * 1024;

enum class LoadFileStatus {
    Ok,
    Unreadable, // missing, not a regular file, or a read error; see the reason
    TooLarge,   // above kMaxLoadFileSize
};

// The whole content of the file at path, or the reason it was not read.
LoadFileStatus ReadLoadFile(const QString& path, QByteArray& content, QString& reason);

// "Larger than 16 MiB": the reason given for LoadFileStatus::TooLarge.
QString TooLargeText();

struct SRecordLine {
    std::optional<SRecord> Record; // a valid S1 record to load
    bool Flawed = false;           // to be reported: ignored, or not clean upper-case hexadecimal
};

// One line, with or without its line break.
SRecordLine CheckSRecordLine(QByteArrayView line);

// The flawed lines of a file: how many, and the first (1-based).
struct SRecordFlaws {
    int Lines = 0;
    int FirstLine = 0;
    void Add(int line) {
        if (Lines++ == 0) FirstLine = line;
    }
};

// "3 lines ignored or malformed, the first is line 7"; "line 7 ignored or malformed" for one.
QString FlawsText(const SRecordFlaws& flaws);

// Calls each(line, end) for every line of content, with its line break; end is
// the offset just past the line. each returns false to stop. Nothing is copied.
template <typename EachLine>
void ForEachLine(QByteArrayView content, EachLine each) {
    const qsizetype size = content.size();
    qsizetype position = 0;
    while (position < size) {
        qsizetype end = content.indexOf('\n', position);
        end = end < 0 ? size : end + 1;
        if (!each(content.sliced(position, end - position), end)) return;
        position = end;
    }
}

} // namespace quorvel
