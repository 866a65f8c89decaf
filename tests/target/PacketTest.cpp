// The monitor's packets byte by byte, and the reply checksum.
#include <array>
#include <vector>

#include "LinkHarness.h"
#include "target/BoardPacket.h"

namespace quorvel::test {
namespace {

TargetState Registers() {
    TargetState r;
    r.RegA = 0x11;
    r.RegB = 0x22;
    r.RegIX = 0x3344;
    r.RegIY = 0x5566;
    r.RegSP = 0x00FF;
    r.RegCCR = 0xD0;
    return r;
}

TEST(PacketTest, ReadOfOneByteAt1000) {
    EXPECT_EQ(ReadPacket(0x1000, 1), Bytes({'R', 0x10, 0x00, 0x01, 0xEF}));
}

TEST(PacketTest, ReadOf256BytesSendsCountZero) {
    EXPECT_EQ(ReadPacket(0x2000, 256), Bytes({'R', 0x20, 0x00, 0x00, 0xE0}));
    EXPECT_EQ(ReadReplyLength(256), 258);
}

TEST(PacketTest, WriteAndProgramCarryTheirBytes) {
    const std::vector<uint8_t> one{0x5A};
    EXPECT_EQ(WritePacket('W', 0x1234, one), Bytes({'W', 0x12, 0x34, 0x01, 0x5A, 0x5F}));
    const std::vector<uint8_t> code{0x86, 0x41, 0x39};
    EXPECT_EQ(WritePacket('P', 0xE000, code), Bytes({'P', 0xE0, 0x00, 0x03, 0x86, 0x41, 0x39, 0x1D}));
}

TEST(PacketTest, EraseIsThreeLettersAndChecksum76) {
    EXPECT_EQ(ErasePacket(), Bytes({'E', 'E', 'E', 0x76}));
}

TEST(PacketTest, ExecuteCarriesTheRegistersAndAJumpToThePc) {
    const QByteArray packet = ExecutePacket(Registers(), 0xE000);
    EXPECT_EQ(packet,
              Bytes({'X', 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00, 0xFF, 0xD0, 0x7E, 0xE0, 0x00, 0x6E}));
    EXPECT_EQ(packet.size(), 14);
}

TEST(PacketTest, StepCarriesTheRegistersAndFourCodeBytes) {
    const QByteArray packet = StepPacket(Registers(), {0x86, 0x41, 0x01, 0x01});
    EXPECT_EQ(packet, Bytes({'S', 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00, 0xFF, 0xD0, 0x86, 0x41, 0x01,
                             0x01, 0x03}));
    EXPECT_EQ(packet.size(), 15);
}

TEST(PacketTest, EveryPacketAddsUpToZeroAfterItsLetter) {
    const std::vector<uint8_t> data{1, 2, 3, 250, 251};
    for (const QByteArray& packet :
         {ReadPacket(0xABCD, 77), WritePacket('W', 0xFFFF, data), ErasePacket(),
          ExecutePacket(Registers(), 0x1234), StepPacket(Registers(), {1, 2, 3, 4})})
        EXPECT_TRUE(ReplyChecksumOK(packet)) << packet.toHex().toStdString();
}

TEST(PacketTest, AReplyIsCheckedFromItsSecondByte) {
    EXPECT_TRUE(ReplyChecksumOK(Bytes({0x52, 0xA5, 0x5B})));
    // Byte 0 is never examined.
    EXPECT_TRUE(ReplyChecksumOK(Bytes({0x00, 0xA5, 0x5B})));
    EXPECT_FALSE(ReplyChecksumOK(Bytes({0x52, 0xA5, 0x5C})));
    EXPECT_FALSE(ReplyChecksumOK(Bytes({0x52})));
}

} // namespace
} // namespace quorvel::test
