#include "target/SRecordFile.h"

#include <QFile>
#include <QFileInfo>

#include "editor/FileCheck.h"

namespace quorvel {

namespace {

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView WithoutTrailingSpace(QByteArrayView line) {
    qsizetype size = line.size();
    while (size > 0 && IsSpace(line[size - 1]))
        --size;
    return line.first(size);
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// "S1", then only upper-case hexadecimal, exactly as long as its count says.
bool IsCleanS1(QByteArrayView line) {
    if (line.size() < 4) return false;
    for (qsizetype i = 2; i < line.size(); ++i)
        if (!IsUpperHex(line[i])) return false;
    const int count = HexValue(line[2]) * 16 + HexValue(line[3]);
    return line.size() == 4 + 2 * qsizetype{count};
}

} // namespace

LoadFileStatus ReadLoadFile(const QString& path, QByteArray& content, QString& reason) {
    // A folder, a device or a FIFO: reading would fail, never end or block.
    if (!CheckRegularFile(path, reason)) return LoadFileStatus::Unreadable;
    const QFileInfo info(path);
    if (info.size() > kMaxLoadFileSize) {
        reason = TooLargeText();
        return LoadFileStatus::TooLarge;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return LoadFileStatus::Unreadable;
    }
    // One byte more than allowed tells a file that grew since it was looked at.
    content = file.read(kMaxLoadFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        content.clear();
        return LoadFileStatus::Unreadable;
    }
    if (content.size() > kMaxLoadFileSize) {
        reason = TooLargeText();
        content.clear();
        return LoadFileStatus::TooLarge;
    }
    return LoadFileStatus::Ok;
}

QString TooLargeText() {
    return QStringLiteral("Larger than %1 MiB").arg(kMaxLoadFileSize / (1024 * 1024));
}

SRecordLine CheckSRecordLine(QByteArrayView text) {
    SRecordLine line;
    const QByteArrayView trimmed = WithoutTrailingSpace(text);
    if (trimmed.isEmpty() || trimmed.startsWith("S0") || trimmed.startsWith("S5") || trimmed.startsWith("S9"))
        return line;
    if (trimmed.startsWith("S1")) {
        line.Record = ParseS1Record(QString::fromLatin1(text));
        line.Flawed = !line.Record || !IsCleanS1(trimmed);
        return line;
    }
    line.Flawed = true;
    return line;
}

QString FlawsText(const SRecordFlaws& flaws) {
    if (flaws.Lines == 1) return QStringLiteral("line %1 ignored or malformed").arg(flaws.FirstLine);
    return QStringLiteral("%1 lines ignored or malformed, the first is line %2")
        .arg(flaws.Lines)
        .arg(flaws.FirstLine);
}

} // namespace quorvel
