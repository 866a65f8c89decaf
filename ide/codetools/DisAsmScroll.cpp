#include "codetools/DisAsmScroll.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int32_t kAddressMask = 0xFFFF;
// The Up key loads its page this many bytes before the first row: the longest instruction.
constexpr int32_t kBytesPerRowBack = 5;

int RowsBack(int rows) {
    return std::clamp(rows, 1, kMaxRowsBack);
}

} // namespace

int32_t RowsBackPage(int32_t first, int rows) {
    return (first - kBytesPerRowBack * RowsBack(rows)) & kAddressMask;
}

int32_t RowsBackStart(const DisAsmPageRenderer& page, int32_t first, int rows) {
    int32_t start = first & kAddressMask;
    for (int row = 0; row < RowsBack(rows); ++row)
        start = page.UpStart(start);
    return start;
}

} // namespace quorvel
