#include "ListingWriter.h"

#include "HexText.h"

#include <algorithm>

namespace as11 {
namespace {

constexpr int kBytesPerLine = 5;
constexpr std::size_t kPrefix = kListingSourceColumn - 1;

// Control characters other than tab would break the listing's line structure
// for readers (a lone carriage return ends a line for many of them).
bool plainText(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && u != '\t') || u == 0x7F;
    });
}

void appendSource(std::string& out, std::string_view text) {
    if (plainText(text)) {
        out.append(text);
        return;
    }
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 && u != '\t') || u == 0x7F ? '?' : c;
    }
}

// Columns 6-24: address and up to five bytes; returns the end of the written text.
char* putAddressAndBytes(char* prefix, uint32_t address, const uint8_t* bytes, uint32_t count) {
    putHex4(prefix + 5, address & 0xFFFF);
    char* end = prefix + 9;
    for (uint32_t k = 0; k < count; ++k)
        end = putHex2(prefix + 10 + 3 * k, bytes[k]);
    return end;
}

} // namespace

std::string formatListing(const Program& program) {
    std::string out;
    out.reserve(program.source.size() + program.lines.size() * (kPrefix + 2) + program.code.size() * 4);
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const ListedLine& line = program.lines[i];
        const std::string_view text = program.source.substr(line.begin, line.length);
        char prefix[kPrefix];
        std::fill(prefix, prefix + kPrefix, ' ');
        const auto number = static_cast<uint32_t>((i + 1) % 10000);
        prefix[0] = static_cast<char>('0' + number / 1000);
        prefix[1] = static_cast<char>('0' + number / 100 % 10);
        prefix[2] = static_cast<char>('0' + number / 10 % 10);
        prefix[3] = static_cast<char>('0' + number % 10);
        const uint8_t* bytes = program.code.data() + line.codeBegin;
        const uint32_t first = std::min<uint32_t>(line.codeCount, kBytesPerLine);
        if (line.showAddress) putAddressAndBytes(prefix, static_cast<uint32_t>(line.address), bytes, first);
        if (text.empty() && !line.showAddress) {
            out.append(prefix, 4); // nothing but the line number
        } else {
            out.append(prefix, kPrefix);
            appendSource(out, text);
            if (line.padLabel) out += ' '; // lets a reader find the label's end
        }
        out += '\n';
        for (uint32_t k = kBytesPerLine; k < line.codeCount; k += kBytesPerLine) {
            char cont[kPrefix];
            std::fill(cont, cont + kPrefix, ' ');
            const uint32_t count = std::min<uint32_t>(line.codeCount - k, kBytesPerLine);
            const char* end =
                putAddressAndBytes(cont, static_cast<uint32_t>(line.address) + k, bytes + k, count);
            out.append(cont, static_cast<std::size_t>(end - cont));
            out += '\n';
        }
    }
    return out;
}

} // namespace as11
