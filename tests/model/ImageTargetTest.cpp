// The memory-image target: every operation's simulator-side behaviour,
// including the wrap-arounds at $FFFF.
#include <cstdint>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "target/ImageTarget.h"

namespace quorvel {
namespace {

class ImageTargetTest : public ::testing::Test {
protected:
    TargetState state;
    ImageTarget target{state};
    ImageTarget::Image& memory = target.TargetMemory();
};

TEST_F(ImageTargetTest, StartsAllZero) {
    for (const uint8_t byte : memory)
        ASSERT_EQ(byte, 0);
}

TEST_F(ImageTargetTest, FindBoardSetsBoardOK) {
    state.BoardOK = false;
    target.FindBoard();
    EXPECT_TRUE(state.BoardOK);
    state.BoardOK = false;
    uint8_t value = 0;
    target.InByte(0, value);
    EXPECT_TRUE(state.BoardOK);
}

TEST_F(ImageTargetTest, InByteAndOutByteMaskTheAddress) {
    target.OutByte(0x1234, 0x5A);
    uint8_t value = 0;
    target.InByte(0x1234, value);
    EXPECT_EQ(value, 0x5A);
    target.OutByte(0x10005, 0x77);
    EXPECT_EQ(memory[0x0005], 0x77);
    target.InByte(0x10005, value);
    EXPECT_EQ(value, 0x77);
    target.InByte(-1, value);
    EXPECT_EQ(value, memory[0xFFFF]);
}

TEST_F(ImageTargetTest, InBytesWrapsAtFFFF) {
    memory[0xFFFF] = 0x11;
    memory[0x0000] = 0x22;
    std::vector<uint8_t> bytes{9, 9, 9, 9};
    target.InBytes(0xFFFF, bytes, 2);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x11, 0x22}));
    target.InBytes(0x1000, bytes, 0);
    EXPECT_TRUE(bytes.empty());
    target.InBytes(0x1000, bytes, -3);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(ImageTargetTest, OutBytesWrapsAtFFFF) {
    const std::vector<uint8_t> bytes{1, 2, 3};
    target.OutBytes(0xFFFE, bytes);
    EXPECT_EQ(memory[0xFFFE], 1);
    EXPECT_EQ(memory[0xFFFF], 2);
    EXPECT_EQ(memory[0x0000], 3);
}

TEST_F(ImageTargetTest, InCPUReadsTheRegisterSaveArea) {
    const std::vector<uint8_t> block{0xA1, 0xB2, 0x12, 0x34, 0x56, 0x78, 0x00, 0xFF, 0xC5};
    target.OutBytes(0x0000, block);
    state.RegPC = 0xE000;
    target.InCPU();
    EXPECT_EQ(state.RegA, 0xA1);
    EXPECT_EQ(state.RegB, 0xB2);
    EXPECT_EQ(state.RegIX, 0x1234);
    EXPECT_EQ(state.RegIY, 0x5678);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(state.RegCCR, 0xC5);
    EXPECT_EQ(state.RegPC, 0xE000);
    EXPECT_TRUE(state.FlagC);
    EXPECT_FALSE(state.FlagV);
    EXPECT_TRUE(state.FlagZ);
    EXPECT_FALSE(state.FlagN);
    EXPECT_FALSE(state.FlagI);
    EXPECT_FALSE(state.FlagH);
    EXPECT_TRUE(state.FlagX);
    EXPECT_TRUE(state.FlagS);
}

TEST_F(ImageTargetTest, InMemoryWrapsAtFFFF) {
    for (int i = 0; i < 0x400; ++i)
        memory[static_cast<size_t>((0xFE00 + i) & 0xFFFF)] = static_cast<uint8_t>(i);
    state.MemoryBlockAddress = 0xFE00;
    target.InMemory();
    for (int i = 0; i < 0x400; ++i)
        ASSERT_EQ(state.MemoryBlock[static_cast<size_t>(i)], static_cast<uint8_t>(i));
}

TEST_F(ImageTargetTest, InProgramWrapsAtFFFF) {
    memory[0xFFFF] = 0x39;
    memory[0x0000] = 0x01;
    memory[0x007E] = 0x7E;
    state.ProgramPageAddress = 0xFF80;
    target.InProgram();
    EXPECT_EQ(state.ProgramPage[0x7F], 0x39);
    EXPECT_EQ(state.ProgramPage[0x80], 0x01);
    EXPECT_EQ(state.ProgramPage[0xFE], 0x7E);
}

TEST_F(ImageTargetTest, InStackReadsNineBytesFromSp) {
    for (int i = 0; i < 9; ++i)
        memory[static_cast<size_t>(0x00F0 + i)] = static_cast<uint8_t>(0x10 + i);
    state.RegSP = 0x00F0;
    target.InStack();
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(state.StackBytes[static_cast<size_t>(k)], 0x10 + k - 1);
}

TEST_F(ImageTargetTest, InStackAboveFFF7Wraps) {
    memory[0xFFFA] = 0xAA;
    memory[0x0000] = 0xBB;
    memory[0x0002] = 0xCC;
    state.RegSP = 0xFFFA;
    target.InStack();
    EXPECT_EQ(state.StackBytes[1], 0xAA);
    EXPECT_EQ(state.StackBytes[7], 0xBB);
    EXPECT_EQ(state.StackBytes[9], 0xCC);
}

TEST_F(ImageTargetTest, InResetVectorLeavesBoardOKAlone) {
    memory[0xFFFE] = 0xE0;
    memory[0xFFFF] = 0x10;
    state.BoardOK = false;
    int32_t vector = 0;
    target.InResetVector(vector);
    EXPECT_EQ(vector, 0xE010);
    EXPECT_FALSE(state.BoardOK);
}

TEST_F(ImageTargetTest, FlashEraseFillsE000ToFFFF) {
    memory[0xDFFF] = 0x12;
    target.FlashErase();
    EXPECT_EQ(memory[0xDFFF], 0x12);
    for (size_t a = 0xE000; a <= 0xFFFF; ++a)
        ASSERT_EQ(memory[a], 0xFF);
}

TEST_F(ImageTargetTest, ProgrammWritesAndWrapsPastFFFF) {
    const std::vector<uint8_t> bytes{0x86, 0x41, 0x39};
    target.Programm(0xE000, bytes);
    EXPECT_EQ(memory[0xE000], 0x86);
    EXPECT_EQ(memory[0xE002], 0x39);
    target.Programm(0xFFFF, bytes);
    EXPECT_EQ(memory[0xFFFF], 0x86);
    EXPECT_EQ(memory[0x0000], 0x41);
    EXPECT_EQ(memory[0x0001], 0x39);
}

TEST_F(ImageTargetTest, WholeImageRoundTrip) {
    std::vector<uint8_t> all(ImageTarget::kImageSize);
    std::iota(all.begin(), all.end(), uint8_t{0});
    target.OutBytes(0x8000, all);
    std::vector<uint8_t> back;
    target.InBytes(0x8000, back, ImageTarget::kImageSize);
    EXPECT_EQ(back, all);
    EXPECT_EQ(memory[0x8000], 0);
    EXPECT_EQ(memory[0x7FFF], 0xFF);
}

} // namespace
} // namespace quorvel
