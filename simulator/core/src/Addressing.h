// Operand access by addressing mode. `o` is the index in Instr of the first
// operand byte (1, or 2 after a prefix). Memory goes through the host's events,
// one per byte, in the order the instruction accesses it.
#pragma once

#include <cstdint>

#include "vantrel/CpuState.h"
#include "vantrel/OpcodeTable.h"

namespace vantrel {

template <AddrMode M>
inline constexpr bool kDependentFalse = false;

constexpr bool isDirect(AddrMode m) {
    return m == AddrMode::Direct || m == AddrMode::BitDirect || m == AddrMode::BitBranchDirect;
}
constexpr bool isIndexedX(AddrMode m) {
    return m == AddrMode::IndexedX || m == AddrMode::BitIndexedX || m == AddrMode::BitBranchIndexedX;
}
constexpr bool isIndexedY(AddrMode m) {
    return m == AddrMode::IndexedY || m == AddrMode::BitIndexedY || m == AddrMode::BitBranchIndexedY;
}

// Plain sums, not reduced modulo $10000; the event layer maps overflow to $0000.
template <AddrMode M, int o>
inline uint32_t effectiveAddress(const CpuState& s) {
    if constexpr (isDirect(M))
        return s.Instr[o];
    else if constexpr (M == AddrMode::Extended)
        return uint32_t(s.Instr[o]) << 8 | s.Instr[o + 1];
    else if constexpr (isIndexedX(M))
        return uint32_t(s.X) + s.Instr[o];
    else if constexpr (isIndexedY(M))
        return uint32_t(s.Y) + s.Instr[o];
    else
        static_assert(kDependentFalse<M>, "mode has no effective address");
}

template <AddrMode M, int o>
inline uint8_t readByte(CpuState& s) {
    if constexpr (M == AddrMode::Immediate8)
        return s.Instr[o];
    else
        return s.ReadMemoryByte(effectiveAddress<M, o>(s));
}

// Word operands: high byte first, except where the instruction reads the low
// byte first (all direct-mode word reads, and ADDD extended).
template <AddrMode M, int o, bool LowFirst>
inline uint16_t readWord(CpuState& s) {
    if constexpr (M == AddrMode::Immediate16) {
        return static_cast<uint16_t>(s.Instr[o] << 8 | s.Instr[o + 1]);
    } else {
        const uint32_t ea = effectiveAddress<M, o>(s);
        uint8_t high, low;
        if constexpr (LowFirst) {
            low = s.ReadMemoryByte(ea + 1);
            high = s.ReadMemoryByte(ea);
        } else {
            high = s.ReadMemoryByte(ea);
            low = s.ReadMemoryByte(ea + 1);
        }
        return static_cast<uint16_t>(high << 8 | low);
    }
}

template <AddrMode M, int o>
inline void writeByte(CpuState& s, uint8_t value) {
    s.WriteMemoryByte(effectiveAddress<M, o>(s), value);
}

template <AddrMode M, int o>
inline void writeWord(CpuState& s, uint16_t value) {
    const uint32_t ea = effectiveAddress<M, o>(s);
    s.WriteMemoryByte(ea, static_cast<uint8_t>(value >> 8));
    s.WriteMemoryByte(ea + 1, static_cast<uint8_t>(value));
}

// Stack: a push stores at SP and then decrements; a pull increments and then loads.
inline void push(CpuState& s, uint8_t value) {
    s.WriteMemoryByte(s.SP, value);
    --s.SP;
}
inline uint8_t pull(CpuState& s) {
    ++s.SP;
    return s.ReadMemoryByte(s.SP);
}
inline void pushWord(CpuState& s, uint16_t value) {
    push(s, static_cast<uint8_t>(value));
    push(s, static_cast<uint8_t>(value >> 8));
}
inline uint16_t pullWord(CpuState& s) {
    const uint8_t high = pull(s);
    return static_cast<uint16_t>(high << 8 | pull(s));
}

} // namespace vantrel
