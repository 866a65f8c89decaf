// The library-internal entry to the instruction dispatch (not exported, so
// the control calls it directly).
#pragma once

#include "vantrel/CpuState.h"

namespace vantrel::detail {

void executeInstruction(CpuState& cpu);

} // namespace vantrel::detail
