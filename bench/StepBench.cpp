// Step throughput: how many instructions per second a host gets out of the
// simulator when it answers every memory event from a 64 KiB image.
//
// The instruction stream is a pre-decoded loop of typical 68HC11 code (loads
// and stores in every addressing mode, ALU immediates, 16-bit arithmetic, bit
// operations, stack traffic, a JSR/RTS and a BSR/RTS pair, branches). Each
// benchmark iteration executes the whole loop once; items are Step calls.
//
// Three hosts are measured: CVantrelCtrl with std::function handlers,
// CVantrelCtrl with plain callbacks, and the C interface.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include <benchmark/benchmark.h>

#include "vantrel.h"
#include "vantrel/VantrelCtrl.h"

namespace {

// One instruction as the host passes it: the five bytes at its PC.
struct Instruction {
    int16_t bytes[5] = {};

    constexpr Instruction(std::initializer_list<uint8_t> encoding) {
        int i = 0;
        for (uint8_t b : encoding)
            bytes[i++] = b;
    }
};

// The loop reloads X and Y at its top and leaves SP where it found it, so it
// can run any number of times. Subroutine bodies follow their call in the
// order the host would execute them.
constexpr Instruction kMix[] = {
    {0xCE, 0x20, 0x00},       // LDX   #$2000
    {0x18, 0xCE, 0x21, 0x00}, // LDY   #$2100
    {0x86, 0x41},             // LDAA  #$41
    {0x97, 0x40},             // STAA  $40
    {0xD6, 0x40},             // LDAB  $40
    {0xB7, 0x10, 0x00},       // STAA  $1000
    {0xF6, 0x10, 0x00},       // LDAB  $1000
    {0xA6, 0x00},             // LDAA  0,X
    {0x18, 0xA7, 0x00},       // STAA  0,Y
    {0xE6, 0x01},             // LDAB  1,X
    {0x18, 0xE7, 0x01},       // STAB  1,Y
    {0x08},                   // INX
    {0x18, 0x08},             // INY
    {0x8B, 0x10},             // ADDA  #$10
    {0xC0, 0x01},             // SUBB  #$01
    {0x84, 0x7F},             // ANDA  #$7F
    {0x8A, 0x01},             // ORAA  #$01
    {0x88, 0x55},             // EORA  #$55
    {0x81, 0x20},             // CMPA  #$20
    {0x26, 0x02},             // BNE   *+4
    {0x27, 0x00},             // BEQ   *+2
    {0x36},                   // PSHA
    {0x37},                   // PSHB
    {0xCC, 0x12, 0x34},       // LDD   #$1234
    {0xDD, 0x42},             // STD   $42
    {0xD3, 0x42},             // ADDD  $42
    {0xC3, 0x01, 0x00},       // ADDD  #$0100
    {0xFD, 0x10, 0x02},       // STD   $1002
    {0xB3, 0x10, 0x02},       // SUBD  $1002
    {0xED, 0x02},             // STD   2,X
    {0xEC, 0x02},             // LDD   2,X
    {0x33},                   // PULB
    {0x32},                   // PULA
    {0x14, 0x44, 0x01},       // BSET  $44,#$01
    {0x15, 0x44, 0x80},       // BCLR  $44,#$80
    {0x12, 0x44, 0x01, 0x02}, // BRSET $44,#$01,*+6
    {0x7C, 0x10, 0x04},       // INC   $1004
    {0x7A, 0x10, 0x05},       // DEC   $1005
    {0x6F, 0x04},             // CLR   4,X
    {0x7D, 0x10, 0x04},       // TST   $1004
    {0xBD, 0xE1, 0x00},       // JSR   $E100
    {0x96, 0x45},             //   LDAA  $45
    {0x4C},                   //   INCA
    {0x5A},                   //   DECB
    {0x39},                   //   RTS
    {0x89, 0x00},             // ADCA  #$00
    {0xAB, 0x03},             // ADDA  3,X
    {0xA0, 0x03},             // SUBA  3,X
    {0x44},                   // LSRA
    {0x58},                   // ASLB
    {0x49},                   // ROLA
    {0x16},                   // TAB
    {0x3D},                   // MUL
    {0x3A},                   // ABX
    {0xDF, 0x46},             // STX   $46
    {0xDE, 0x46},             // LDX   $46
    {0x8C, 0x20, 0x00},       // CPX   #$2000
    {0x22, 0x02},             // BHI   *+4
    {0x09},                   // DEX
    {0x8D, 0x10},             // BSR   *+18
    {0x39},                   //   RTS
    {0x5F},                   // CLRB
    {0x4D},                   // TSTA
    {0x20, 0xC2},             // BRA   loop
};
constexpr int kMixLength = static_cast<int>(std::size(kMix));
static_assert(kMixLength == 64);

// The host's target memory, filled with a recognisable pattern.
struct Memory {
    std::array<uint8_t, 0x10000> bytes{};

    Memory() {
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    uint8_t& at(int32_t address) { return bytes[static_cast<uint16_t>(address)]; }
};

void readMemory(void* user, int32_t address, int16_t* value) {
    *value = static_cast<Memory*>(user)->at(address);
}
void writeMemory(void* user, int32_t address, int16_t value) {
    static_cast<Memory*>(user)->at(address) = static_cast<uint8_t>(value);
}

// The host's register variables, passed by reference to every Step.
struct Registers {
    int16_t a = 0, b = 0, ccr = 0xD0;
    int32_t x = 0x2000, y = 0x2100, sp = 0x01FF;

    void keep() {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(ccr);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(sp);
        benchmark::ClobberMemory();
    }
};

// Runs the mix once with counting callbacks and publishes the number of
// memory events per Step; a simulator that raises none is not worth timing.
bool countEvents(benchmark::State& state) {
    struct Counter {
        Memory memory;
        int64_t events = 0;
    };
    auto counter = std::make_unique<Counter>();
    vantrel::CVantrelCtrl ctrl;
    ctrl.setMemoryCallbacks(
        [](void* user, int32_t address, int16_t* value) {
            auto* c = static_cast<Counter*>(user);
            ++c->events;
            readMemory(&c->memory, address, value);
        },
        [](void* user, int32_t address, int16_t value) {
            auto* c = static_cast<Counter*>(user);
            ++c->events;
            writeMemory(&c->memory, address, value);
        },
        counter.get());
    Registers r;
    for (const Instruction& in : kMix)
        ctrl.Step(r.a, r.b, r.x, r.y, r.sp, r.ccr, in.bytes[0], in.bytes[1], in.bytes[2], in.bytes[3],
                  in.bytes[4]);
    if (counter->events == 0 || r.sp != 0x01FF) {
        state.SkipWithError("the simulator raised no memory events or lost the stack");
        return false;
    }
    state.counters["events/step"] = static_cast<double>(counter->events) / kMixLength;
    return true;
}

void BM_StepStdFunction(benchmark::State& state) {
    if (!countEvents(state)) return;
    auto memory = std::make_unique<Memory>();
    vantrel::CVantrelCtrl ctrl;
    Memory* mem = memory.get();
    ctrl.setReadMemory([mem](int32_t address, int16_t& value) { value = mem->at(address); });
    ctrl.setWriteMemory(
        [mem](int32_t address, int16_t value) { mem->at(address) = static_cast<uint8_t>(value); });
    Registers r;
    for (auto _ : state) {
        for (const Instruction& in : kMix)
            ctrl.Step(r.a, r.b, r.x, r.y, r.sp, r.ccr, in.bytes[0], in.bytes[1], in.bytes[2], in.bytes[3],
                      in.bytes[4]);
        r.keep();
    }
    state.SetItemsProcessed(state.iterations() * kMixLength);
}
BENCHMARK(BM_StepStdFunction);

void BM_StepRawCallbacks(benchmark::State& state) {
    if (!countEvents(state)) return;
    auto memory = std::make_unique<Memory>();
    vantrel::CVantrelCtrl ctrl;
    ctrl.setMemoryCallbacks(readMemory, writeMemory, memory.get());
    Registers r;
    for (auto _ : state) {
        for (const Instruction& in : kMix)
            ctrl.Step(r.a, r.b, r.x, r.y, r.sp, r.ccr, in.bytes[0], in.bytes[1], in.bytes[2], in.bytes[3],
                      in.bytes[4]);
        r.keep();
    }
    state.SetItemsProcessed(state.iterations() * kMixLength);
}
BENCHMARK(BM_StepRawCallbacks);

void BM_StepCInterface(benchmark::State& state) {
    if (!countEvents(state)) return;
    auto memory = std::make_unique<Memory>();
    std::unique_ptr<VantrelCtrl, decltype(&vantrel_destroy)> ctrl(vantrel_create(), vantrel_destroy);
    vantrel_set_events(ctrl.get(), readMemory, writeMemory, memory.get());
    Registers r;
    for (auto _ : state) {
        for (const Instruction& in : kMix)
            vantrel_step(ctrl.get(), &r.a, &r.b, &r.x, &r.y, &r.sp, &r.ccr, in.bytes[0], in.bytes[1],
                         in.bytes[2], in.bytes[3], in.bytes[4]);
        r.keep();
    }
    state.SetItemsProcessed(state.iterations() * kMixLength);
}
BENCHMARK(BM_StepCInterface);

} // namespace
