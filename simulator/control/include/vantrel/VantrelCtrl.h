// CVantrelCtrl: the simulator control as a C++ class.
//
//     vantrel::CVantrelCtrl ctrl;
//     ctrl.setReadMemory([&](int32_t address, int16_t& value) { value = memory[address]; });
//     ctrl.setWriteMemory([&](int32_t address, int16_t value) { memory[address] = uint8_t(value); });
//     int16_t a = 0, b = 0, ccr = 0xD0;
//     int32_t x = 0, y = 0, sp = 0xFF;
//     ctrl.Step(a, b, x, y, sp, ccr, 0x86, 0x41, 0, 0, 0);   // LDAA #$41: a == 0x41
//
// Step executes one instruction. The six register arguments are read (low 8
// or 16 bits) and written back zero-extended; the five instruction bytes are
// the bytes at the host's PC. Inside Step the events are raised synchronously,
// one per data byte; a handler must not call Step again. A host that sets no
// read handler reads the low byte of each address; writes without a handler go
// nowhere. The host owns the program counter.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "vantrel/CpuState.h"

namespace vantrel {

class VANTREL_API CVantrelCtrl {
public:
    using ReadMemoryEvent = std::function<void(int32_t address, int16_t& value)>;
    using WriteMemoryEvent = std::function<void(int32_t address, int16_t value)>;
    using AboutBoxHandler = std::function<void(std::string_view caption, std::string_view text)>;

    static constexpr std::string_view kAboutCaption = "About Vantrel Control";
    static constexpr std::string_view kAboutText = "Vantrel Control, Version 1.0";

    CVantrelCtrl();
    CVantrelCtrl(const CVantrelCtrl&) = delete;
    CVantrelCtrl& operator=(const CVantrelCtrl&) = delete;

    void Step(int16_t& acca, int16_t& accb, int32_t& ix, int32_t& iy, int32_t& sp, int16_t& ccr,
              int16_t instr1, int16_t instr2, int16_t instr3, int16_t instr4, int16_t instr5);

    // An empty handler restores the default behaviour.
    void setReadMemory(ReadMemoryEvent handler);
    void setWriteMemory(WriteMemoryEvent handler);

    // Plain callbacks for hosts that want no std::function on the hot path;
    // they replace any handler set above.
    void setMemoryCallbacks(ReadMemoryFn onRead, WriteMemoryFn onWrite, void* user);

    // Shows the about text through the host's handler (a GUI host opens a
    // dialog; without a handler nothing is shown).
    void setAboutBox(AboutBoxHandler handler) { aboutBox_ = std::move(handler); }
    void AboutBox() const;

private:
    static void forwardRead(void* self, int32_t address, int16_t* value);
    static void forwardWrite(void* self, int32_t address, int16_t value);
    void bindHandlers();

    CpuState cpu_;
    ReadMemoryEvent readMemory_;
    WriteMemoryEvent writeMemory_;
    AboutBoxHandler aboutBox_;
};

} // namespace vantrel
