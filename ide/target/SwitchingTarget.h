// The target access the IDE uses: every operation asks the board link's host
// whether the simulator is the target (SimEnabled) and goes to the memory
// image or to the board. The link state (FindBoard, BoardStatus) is the
// board link's in both modes, so the status panel reads "Simulator mode"
// after every simulator operation that ends with BoardStatus.
//
//     SwitchingTarget target(state, image, board);
//     target.InCPU();        // the register save area of the image or of the board
//     target.StepTarget(code, TargetAccess::StepWait::Instruction);
#pragma once

#include "target/BoardTarget.h"
#include "target/ImageTarget.h"

namespace quorvel {

class SwitchingTarget : public TargetAccess {
public:
    SwitchingTarget(TargetState& state, ImageTarget& image, BoardTarget& board);

    ImageTarget& Image() { return image_; }
    BoardTarget& Board() { return board_; }
    bool SimEnabled() const { return board_.Link().Host().SimulatorSelected(); }
    // The I/O unit of both sides.
    void SetIoUnit(IoUnit* unit);

    void FindBoard() override;
    void BoardStatus() override;

    void InByte(int32_t address, uint8_t& value) override;
    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override;
    void InCPU() override;
    void InMemory() override;
    void InProgram() override;
    void InStack() override;
    void InResetVector(int32_t& value) override;
    void OutByte(int32_t address, uint8_t value) override;
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override;
    void FlashErase() override;
    void Programm(int32_t address, std::span<const uint8_t> bytes) override;
    void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) override;
    void AbandonWait() override;
    void Execute(int32_t startPC) override;

private:
    // The simulator side of an operation that ends with BoardStatus.
    template <typename Operation>
    void OnImage(Operation operation);

    ImageTarget& image_;
    BoardTarget& board_;
};

} // namespace quorvel
