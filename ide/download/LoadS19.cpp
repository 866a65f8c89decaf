#include "download/LoadS19.h"

#include <QFile>

#include "target/SRecord.h"

namespace quorvel {

namespace {

// Calls each(line, end) for every line of the file, with its line break; end
// is the offset just past the line. each returns false to stop.
template <typename EachLine>
void ForEachLine(const QByteArray& content, EachLine each) {
    const qsizetype size = content.size();
    qsizetype position = 0;
    while (position < size) {
        qsizetype end = content.indexOf('\n', position);
        end = end < 0 ? size : end + 1;
        if (!each(content.mid(position, end - position), end)) return;
        position = end;
    }
}

bool HoldsS1Record(const QByteArray& content) {
    bool found = false;
    ForEachLine(content, [&found](const QByteArray& line, qsizetype) {
        found = ParseS1Record(QString::fromLatin1(line)).has_value();
        return !found;
    });
    return found;
}

} // namespace

DownloadOutcome LoadS19(const QString& path, TargetAccess& target, DownloadObserver* observer) {
    DownloadOutcome outcome;
    // The whole file is read first: a file that cannot be read changes nothing on the target.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.Result = DownloadResult::FileError;
        return outcome;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        outcome.Result = DownloadResult::FileError;
        return outcome;
    }
    file.close();

    // A file from another tool (lower-case digits, other record types) must
    // not erase the program in the target and then load nothing.
    if (!HoldsS1Record(content)) {
        outcome.Result = DownloadResult::NoRecords;
        return outcome;
    }

    TargetState& state = target.state();
    target.FlashErase();
    if (!state.BoardOK) {
        outcome.Result = DownloadResult::EraseFailed;
        return outcome;
    }

    const qsizetype size = content.size();
    ForEachLine(content, [&](const QByteArray& line, qsizetype end) {
        if (observer) observer->Progress(static_cast<int>(static_cast<int64_t>(end) * 100 / size));
        if (const std::optional<SRecord> record = ParseS1Record(QString::fromLatin1(line))) {
            if (observer) observer->Record(record->address, static_cast<int>(record->data.size()));
            target.Programm(record->address, record->data);
            if (!state.BoardOK) return false;
            ++outcome.Records;
        }
        if (observer && observer->Cancelled()) {
            outcome.Result = DownloadResult::Cancelled;
            return false;
        }
        return true;
    });

    std::vector<uint8_t> vector;
    target.InBytes(0xFFFE, vector, 2);
    if (state.BoardOK && vector.size() == 2) state.RegPC = vector[0] * 256 + vector[1];
    return outcome;
}

} // namespace quorvel
