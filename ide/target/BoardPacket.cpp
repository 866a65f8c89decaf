#include "target/BoardPacket.h"

#include "frame/NumberText.h"

namespace quorvel {

namespace {

std::span<const uint8_t> Bytes(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

void Put(QByteArray& packet, int value) {
    packet.append(static_cast<char>(value & 0xFF));
}

void PutWord(QByteArray& packet, int32_t value) {
    Put(packet, value >> 8);
    Put(packet, value);
}

void PutRegisters(QByteArray& packet, const TargetState& r) {
    Put(packet, r.RegA);
    Put(packet, r.RegB);
    PutWord(packet, r.RegIX);
    PutWord(packet, r.RegIY);
    PutWord(packet, r.RegSP);
    Put(packet, r.RegCCR);
}

// Appends the byte that makes bytes 1..n add up to 0.
QByteArray& Seal(QByteArray& packet) {
    const uint8_t sum = CheckSum(Bytes(packet), static_cast<int16_t>(packet.size() - 1));
    Put(packet, 256 - sum);
    return packet;
}

} // namespace

QByteArray ReadPacket(int32_t address, int count) {
    QByteArray packet(1, 'R');
    PutWord(packet, address);
    Put(packet, count);
    return Seal(packet);
}

QByteArray WritePacket(char letter, int32_t address, std::span<const uint8_t> bytes) {
    QByteArray packet(1, letter);
    PutWord(packet, address);
    Put(packet, static_cast<int>(bytes.size()));
    for (const uint8_t byte : bytes)
        Put(packet, byte);
    return Seal(packet);
}

QByteArray ErasePacket() {
    QByteArray packet("EEE");
    return Seal(packet);
}

QByteArray ExecutePacket(const TargetState& registers, int32_t startPC) {
    QByteArray packet(1, 'X');
    PutRegisters(packet, registers);
    Put(packet, kJmpExtended);
    PutWord(packet, startPC);
    return Seal(packet);
}

QByteArray StepPacket(const TargetState& registers, const std::array<uint8_t, 4>& code) {
    QByteArray packet(1, 'S');
    PutRegisters(packet, registers);
    for (const uint8_t byte : code)
        Put(packet, byte);
    return Seal(packet);
}

bool ReplyChecksumOK(const QByteArray& reply) {
    if (reply.size() < 2) return false;
    return CheckSum(Bytes(reply), static_cast<int16_t>(reply.size() - 1)) == 0;
}

} // namespace quorvel
