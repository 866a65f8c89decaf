// A target for the instruction analysis: single-byte reads from a small
// memory map, recorded, and a switch that makes them fail like a board that
// does not answer.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "target/TargetAccess.h"

namespace quorvel::test {

class FakeTarget : public TargetAccess {
public:
    explicit FakeTarget(TargetState& state) : TargetAccess(state) {}

    std::map<int32_t, uint8_t> memory;
    std::vector<int32_t> reads;
    bool failReads = false;

    void FindBoard() override { state_.BoardOK = true; }
    void BoardStatus() override {}
    void InByte(int32_t address, uint8_t& value) override {
        reads.push_back(address);
        FindBoard();
        if (failReads) {
            state_.BoardOK = false;
            return;
        }
        value = memory.count(address) ? memory.at(address) : 0;
    }
    void InBytes(int32_t, std::vector<uint8_t>&, int) override {}
    void InCPU() override {}
    void InMemory() override {}
    void InProgram() override {}
    void InStack() override {}
    void InResetVector(int32_t&) override {}
    void OutByte(int32_t, uint8_t) override {}
    void OutBytes(int32_t, std::span<const uint8_t>) override {}
    void FlashErase() override {}
    void Programm(int32_t, std::span<const uint8_t>) override {}
    void StepTarget(const std::array<uint8_t, 5>&, StepWait) override {}
};

// Puts bytes into ProgramPage at address (the page starts at ProgramPageAddress).
inline void PutCode(TargetState& state, int32_t address, std::initializer_list<uint8_t> bytes) {
    int32_t index = (address - state.ProgramPageAddress + 65536) % 65536;
    for (const uint8_t byte : bytes)
        state.ProgramPage.at(static_cast<size_t>(index++)) = byte;
}

} // namespace quorvel::test
