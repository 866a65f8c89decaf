// The target as a 64 KiB memory image: the simulator's side of every
// target-access operation. The image starts all zero; only downloads, flash
// erases and the program's own writes change it.
//
//     TargetState state;
//     ImageTarget target(state);
//     target.Programm(0xE000, bytes);      // load code
//     state.ProgramPageAddress = 0xE000;
//     target.InProgram();                  // ProgramPage := $E000..$E0FF
//
// Every address wraps at $FFFF, so no operation can reach outside the image.
//
// Bound to a simulator control, the target also executes instructions
// (StepTarget): the control's memory events are answered from the image.
//
// The simulated I/O board lives at $6000..$6003. OutByte hands those bytes to
// the I/O unit first; while its panel is shown, a program load from $6001
// clears the input-fresh flag $6000 and a program store to $6003 sets the
// output-fresh flag $6002, telling the panel both times:
//
//     target.SetIoUnit(&panel);
//     target.SetIoUnitShown(true);         // mnuViewIOunit checked
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "target/IoUnit.h"
#include "target/TargetAccess.h"
#include "vantrel/VantrelCtrl.h"

namespace quorvel {

class ImageTarget : public TargetAccess {
public:
    static constexpr int32_t kImageSize = 65536;
    using Image = std::array<uint8_t, kImageSize>;

    explicit ImageTarget(TargetState& state);

    Image& TargetMemory() { return memory_; }
    const Image& TargetMemory() const { return memory_; }

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

    // Answers `simulator`'s memory events from the image from now on.
    void BindSimulator(vantrel::CVantrelCtrl& simulator);

    // Where the notices for $6000..$6003 go (null: nowhere).
    void SetIoUnit(IoUnit* unit) { ioUnit_ = unit; }
    // The I/O board panel is shown: the program's accesses to it have effects.
    void SetIoUnitShown(bool shown) { ioUnitShown_ = shown; }
    bool IoUnitShown() const { return ioUnitShown_; }

protected:
    // The simulator control's events: one call per data byte of an instruction.
    virtual void ReadMemory(int32_t address, int16_t& value);
    virtual void WriteMemory(int32_t address, int16_t value);

private:
    // The image byte at address + offset, wrapped at $FFFF.
    uint8_t& at(int64_t address, int64_t offset = 0);

    Image memory_{};
    vantrel::CVantrelCtrl* simulator_ = nullptr;
    IoUnit* ioUnit_ = nullptr;
    bool ioUnitShown_ = false;
};

} // namespace quorvel
