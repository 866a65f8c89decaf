// Operations of the 68HC11 ALU: each computes its result and sets its own
// condition codes on the CPU state. Every flag rule is written once, here.
#pragma once

#include <cstdint>

#include "vantrel/CpuState.h"

namespace vantrel::alg {

constexpr bool bit7(unsigned v) {
    return (v & 0x80) != 0;
}
constexpr bool bit15(unsigned v) {
    return (v & 0x8000) != 0;
}

// Replaces the bits in `mask` with those of `values`.
inline void setFlags(CpuState& s, unsigned mask, unsigned values) {
    s.CCR = static_cast<uint8_t>((s.CCR & ~mask) | (values & mask));
}
constexpr unsigned flagIf(bool on, CcrBit bit) {
    return on ? static_cast<unsigned>(bit) : 0u;
}

constexpr unsigned nz8(uint8_t r) {
    return flagIf(bit7(r), CcrN) | flagIf(r == 0, CcrZ);
}
constexpr unsigned nz16(uint16_t r) {
    return flagIf(bit15(r), CcrN) | flagIf(r == 0, CcrZ);
}

// N, Z from r; V cleared; C unchanged (loads, stores, logic, transfers).
inline uint8_t logic8(CpuState& s, uint8_t r) {
    setFlags(s, CcrN | CcrZ | CcrV, nz8(r));
    return r;
}
inline uint16_t logic16(CpuState& s, uint16_t r) {
    setFlags(s, CcrN | CcrZ | CcrV, nz16(r));
    return r;
}

inline uint8_t add8(CpuState& s, uint8_t a, uint8_t m, bool carryIn) {
    const uint8_t r = static_cast<uint8_t>(a + m + carryIn);
    const unsigned carries = (a & m) | (m & ~r) | (~r & a);
    const unsigned overflow = (a & m & ~r) | (~a & ~m & r);
    setFlags(s, CcrH | CcrN | CcrZ | CcrV | CcrC,
             flagIf(carries & 0x08, CcrH) | nz8(r) | flagIf(bit7(overflow), CcrV) |
                 flagIf(bit7(carries), CcrC));
    return r;
}

// Subtraction and compare; H is left alone.
inline uint8_t sub8(CpuState& s, uint8_t a, uint8_t m, bool borrowIn) {
    const uint8_t r = static_cast<uint8_t>(a - m - borrowIn);
    const unsigned borrows = (~a & m) | (m & r) | (r & ~a);
    const unsigned overflow = (a & ~m & ~r) | (~a & m & r);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC,
             nz8(r) | flagIf(bit7(overflow), CcrV) | flagIf(bit7(borrows), CcrC));
    return r;
}

inline uint16_t add16(CpuState& s, uint16_t d, uint16_t w) {
    const uint16_t r = static_cast<uint16_t>(d + w);
    const unsigned carries = (d & w) | (w & ~r) | (~r & d);
    const unsigned overflow = (d & w & ~r) | (~d & ~w & r);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC,
             nz16(r) | flagIf(bit15(overflow), CcrV) | flagIf(bit15(carries), CcrC));
    return r;
}

inline uint16_t sub16(CpuState& s, uint16_t d, uint16_t w) {
    const uint16_t r = static_cast<uint16_t>(d - w);
    const unsigned borrows = (~d & w) | (w & r) | (r & ~d);
    const unsigned overflow = (d & ~w & ~r) | (~d & w & r);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC,
             nz16(r) | flagIf(bit15(overflow), CcrV) | flagIf(bit15(borrows), CcrC));
    return r;
}

// Single-operand operations on A, B or a memory byte.
inline uint8_t neg(CpuState& s, uint8_t m) {
    const uint8_t r = static_cast<uint8_t>(0 - m);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, nz8(r) | flagIf(r == 0x80, CcrV) | flagIf(r != 0, CcrC));
    return r;
}
inline uint8_t com(CpuState& s, uint8_t m) {
    const uint8_t r = static_cast<uint8_t>(~m);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, nz8(r) | CcrC);
    return r;
}
// `overflowFrom` is the value V is judged on; INC on memory judges the second read.
inline uint8_t inc(CpuState& s, uint8_t m, uint8_t overflowFrom) {
    const uint8_t r = static_cast<uint8_t>(m + 1);
    setFlags(s, CcrN | CcrZ | CcrV, nz8(r) | flagIf(overflowFrom == 0x7F, CcrV));
    return r;
}
inline uint8_t dec(CpuState& s, uint8_t m) {
    const uint8_t r = static_cast<uint8_t>(m - 1);
    setFlags(s, CcrN | CcrZ | CcrV, nz8(r) | flagIf(m == 0x80, CcrV));
    return r;
}
inline void tst(CpuState& s, uint8_t m) {
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, nz8(m));
}
inline uint8_t clr(CpuState& s) {
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, CcrZ);
    return 0;
}

// Shifts and rotates: N and Z from the result, C the bit shifted out, V = N xor C.
inline uint8_t shiftResult(CpuState& s, uint8_t r, bool carryOut) {
    const bool n = bit7(r);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, nz8(r) | flagIf(n != carryOut, CcrV) | flagIf(carryOut, CcrC));
    return r;
}
inline uint8_t asl(CpuState& s, uint8_t m) {
    return shiftResult(s, static_cast<uint8_t>(m << 1), bit7(m));
}
inline uint8_t rol(CpuState& s, uint8_t m) {
    return shiftResult(s, static_cast<uint8_t>(m << 1 | s.flag(CcrC)), bit7(m));
}
inline uint8_t lsr(CpuState& s, uint8_t m) {
    return shiftResult(s, static_cast<uint8_t>(m >> 1), m & 1);
}
inline uint8_t ror(CpuState& s, uint8_t m) {
    return shiftResult(s, static_cast<uint8_t>(m >> 1 | s.flag(CcrC) << 7), m & 1);
}
inline uint8_t asr(CpuState& s, uint8_t m) {
    return shiftResult(s, static_cast<uint8_t>(m >> 1 | (m & 0x80)), m & 1);
}

inline uint16_t asld(CpuState& s, uint16_t d) {
    const uint16_t r = static_cast<uint16_t>(d << 1);
    const bool c = bit15(d);
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, nz16(r) | flagIf(c != bit15(r), CcrV) | flagIf(c, CcrC));
    return r;
}
inline uint16_t lsrd(CpuState& s, uint16_t d) {
    const uint16_t r = static_cast<uint16_t>(d >> 1);
    const bool c = d & 1;
    setFlags(s, CcrN | CcrZ | CcrV | CcrC, flagIf(r == 0, CcrZ) | flagIf(c, CcrV) | flagIf(c, CcrC));
    return r;
}

inline void mul(CpuState& s) {
    const uint16_t product = static_cast<uint16_t>(s.A * s.B);
    s.setD(product);
    setFlags(s, CcrC, flagIf(bit7(product), CcrC));
}

inline void idiv(CpuState& s) {
    const uint16_t d = s.D();
    if (s.X == 0) {
        s.X = 0xFFFF;
        setFlags(s, CcrZ | CcrV | CcrC, CcrC);
        return;
    }
    const uint16_t quotient = static_cast<uint16_t>(d / s.X);
    s.setD(static_cast<uint16_t>(d % s.X));
    s.X = quotient;
    setFlags(s, CcrZ | CcrV | CcrC, flagIf(quotient == 0, CcrZ));
}

// Fractional divide D / X with D < X: X = floor(65536 * D / X), D = the remainder.
inline void fdiv(CpuState& s) {
    const uint32_t d = s.D();
    const uint32_t x = s.X;
    const unsigned flags = flagIf(x <= d, CcrV) | flagIf(x == 0, CcrC);
    if (x == 0 || d >= x) {
        s.X = 0xFFFF;
        setFlags(s, CcrZ | CcrV | CcrC, flags);
        return;
    }
    const uint32_t quotient = (d << 16) / x;
    s.setD(static_cast<uint16_t>((d << 16) - quotient * x));
    s.X = static_cast<uint16_t>(quotient);
    setFlags(s, CcrZ | CcrV | CcrC, flags | flagIf(quotient == 0, CcrZ));
}

// Decimal adjust after a BCD addition into A.
inline void daa(CpuState& s) {
    const uint8_t a = s.A;
    const unsigned low = a & 0x0F;
    const unsigned high = a >> 4;
    unsigned correction = 0;
    if (s.flag(CcrH) || low > 9) correction |= 0x06;
    const bool carry = s.flag(CcrC) || high > 9 || (high >= 9 && low > 9);
    if (carry) correction |= 0x60;
    s.A = static_cast<uint8_t>(a + correction);
    setFlags(s, CcrN | CcrZ | CcrC, nz8(s.A) | flagIf(carry, CcrC));
}

// TAP can neither set nor clear X.
inline void tap(CpuState& s) {
    s.CCR = static_cast<uint8_t>((s.A & ~CcrX) | (s.CCR & CcrX));
}

inline uint8_t bitSet(CpuState& s, uint8_t m, uint8_t mask) {
    return logic8(s, static_cast<uint8_t>(m | mask));
}
inline uint8_t bitClear(CpuState& s, uint8_t m, uint8_t mask) {
    return logic8(s, static_cast<uint8_t>(m & ~mask));
}

} // namespace vantrel::alg
