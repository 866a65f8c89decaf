// The assembler's view of the 68HC11 opcode map: for every operation, the
// opcode of each addressing mode it has, and a name lookup for mnemonics,
// their aliases and the assembler directives.
//
// The index is computed at compile time by walking vantrel::kOpcodeMap, so the
// encodings exist in one place only.
//
//     const Keyword* k = findKeyword("ldaa");        // case-insensitive
//     Encoding e = encodingOf(k->op, AddrMode::Immediate8);
//     if (e.present()) emit(e.prefix(), e.opcode);    // $86
#pragma once

#include <vantrel/OpcodeTable.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace as11 {

using vantrel::AddrMode;
using vantrel::Op;

struct Encoding {
    uint8_t page = 0; // 1..4; 0 when the operation lacks the mode
    uint8_t opcode = 0;

    constexpr bool present() const { return page != 0; }
    constexpr bool prefixed() const { return page > 1; }
    constexpr uint8_t prefix() const { return vantrel::kPagePrefix[page - 1]; }
    // Instruction length in bytes, prefix included, as the opcode map gives it.
    constexpr int length() const { return vantrel::opcodeInfo(page, opcode).length; }
};

inline constexpr int kOpCount = static_cast<int>(Op::Count);
using ModeEncodings = std::array<Encoding, vantrel::kAddrModeCount>;
using OpcodeIndex = std::array<ModeEncodings, kOpCount>;

constexpr OpcodeIndex buildOpcodeIndex() {
    OpcodeIndex index{};
    for (int page = 1; page <= vantrel::kPageCount; ++page)
        for (int opcode = 0; opcode < 256; ++opcode) {
            const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, static_cast<uint8_t>(opcode));
            if (!info.defined()) continue;
            index[static_cast<int>(info.op)][static_cast<int>(info.mode)] =
                Encoding{static_cast<uint8_t>(page), static_cast<uint8_t>(opcode)};
        }
    return index;
}

inline constexpr OpcodeIndex kOpcodeIndex = buildOpcodeIndex();

constexpr Encoding encodingOf(Op op, AddrMode mode) {
    return kOpcodeIndex[static_cast<int>(op)][static_cast<int>(mode)];
}
constexpr bool hasMode(Op op, AddrMode mode) {
    return encodingOf(op, mode).present();
}

enum class Directive : uint8_t {
    None, // the keyword is an instruction
    Org,
    Equ,
    Fcb, // also DB
    Fdb, // also DW
    Fcc,
    Rmb,  // also DS
    Fill, // value, count
    Zmb,  // count zero bytes (also BSZ)
    End,
    Ignored, // OPT, PAGE
};

struct Keyword {
    uint64_t key = 0; // the upper-case name packed into an integer
    Op op = Op::Undefined;
    Directive directive = Directive::None;
};

// The instruction or directive named `name` in any letter case; nullptr when none.
const Keyword* findKeyword(std::string_view name);

} // namespace as11
