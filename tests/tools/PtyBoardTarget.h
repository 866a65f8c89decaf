// A bare board target for tests: every TargetAccess operation is one monitor
// command over an hc11board process's line, with the replies checked and no
// messages. It lets run control and download drive the emulated board.
#pragma once

#include "ToolHarness.h"
#include "target/CcrFlags.h"
#include "target/TargetAccess.h"

namespace quorvel::tooltest {

class PtyBoardTarget : public TargetAccess {
public:
    PtyBoardTarget(TargetState& state, BoardProcess& board) : TargetAccess(state), board_(board) {}

    int steps = 0;

    void FindBoard() override { state_.BoardOK = true; }
    void BoardStatus() override {}
    void InByte(int32_t address, uint8_t& value) override {
        std::vector<uint8_t> bytes;
        InBytes(address, bytes, 1);
        if (state_.BoardOK) value = bytes[0];
    }
    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override {
        const Bytes reply =
            board_.Exchange(Packet('R', {uint8_t(address >> 8), uint8_t(address), uint8_t(count)}),
                            size_t(count == 256 ? 258 : count + 2));
        state_.BoardOK = reply.size() == size_t(count + 2) && ChecksumGood(reply);
        if (state_.BoardOK) bytes.assign(reply.begin() + 1, reply.end() - 1);
    }
    void InCPU() override {
        std::vector<uint8_t> r;
        InBytes(0, r, 9);
        if (!state_.BoardOK) return;
        state_.RegA = r[0];
        state_.RegB = r[1];
        state_.RegIX = r[2] * 256 + r[3];
        state_.RegIY = r[4] * 256 + r[5];
        state_.RegSP = r[6] * 256 + r[7];
        state_.RegCCR = r[8];
        UnpackCCR(state_);
    }
    void InMemory() override {}
    void InProgram() override {
        std::vector<uint8_t> page;
        InBytes(state_.ProgramPageAddress & 0xFFFF, page, 256);
        if (state_.BoardOK) std::copy(page.begin(), page.end(), state_.ProgramPage.begin());
    }
    void InStack() override {
        std::vector<uint8_t> stack;
        InBytes(state_.RegSP, stack, 9);
        if (state_.BoardOK) std::copy(stack.begin(), stack.end(), state_.StackBytes.begin() + 1);
    }
    void InResetVector(int32_t& value) override {
        std::vector<uint8_t> v;
        InBytes(0xFFFE, v, 2);
        if (state_.BoardOK) value = v[0] * 256 + v[1];
    }
    void OutByte(int32_t address, uint8_t value) override { OutBytes(address, std::span(&value, 1)); }
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override { data('W', address, bytes); }
    void FlashErase() override {
        state_.BoardOK =
            board_.Exchange({'E', 'E', 'E', 0x76}, 1, std::chrono::milliseconds(3000)) == Bytes{0x06};
    }
    void Programm(int32_t address, std::span<const uint8_t> bytes) override { data('P', address, bytes); }
    void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) override {
        ++steps;
        const Bytes packet =
            Packet('S', {state_.RegA, state_.RegB, uint8_t(state_.RegIX >> 8), uint8_t(state_.RegIX),
                         uint8_t(state_.RegIY >> 8), uint8_t(state_.RegIY), uint8_t(state_.RegSP >> 8),
                         uint8_t(state_.RegSP), state_.RegCCR, code[0], code[1], code[2], code[3]});
        const auto limit = std::chrono::milliseconds(wait == StepWait::Instruction ? 1000 : 5000);
        const Bytes r = board_.Exchange(packet, 11, limit);
        state_.BoardOK = r.size() == 11 && ChecksumGood(r);
        if (!state_.BoardOK) return;
        state_.RegA = r[1];
        state_.RegB = r[2];
        state_.RegIX = r[3] * 256 + r[4];
        state_.RegIY = r[5] * 256 + r[6];
        state_.RegSP = r[7] * 256 + r[8];
        state_.RegCCR = r[9];
        UnpackCCR(state_);
    }
    void Execute(int32_t pc) override {
        const Bytes packet =
            Packet('X', {state_.RegA, state_.RegB, uint8_t(state_.RegIX >> 8), uint8_t(state_.RegIX),
                         uint8_t(state_.RegIY >> 8), uint8_t(state_.RegIY), uint8_t(state_.RegSP >> 8),
                         uint8_t(state_.RegSP), state_.RegCCR, 0x7E, uint8_t(pc >> 8), uint8_t(pc)});
        state_.BoardOK = board_.Exchange(packet, 1) == Bytes{0x06};
    }

private:
    void data(char letter, int32_t address, std::span<const uint8_t> bytes) {
        Bytes fields;
        fields.reserve(bytes.size() + 3);
        fields.push_back(uint8_t(address >> 8));
        fields.push_back(uint8_t(address));
        fields.push_back(uint8_t(bytes.size()));
        for (const uint8_t byte : bytes)
            fields.push_back(byte);
        state_.BoardOK = board_.Exchange(Packet(letter, fields), 1) == Bytes{0x06};
    }

    BoardProcess& board_;
};

} // namespace quorvel::tooltest
