// The control class: argument conversion in and out of Step, the event
// handlers and their defaults, plain callbacks, and the About box. Also the
// core entry point ExecuteInstruction used without the control.
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "TestHost.h"
#include "vantrel/CpuState.h"
#include "vantrel/VantrelCtrl.h"

namespace vantrel::test {
namespace {

TEST(Control, RegistersAreReadFromTheLowBitsAndReturnedZeroExtended) {
    CVantrelCtrl ctrl;
    int16_t a = -1, b = 0x1234, ccr = 0x1FF;
    int32_t x = -1, y = 0x12345, sp = INT32_MIN;
    ctrl.Step(a, b, x, y, sp, ccr, 0x01, 0, 0, 0, 0); // NOP
    EXPECT_EQ(a, 0xFF);
    EXPECT_EQ(b, 0x34);
    EXPECT_EQ(ccr, 0xFF);
    EXPECT_EQ(x, 0xFFFF);
    EXPECT_EQ(y, 0x2345);
    EXPECT_EQ(sp, 0x0000);

    a = -128;
    b = -1;
    ccr = -2;
    x = 0x7FFFFFFF;
    y = -65536;
    sp = 0x10001;
    ctrl.Step(a, b, x, y, sp, ccr, 0x01, 0, 0, 0, 0);
    EXPECT_EQ(a, 0x80);
    EXPECT_EQ(b, 0xFF);
    EXPECT_EQ(ccr, 0xFE);
    EXPECT_EQ(x, 0xFFFF);
    EXPECT_EQ(y, 0x0000);
    EXPECT_EQ(sp, 0x0001);
}

TEST(Control, HighBitsOfRegisterArgumentsDoNotTakePart) {
    Sim sim;
    // ABA with $0101 + $0201: only the low bytes add.
    Regs out = sim.step({.a = 0x0101, .b = 0x0201}, {0x1B});
    EXPECT_EQ(out.a, 0x02);
    EXPECT_EQ(out.b, 0x01);
    // INX on $1FFFF is INX on $FFFF.
    out = sim.step({.x = 0x1FFFF}, {0x08});
    EXPECT_EQ(out.x, 0x0000);
    EXPECT_EQ(out.ccr, cc("Z"));
    // PSHA with SP $10100 pushes at $0100.
    out = sim.step({.a = 0x42, .sp = 0x10100}, {0x36});
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, 0x42)}));
    EXPECT_EQ(out.sp, 0x00FF);
    // A CCR argument of $0180 is S and N only.
    out = sim.step({.ccr = 0x0188}, {0x07}); // TPA
    EXPECT_EQ(out.a, 0x88);
}

TEST(Control, InstructionBytesUseTheLowByteAndStayUnchanged) {
    CVantrelCtrl ctrl;
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0x100;
    const int16_t i1 = 0x0186, i2 = 0x7F41, i3 = -1, i4 = 0x1234, i5 = -32768;
    int16_t instr1 = i1, instr2 = i2, instr3 = i3, instr4 = i4, instr5 = i5;
    ctrl.Step(a, b, x, y, sp, ccr, instr1, instr2, instr3, instr4, instr5); // LDAA #$41
    EXPECT_EQ(a, 0x41);
    EXPECT_EQ(instr1, i1);
    EXPECT_EQ(instr2, i2);
    EXPECT_EQ(instr3, i3);
    EXPECT_EQ(instr4, i4);
    EXPECT_EQ(instr5, i5);

    ctrl.Step(a, b, x, y, sp, ccr, -0x7A, 0x80, 0, 0, 0); // $FF86: LDAA #$80
    EXPECT_EQ(a, 0x80);
    EXPECT_EQ(ccr, cc("N"));
}

TEST(Control, ReadHandlerValueAboveAByteGivesTheLowByte) {
    CVantrelCtrl ctrl;
    ctrl.setReadMemory([](int32_t, int16_t& value) { value = 300; });
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0;
    ctrl.Step(a, b, x, y, sp, ccr, 0xB6, 0x12, 0x34, 0, 0); // LDAA $1234
    EXPECT_EQ(a, 0x2C);
}

TEST(Control, WithoutHandlersReadsGiveTheLowByteOfTheAddress) {
    CVantrelCtrl ctrl;
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0x0100;
    ctrl.Step(a, b, x, y, sp, ccr, 0xB6, 0x12, 0x34, 0, 0); // LDAA $1234
    EXPECT_EQ(a, 0x34);
    ctrl.Step(a, b, x, y, sp, ccr, 0xFC, 0x56, 0x78, 0, 0); // LDD $5678
    EXPECT_EQ(a, 0x78);
    EXPECT_EQ(b, 0x79);
    ctrl.Step(a, b, x, y, sp, ccr, 0x7C, 0x10, 0x00, 0, 0); // INC $1000 reads $00; the write goes nowhere
    EXPECT_EQ(ccr, 0);
    ctrl.Step(a, b, x, y, sp, ccr, 0x3C, 0, 0, 0, 0); // PSHX
    EXPECT_EQ(sp, 0x00FE);
    ctrl.Step(a, b, x, y, sp, ccr, 0x38, 0, 0, 0, 0); // PULX reads $00FF, $0100
    EXPECT_EQ(x, 0xFF00);
    EXPECT_EQ(sp, 0x0100);
}

TEST(Control, EmptyHandlersRestoreTheDefault) {
    CVantrelCtrl ctrl;
    int reads = 0, writes = 0;
    ctrl.setReadMemory([&](int32_t, int16_t& value) {
        ++reads;
        value = 0x99;
    });
    ctrl.setWriteMemory([&](int32_t, int16_t) { ++writes; });
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0x0100;
    ctrl.Step(a, b, x, y, sp, ccr, 0xB6, 0x12, 0x34, 0, 0);
    EXPECT_EQ(a, 0x99);
    ctrl.Step(a, b, x, y, sp, ccr, 0x36, 0, 0, 0, 0);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(writes, 1);

    ctrl.setReadMemory({});
    ctrl.setWriteMemory(nullptr);
    ctrl.Step(a, b, x, y, sp, ccr, 0xB6, 0x12, 0x34, 0, 0);
    EXPECT_EQ(a, 0x34);
    ctrl.Step(a, b, x, y, sp, ccr, 0x36, 0, 0, 0, 0);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(writes, 1);
}

TEST(Control, ReadHandlerAloneAndWriteHandlerAlone) {
    CVantrelCtrl ctrl;
    std::vector<Event> events;
    ctrl.setWriteMemory([&](int32_t address, int16_t value) { events.push_back(W(address, value)); });
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0, y = 0, sp = 0x0100;
    ctrl.Step(a, b, x, y, sp, ccr, 0x7C, 0x20, 0x07, 0, 0); // INC $2007 with the default read
    EXPECT_EQ(events, (std::vector<Event>{W(0x2007, 0x08)}));
}

struct CallbackLog {
    std::vector<Event> events;
    uint8_t answer = 0;
};

void logRead(void* user, int32_t address, int16_t* value) {
    auto* log = static_cast<CallbackLog*>(user);
    log->events.push_back(R(address));
    *value = log->answer;
}

void logWrite(void* user, int32_t address, int16_t value) {
    static_cast<CallbackLog*>(user)->events.push_back(W(address, value));
}

TEST(Control, PlainCallbacksReceiveTheUserPointerAndReplaceHandlers) {
    CVantrelCtrl ctrl;
    int functionCalls = 0;
    ctrl.setReadMemory([&](int32_t, int16_t&) { ++functionCalls; });
    ctrl.setWriteMemory([&](int32_t, int16_t) { ++functionCalls; });
    CallbackLog log;
    log.answer = 0x7E;
    ctrl.setMemoryCallbacks(logRead, logWrite, &log);
    int16_t a = 0, b = 0, ccr = 0;
    int32_t x = 0x1000, y = 0, sp = 0x0100;
    ctrl.Step(a, b, x, y, sp, ccr, 0x6C, 0x05, 0, 0, 0); // INC 5,X
    EXPECT_EQ(functionCalls, 0);
    EXPECT_EQ(log.events, (std::vector<Event>{R(0x1005), R(0x1005), W(0x1005, 0x7F)}));

    // Null callbacks give the default behaviour again.
    ctrl.setMemoryCallbacks(nullptr, nullptr, nullptr);
    log.events.clear();
    ctrl.Step(a, b, x, y, sp, ccr, 0xB6, 0x12, 0x34, 0, 0);
    EXPECT_EQ(a, 0x34);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(functionCalls, 0);
}

TEST(Control, EventsAreRaisedOnlyInsideStep) {
    int calls = 0;
    {
        CVantrelCtrl ctrl;
        ctrl.setReadMemory([&](int32_t, int16_t&) { ++calls; });
        ctrl.setWriteMemory([&](int32_t, int16_t) { ++calls; });
        EXPECT_EQ(calls, 0);
        int16_t a = 0, b = 0, ccr = 0;
        int32_t x = 0, y = 0, sp = 0x100;
        ctrl.Step(a, b, x, y, sp, ccr, 0x3C, 0, 0, 0, 0);
        EXPECT_EQ(calls, 2);
    }
    EXPECT_EQ(calls, 2);
}

TEST(Control, AboutBoxShowsCaptionAndText) {
    CVantrelCtrl ctrl;
    std::vector<std::pair<std::string, std::string>> shown;
    ctrl.setAboutBox([&](std::string_view caption, std::string_view text) {
        shown.emplace_back(std::string(caption), std::string(text));
    });
    ctrl.AboutBox();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, "About Vantrel Control");
    EXPECT_EQ(shown[0].second, "Vantrel Control, Version 1.0");
    EXPECT_EQ(CVantrelCtrl::kAboutCaption, "About Vantrel Control");
    EXPECT_EQ(CVantrelCtrl::kAboutText, "Vantrel Control, Version 1.0");
}

TEST(Control, AboutBoxWithoutHandlerDoesNothing) {
    CVantrelCtrl ctrl;
    ctrl.AboutBox();
    ctrl.setAboutBox({});
    ctrl.AboutBox();
    SUCCEED();
}

TEST(Control, AboutBoxDoesNotDisturbStepping) {
    Sim sim;
    sim.jumpTo(0x2000);
    sim.ctrl.setAboutBox([](std::string_view, std::string_view) {});
    sim.ctrl.AboutBox();
    EXPECT_EQ(sim.probePc(), 0x2000);
}

TEST(Control, EveryOpcodeByteAcceptedWithExtremeArguments) {
    // No byte combination may fail; every address stays in range (checked
    // by the host) and every register comes back in range.
    Sim sim;
    for (int first = 0; first < 256; ++first)
        for (int second : {0x00, 0x18, 0x1E, 0x6C, 0xA3, 0xAC, 0xEE, 0xEF, 0xFF}) {
            for (const Regs& in : {Regs{.a = -1, .b = -1, .x = -1, .y = -1, .sp = -1, .ccr = -1},
                                   Regs{.a = 0, .b = 0, .x = 0, .y = 0, .sp = 0, .ccr = 0}}) {
                const Regs out = sim.step(in, {first, second, 0xFF, 0xFF, 0xFF});
                ASSERT_GE(out.a, 0);
                ASSERT_LE(out.a, 0xFF);
                ASSERT_GE(out.b, 0);
                ASSERT_LE(out.b, 0xFF);
                ASSERT_GE(out.ccr, 0);
                ASSERT_LE(out.ccr, 0xFF);
                for (int32_t r : {out.x, out.y, out.sp}) {
                    ASSERT_GE(r, 0);
                    ASSERT_LE(r, 0xFFFF);
                }
            }
        }
}

// --- the core without the control ----------------------------------------------

struct CoreMemory {
    uint8_t bytes[65536] = {};
    std::vector<Event> events;
};

TEST(Core, ExecuteInstructionWithCallbacks) {
    CoreMemory memory;
    memory.bytes[0x1000] = 0x41;
    CpuState cpu;
    cpu.user = &memory;
    cpu.onRead = [](void* user, int32_t address, int16_t* value) {
        auto* m = static_cast<CoreMemory*>(user);
        m->events.push_back(R(address));
        *value = m->bytes[address];
    };
    cpu.onWrite = [](void* user, int32_t address, int16_t value) {
        auto* m = static_cast<CoreMemory*>(user);
        m->events.push_back(W(address, value));
        m->bytes[address] = static_cast<uint8_t>(value);
    };
    cpu.Instr[0] = 0x7C; // INC $1000
    cpu.Instr[1] = 0x10;
    cpu.Instr[2] = 0x00;
    ExecuteInstruction(cpu);
    EXPECT_EQ(memory.bytes[0x1000], 0x42);
    EXPECT_EQ(memory.events, (std::vector<Event>{R(0x1000), R(0x1000), W(0x1000, 0x42)}));

    cpu.A = 0x12;
    cpu.B = 0x34;
    cpu.X = 0xABCD;
    cpu.Instr[0] = 0x8F; // XGDX
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.D(), 0xABCD);
    EXPECT_EQ(cpu.X, 0x1234);
}

TEST(Core, ExecuteInstructionWithoutCallbacks) {
    CpuState cpu;
    cpu.Instr[0] = 0xFE; // LDX $1234
    cpu.Instr[1] = 0x12;
    cpu.Instr[2] = 0x34;
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.X, 0x3435);
    cpu.SP = 0x0000;
    cpu.A = 0x55;
    cpu.Instr[0] = 0x36; // PSHA at $0000
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.SP, 0xFFFF);
}

TEST(Core, JumpSetsThePrivatePc) {
    CpuState cpu;
    cpu.Instr[0] = 0x7E;
    cpu.Instr[1] = 0x43;
    cpu.Instr[2] = 0x21;
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.PC, 0x4321);
    cpu.Instr[0] = 0x01;
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.PC, 0x4322);
    cpu.Instr[0] = 0x41; // undefined: PC stays
    ExecuteInstruction(cpu);
    EXPECT_EQ(cpu.PC, 0x4322);
}

} // namespace
} // namespace vantrel::test
