// Source files as the editor reads and writes them: whole, as one text.
//
//     TextFileContent file;
//     QString why;
//     if (!ReadTextFile(path, file, why)) ...  // why: "File not found", "Not a text file", ...
//     file.Text = editedText;                   // "\n" between lines
//     if (!WriteTextFile(path, file, why)) ... // the file on disk is as it was
//
// In memory lines end in "\n"; a file whose first line ends in CR LF is
// written back with CR LF. Valid UTF-8 is read as UTF-8 and a byte order mark
// is kept; any other file is read byte for byte as Latin-1 and written back the
// same way, so none of its bytes change. A file holding NUL bytes is not text,
// and files above kMaxTextFileSize are refused.
//
// Writing goes to a temporary file in the same folder that then replaces the
// file, so a failed save (no room, no folder, no permission) leaves it as it was.
#pragma once

#include <QByteArray>
#include <QString>

#include "target/SRecordFile.h"

namespace quorvel {

enum class LineEnding { LF, CRLF };
enum class TextEncoding { Utf8, Latin1 };

struct TextFormat {
    LineEnding Ending = LineEnding::LF;
    TextEncoding Encoding = TextEncoding::Utf8;
    bool ByteOrderMark = false;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct TextFileContent {
    QString Text; // "\n" between lines
    TextFormat Format;
};

// The one limit for every file the IDE and the tools load.
inline constexpr qint64 kMaxTextFileSize = kMaxLoadFileSize;

// False with the reason in `error` when the file is not a regular file
// (editor/FileCheck.h), cannot be read, is not text or is too large.
bool ReadTextFile(const QString& path, TextFileContent& content, QString& error);
// False with the reason in `error`; the file is then untouched. Text that a
// Latin-1 file cannot hold is written as UTF-8, and content.Format says so afterwards.
bool WriteTextFile(const QString& path, TextFileContent& content, QString& error);

// The conversions behind them. DecodeText expects bytes without NULs.
TextFileContent DecodeText(const QByteArray& bytes);
QByteArray EncodeText(TextFileContent& content);

} // namespace quorvel
