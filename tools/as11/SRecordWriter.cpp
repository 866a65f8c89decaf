#include "SRecordWriter.h"

#include "HexText.h"

#include <algorithm>

namespace as11 {
namespace {

void appendRecord(std::string& out, char type, uint32_t address, const uint8_t* data, uint32_t count) {
    char buf[4 + 2 + 4 + 2 * kSRecordDataBytes + 2 + 1];
    char* p = buf;
    *p++ = 'S';
    *p++ = type;
    const uint32_t length = count + 3; // address, data, checksum
    uint32_t sum = length + (address >> 8 & 0xFF) + (address & 0xFF);
    p = putHex2(p, length);
    p = putHex4(p, address);
    for (uint32_t i = 0; i < count; ++i) {
        sum += data[i];
        p = putHex2(p, data[i]);
    }
    p = putHex2(p, ~sum & 0xFF);
    *p++ = '\n';
    out.append(buf, static_cast<std::size_t>(p - buf));
}

} // namespace

std::string formatSRecords(const Program& program) {
    std::string out;
    out.reserve(program.code.size() * 2 + program.code.size() / 16 * 12 + 64);
    for (const Segment& s : program.segments) {
        for (uint32_t k = 0; k < s.length; k += kSRecordDataBytes) {
            const uint32_t count = std::min(kSRecordDataBytes, s.length - k);
            appendRecord(out, '1', s.address + k, program.code.data() + s.offset + k, count);
        }
    }
    appendRecord(out, '9', program.entry, nullptr, 0);
    return out;
}

} // namespace as11
