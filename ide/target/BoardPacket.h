// The monitor's packets: a command letter, its fields (16-bit values high
// byte first) and a checksum byte that makes bytes 1..n add up to 0 modulo
// 256. Replies are checked the same way; their byte 0 is never examined.
//
//     ReadPacket(0x1000, 1)        // "R", $10, $00, $01, $EF
//     ReplyChecksumOK("\x52\xA5\x5B") // true: $A5 + $5B = $100
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <QByteArray>

#include "target/TargetState.h"

namespace quorvel {

inline constexpr uint8_t kAck = 0x06;         // done, erased, started
inline constexpr uint8_t kNak = 0x15;         // erasing failed
inline constexpr uint8_t kJmpExtended = 0x7E; // "X" jumps to the program with it
inline constexpr uint8_t kResetByte = 'B';    // three of them: the board was reset

// The most bytes one "R" brings (count byte 0) and one "W" or "P" carries.
inline constexpr int kMaxReadCount = 256;
inline constexpr int kMaxWriteCount = 255;
inline constexpr int kStepReplyLength = 11;

// Byte 0, count data bytes, checksum.
constexpr int ReadReplyLength(int count) {
    return count + 2;
}

// "R": address, count (1..256, sent as count mod 256).
QByteArray ReadPacket(int32_t address, int count);
// "W" or "P": address, count (1..255), the bytes.
QByteArray WritePacket(char letter, int32_t address, std::span<const uint8_t> bytes);
// "E", "E", "E".
QByteArray ErasePacket();
// "X": A, B, IX, IY, SP, CCR from the mirror, then JMP startPC.
QByteArray ExecutePacket(const TargetState& registers, int32_t startPC);
// "S": A, B, IX, IY, SP, CCR from the mirror, then four code bytes.
QByteArray StepPacket(const TargetState& registers, const std::array<uint8_t, 4>& code);

// Bytes 1 to the last add up to 0 modulo 256.
bool ReplyChecksumOK(const QByteArray& reply);

} // namespace quorvel
