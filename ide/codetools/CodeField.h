// The code-bytes column of a disassembly row: each byte as two hexadecimal
// digits and a blank, then three blanks for each byte short of five, so the
// field is always 15 characters wide ("86 41          ").
#pragma once

#include <cstdint>
#include <span>

#include <QString>

namespace quorvel {

inline constexpr int kCodeFieldBytes = 5;

// At most five bytes are shown.
QString CodeField(std::span<const uint8_t> bytes);

} // namespace quorvel
