// libFuzzer entry point for the instruction analysis: arbitrary code pages at
// arbitrary page addresses, with arbitrary register and flag mirrors, walked
// the way the disassembly window walks them, through Disassemble, NextAddress
// and CycleCount over a memory-image target.
//
// Input layout (missing bytes read as zero):
//   selector byte: bit 0 page address, bit 1 registers, bit 2 start address
//                  (0 = within the address space, 1 = any 32-bit value),
//                  bit 3 followCalls, bit 4 BoardOK before the walk
//   page address, RegIX, RegIY, RegSP, RegPC, start address: 4 bytes each
//   RegA, RegB, RegCCR: 1 byte each
//   StackBytes[1..9], InstrBytes[0..4]
//   ProgramPage: 256 bytes
//   the rest: target memory from address $0000 (read by bit-test branches)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>

#include <QString>

#include "codetools/Disassembler.h"
#include "target/ImageTarget.h"

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    int32_t word32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        return static_cast<int32_t>(value);
    }

    // A 16-bit value, or any 32-bit value when `wide`.
    int32_t address(bool wide) {
        const int32_t value = word32();
        return wide ? value : value & 0xFFFF;
    }

    std::span<const uint8_t> rest() {
        const size_t start = pos_ < size_ ? pos_ : size_;
        pos_ = size_;
        return {data_ + start, size_ - start};
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorvel;
    Input in(data, size);
    const uint8_t selector = in.byte();
    const bool widePage = selector & 0x01;
    const bool wideRegisters = selector & 0x02;
    const bool wideStart = selector & 0x04;
    const bool followCalls = selector & 0x08;

    TargetState state;
    ImageTarget target(state);
    state.ProgramPageAddress = in.address(widePage);
    state.RegIX = in.address(wideRegisters);
    state.RegIY = in.address(wideRegisters);
    state.RegSP = in.address(wideRegisters);
    state.RegPC = in.address(wideRegisters);
    const int32_t start = in.address(wideStart);
    state.RegA = in.byte();
    state.RegB = in.byte();
    state.RegCCR = in.byte();
    state.BoardOK = selector & 0x10;
    for (size_t k = 1; k < state.StackBytes.size(); ++k)
        state.StackBytes[k] = in.byte();
    for (uint8_t& b : state.InstrBytes)
        b = in.byte();
    for (uint8_t& b : state.ProgramPage)
        b = in.byte();
    const std::span<const uint8_t> memory = in.rest();
    target.OutBytes(0, memory.first(std::min<size_t>(memory.size(), ImageTarget::kImageSize)));

    Disassembler dis(state, target);
    dis.UnpackCCR();

    // Fifty rows, as the disassembly window renders them, from the start address.
    int32_t address = start;
    for (int row = 0; row < 50; ++row) {
        int32_t at = address;
        int16_t length = 0;
        QString text;
        dis.Disassemble(at, length, text);
        check(length >= 1 && length <= 5);
        check(!text.isEmpty());
        check(dis.AddrMode >= 0 && dis.AddrMode <= 13);
        check(dis.LastOffset >= -128 && dis.LastOffset <= 127);
        check(dis.CycleCount(address) <= 41);

        int32_t flowAt = address;
        int32_t next = -1;
        bool taken = false, isCall = false, isReturn = false;
        dis.NextAddress(flowAt, followCalls, next, taken, isCall, isReturn);
        check(flowAt == at);
        check(next >= 0 && next <= 0xFFFF);
        check(dis.AddrMode >= 0 && dis.AddrMode <= 13);
        check(!(isCall && isReturn));

        if (at > std::numeric_limits<int32_t>::max() - length) break;
        address = at + length;
    }
    return 0;
}
