#include "ImageLoader.h"

#include <span>

#include "target/SRecordFile.h"

namespace quorvel::hc11dis {

namespace {

std::span<const uint8_t> asBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

bool isTextByte(char c) {
    return (c >= 0x20 && c < 0x7F) || c == '\n' || c == '\r' || c == '\t';
}

} // namespace

bool LooksLikeSRecords(const QByteArray& content) {
    for (const char c : content)
        if (!isTextByte(c)) return false;
    // The first non-empty line decides; the content is scanned, not split.
    bool sRecords = false;
    ForEachLine(content, [&sRecords](QByteArrayView line, qsizetype) {
        const QByteArrayView text = line.trimmed();
        if (text.isEmpty()) return true;
        sRecords = text.startsWith('S');
        return false;
    });
    return sRecords;
}

int LoadSRecords(const QByteArray& content, ImageTarget& target, LoadedMap& loaded, SRecordFlaws& flaws) {
    int records = 0;
    int number = 0;
    ForEachLine(content, [&](QByteArrayView text, qsizetype) {
        ++number;
        const SRecordLine line = CheckSRecordLine(text);
        if (line.Flawed) flaws.Add(number);
        if (const std::optional<SRecord>& record = line.Record) {
            target.Programm(record->address, record->data);
            for (size_t i = 0; i < record->data.size(); ++i)
                loaded.set((record->address + i) & 0xFFFF);
            ++records;
        }
        return true;
    });
    return records;
}

int64_t LoadBinary(const QByteArray& content, int32_t origin, ImageTarget& target, LoadedMap& loaded) {
    const int64_t room = ImageTarget::kImageSize - int64_t{origin};
    const int64_t size = content.size();
    const int64_t kept = size < room ? size : room;
    const auto bytes = asBytes(content).first(static_cast<size_t>(kept));
    target.Programm(origin, bytes);
    for (int64_t i = 0; i < kept; ++i)
        loaded.set(static_cast<size_t>(origin + i));
    return size - kept;
}

} // namespace quorvel::hc11dis
