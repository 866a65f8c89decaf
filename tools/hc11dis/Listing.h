// hc11dis's listing: one row per instruction, laid out like a disassembly
// window row with the code bytes shown:
//
//      $E000: 86 41           LDAA  #$41
#pragma once

#include <cstdint>

#include <QTextStream>

#include "codetools/Disassembler.h"
#include "target/TargetAccess.h"

namespace quorvel::hc11dis {

// Disassembles from first to last (inclusive, 0..$FFFF). The last instruction
// may run past last; its bytes are then what the image holds.
void ListRange(Disassembler& disassembler, TargetAccess& target, int32_t first, int32_t last,
               QTextStream& out);

} // namespace quorvel::hc11dis
