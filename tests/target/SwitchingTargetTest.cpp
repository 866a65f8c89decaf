// The one target access of the IDE: each operation asks SimEnabled and goes
// to the memory image or to the board.
#include <vector>

#include "LinkHarness.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

class SwitchingTargetTest : public LinkTest {
protected:
    SwitchingTargetTest() { image.BindSimulator(Vantrel1); }

    // Every operation once.
    void RunEveryOperation() {
        uint8_t value = 0;
        std::vector<uint8_t> bytes;
        const std::vector<uint8_t> two{1, 2};
        int32_t vector = 0;
        target.InByte(0x1000, value);
        target.InBytes(0x1000, bytes, 2);
        target.InCPU();
        target.InMemory();
        target.InProgram();
        target.InStack();
        target.InResetVector(vector);
        target.OutByte(0x0100, 1);
        target.OutBytes(0x0100, two);
        target.FlashErase();
        target.Programm(0xE000, two);
        target.StepTarget({0x01, 0x01, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Instruction);
    }

    vantrel::CVantrelCtrl Vantrel1;
};

TEST_F(SwitchingTargetTest, TheSimulatorSendsNothing) {
    host.sim = true;
    image.TargetMemory()[0x1000] = 0x5A;
    port.SetCTS(false);
    RunEveryOperation();
    EXPECT_TRUE(port.Written().empty());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(host.Status(), kSimulatorMode);
    EXPECT_EQ(image.TargetMemory()[0xE001], 2);
}

TEST_F(SwitchingTargetTest, TheBoardGetsOneCommandPerOperation) {
    for (int i = 0; i < 100; ++i)
        port.OnNextOutput([](ScriptedCommPort& p, const QByteArray& packet) {
            switch (packet.at(0)) {
            case 'R': {
                const int count = static_cast<uint8_t>(packet.at(3));
                p.Arrive(Reply('R', QByteArray(count ? count : 256, '\0')));
                break;
            }
            case 'S': p.Arrive(Reply('S', QByteArray(9, '\0'))); break;
            default: p.Arrive(Bytes({0x06})); break;
            }
        });
    RunEveryOperation();
    QByteArray letters;
    for (const QByteArray& packet : port.Written())
        letters.append(packet.at(0));
    // InMemory is four reads, InResetVector one.
    EXPECT_EQ(letters, "RRRRRRRRRRWWEPS");
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Texts().join("|").toStdString();
    EXPECT_TRUE(state.BoardOK);
    EXPECT_EQ(image.TargetMemory()[0x0100], 0);
}

TEST_F(SwitchingTargetTest, TheChoiceIsMadeAtEveryOperation) {
    uint8_t value = 0;
    image.TargetMemory()[0x1000] = 0x11;
    host.sim = true;
    target.InByte(0x1000, value);
    EXPECT_EQ(value, 0x11);
    host.sim = false;
    port.ReplyNext(Bytes({0x52, 0x22, 0xDE}));
    target.InByte(0x1000, value);
    EXPECT_EQ(value, 0x22);
    EXPECT_EQ(host.Status(), kBoardReady);
}

TEST_F(SwitchingTargetTest, TheSimulatorsResetVectorLeavesBoardOKAndTheStatusAlone) {
    host.sim = true;
    image.TargetMemory()[0xFFFE] = 0xE0;
    image.TargetMemory()[0xFFFF] = 0x10;
    state.BoardOK = false;
    const auto statuses = host.statuses.size();
    int32_t vector = 0;
    target.InResetVector(vector);
    EXPECT_EQ(vector, 0xE010);
    EXPECT_FALSE(state.BoardOK);
    EXPECT_EQ(host.statuses.size(), statuses);
}

TEST_F(SwitchingTargetTest, TheSimulatorStepsWithVantrel1) {
    host.sim = true;
    target.StepTarget({0x86, 0x41, 0x01, 0x01, 0x01}, TargetAccess::StepWait::Instruction); // LDAA #$41
    EXPECT_EQ(state.RegA, 0x41);
    EXPECT_EQ(image.TargetMemory()[0x0000], 0x41);
}

} // namespace
} // namespace quorvel::test
