#include "codetools/Disassembler.h"

#include <array>
#include <limits>

#include "codetools/Mnemonics.h"
#include "frame/NumberText.h"
#include "target/CcrFlags.h"
#include "vantrel/OpcodeTable.h"

namespace quorvel {

namespace {

using vantrel::Op;
using Mode = vantrel::AddrMode;

constexpr int64_t kAddressSpace = 65536;

int64_t wrap16(int64_t value) {
    return ((value % kAddressSpace) + kAddressSpace) % kAddressSpace;
}

int32_t signedByte(uint8_t byte) {
    return byte > 127 ? byte - 256 : byte;
}

// The caller's address variable follows the page-index rule.
void writeBack(int32_t& address, int64_t adjusted) {
    if (adjusted <= std::numeric_limits<int32_t>::max()) address = static_cast<int32_t>(adjusted);
}

bool isBitBranch(Mode mode) {
    return mode == Mode::BitBranchDirect || mode == Mode::BitBranchIndexedX ||
           mode == Mode::BitBranchIndexedY;
}

QString hex2(uint8_t byte) {
    return HexPad(byte, 2);
}

QString operandText(Mode mode, const std::array<uint8_t, 3>& b, int64_t target) {
    const QString word = HexPad(b[0] * 256 + b[1], 4);
    const QString dest = HexPad(static_cast<int32_t>(target), 4);
    switch (mode) {
    case Mode::Inherent: return {};
    case Mode::Immediate8: return "#$" + hex2(b[0]);
    case Mode::Immediate16: return "#$" + word;
    case Mode::Direct: return u'$' + hex2(b[0]);
    case Mode::BitDirect: return u'$' + hex2(b[0]) + " $" + hex2(b[1]);
    case Mode::BitBranchDirect: return u'$' + hex2(b[0]) + " $" + hex2(b[1]) + " $" + dest;
    case Mode::Extended: return u'$' + word;
    case Mode::IndexedX: return u'$' + hex2(b[0]) + ",X";
    case Mode::BitIndexedX: return u'$' + hex2(b[0]) + ",X $" + hex2(b[1]);
    case Mode::BitBranchIndexedX: return u'$' + hex2(b[0]) + ",X $" + hex2(b[1]) + " $" + dest;
    case Mode::IndexedY: return u'$' + hex2(b[0]) + ",Y";
    case Mode::BitIndexedY: return u'$' + hex2(b[0]) + ",Y $" + hex2(b[1]);
    case Mode::BitBranchIndexedY: return u'$' + hex2(b[0]) + ",Y $" + hex2(b[1]) + " $" + dest;
    case Mode::Relative: return u'$' + dest;
    }
    return {};
}

} // namespace

Disassembler::Disassembler(TargetState& state, TargetAccess& target) : state_(state), target_(target) {}

int64_t Disassembler::pageAddress(int32_t address) const {
    int64_t adjusted = address;
    if (adjusted < state_.ProgramPageAddress) adjusted += kAddressSpace;
    return adjusted;
}

bool Disassembler::pageByte(int64_t address, uint8_t& value) const {
    const int64_t index = address - state_.ProgramPageAddress;
    if (index < 0 || index >= static_cast<int64_t>(state_.ProgramPage.size())) return false;
    value = state_.ProgramPage[static_cast<size_t>(index)];
    return true;
}

void Disassembler::Disassemble(int32_t& address, int16_t& length, QString& text) {
    const int64_t at = pageAddress(address);
    writeBack(address, at);

    // What cannot be read from the page, or is no instruction, shows as undefined.
    length = 1;
    text = QString::fromLatin1(kUndefinedText);
    AddrMode = 0;

    uint8_t first = 0;
    if (!pageByte(at, first)) return;
    LastOpcode = first;
    const int page = vantrel::pageOfPrefix(first);
    uint8_t opcode = first;
    if (page != 1) {
        if (!pageByte(at + 1, opcode)) return;
        LastOpcode = opcode;
        length = 2;
    }

    const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, opcode);
    const std::string_view name = DisplayMnemonic(info);
    if (name.empty()) return;

    std::array<uint8_t, 3> operand{};
    const int count = vantrel::operandCount(info.mode);
    for (int i = 0; i < count; ++i) {
        if (!pageByte(at + length + i, operand[static_cast<size_t>(i)])) {
            length = 1;
            return;
        }
    }
    const int16_t fullLength = static_cast<int16_t>(length + count);

    int64_t target = 0;
    if (info.mode == Mode::Relative || isBitBranch(info.mode)) {
        LastOffset = signedByte(operand[static_cast<size_t>(count - 1)]);
        target = wrap16(at + fullLength + LastOffset);
    }

    AddrMode = static_cast<int32_t>(info.mode);
    length = fullLength;
    const QString mnemonic = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    text = info.mode == Mode::Inherent
               ? mnemonic
               : mnemonic.leftJustified(kMnemonicWidth) + operandText(info.mode, operand, target);
}

bool Disassembler::branchCondition(uint8_t opcode) const {
    const TargetState& s = state_;
    const bool nv = s.FlagN != s.FlagV;
    switch (opcode) {
    case 0x20: return true;                  // BRA
    case 0x21: return false;                 // BRN
    case 0x22: return !(s.FlagC || s.FlagZ); // BHI
    case 0x23: return s.FlagC || s.FlagZ;    // BLS
    case 0x24: return !s.FlagC;              // BCC
    case 0x25: return s.FlagC;               // BCS
    case 0x26: return !s.FlagZ;              // BNE
    case 0x27: return s.FlagZ;               // BEQ
    case 0x28: return !s.FlagV;              // BVC
    case 0x29: return s.FlagV;               // BVS
    case 0x2A: return !s.FlagN;              // BPL
    case 0x2B: return s.FlagN;               // BMI
    case 0x2C: return !nv;                   // BGE
    case 0x2D: return nv;                    // BLT
    case 0x2E: return !(nv || s.FlagZ);      // BGT
    case 0x2F: return nv || s.FlagZ;         // BLE
    default: return false;
    }
}

bool Disassembler::NextAddress(int32_t& address, bool followCalls, int32_t& next, bool& taken, bool& isCall,
                               bool& isReturn) {
    taken = false;
    isCall = false;
    isReturn = false;
    const int64_t at = pageAddress(address);
    writeBack(address, at);
    next = static_cast<int32_t>(wrap16(at + 1));
    AddrMode = 0;

    // An instruction outside the page cannot be analysed: the caller reloads the page first.
    uint8_t first = 0;
    if (!pageByte(at, first)) return false;
    LastOpcode = first;
    const int page = vantrel::pageOfPrefix(first);
    uint8_t opcode = first;
    int64_t p = at + 1; // the first operand byte
    if (page != 1) {
        if (!pageByte(at + 1, opcode)) return false;
        LastOpcode = opcode;
        p = at + 2;
    }
    const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, opcode);
    const Mode mode = info.defined() ? info.mode : Mode::Inherent;
    AddrMode = static_cast<int32_t>(mode);

    std::array<uint8_t, 3> operand{};
    const int count = vantrel::operandCount(mode);
    for (int i = 0; i < count; ++i)
        if (!pageByte(p + i, operand[static_cast<size_t>(i)])) return false;

    bool result = true;
    int64_t following = p;
    uint8_t tested = 0; // the byte a bit-test branch examines
    if (page == 1) {
        if (opcode >= 0x20 && opcode <= 0x2F) taken = branchCondition(opcode);
        switch (opcode) {
        case 0x12:
        case 0x13: target_.InByte(operand[0], tested); break;
        case 0x1E:
        case 0x1F:
            target_.InByte(static_cast<int32_t>(wrap16(int64_t{state_.RegIX} + operand[0])), tested);
            break;
        case 0x6E:
        case 0x7E: taken = true; break;
        case 0x8D:
        case 0x9D:
        case 0xAD:
        case 0xBD: isCall = true; break;
        case 0x39:
            isReturn = true;
            following = state_.StackBytes[2] * 256 + state_.StackBytes[3];
            break;
        default: break;
        }
    } else if (page == 2) {
        switch (opcode) {
        case 0x1E:
        case 0x1F:
            target_.InByte(static_cast<int32_t>(wrap16(int64_t{state_.RegIY} + operand[0])), tested);
            break;
        case 0x6E: taken = true; break;
        case 0xAD: isCall = true; break;
        default: break;
        }
    }

    const bool follow = taken || (isCall && followCalls);
    switch (mode) {
    case Mode::Inherent: break;
    case Mode::Immediate8: following = p + 1; break;
    case Mode::Immediate16:
    case Mode::BitDirect:
    case Mode::BitIndexedX:
    case Mode::BitIndexedY: following = p + 2; break;
    case Mode::Direct: following = follow ? operand[0] : p + 1; break;
    case Mode::Extended: following = follow ? operand[0] * 256 + operand[1] : p + 2; break;
    case Mode::IndexedX: following = follow ? operand[0] + int64_t{state_.RegIX} : p + 1; break;
    case Mode::IndexedY: following = follow ? operand[0] + int64_t{state_.RegIY} : p + 1; break;
    case Mode::Relative:
        LastOffset = signedByte(operand[0]);
        following = follow ? p + 1 + LastOffset : p + 1;
        break;
    case Mode::BitBranchDirect:
    case Mode::BitBranchIndexedX:
    case Mode::BitBranchIndexedY: {
        if (!state_.BoardOK) result = false;
        // The mask is read from ProgramPage like every other operand byte. It
        // is the byte InstrBytes holds when address is the PC, and it stays
        // right for an instruction away from the PC or past $FFFF, where an
        // index into InstrBytes would not.
        const uint8_t mask = operand[1];
        LastOffset = signedByte(operand[2]);
        taken = info.op == Op::BRSET ? (tested & mask) == mask : (tested & mask) == 0;
        following = taken ? p + 3 + LastOffset : p + 3;
        break;
    }
    }

    next = static_cast<int32_t>(wrap16(following));
    return result;
}

uint8_t Disassembler::CycleCount(int32_t address) {
    const int64_t at = pageAddress(address);
    uint8_t first = 0;
    if (!pageByte(at, first)) return 0;
    const int page = vantrel::pageOfPrefix(first);
    uint8_t opcode = first;
    if (page != 1 && !pageByte(at + 1, opcode)) return 0;
    return vantrel::opcodeInfo(page, opcode).cycles;
}

void Disassembler::UnpackCCR() {
    quorvel::UnpackCCR(state_);
}

} // namespace quorvel
