#include "codetools/WheelRows.h"

#include <algorithm>

namespace quorvel {

int WheelRows::Take(int angleDelta, int rowsPerNotch) {
    if ((angleDelta > 0 && rest_ < 0) || (angleDelta < 0 && rest_ > 0)) rest_ = 0;
    rest_ += int64_t{angleDelta} * std::max(1, rowsPerNotch);
    const int64_t rows = rest_ / kNotch; // whole rows, towards zero
    rest_ -= rows * kNotch;
    return static_cast<int>(-rows);
}

} // namespace quorvel
