// How the disassembler spells an instruction of the opcode table: the shift-left
// family as LSL, LSLA, LSLB, LSLD, and TEST ($00) shown like a byte that is no
// instruction.
#pragma once

#include <string_view>

#include "vantrel/OpcodeTable.h"

namespace quorvel {

// The mnemonic shown for the entry; empty when the disassembler does not
// decode it (TEST, prefixes, bytes that are no instruction on their page).
std::string_view DisplayMnemonic(const vantrel::OpcodeInfo& info);

// The text for what is not decoded.
inline constexpr std::string_view kUndefinedText = "???";

// Mnemonics that take operands are padded with blanks to this width.
inline constexpr int kMnemonicWidth = 6;

} // namespace quorvel
