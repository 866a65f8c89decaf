// The simulator side: instructions executed by Vantrel1 on the memory image,
// the register save area, the wrap-arounds and the I/O board at $6000..$6003.
#include <string>
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

class RecordingIoUnit : public IoUnit {
public:
    std::vector<std::string> calls;
    void setInFresh(uint8_t v) override { calls.push_back("setInFresh(" + std::to_string(v) + ")"); }
    void setInDataRegister(uint8_t v) override {
        calls.push_back("setInDataRegister(" + std::to_string(v) + ")");
    }
    void setOutFresh(uint8_t v) override { calls.push_back("setOutFresh(" + std::to_string(v) + ")"); }
    void setOutDataRegister(uint8_t v) override {
        calls.push_back("setOutDataRegister(" + std::to_string(v) + ")");
    }
};

class SimulatorTargetTest : public LinkTest {
protected:
    SimulatorTargetTest() {
        host.sim = true;
        image.BindSimulator(Vantrel1);
        target.SetIoUnit(&io);
        state.RegSP = 0x00FF;
    }
    void Step(std::initializer_list<uint8_t> bytes) {
        std::array<uint8_t, 5> code{1, 1, 1, 1, 1};
        std::copy(bytes.begin(), bytes.end(), code.begin());
        target.StepTarget(code, TargetAccess::StepWait::Instruction);
    }

    vantrel::CVantrelCtrl Vantrel1;
    RecordingIoUnit io;
    ImageTarget::Image& memory = image.TargetMemory();
};

TEST_F(SimulatorTargetTest, PshaAtSp0100) {
    state.RegA = 0x5A;
    state.RegSP = 0x0100;
    Step({0x36}); // PSHA
    EXPECT_EQ(memory[0x0100], 0x5A);
    EXPECT_EQ(state.RegSP, 0x00FF);
    EXPECT_EQ(memory[0x0006], 0x00);
    EXPECT_EQ(memory[0x0007], 0xFF);
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(SimulatorTargetTest, ANewBIsInTheMirrorAndInTheRegisterBlock) {
    Step({0xC6, 0x42}); // LDAB #$42
    EXPECT_EQ(state.RegB, 0x42);
    EXPECT_EQ(memory[0x0001], 0x42);
    // InCPU reads the registers back from the block.
    state.RegB = 0;
    target.InCPU();
    EXPECT_EQ(state.RegB, 0x42);
    EXPECT_EQ(state.RegSP, 0x00FF);
}

TEST_F(SimulatorTargetTest, InBytesAtFFFFWraps) {
    memory[0xFFFF] = 0x11;
    memory[0x0000] = 0x22;
    std::vector<uint8_t> bytes;
    target.InBytes(0xFFFF, bytes, 2);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x11, 0x22}));
    EXPECT_EQ(host.Status(), kSimulatorMode);
}

TEST_F(SimulatorTargetTest, FlashEraseIsExactlyE000ToFFFF) {
    memory[0xDFFF] = 0x12;
    target.FlashErase();
    EXPECT_EQ(memory[0xDFFF], 0x12);
    for (size_t a = 0xE000; a <= 0xFFFF; ++a)
        ASSERT_EQ(memory[a], 0xFF) << a;
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(SimulatorTargetTest, WithThePanelShownALoadFrom6001ClearsTheInputFlag) {
    image.SetIoUnitShown(true);
    memory[0x6000] = 1;
    memory[0x6001] = 0x99;
    Step({0xB6, 0x60, 0x01}); // LDAA $6001
    EXPECT_EQ(state.RegA, 0x99);
    EXPECT_EQ(memory[0x6000], 0);
    EXPECT_EQ(io.calls, std::vector<std::string>{"setInFresh(0)"});
}

TEST_F(SimulatorTargetTest, WithThePanelShownAStoreTo6003SetsTheOutputFlag) {
    image.SetIoUnitShown(true);
    state.RegA = 0x5A;
    Step({0xB7, 0x60, 0x03}); // STAA $6003
    EXPECT_EQ(memory[0x6003], 0x5A);
    EXPECT_EQ(memory[0x6002], 1);
    EXPECT_EQ(io.calls, (std::vector<std::string>{"setOutDataRegister(90)", "setOutFresh(1)"}));
}

TEST_F(SimulatorTargetTest, WithThePanelHiddenTheyArePlainMemory) {
    memory[0x6000] = 1;
    memory[0x6001] = 0x99;
    state.RegIX = 0x6000;
    Step({0xA6, 0x01}); // LDAA 1,X
    EXPECT_EQ(state.RegA, 0x99);
    EXPECT_EQ(memory[0x6000], 1);
    Step({0xA7, 0x03}); // STAA 3,X
    EXPECT_EQ(memory[0x6003], 0x99);
    EXPECT_EQ(memory[0x6002], 0);
    EXPECT_TRUE(io.calls.empty());
}

TEST_F(SimulatorTargetTest, OtherAddressesNearTheUnitAreNotItsBusiness) {
    image.SetIoUnitShown(true);
    memory[0x6000] = 1;
    state.RegIX = 0x6000;
    Step({0xA6, 0x00}); // LDAA 0,X
    Step({0xA6, 0x02}); // LDAA 2,X
    Step({0xA7, 0x02}); // STAA 2,X
    Step({0xA7, 0x04}); // STAA 4,X
    EXPECT_EQ(memory[0x6000], 1);
    EXPECT_TRUE(io.calls.empty());
}

TEST_F(SimulatorTargetTest, ThePanelFlagsChangeEvenWithoutAPanelToTell) {
    target.SetIoUnit(nullptr);
    image.SetIoUnitShown(true);
    memory[0x6000] = 1;
    Step({0xB6, 0x60, 0x01});
    EXPECT_EQ(memory[0x6000], 0);
}

TEST_F(SimulatorTargetTest, OutByteTellsTheUnitOfEachOfItsRegisters) {
    target.OutByte(0x6000, 1);
    target.OutByte(0x6001, 0x42);
    target.OutByte(0x6002, 0);
    target.OutByte(0x6003, 0x80);
    target.OutByte(0x6004, 0x77);
    EXPECT_EQ(io.calls, (std::vector<std::string>{"setInFresh(1)", "setInDataRegister(66)", "setOutFresh(0)",
                                                  "setOutDataRegister(128)"}));
    EXPECT_EQ(memory[0x6001], 0x42);
    EXPECT_EQ(memory[0x6003], 0x80);
    EXPECT_EQ(memory[0x6004], 0x77);
}

TEST_F(SimulatorTargetTest, BlockWritesGiveNoNotice) {
    const std::vector<uint8_t> bytes{1, 2, 3, 4};
    target.OutBytes(0x6000, bytes);
    target.Programm(0x6000, bytes);
    EXPECT_TRUE(io.calls.empty());
    EXPECT_EQ(memory[0x6003], 4);
}

TEST_F(SimulatorTargetTest, OutByteTo6002TellsTheUnitInBoardModeToo) {
    host.sim = false;
    std::size_t writtenAtNotice = 99;
    struct Probe : RecordingIoUnit {
        std::function<void()> hook;
        void setOutFresh(uint8_t v) override {
            RecordingIoUnit::setOutFresh(v);
            hook();
        }
    } probe;
    probe.hook = [&] { writtenAtNotice = port.Written().size(); };
    target.SetIoUnit(&probe);
    port.ReplyNext(Bytes({0x06}));
    target.OutByte(0x6002, 1);
    EXPECT_EQ(probe.calls, std::vector<std::string>{"setOutFresh(1)"});
    // The notice comes first, then the "W".
    EXPECT_EQ(writtenAtNotice, 0U);
    EXPECT_EQ(TakeWritten(), std::vector<QByteArray>{Bytes({'W', 0x60, 0x02, 0x01, 0x01, 0x9C})});
    EXPECT_TRUE(state.BoardOK);
    // The image is the simulator's: the board's write leaves it alone.
    EXPECT_EQ(memory[0x6002], 0);
}

} // namespace
} // namespace quorvel::test
