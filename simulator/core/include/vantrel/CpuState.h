// CpuState: the 68HC11 register set and the one-instruction executor.
//
// The core owns no memory. Every data byte an instruction reads or writes is
// handed to the host through two callbacks, one call per byte:
//
//     vantrel::CpuState cpu;
//     cpu.onRead = [](void* user, int32_t address, int16_t* value) {
//         *value = static_cast<Memory*>(user)->bytes[address];
//     };
//     cpu.onWrite = [](void* user, int32_t address, int16_t value) {
//         static_cast<Memory*>(user)->bytes[address] = static_cast<uint8_t>(value);
//     };
//     cpu.user = &memory;
//     cpu.A = 0x12; ...                       // registers in
//     cpu.Instr[0] = 0xB6; cpu.Instr[1] = 0x10; cpu.Instr[2] = 0x00;  // LDAA $1000
//     vantrel::ExecuteInstruction(cpu);       // registers out
//
// The host keeps the authoritative program counter; `PC` here is private and
// only feeds the return addresses that BSR/JSR push and the core's own jumps.
#pragma once

#include <cstdint>

#include "vantrel/Export.h"

namespace vantrel {

// `value` arrives holding the low 16 bits of the computed address; the low
// byte of what the handler leaves there is the byte read.
using ReadMemoryFn = void (*)(void* user, int32_t address, int16_t* value);
using WriteMemoryFn = void (*)(void* user, int32_t address, int16_t value);

// Condition-code bits, bit 7 to bit 0: S X H I N Z V C.
enum CcrBit : uint8_t {
    CcrC = 0x01,
    CcrV = 0x02,
    CcrZ = 0x04,
    CcrN = 0x08,
    CcrI = 0x10,
    CcrH = 0x20,
    CcrX = 0x40,
    CcrS = 0x80,
};

struct CpuState {
    uint8_t A = 0;
    uint8_t B = 0;
    uint8_t CCR = 0;
    uint8_t Instr[5] = {};
    uint16_t X = 0;
    uint16_t Y = 0;
    uint16_t PC = 0;
    uint16_t SP = 0;

    ReadMemoryFn onRead = nullptr;
    WriteMemoryFn onWrite = nullptr;
    void* user = nullptr;

    uint16_t D() const { return static_cast<uint16_t>(A << 8 | B); }
    void setD(uint16_t d) {
        A = static_cast<uint8_t>(d >> 8);
        B = static_cast<uint8_t>(d);
    }
    bool flag(CcrBit bit) const { return (CCR & bit) != 0; }
    void setFlag(CcrBit bit, bool on) { CCR = static_cast<uint8_t>(on ? CCR | bit : CCR & ~bit); }

    // Effective addresses are plain sums and may exceed $FFFF; such an address
    // reaches the host as $0000.
    uint8_t ReadMemoryByte(uint32_t address) {
        int16_t value = static_cast<int16_t>(address & 0xFFFF);
        if (onRead) onRead(user, address > 0xFFFF ? 0 : static_cast<int32_t>(address), &value);
        return static_cast<uint8_t>(value);
    }
    void WriteMemoryByte(uint32_t address, uint8_t value) {
        if (onWrite) onWrite(user, address > 0xFFFF ? 0 : static_cast<int32_t>(address), value);
    }
};

// Executes the one instruction held in `cpu.Instr` on `cpu`.
VANTREL_API void ExecuteInstruction(CpuState& cpu);

} // namespace vantrel
