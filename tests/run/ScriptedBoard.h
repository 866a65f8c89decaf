// A board as run control sees it through TargetAccess: memory reads and
// writes on a 64 KiB map (each counted as the exchange it would be), and
// the step command recorded with its four code bytes and its wait, answered
// with registers the test sets. Exchanges can be made to fail.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "target/CcrFlags.h"
#include "target/TargetAccess.h"

namespace quorvel::test {

class ScriptedBoard : public TargetAccess {
public:
    explicit ScriptedBoard(TargetState& state) : TargetAccess(state) {}

    std::array<uint8_t, 65536> memory{};
    // One entry per exchange: "R addr count", "W addr count", "S b0 b1 b2 b3", "X pc".
    std::vector<std::string> exchanges;
    std::vector<StepWait> waits;
    bool failReads = false;
    bool failSteps = false;
    int abandoned = 0;
    // The registers the board answers a step with (A, B, IX, IY, SP, CCR); unset: unchanged.
    std::function<void(TargetState&)> stepResult;
    // Called while a Subroutine step waits (the test may Pause here).
    std::function<void()> whileWaiting;

    void FindBoard() override { state_.BoardOK = true; }
    void BoardStatus() override {}
    void InByte(int32_t address, uint8_t& value) override {
        if (!read(address, 1)) return;
        value = memory[static_cast<size_t>(address & 0xFFFF)];
    }
    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override {
        if (!read(address, count)) return;
        bytes.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            bytes[static_cast<size_t>(i)] = memory[static_cast<size_t>((address + i) & 0xFFFF)];
    }
    void InCPU() override {}
    void InMemory() override {}
    void InProgram() override {
        if (!read(state_.ProgramPageAddress, 256)) return;
        for (size_t i = 0; i < 256; ++i)
            state_.ProgramPage[i] = memory[(state_.ProgramPageAddress + i) & 0xFFFF];
    }
    void InStack() override {
        if (!read(state_.RegSP, 9)) return;
        for (int k = 1; k <= 9; ++k)
            state_.StackBytes[static_cast<size_t>(k)] =
                memory[static_cast<size_t>((state_.RegSP + k - 1) & 0xFFFF)];
    }
    void InResetVector(int32_t& value) override { value = memory[0xFFFE] * 256 + memory[0xFFFF]; }
    void OutByte(int32_t address, uint8_t value) override { OutBytes(address, std::span(&value, 1)); }
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override {
        exchanges.push_back("W " + hex(address) + " " + std::to_string(bytes.size()));
        for (size_t i = 0; i < bytes.size(); ++i)
            memory[(address + i) & 0xFFFF] = bytes[i];
        state_.BoardOK = true;
    }
    void FlashErase() override {}
    void Programm(int32_t, std::span<const uint8_t>) override {}
    void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) override {
        exchanges.push_back("S " + hex(code[0], 2) + " " + hex(code[1], 2) + " " + hex(code[2], 2) + " " +
                            hex(code[3], 2));
        waits.push_back(wait);
        if (wait == StepWait::Subroutine && whileWaiting) whileWaiting();
        if (failSteps || abandonedNow_) {
            abandonedNow_ = false;
            state_.BoardOK = false;
            return;
        }
        state_.BoardOK = true;
        if (stepResult) stepResult(state_);
        UnpackCCR(state_);
    }
    void AbandonWait() override {
        ++abandoned;
        abandonedNow_ = true;
    }
    void Execute(int32_t startPC) override {
        exchanges.push_back("X " + hex(startPC));
        state_.BoardOK = !failSteps;
    }

    static std::string hex(int32_t value, int width = 4) {
        static const char digits[] = "0123456789ABCDEF";
        std::string text(static_cast<size_t>(width), '0');
        for (int i = width - 1; i >= 0; --i, value >>= 4)
            text[static_cast<size_t>(i)] = digits[value & 0xF];
        return text;
    }

private:
    bool read(int32_t address, int count) {
        exchanges.push_back("R " + hex(address & 0xFFFF) + " " + std::to_string(count));
        state_.BoardOK = !failReads;
        return state_.BoardOK;
    }
    bool abandonedNow_ = false;
};

} // namespace quorvel::test
