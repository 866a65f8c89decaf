// The IDE's picture of the target: the register mirror, the buffers the read
// operations fill, and the link flag. One instance lives as long as the main
// window; the target access, the disassembler, run control and the views share it.
#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

struct TargetState {
    // Register mirror: the target CPU as last read. 16-bit registers stay within 0..65535.
    uint8_t RegA = 0;
    uint8_t RegB = 0;
    uint8_t RegCCR = 0; // bit 7..0 = S X H I N Z V C
    int32_t RegIX = 0;
    int32_t RegIY = 0;
    int32_t RegSP = 0;
    int32_t RegPC = 0; // kept by the IDE alone

    // RegCCR unpacked (Disassembler::UnpackCCR); branch evaluation reads these.
    bool FlagC = false;
    bool FlagV = false;
    bool FlagZ = false;
    bool FlagN = false;
    bool FlagI = false;
    bool FlagH = false;
    bool FlagX = false;
    bool FlagS = false;

    // False after a failed exchange with the target.
    bool BoardOK = false;

    // Code bytes from ProgramPageAddress (index i = address ProgramPageAddress + i, modulo 65536).
    std::array<uint8_t, 256> ProgramPage{};
    int32_t ProgramPageAddress = 0;
    // Elements 1..9 hold the bytes at RegSP+0 .. RegSP+8; element 0 is unused.
    std::array<uint8_t, 10> StackBytes{};
    // The bytes at RegPC upward.
    std::array<uint8_t, 5> InstrBytes{};
    // 1 KiB from MemoryBlockAddress, for the memory window.
    std::array<uint8_t, 1024> MemoryBlock{};
    int32_t MemoryBlockAddress = 0;
    // The on-chip register block $1000..$103F.
    std::array<uint8_t, 64> OnChipRegisters{};
};

} // namespace quorvel
