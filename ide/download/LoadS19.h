// Download of a Motorola S-record file onto the target, as File > Download
// does it: the flash area is erased, every valid "S1" record is programmed
// (Programm), and the PC is set from the reset vector at $FFFE. Lines that are
// not S1 records and records with a wrong checksum are skipped and counted
// (SRecordFile.h); a file without a single valid S1 record changes nothing on
// the target.
//
//     const DownloadOutcome outcome = LoadS19(path, target);
//     if (outcome.Result == DownloadResult::EraseFailed) ...   // "Can't Write to Memory !"
//     if (outcome.Records > 0) ...                              // ProgramLoaded
//
// The progress window follows the download through a DownloadObserver.
#pragma once

#include <cstdint>

#include <QString>

#include "target/SRecordFile.h"
#include "target/TargetAccess.h"

namespace quorvel {

class DownloadObserver {
public:
    virtual ~DownloadObserver() = default;
    // A valid record is about to be programmed.
    virtual void Record(uint16_t /*address*/, int /*count*/) {}
    // Whole percent of the file read so far.
    virtual void Progress(int /*percent*/) {}
    // Asked after every line (events may be processed here): true ends the download.
    virtual bool Cancelled() { return false; }
};

enum class DownloadResult {
    Done,        // the file was read to its end (some records may have been refused, see BoardOK)
    Cancelled,   // the observer ended it
    FileError,   // the file could not be opened or read; nothing on the target changed
    EraseFailed, // FlashErase failed; nothing was programmed
    NoRecords,   // the file holds no valid S1 record; nothing on the target changed
    TooLarge,    // the file is above kMaxLoadFileSize; nothing on the target changed
};

struct DownloadOutcome {
    DownloadResult Result = DownloadResult::Done;
    // Records programmed successfully.
    int Records = 0;
    // Lines skipped or not clean (counted up to where the download ended).
    SRecordFlaws Flaws;
    // Why the file was not read (FileError, TooLarge).
    QString Reason;
};

// After Done or Cancelled the PC has been read from $FFFE (when the target answered).
DownloadOutcome LoadS19(const QString& path, TargetAccess& target, DownloadObserver* observer = nullptr);

} // namespace quorvel
