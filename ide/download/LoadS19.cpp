#include "download/LoadS19.h"

#include "target/SRecordFile.h"

namespace quorvel {

namespace {

bool HoldsS1Record(const QByteArray& content) {
    bool found = false;
    ForEachLine(content, [&found](QByteArrayView line, qsizetype) {
        found = CheckSRecordLine(line).Record.has_value();
        return !found;
    });
    return found;
}

} // namespace

DownloadOutcome LoadS19(const QString& path, TargetAccess& target, DownloadObserver* observer) {
    DownloadOutcome outcome;
    // The whole file is read first: a file that cannot be read changes nothing on the target.
    // Only a regular file of a bounded size is read: never a device or a pipe.
    QByteArray content;
    switch (ReadLoadFile(path, content, outcome.Reason)) {
    case LoadFileStatus::Ok: break;
    case LoadFileStatus::Unreadable: outcome.Result = DownloadResult::FileError; return outcome;
    case LoadFileStatus::TooLarge: outcome.Result = DownloadResult::TooLarge; return outcome;
    }

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
    int number = 0;
    ForEachLine(content, [&](QByteArrayView text, qsizetype end) {
        ++number;
        if (observer) observer->Progress(static_cast<int>(static_cast<int64_t>(end) * 100 / size));
        const SRecordLine line = CheckSRecordLine(text);
        if (line.Flawed) outcome.Flaws.Add(number);
        if (const std::optional<SRecord>& record = line.Record) {
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
