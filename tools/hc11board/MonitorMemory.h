// The memory of the emulated board: 64 KiB, of which $E000..$FFFF is flash
// (erased to $FF by "E", programmed by "P", left unchanged by the program's
// stores and by "W") and the rest RAM. The monitor keeps the user registers
// at $0000..$0008 and the code of a step at $0009..$000C: while a step runs,
// instructions fetched from there come from that buffer, data accesses still
// reach the RAM underneath.
//
// The SCI: bytes the program stores to SCDR ($102F) go out on the line;
// bytes received while the program runs are read from SCDR, with RDRF (bit 5)
// set in SCSR ($102E) while one waits. TDRE and TC (bits 7, 6) always read as
// set, so transmit loops never hang.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>

#include "run/CodeImage.h"
#include "target/ImageTarget.h"

namespace quorvel::hc11board {

inline constexpr int32_t kFlashStart = 0xE000;
inline constexpr int32_t kStepBuffer = 0x0009; // four code bytes
inline constexpr int32_t kStepReturn = 0x000D; // a step ends when the PC gets here
inline constexpr int32_t kSciStatus = 0x102E;
inline constexpr int32_t kSciData = 0x102F;
inline constexpr uint8_t kSciTdre = 0x80;
inline constexpr uint8_t kSciTc = 0x40;
inline constexpr uint8_t kSciRdrf = 0x20;

class MonitorMemory : public ImageTarget, public CodeImage {
public:
    using Transmit = std::function<void(uint8_t byte)>;

    explicit MonitorMemory(TargetState& state) : ImageTarget(state) {}

    // Where the program's SCI output goes.
    void SetTransmit(Transmit transmit) { transmit_ = std::move(transmit); }
    // A byte arrived on the line for the program. Beyond kReceiveLimit waiting bytes, new ones are lost.
    void Receive(uint8_t byte);
    size_t ReceiveWaiting() const { return received_.size(); }

    // The step buffer is fetched from $0009..$000C until EndStep.
    void BeginStep(const std::array<uint8_t, 4>& code);
    void EndStep() { stepping_ = false; }

    // The monitor's commands.
    void Write(int32_t address, uint8_t value);   // "W": RAM only
    void Program(int32_t address, uint8_t value); // "P": flash bits can only be cleared
    uint8_t Read(int32_t address) const { return TargetMemory()[static_cast<size_t>(address & 0xFFFF)]; }

    // Run control's stores (pushes, the saved SP) reach RAM only, as the program's do.
    void OutByte(int32_t address, uint8_t value) override;
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override;

    void CodeBytes(int32_t address, uint8_t* bytes, int count) const override;

    static constexpr size_t kReceiveLimit = 4096;

protected:
    void ReadMemory(int32_t address, int16_t& value) override;
    void WriteMemory(int32_t address, int16_t value) override;

private:
    Transmit transmit_;
    std::deque<uint8_t> received_;
    uint8_t lastReceived_ = 0;
    std::array<uint8_t, 4> step_{};
    bool stepping_ = false;
};

} // namespace quorvel::hc11board
