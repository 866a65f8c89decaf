// libFuzzer entry point: assembles the input bytes as a source file and checks
// the outputs' invariants (any violation traps):
//   - one numbered listing line per source line, every listing line in one of
//     the three shapes the listing reader expects;
//   - well-formed S1/S9 records with correct checksums, S9 last;
//   - errors in line order, each naming a line of the source.
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//       -Itools/as11 -Isimulator/core/include fuzz/as11/as11_fuzz.cpp \
//       $(ls tools/as11/*.cpp | grep -v main.cpp) -o as11_fuzz
//   ./as11_fuzz -dict=fuzz/as11/as11.dict fuzz/as11/seeds
#include "As11.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool isDigits(std::string_view s) {
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

bool isHex(std::string_view s) {
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return !s.empty();
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

std::size_t sourceLines(std::string_view source) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);
    std::size_t lines = 0;
    for (const char c : source)
        lines += c == '\n';
    return lines + (!source.empty() && source.back() != '\n');
}

// Returns the number of numbered lines.
std::size_t checkListing(std::string_view listing) {
    std::size_t numbered = 0;
    std::size_t pos = 0;
    while (pos < listing.size()) {
        const std::size_t nl = listing.find('\n', pos);
        check(nl != std::string_view::npos);
        const std::string_view line = listing.substr(pos, nl - pos);
        pos = nl + 1;
        check(line.find('\r') == std::string_view::npos && line.find('\0') == std::string_view::npos);
        if (line.size() >= 4 && isDigits(line.substr(0, 4))) {
            ++numbered;
            if (line.size() == 4) continue;
            check(line.size() >= 28 && line[4] == ' ');
            if (line[5] == ' ') {
                check(isBlank(line.substr(4, 23)));
                continue;
            }
            check(isHex(line.substr(5, 4)) && line[9] == ' ' && isBlank(line.substr(24, 3)));
            for (std::size_t k = 0; k < 5; ++k) {
                const std::string_view slot = line.substr(10 + 3 * k, 2);
                check((isHex(slot) || isBlank(slot)) && line[12 + 3 * k] == ' ');
            }
        } else {
            check(line.size() >= 12 && line.size() <= 24 && (line.size() - 9) % 3 == 0);
            check(isBlank(line.substr(0, 5)) && isHex(line.substr(5, 4)));
            for (std::size_t c = 9; c < line.size(); c += 3)
                check(line[c] == ' ' && isHex(line.substr(c + 1, 2)));
        }
    }
    return numbered;
}

unsigned hexByte(std::string_view s) {
    const auto digit = [](char c) { return static_cast<unsigned>(c <= '9' ? c - '0' : c - 'A' + 10); };
    return digit(s[0]) << 4 | digit(s[1]);
}

void checkSRecords(std::string_view text) {
    std::size_t pos = 0;
    bool sawS9 = false;
    while (pos < text.size()) {
        check(!sawS9);
        const std::size_t nl = text.find('\n', pos);
        check(nl != std::string_view::npos);
        const std::string_view line = text.substr(pos, nl - pos);
        pos = nl + 1;
        check(line.size() >= 10 && line[0] == 'S' && (line[1] == '1' || line[1] == '9') &&
              isHex(line.substr(2)));
        const unsigned count = hexByte(line.substr(2, 2));
        check(line.size() == 4 + 2 * count && count >= 3 && count <= 19);
        unsigned sum = 0;
        for (unsigned i = 0; i <= count; ++i)
            sum += hexByte(line.substr(2 + 2 * i, 2));
        check((sum & 0xFF) == 0xFF); // the checksum completes the sum to $FF
        sawS9 = line[1] == '9';
        if (sawS9) check(count == 3);
    }
    check(sawS9);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    const as11::Output out = as11::assemble(source);
    const std::size_t lines = sourceLines(source);
    check(checkListing(out.listing) == lines);
    checkSRecords(out.srecords);
    uint32_t previous = 0;
    for (const as11::Diagnostic& d : out.errors) {
        check(d.line > previous && d.line <= lines && !d.message.empty());
        previous = d.line;
    }
    return 0;
}
