// One line of a Motorola S-record file, as download and the tools read it.
// Only "S1" data records (16-bit address) are used:
//
//     S1 nn aaaa dd dd ... cc
//
// nn counts the bytes that follow (address, data, checksum); a record is valid
// when nn + both address bytes + the data + cc add up to $FF modulo 256. Only
// "0".."9" and "A".."F" are digits: any other character inside a field is
// skipped, so lower-case records fail their checksum.
//
//     if (auto record = ParseS1Record(line)) target.Programm(record->address, record->data);
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QStringView>

namespace quorvel {

struct SRecord {
    uint16_t address = 0;
    std::vector<uint8_t> data;
};

// The record on line when it is a valid "S1" record; nothing for any other
// line, for a wrong checksum, a count below 3, or a line too short for its
// count. Characters after the checksum (a carriage return) are ignored.
std::optional<SRecord> ParseS1Record(QStringView line);

} // namespace quorvel
