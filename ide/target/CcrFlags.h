// The flag mirror: the eight condition-code bits of RegCCR as booleans.
#pragma once

#include "target/TargetState.h"

namespace quorvel {

// FlagC..FlagS from RegCCR bits 0..7. Runs after every register read.
inline void UnpackCCR(TargetState& state) {
    const uint8_t ccr = state.RegCCR;
    state.FlagC = (ccr & 0x01) != 0;
    state.FlagV = (ccr & 0x02) != 0;
    state.FlagZ = (ccr & 0x04) != 0;
    state.FlagN = (ccr & 0x08) != 0;
    state.FlagI = (ccr & 0x10) != 0;
    state.FlagH = (ccr & 0x20) != 0;
    state.FlagX = (ccr & 0x40) != 0;
    state.FlagS = (ccr & 0x80) != 0;
}

} // namespace quorvel
