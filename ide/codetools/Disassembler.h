// Instruction analysis for the debugger: turns the code in ProgramPage into
// assembly text and answers how long an instruction is, where execution goes
// next and how many E-clock cycles it takes. Mnemonics, addressing modes,
// lengths and cycles come from the simulator's opcode table.
//
//     state.ProgramPageAddress = 0xE000;
//     target.InProgram();                        // the page must hold the instructions
//     Disassembler dis(state, target);
//     int32_t address = 0xE000;
//     int16_t length = 0;
//     QString text;
//     dis.Disassemble(address, length, text);    // "LDAA  #$41", length 2
//     address += length;
//
// Addresses below ProgramPageAddress are taken as lying past $FFFF (the page
// may run across $FFFF into $0000): 65536 is added, and Disassemble and
// NextAddress hand the adjusted address back. An instruction that does not lie
// wholly inside ProgramPage is a caller error; it never reads outside the page:
// Disassemble shows "???" (length 1), NextAddress returns false and
// CycleCount returns 0.
#pragma once

#include <cstdint>

#include <QString>

#include "target/TargetAccess.h"
#include "target/TargetState.h"

namespace quorvel {

class Disassembler {
public:
    Disassembler(TargetState& state, TargetAccess& target);

    // Decodes the instruction at address: length 1..5, its text, and AddrMode,
    // LastOpcode and (for branches) LastOffset.
    void Disassemble(int32_t& address, int16_t& length, QString& text);

    // The address of the instruction that runs after the one at address, for
    // the current register and flag mirrors. followCalls selects the target of
    // a call instead of its return address. taken: a branch or jump goes to its
    // target; isCall: BSR or JSR; isReturn: RTS (next = the return address on
    // the stack in StackBytes). A bit-test branch reads its byte from the
    // target; false when that read failed (BoardOK false), next is then not to
    // be trusted.
    bool NextAddress(int32_t& address, bool followCalls, int32_t& next, bool& taken, bool& isCall,
                     bool& isReturn);

    // E-clock cycles of the instruction at address; 0 for what is no instruction.
    uint8_t CycleCount(int32_t address);

    // FlagC..FlagS from RegCCR.
    void UnpackCCR();

    // Addressing-mode code (0..13) of the instruction last decoded.
    int32_t AddrMode = 0;
    // The opcode last decoded; after a prefix, the byte that follows it.
    uint8_t LastOpcode = 0;
    // Signed offset of the last decoded branch.
    int32_t LastOffset = 0;

private:
    // The page-index rule; the result may exceed $FFFF.
    int64_t pageAddress(int32_t address) const;
    // The ProgramPage byte for address; false when address lies outside the page.
    bool pageByte(int64_t address, uint8_t& value) const;
    bool branchCondition(uint8_t opcode) const;

    TargetState& state_;
    TargetAccess& target_;
};

} // namespace quorvel
