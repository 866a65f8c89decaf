// A C++ host of the installed simulator: runs a short program with its own
// program counter, taking each instruction's length from the opcode table, and
// checks the registers, the memory image and the memory events.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <vantrel/OpcodeTable.h>
#include <vantrel/VantrelCtrl.h>

// The opcode table is usable at compile time.
static_assert(vantrel::decode(0xCC, 0x00).info->length == 3);
static_assert(vantrel::decode(0x18, 0xCE).info->op == vantrel::Op::LDY);
static_assert(vantrel::decode(0x18, 0xCE).info->length == 4);
static_assert(vantrel::mnemonic(vantrel::decode(0x86, 0x00).info->op) == "LDAA");

namespace {

struct Event {
    char kind;
    int32_t address;
    int value;
    bool operator==(const Event&) const = default;
};

int failures = 0;

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "vantrel_consumer: check failed: %s\n", what);
    ++failures;
}

} // namespace

int main() {
    static std::array<uint8_t, 0x10000> memory{};
    const std::vector<uint8_t> program = {
        0x86, 0x41,             // LDAA #$41
        0xB7, 0x10, 0x00,       // STAA $1000
        0xC6, 0x42,             // LDAB #$42
        0xF7, 0x10, 0x01,       // STAB $1001
        0xFE, 0x10, 0x00,       // LDX  $1000
        0xCC, 0x12, 0x34,       // LDD  #$1234
        0xDD, 0x20,             // STD  $20
        0x18, 0xCE, 0x00, 0x20, // LDY  #$0020
        0x18, 0xA6, 0x01,       // LDAA 1,Y
    };
    constexpr uint16_t origin = 0xE000;
    for (size_t i = 0; i < program.size(); ++i)
        memory[origin + i] = program[i];

    std::vector<Event> events;
    vantrel::CVantrelCtrl ctrl;
    ctrl.setReadMemory([&](int32_t address, int16_t& value) {
        value = memory[static_cast<uint16_t>(address)];
        events.push_back({'R', address, value});
    });
    ctrl.setWriteMemory([&](int32_t address, int16_t value) {
        memory[static_cast<uint16_t>(address)] = static_cast<uint8_t>(value);
        events.push_back({'W', address, value});
    });

    int16_t a = 0, b = 0, ccr = 0xD0;
    int32_t x = 0, y = 0, sp = 0x00FF;
    std::string trace;
    for (uint16_t pc = origin; pc < origin + program.size();) {
        const uint8_t* at = &memory[pc];
        const vantrel::Decoded d = vantrel::decode(at[0], at[1]);
        check(d.info->defined(), "every instruction of the program is defined");
        if (!d.info->defined()) break;
        trace += std::string(vantrel::mnemonic(d.info->op)) + ' ';
        ctrl.Step(a, b, x, y, sp, ccr, at[0], at[1], at[2], at[3], at[4]);
        pc = static_cast<uint16_t>(pc + d.info->length);
    }

    check(trace == "LDAA STAA LDAB STAB LDX LDD STD LDY LDAA ",
          "the opcode table names the program's instructions");
    check(a == 0x34 && b == 0x34, "A and B");
    check(x == 0x4142, "X loaded from $1000");
    check(y == 0x0020, "Y");
    check(sp == 0x00FF, "SP untouched");
    check((ccr & 0x0C) == 0, "N and Z clear after LDAA 1,Y");
    check(memory[0x20] == 0x12 && memory[0x21] == 0x34, "STD $20 stored D high byte first");
    const std::vector<Event> expected = {
        {'W', 0x1000, 0x41}, {'W', 0x1001, 0x42}, {'R', 0x1000, 0x41}, {'R', 0x1001, 0x42},
        {'W', 0x0020, 0x12}, {'W', 0x0021, 0x34}, {'R', 0x0021, 0x34},
    };
    check(events == expected, "the memory events and their order");

    std::string caption;
    ctrl.setAboutBox([&](std::string_view c, std::string_view) { caption = c; });
    ctrl.AboutBox();
    check(caption == vantrel::CVantrelCtrl::kAboutCaption, "AboutBox reaches the host's handler");

    if (failures != 0) return 1;
    std::puts("vantrel_consumer: all checks passed");
    return 0;
}
