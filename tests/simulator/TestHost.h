// A small host for the simulator tests: a 64 KiB memory image that answers
// every read, records every ReadMemory/WriteMemory event in order, and a few
// helpers to run one instruction and compare registers and events.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "vantrel/VantrelCtrl.h"

namespace vantrel::test {

// The six register arguments of Step, in Step's order.
struct Regs {
    int16_t a = 0;
    int16_t b = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t sp = 0;
    int16_t ccr = 0;

    bool operator==(const Regs&) const = default;
    int d() const { return (a & 0xFF) << 8 | (b & 0xFF); }
};

inline std::string hex(long value, int digits) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string s = "$";
    for (int i = digits - 1; i >= 0; --i)
        s += kDigits[(value >> (4 * i)) & 0xF];
    return value < 0 || value >> (4 * digits) ? std::to_string(value) : s;
}

inline std::string ccrText(int ccr) {
    std::string s;
    const char* names = "SXHINZVC";
    for (int bit = 7; bit >= 0; --bit)
        s += (ccr >> bit & 1) ? names[7 - bit] : '-';
    return s;
}

inline std::ostream& operator<<(std::ostream& os, const Regs& r) {
    return os << "{A=" << hex(r.a, 2) << " B=" << hex(r.b, 2) << " X=" << hex(r.x, 4) << " Y=" << hex(r.y, 4)
              << " SP=" << hex(r.sp, 4) << " CCR=" << hex(r.ccr, 2) << " " << ccrText(r.ccr) << "}";
}

// One memory event. Reads are compared by address only (value stays 0).
struct Event {
    char kind = 'R'; // 'R' ReadMemory, 'W' WriteMemory
    int32_t address = 0;
    int value = 0; // the byte written
    bool operator==(const Event&) const = default;
};

inline Event R(int32_t address) {
    return {'R', address, 0};
}
inline Event W(int32_t address, int value) {
    return {'W', address, value};
}

inline std::ostream& operator<<(std::ostream& os, const Event& e) {
    os << e.kind << "(" << hex(e.address, 4);
    if (e.kind == 'W') os << ", " << hex(e.value, 2);
    return os << ")";
}

// Condition-code byte from flag letters, e.g. cc("NZ") == 0x0C.
constexpr int16_t cc(std::string_view letters) {
    int16_t value = 0;
    for (char c : letters) {
        switch (c) {
        case 'S': value |= 0x80; break;
        case 'X': value |= 0x40; break;
        case 'H': value |= 0x20; break;
        case 'I': value |= 0x10; break;
        case 'N': value |= 0x08; break;
        case 'Z': value |= 0x04; break;
        case 'V': value |= 0x02; break;
        case 'C': value |= 0x01; break;
        default: break;
        }
    }
    return value;
}

inline constexpr int kC = 0x01, kV = 0x02, kZ = 0x04, kN = 0x08, kI = 0x10, kH = 0x20, kX = 0x40, kS = 0x80;

// A control wired to a recording memory image.
class Sim {
public:
    Sim() { attach(); }
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;

    // (Re)installs the recording handlers on the control.
    void attach() {
        ctrl.setReadMemory([this](int32_t address, int16_t& value) { onRead(address, value); });
        ctrl.setWriteMemory([this](int32_t address, int16_t value) { onWrite(address, value); });
    }

    // Runs one instruction; `bytes` are instr1.. (missing ones are 0).
    Regs step(Regs in, std::initializer_list<int> bytes) { return step(in, std::vector<int>(bytes)); }
    Regs step(Regs in, const std::vector<int>& bytes) {
        events.clear();
        readPresets.clear();
        int16_t instr[5] = {};
        for (size_t i = 0; i < bytes.size() && i < 5; ++i)
            instr[i] = static_cast<int16_t>(bytes[i]);
        ctrl.Step(in.a, in.b, in.x, in.y, in.sp, in.ccr, instr[0], instr[1], instr[2], instr[3], instr[4]);
        return in;
    }

    // Sets the private program counter with JMP extended.
    void jumpTo(int pc) {
        step(Regs{}, {0x7E, pc >> 8 & 0xFF, pc & 0xFF});
        events.clear();
    }

    // The private program counter, as seen through the return address that a
    // JSR extended pushes (JSR is 3 bytes long). Moves the PC to $1234 and
    // leaves the recorded events of the last step untouched.
    int probePc() {
        std::vector<Event> saved = std::move(events);
        const uint8_t lo = mem[kProbeStack], hi = mem[kProbeStack - 1];
        step(Regs{.sp = kProbeStack}, {0xBD, 0x12, 0x34});
        const int pushed = mem[kProbeStack - 1] << 8 | mem[kProbeStack];
        mem[kProbeStack] = lo;
        mem[kProbeStack - 1] = hi;
        events = std::move(saved);
        return (pushed - 3) & 0xFFFF;
    }

    void poke(int address, int value) {
        mem[static_cast<size_t>(address & 0xFFFF)] = static_cast<uint8_t>(value);
    }
    void pokeWord(int address, int value) {
        poke(address, value >> 8);
        poke(address + 1, value);
    }

    static constexpr int kProbeStack = 0x7F80;

    CVantrelCtrl ctrl;
    std::array<uint8_t, 65536> mem{};
    std::vector<Event> events;
    std::vector<int> readPresets; // Value as the control preset it, one per read
    bool answerReads = true;      // false: leave Value as the control preset it
    // Runs inside each read after the memory answer; may change value or memory.
    std::function<void(int32_t address, int16_t& value)> readHook;

private:
    void onRead(int32_t address, int16_t& value) {
        readPresets.push_back(value);
        events.push_back(R(address));
        if (address < 0 || address > 0xFFFF) {
            ADD_FAILURE() << "ReadMemory address out of range: " << address;
            return;
        }
        if (answerReads) value = mem[static_cast<size_t>(address)];
        if (readHook) readHook(address, value);
    }
    void onWrite(int32_t address, int16_t value) {
        events.push_back(W(address, value));
        if (address < 0 || address > 0xFFFF) {
            ADD_FAILURE() << "WriteMemory address out of range: " << address;
            return;
        }
        if (value < 0 || value > 0xFF) ADD_FAILURE() << "WriteMemory value out of range: " << value;
        mem[static_cast<size_t>(address)] = static_cast<uint8_t>(value);
    }
};

// One table row: memory and registers in, registers and events out.
struct StepCase {
    std::string name;
    std::vector<int> code;
    Regs in;
    Regs out;
    std::vector<Event> events;
    std::vector<std::pair<int, int>> memory = {}; // (address, byte) loaded before the step
};

inline void runCase(const StepCase& c) {
    SCOPED_TRACE(c.name);
    Sim sim;
    for (const auto& [address, byte] : c.memory)
        sim.poke(address, byte);
    const Regs out = sim.step(c.in, c.code);
    EXPECT_EQ(out, c.out) << "in " << c.in;
    EXPECT_EQ(sim.events, c.events);
}

inline void runCases(const std::vector<StepCase>& cases) {
    for (const StepCase& c : cases)
        runCase(c);
}

} // namespace vantrel::test
