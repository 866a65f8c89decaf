// The listing file: one line per source line in fixed columns (counted from 1):
//
//   1-4    line number, four decimal digits (modulo 10000)
//   6-9    address, four upper-case hex digits (an EQU's value); blank when the
//          line places nothing (comments, blank lines, OPT, END)
//   11-24  up to five code bytes at columns 11, 14, 17, 20, 23
//   28-    the source line as written (tabs kept)
//
// Data lines with more than five bytes continue on lines without a line
// number: columns 1-5 blank, the address of the continuation, its bytes.
#pragma once

#include "As11.h"

#include <string>

namespace as11 {

inline constexpr int kListingSourceColumn = 28;

std::string formatListing(const Program& program);

} // namespace as11
