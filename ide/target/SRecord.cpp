#include "target/SRecord.h"

#include "frame/NumberText.h"

namespace quorvel {

namespace {

// The value of the field of `digits` characters at `column` (0-based).
uint32_t field(QStringView line, qsizetype column, qsizetype digits) {
    return static_cast<uint32_t>(HexToLong(line.mid(column, digits)));
}

} // namespace

std::optional<SRecord> ParseS1Record(QStringView line) {
    if (!line.startsWith(u"S1") || line.size() < 4) return std::nullopt;
    const uint32_t count = field(line, 2, 2);
    // Address (2 bytes) and checksum (1 byte) are counted too.
    if (count < 3) return std::nullopt;
    if (line.size() < 4 + 2 * static_cast<qsizetype>(count)) return std::nullopt;

    SRecord record;
    const uint32_t address = field(line, 4, 4);
    record.address = static_cast<uint16_t>(address);
    uint32_t sum = count + (address >> 8) + (address & 0xFF);
    record.data.reserve(count - 3);
    for (uint32_t i = 0; i < count - 3; ++i) {
        const uint32_t byte = field(line, 8 + 2 * static_cast<qsizetype>(i), 2);
        record.data.push_back(static_cast<uint8_t>(byte));
        sum += byte;
    }
    sum += field(line, 8 + 2 * static_cast<qsizetype>(count - 3), 2);
    if ((sum & 0xFF) != 0xFF) return std::nullopt;
    return record;
}

} // namespace quorvel
