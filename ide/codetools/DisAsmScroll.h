// Moving the disassembly back by rows. Code of variable length can only be
// read forwards, so one row back is found as the Up key finds it
// (DisAsmPageRenderer::UpStart: the instruction that ends exactly at the
// first row); several rows back repeat that step on one page, loaded far
// enough back for all of them (5 bytes a row, as Up loads for one).
//
//     state.ProgramPageAddress = RowsBackPage(first, 3);   // first - 15
//     target.InProgram();
//     pageAddress = RowsBackStart(renderer, first, 3);     // three Up steps from `first`
#pragma once

#include <cstdint>

#include "codetools/DisAsmPage.h"

namespace quorvel {

// More rows back at once than this are taken as this many (a 256-byte page holds them).
inline constexpr int kMaxRowsBack = kDisAsmRows;

// The page to load for going `rows` rows back from the row at `first`.
int32_t RowsBackPage(int32_t first, int rows);
// The first row `rows` rows back from `first`, on the page RowsBackPage loaded.
int32_t RowsBackStart(const DisAsmPageRenderer& page, int32_t first, int rows);

} // namespace quorvel
