// Motorola S-records: S1 data records of at most 16 bytes, each within one
// run of consecutive addresses, then one S9 record with the start address.
// Checksum: one's complement of the low byte of the sum of the count, the
// address bytes and the data bytes.
#pragma once

#include "As11.h"

#include <string>

namespace as11 {

inline constexpr uint32_t kSRecordDataBytes = 16;

std::string formatSRecords(const Program& program);

} // namespace as11
