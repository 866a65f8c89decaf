// Upper-case hexadecimal digits written into a character buffer.
#pragma once

#include <cstdint>

namespace as11 {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

inline char* putHex2(char* out, uint32_t value) {
    out[0] = kHexDigits[(value >> 4) & 0xF];
    out[1] = kHexDigits[value & 0xF];
    return out + 2;
}

inline char* putHex4(char* out, uint32_t value) {
    putHex2(out, value >> 8);
    return putHex2(out + 2, value);
}

} // namespace as11
