// Loading hc11dis's input into a 64 KiB image: an S-record file (every valid
// S1 record) or a raw binary at a start address. The loaded addresses are
// marked so that only they are disassembled.
#pragma once

#include <bitset>
#include <cstdint>

#include <QByteArray>
#include <QString>

#include "target/ImageTarget.h"
#include "target/SRecordFile.h"

namespace quorvel::hc11dis {

using LoadedMap = std::bitset<ImageTarget::kImageSize>;

// True when the content is text whose first non-empty line starts with "S".
bool LooksLikeSRecords(const QByteArray& content);

// Writes every valid S1 record into the image; returns the number of records
// loaded. Lines skipped or not clean are counted in flaws.
int LoadSRecords(const QByteArray& content, ImageTarget& target, LoadedMap& loaded, SRecordFlaws& flaws);

// Writes the bytes from origin on; bytes that would lie past $FFFF are left out.
// Returns how many were left out.
int64_t LoadBinary(const QByteArray& content, int32_t origin, ImageTarget& target, LoadedMap& loaded);

} // namespace quorvel::hc11dis
