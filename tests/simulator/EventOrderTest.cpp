// Memory events: which ReadMemory/WriteMemory events every opcode raises, in
// which order and at which addresses, plus the address rules at the top of
// memory and on the stack. Hosts model peripherals in their event handlers, so
// the count and the order of events matter as much as the values.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "OpcodeReference.h"
#include "TestHost.h"

namespace vantrel::test {
namespace {

constexpr int kX = 0x1100, kY = 0x2200, kSP = 0x3300;
constexpr int kO1 = 0x44, kO2 = 0x55, kO3 = 0x06;

const Regs kSweepRegs{.a = 0x12, .b = 0x34, .x = kX, .y = kY, .sp = kSP, .ccr = cc("SXI")};

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (n == name) return true;
    return false;
}

// The effective address of the sweep's operand bytes in the given mode.
int sweepAddress(AddrMode mode) {
    switch (mode) {
    case AddrMode::Direct:
    case AddrMode::BitDirect:
    case AddrMode::BitBranchDirect: return kO1;
    case AddrMode::Extended: return kO1 << 8 | kO2;
    case AddrMode::IndexedX:
    case AddrMode::BitIndexedX:
    case AddrMode::BitBranchIndexedX: return kX + kO1;
    case AddrMode::IndexedY:
    case AddrMode::BitIndexedY:
    case AddrMode::BitBranchIndexedY: return kY + kO1;
    default: return -1;
    }
}

bool addressesMemory(AddrMode mode) {
    return sweepAddress(mode) >= 0;
}

// The events an opcode raises, by its family and addressing mode (values of
// writes are not part of this sweep; they are checked with the semantics).
std::vector<Event> expectedEvents(const RefOpcode& op) {
    const std::string_view n = op.name;
    const int ea = sweepAddress(op.mode);
    const bool mem = addressesMemory(op.mode);
    if (n == "PSHA" || n == "PSHB") return {W(kSP, 0)};
    if (n == "PULA" || n == "PULB") return {R(kSP + 1)};
    if (isOneOf(n, {"PSHX", "PSHY", "BSR", "JSR"})) return {W(kSP, 0), W(kSP - 1, 0)};
    if (isOneOf(n, {"PULX", "PULY", "RTS"})) return {R(kSP + 1), R(kSP + 2)};
    if (n == "RTI") {
        std::vector<Event> e;
        for (int i = 1; i <= 9; ++i)
            e.push_back(R(kSP + i));
        return e;
    }
    if (!mem) return {};
    if (isOneOf(n, {"LDAA", "LDAB", "CMPA", "CMPB", "SUBA", "SUBB",  "SBCA", "SBCB",
                    "ADDA", "ADDB", "ADCA", "ADCB", "ANDA", "ANDB",  "BITA", "BITB",
                    "EORA", "EORB", "ORAA", "ORAB", "TST",  "BRSET", "BRCLR"}))
        return {R(ea)};
    if (isOneOf(n, {"STAA", "STAB", "CLR"})) return {W(ea, 0)};
    if (isOneOf(n, {"NEG", "COM", "LSR", "ROR", "ASR", "ASL", "ROL", "DEC", "BSET", "BCLR"}))
        return {R(ea), W(ea, 0)};
    if (n == "INC") return {R(ea), R(ea), W(ea, 0)};
    if (isOneOf(n, {"SUBD", "ADDD", "CPD", "CPX", "CPY", "LDD", "LDX", "LDY", "LDS"})) {
        if (op.mode == AddrMode::Direct || (n == "ADDD" && op.mode == AddrMode::Extended))
            return {R(ea + 1), R(ea)};
        return {R(ea), R(ea + 1)};
    }
    if (isOneOf(n, {"STD", "STX", "STY", "STS"})) return {W(ea, 0), W(ea + 1, 0)};
    return {}; // JMP
}

std::vector<Event> withoutValues(std::vector<Event> events) {
    for (Event& e : events)
        e.value = 0;
    return events;
}

std::vector<int> sweepBytes(int page, int opcode) {
    if (page == 1) return {opcode, kO1, kO2, kO3, 0};
    return {prefixOfPage(page), opcode, kO1, kO2, kO3};
}

void fillPattern(Sim& sim) {
    for (int a = 0; a < 0x10000; ++a)
        sim.mem[static_cast<size_t>(a)] = static_cast<uint8_t>(a * 7 + 3);
}

std::string describe(const RefOpcode& op) {
    std::string s = op.page == 1 ? "" : hex(prefixOfPage(op.page), 2) + " ";
    return s + hex(op.opcode, 2) + " " + std::string(op.name) + " mode " +
           std::to_string(static_cast<int>(op.mode));
}

TEST(Events, EveryDefinedOpcodeRaisesItsFamilyEventsInOrder) {
    Sim sim;
    fillPattern(sim);
    for (const RefOpcode& op : kRefOpcodes) {
        SCOPED_TRACE(describe(op));
        sim.step(kSweepRegs, sweepBytes(op.page, op.opcode));
        EXPECT_EQ(withoutValues(sim.events), expectedEvents(op));
    }
}

TEST(Events, EveryOpcodeWithoutMemoryOperandLeavesMemoryAlone) {
    // Immediate, inherent and relative forms never touch memory except the
    // stack instructions; checked on a host whose memory is all zero.
    Sim sim;
    for (const RefOpcode& op : kRefOpcodes) {
        if (addressesMemory(op.mode)) continue;
        SCOPED_TRACE(describe(op));
        sim.step(kSweepRegs, sweepBytes(op.page, op.opcode));
        for (const Event& e : sim.events)
            EXPECT_TRUE(e.address >= kSP - 1 && e.address <= kSP + 9) << "event off the stack: " << e;
    }
}

TEST(Events, UndefinedOpcodesDoNothing) {
    Sim sim;
    fillPattern(sim);
    int checked = 0;
    for (int page = 1; page <= 4; ++page) {
        for (int byte = 0; byte < 256; ++byte) {
            if (findRef(page, static_cast<uint8_t>(byte))) continue;
            if (page == 1 && (byte == 0x18 || byte == 0x1A || byte == 0xCD)) continue;
            SCOPED_TRACE("page " + std::to_string(page) + " byte " + hex(byte, 2));
            sim.jumpTo(0x2000);
            const Regs out = sim.step(kSweepRegs, sweepBytes(page, byte));
            EXPECT_EQ(out, kSweepRegs);
            EXPECT_TRUE(sim.events.empty());
            EXPECT_EQ(sim.probePc(), 0x2000) << "PC must not advance";
            ++checked;
        }
    }
    EXPECT_EQ(checked, 20 + (256 - 64) + (256 - 7) + (256 - 4));
}

TEST(Events, UndefinedOpcodesKeepEveryRegisterValue) {
    // Extreme register values, all flags set and all clear.
    const Regs inputs[] = {
        {.a = 0xFF, .b = 0xFF, .x = 0xFFFF, .y = 0xFFFF, .sp = 0xFFFF, .ccr = 0xFF},
        {.a = 0, .b = 0, .x = 0, .y = 0, .sp = 0, .ccr = 0},
        {.a = 0x80, .b = 0x7F, .x = 0x8000, .y = 0x7FFF, .sp = 0x00FF, .ccr = cc("HNV")},
    };
    const std::vector<std::vector<int>> codes = {{0x41},
                                                 {0x87, 0xFF, 0xFF},
                                                 {0xC7},
                                                 {0x7B, 0x10, 0x00},
                                                 {0x18, 0x00},
                                                 {0x18, 0x86, 0x12},
                                                 {0x1A, 0x00},
                                                 {0x1A, 0x86},
                                                 {0x1A, 0x18},
                                                 {0xCD, 0x00},
                                                 {0xCD, 0xCE, 0x12, 0x34},
                                                 {0xCD, 0x18},
                                                 {0x18, 0x18}};
    for (const Regs& in : inputs) {
        for (const auto& code : codes) {
            Sim sim;
            SCOPED_TRACE("code " + hex(code[0], 2) + (code.size() > 1 ? " " + hex(code[1], 2) : ""));
            EXPECT_EQ(sim.step(in, code), in);
            EXPECT_TRUE(sim.events.empty());
        }
    }
}

TEST(Events, TestOpcodeDoesNothing) {
    Sim sim;
    const Regs in{.a = 0x55, .b = 0xAA, .x = 0x1234, .y = 0x5678, .sp = 0x0100, .ccr = 0xFF};
    sim.jumpTo(0x3000);
    EXPECT_EQ(sim.step(in, {0x00, 0x12, 0x34}), in);
    EXPECT_TRUE(sim.events.empty());
    EXPECT_EQ(sim.probePc(), 0x3000);
}

TEST(Events, NonFlowOpcodesAdvanceThePrivatePcByTheirLength) {
    const std::set<std::string_view> flow = {
        "BRA", "BRN", "BHI", "BLS",   "BCC",   "BCS", "BNE", "BEQ", "BVC", "BVS", "BPL",  "BMI", "BGE",
        "BLT", "BGT", "BLE", "BRSET", "BRCLR", "JMP", "JSR", "BSR", "RTS", "RTI", "TEST", "STOP"};
    Sim sim;
    fillPattern(sim);
    for (const RefOpcode& op : kRefOpcodes) {
        if (flow.contains(op.name)) continue;
        SCOPED_TRACE(describe(op));
        sim.jumpTo(0x2000);
        sim.step(kSweepRegs, sweepBytes(op.page, op.opcode));
        EXPECT_EQ(sim.probePc(), 0x2000 + refLength(op));
    }
}

// ---------------------------------------------------------------------------
// Address and order rules, one row per case.

TEST(Events, WordReadOrderByMode) {
    const Regs in{.x = 0x0100, .y = 0x0200, .sp = 0x00FF};
    runCases({
        {"LDD direct $40 reads the low byte first",
         {0xDC, 0x40},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x41), R(0x40)},
         {{0x40, 0x12}, {0x41, 0x34}}},
        {"LDD extended $0040 reads the high byte first",
         {0xFC, 0x00, 0x40},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x40), R(0x41)},
         {{0x40, 0x12}, {0x41, 0x34}}},
        {"LDD ind,X",
         {0xEC, 0x10},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x110), R(0x111)},
         {{0x110, 0x12}, {0x111, 0x34}}},
        {"LDD ind,Y",
         {0x18, 0xEC, 0x10},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x210), R(0x211)},
         {{0x210, 0x12}, {0x211, 0x34}}},
        {"ADDD extended $4050 reads the low byte first",
         {0xF3, 0x40, 0x50},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x4051), R(0x4050)},
         {{0x4050, 0x12}, {0x4051, 0x34}}},
        {"ADDD direct reads the low byte first",
         {0xD3, 0x50},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x51), R(0x50)},
         {{0x50, 0x12}, {0x51, 0x34}}},
        {"ADDD ind,X reads the high byte first",
         {0xE3, 0x50},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x150), R(0x151)},
         {{0x150, 0x12}, {0x151, 0x34}}},
        {"SUBD extended $4050 reads the high byte first",
         {0xB3, 0x40, 0x50},
         in,
         {.a = 0xED, .b = 0xCC, .x = 0x0100, .y = 0x0200, .sp = 0x00FF, .ccr = cc("NC")},
         {R(0x4050), R(0x4051)},
         {{0x4050, 0x12}, {0x4051, 0x34}}},
        {"SUBD direct reads the low byte first",
         {0x93, 0x50},
         in,
         {.a = 0xED, .b = 0xCC, .x = 0x0100, .y = 0x0200, .sp = 0x00FF, .ccr = cc("NC")},
         {R(0x51), R(0x50)},
         {{0x50, 0x12}, {0x51, 0x34}}},
        {"CPX direct reads the low byte first",
         {0x9C, 0x50},
         in,
         {.x = 0x0100, .y = 0x0200, .sp = 0x00FF, .ccr = cc("Z")},
         {R(0x51), R(0x50)},
         {{0x50, 0x01}, {0x51, 0x00}}},
        {"CPD direct ($1A $93)",
         {0x1A, 0x93, 0x50},
         in,
         {.x = 0x0100, .y = 0x0200, .sp = 0x00FF, .ccr = cc("NC")},
         {R(0x51), R(0x50)},
         {{0x50, 0x01}, {0x51, 0x00}}},
        {"CPY direct ($18 $9C)",
         {0x18, 0x9C, 0x50},
         in,
         {.x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x51), R(0x50)},
         {{0x50, 0x01}, {0x51, 0x00}}},
        {"LDS direct",
         {0x9E, 0x50},
         in,
         {.x = 0x0100, .y = 0x0200, .sp = 0x1234},
         {R(0x51), R(0x50)},
         {{0x50, 0x12}, {0x51, 0x34}}},
        {"LDX direct",
         {0xDE, 0x50},
         in,
         {.x = 0x1234, .y = 0x0200, .sp = 0x00FF},
         {R(0x51), R(0x50)},
         {{0x50, 0x12}, {0x51, 0x34}}},
        {"LDY direct",
         {0x18, 0xDE, 0x50},
         in,
         {.x = 0x0100, .y = 0x1234, .sp = 0x00FF},
         {R(0x51), R(0x50)},
         {{0x50, 0x12}, {0x51, 0x34}}},
        {"LDX extended $FFFF reads $FFFF then $0000",
         {0xFE, 0xFF, 0xFF},
         in,
         {.x = 0x1234, .y = 0x0200, .sp = 0x00FF},
         {R(0xFFFF), R(0x0000)},
         {{0xFFFF, 0x12}, {0x0000, 0x34}}},
        {"LDD extended $FFFF reads $FFFF then $0000",
         {0xFC, 0xFF, 0xFF},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0xFFFF), R(0x0000)},
         {{0xFFFF, 0x12}, {0x0000, 0x34}}},
        {"ADDD extended $FFFF reads $0000 then $FFFF",
         {0xF3, 0xFF, 0xFF},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x0000), R(0xFFFF)},
         {{0xFFFF, 0x12}, {0x0000, 0x34}}},
        {"LDD direct $FF reads $0100 then $00FF",
         {0xDC, 0xFF},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x0100, .y = 0x0200, .sp = 0x00FF},
         {R(0x0100), R(0x00FF)},
         {{0xFF, 0x12}, {0x100, 0x34}}},
        {"LDD ind,X at $FFFF+0 reads $FFFF then $0000",
         {0xEC, 0x00},
         {.x = 0xFFFF},
         {.a = 0x12, .b = 0x34, .x = 0xFFFF},
         {R(0xFFFF), R(0x0000)},
         {{0xFFFF, 0x12}, {0x0000, 0x34}}},
    });
}

TEST(Events, WordWriteOrder) {
    const Regs in{.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0xDEF0};
    runCases({
        {"STD direct", {0xDD, 0x40}, in, in, {W(0x40, 0x12), W(0x41, 0x34)}},
        {"STD extended", {0xFD, 0x40, 0x00}, in, in, {W(0x4000, 0x12), W(0x4001, 0x34)}},
        {"STD ind,Y", {0x18, 0xED, 0x01}, in, in, {W(0x9ABD, 0x12), W(0x9ABE, 0x34)}},
        {"STX extended", {0xFF, 0x40, 0x00}, in, in, {W(0x4000, 0x56), W(0x4001, 0x78)}},
        {"STX ind,Y ($CD $EF)",
         {0xCD, 0xEF, 0x02},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0xDEF0},
         {W(0x9ABE, 0x56), W(0x9ABF, 0x78)}},
        {"STY direct",
         {0x18, 0xDF, 0x40},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0xDEF0, .ccr = cc("N")},
         {W(0x40, 0x9A), W(0x41, 0xBC)}},
        {"STY ind,X ($1A $EF)",
         {0x1A, 0xEF, 0x08},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0xDEF0, .ccr = cc("N")},
         {W(0x5680, 0x9A), W(0x5681, 0xBC)}},
        {"STS ind,X",
         {0xAF, 0x00},
         in,
         {.a = 0x12, .b = 0x34, .x = 0x5678, .y = 0x9ABC, .sp = 0xDEF0, .ccr = cc("N")},
         {W(0x5678, 0xDE), W(0x5679, 0xF0)}},
        {"STD extended $FFFF writes $FFFF then $0000",
         {0xFD, 0xFF, 0xFF},
         in,
         in,
         {W(0xFFFF, 0x12), W(0x0000, 0x34)}},
    });
}

TEST(Events, ReadModifyWriteAndStores) {
    runCases({
        {"INC $1000 reads twice, then writes",
         {0x7C, 0x10, 0x00},
         {},
         {},
         {R(0x1000), R(0x1000), W(0x1000, 0x42)},
         {{0x1000, 0x41}}},
        {"CLR $1000 only writes",
         {0x7F, 0x10, 0x00},
         {.ccr = cc("NC")},
         {.ccr = cc("Z")},
         {W(0x1000, 0x00)},
         {{0x1000, 0x41}}},
        {"DEC $1000 reads once", {0x7A, 0x10, 0x00}, {}, {}, {R(0x1000), W(0x1000, 0x40)}, {{0x1000, 0x41}}},
        {"TST $1000 only reads", {0x7D, 0x10, 0x00}, {.ccr = cc("VC")}, {}, {R(0x1000)}, {{0x1000, 0x41}}},
        {"STAA ind,X",
         {0xA7, 0x05},
         {.a = 0x80, .x = 0x2000},
         {.a = 0x80, .x = 0x2000, .ccr = cc("N")},
         {W(0x2005, 0x80)}},
        {"STAB ind,Y",
         {0x18, 0xE7, 0xFF},
         {.b = 0x01, .y = 0x2000},
         {.b = 0x01, .y = 0x2000},
         {W(0x20FF, 0x01)}},
        {"BSET direct", {0x14, 0x20, 0x81}, {}, {.ccr = cc("N")}, {R(0x20), W(0x20, 0x83)}, {{0x20, 0x03}}},
        {"BCLR ind,Y",
         {0x18, 0x1D, 0x01, 0x03},
         {.y = 0x1000},
         {.y = 0x1000, .ccr = cc("Z")},
         {R(0x1001), W(0x1001, 0x00)},
         {{0x1001, 0x03}}},
        {"BRSET raises exactly one read", {0x12, 0x20, 0x01, 0x10}, {}, {}, {R(0x20)}, {{0x20, 0x01}}},
        {"BRCLR ind,X raises exactly one read",
         {0x1F, 0x02, 0x01, 0x10},
         {.x = 0x30},
         {.x = 0x30},
         {R(0x32)},
         {{0x32, 0x01}}},
        {"BRSET ind,Y raises exactly one read",
         {0x18, 0x1E, 0x02, 0x01, 0x10},
         {.y = 0x30},
         {.y = 0x30},
         {R(0x32)},
         {{0x32, 0x01}}},
    });
}

TEST(Events, StackTraffic) {
    runCases({
        {"PSHA writes at SP then decrements",
         {0x36},
         {.a = 0x5A, .sp = 0x0100},
         {.a = 0x5A, .sp = 0x00FF},
         {W(0x0100, 0x5A)}},
        {"PSHB", {0x37}, {.b = 0xA5, .sp = 0x0100}, {.b = 0xA5, .sp = 0x00FF}, {W(0x0100, 0xA5)}},
        {"PULA increments then reads",
         {0x32},
         {.sp = 0x00FF, .ccr = 0xFF},
         {.a = 0x77, .sp = 0x0100, .ccr = 0xFF},
         {R(0x0100)},
         {{0x100, 0x77}}},
        {"PULB", {0x33}, {.sp = 0x00FF}, {.b = 0x88, .sp = 0x0100}, {R(0x0100)}, {{0x100, 0x88}}},
        {"PSHX writes the low byte first",
         {0x3C},
         {.x = 0x1234, .sp = 0x0100},
         {.x = 0x1234, .sp = 0x00FE},
         {W(0x0100, 0x34), W(0x00FF, 0x12)}},
        {"PSHY writes the low byte first",
         {0x18, 0x3C},
         {.y = 0xABCD, .sp = 0x0100},
         {.y = 0xABCD, .sp = 0x00FE},
         {W(0x0100, 0xCD), W(0x00FF, 0xAB)}},
        {"PULX reads the high byte first",
         {0x38},
         {.sp = 0x00FE},
         {.x = 0x1234, .sp = 0x0100},
         {R(0x00FF), R(0x0100)},
         {{0xFF, 0x12}, {0x100, 0x34}}},
        {"PULY reads the high byte first",
         {0x18, 0x38},
         {.sp = 0x00FE},
         {.y = 0xABCD, .sp = 0x0100},
         {R(0x00FF), R(0x0100)},
         {{0xFF, 0xAB}, {0x100, 0xCD}}},
        {"PSHA at SP $0000 wraps to $FFFF",
         {0x36},
         {.a = 0x01, .sp = 0x0000},
         {.a = 0x01, .sp = 0xFFFF},
         {W(0x0000, 0x01)}},
        {"PSHX at SP $0000 writes $0000 then $FFFF",
         {0x3C},
         {.x = 0xBEEF, .sp = 0x0000},
         {.x = 0xBEEF, .sp = 0xFFFE},
         {W(0x0000, 0xEF), W(0xFFFF, 0xBE)}},
        {"PULA at SP $FFFF reads $0000",
         {0x32},
         {.sp = 0xFFFF},
         {.a = 0x66, .sp = 0x0000},
         {R(0x0000)},
         {{0x0000, 0x66}}},
        {"PULX at SP $FFFE reads $FFFF then $0000",
         {0x38},
         {.sp = 0xFFFE},
         {.x = 0x1234, .sp = 0x0000},
         {R(0xFFFF), R(0x0000)},
         {{0xFFFF, 0x12}, {0x0000, 0x34}}},
    });
}

TEST(Events, JsrPushesTheReturnAddressLowByteFirst) {
    // The pushed bytes are the private PC plus the length; JMP sets the PC
    // first so that they are known.
    Sim sim;
    sim.jumpTo(0x1000);
    EXPECT_EQ(sim.step({.sp = 0x00FF}, {0xBD, 0x20, 0x00}), (Regs{.sp = 0x00FD}));
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x00FF, 0x03), W(0x00FE, 0x10)}));
    EXPECT_EQ(sim.probePc(), 0x2000);

    sim.jumpTo(0x1000);
    EXPECT_EQ(sim.step({.sp = 0x0000}, {0xBD, 0x20, 0x00}), (Regs{.sp = 0xFFFE}));
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0000, 0x03), W(0xFFFF, 0x10)}));

    // JSR ind,X whose target lies above $FFFF raises only the two pushes.
    sim.jumpTo(0x1000);
    EXPECT_EQ(sim.step({.x = 0xFFF0, .sp = 0x0100}, {0xAD, 0x20}), (Regs{.x = 0xFFF0, .sp = 0x00FE}));
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, 0x02), W(0x00FF, 0x10)}));
}

TEST(Events, RtiPullsNineBytesInOrder) {
    Sim sim;
    const int bytes[] = {0xC5, 0xBB, 0xAA, 0x12, 0x34, 0x56, 0x78, 0x20, 0x00};
    for (int i = 0; i < 9; ++i)
        sim.poke(0x0101 + i, bytes[i]);
    const Regs out = sim.step({.sp = 0x0100}, {0x3B});
    EXPECT_EQ(out, (Regs{.a = 0xAA, .b = 0xBB, .x = 0x1234, .y = 0x5678, .sp = 0x0109, .ccr = 0xC5}));
    std::vector<Event> expected;
    for (int i = 1; i <= 9; ++i)
        expected.push_back(R(0x0100 + i));
    EXPECT_EQ(sim.events, expected);
    EXPECT_EQ(sim.probePc(), 0x2000);
}

TEST(Events, RtiAcrossTheTopOfMemoryWrapsTheStackPointer) {
    Sim sim;
    const int bytes[] = {0x00, 0x02, 0x01, 0x11, 0x22, 0x33, 0x44, 0x30, 0x10};
    for (int i = 0; i < 9; ++i)
        sim.poke(0xFFFC + 1 + i, bytes[i]);
    const Regs out = sim.step({.sp = 0xFFFC}, {0x3B});
    EXPECT_EQ(out, (Regs{.a = 0x01, .b = 0x02, .x = 0x1122, .y = 0x3344, .sp = 0x0005, .ccr = 0x00}));
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0xFFFD), R(0xFFFE), R(0xFFFF), R(0x0000), R(0x0001),
                                              R(0x0002), R(0x0003), R(0x0004), R(0x0005)}));
    EXPECT_EQ(sim.probePc(), 0x3010);
}

TEST(Events, RtsPullsTheReturnAddress) {
    Sim sim;
    sim.pokeWord(0x0101, 0x4567);
    EXPECT_EQ(sim.step({.sp = 0x0100, .ccr = 0xFF}, {0x39}), (Regs{.sp = 0x0102, .ccr = 0xFF}));
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x0101), R(0x0102)}));
    EXPECT_EQ(sim.probePc(), 0x4567);
}

TEST(Events, IndexedAddressAboveTopOfMemoryGoesToZero) {
    runCases({
        {"LDAA ind,X at $FFF0+$20 reads $0000",
         {0xA6, 0x20},
         {.x = 0xFFF0},
         {.a = 0x99, .x = 0xFFF0, .ccr = cc("N")},
         {R(0x0000)},
         {{0x0000, 0x99}, {0x0010, 0x11}}},
        {"LDAA ind,Y at $FFFF+$FF reads $0000",
         {0x18, 0xA6, 0xFF},
         {.y = 0xFFFF},
         {.a = 0x99, .y = 0xFFFF, .ccr = cc("N")},
         {R(0x0000)},
         {{0x0000, 0x99}, {0x00FE, 0x11}}},
        {"STAA ind,Y at $FF80+$90 writes $0000",
         {0x18, 0xA7, 0x90},
         {.a = 0x3C, .y = 0xFF80},
         {.a = 0x3C, .y = 0xFF80},
         {W(0x0000, 0x3C)}},
        {"INC ind,X at $FFFF+$01 stays at $0000",
         {0x6C, 0x01},
         {.x = 0xFFFF},
         {.x = 0xFFFF},
         {R(0x0000), R(0x0000), W(0x0000, 0x06)},
         {{0x0000, 0x05}}},
        {"BSET ind,X above $FFFF",
         {0x1C, 0x10, 0x80},
         {.x = 0xFFF8},
         {.x = 0xFFF8, .ccr = cc("N")},
         {R(0x0000), W(0x0000, 0x81)},
         {{0x0000, 0x01}}},
        {"LDD ind,X at $FFFF+$01: both bytes at $0000",
         {0xEC, 0x01},
         {.x = 0xFFFF},
         {.a = 0x44, .b = 0x44, .x = 0xFFFF},
         {R(0x0000), R(0x0000)},
         {{0x0000, 0x44}}},
        {"STX ind,X at $FFFF+$00 writes $FFFF then $0000",
         {0xEF, 0x00},
         {.x = 0xFFFF},
         {.x = 0xFFFF, .ccr = cc("N")},
         {W(0xFFFF, 0xFF), W(0x0000, 0xFF)}},
    });
}

TEST(Events, ReadValueArrivesPresetToTheComputedAddress) {
    Sim sim;
    sim.answerReads = false;
    // A host that leaves Value alone reads the low byte of the address.
    Regs out = sim.step({}, {0xB6, 0x12, 0x34});
    EXPECT_EQ(out.a, 0x34);
    ASSERT_EQ(sim.readPresets.size(), 1u);
    EXPECT_EQ(sim.readPresets[0] & 0xFFFF, 0x1234);
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x1234)}));

    // Above $FFFF the address becomes 0, the preset keeps the low 16 bits.
    out = sim.step({.x = 0xFFF0}, {0xA6, 0x20});
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x0000)}));
    ASSERT_EQ(sim.readPresets.size(), 1u);
    EXPECT_EQ(sim.readPresets[0] & 0xFFFF, 0x0010);
    EXPECT_EQ(out.a, 0x10);

    out = sim.step({.x = 0xFFFF}, {0xEC, 0x01});
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x0000), R(0x0000)}));
    ASSERT_EQ(sim.readPresets.size(), 2u);
    EXPECT_EQ(sim.readPresets[0] & 0xFFFF, 0x0000);
    EXPECT_EQ(sim.readPresets[1] & 0xFFFF, 0x0001);
    EXPECT_EQ(out.d(), 0x0001);

    out = sim.step({}, {0xFE, 0xFF, 0xFF});
    ASSERT_EQ(sim.readPresets.size(), 2u);
    EXPECT_EQ(sim.readPresets[0] & 0xFFFF, 0xFFFF);
    EXPECT_EQ(out.x, 0xFF00);

    // Direct-mode word read: the low byte comes first.
    out = sim.step({}, {0xDC, 0x80});
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x81), R(0x80)}));
    EXPECT_EQ(out.d(), 0x8081);
}

TEST(Events, HostAssigningMoreThanAByteGivesTheLowByte) {
    Sim sim;
    sim.readHook = [](int32_t, int16_t& value) { value = 300; };
    EXPECT_EQ(sim.step({}, {0xB6, 0x12, 0x34}).a, 0x2C);
    sim.readHook = [](int32_t, int16_t& value) { value = -1; };
    EXPECT_EQ(sim.step({}, {0xF6, 0x12, 0x34}).b, 0xFF);
    sim.readHook = [](int32_t, int16_t& value) { value = 0x1280; };
    const Regs out = sim.step({}, {0xFC, 0x12, 0x34});
    EXPECT_EQ(out.d(), 0x8080);
    EXPECT_EQ(out.ccr, cc("N"));
}

TEST(Events, LaterReadSeesMemoryChangedByAnEarlierHandler) {
    Sim sim;
    sim.pokeWord(0x40, 0x1122);
    // LDD direct reads $41 first; the handler changes $40 before it is read.
    sim.readHook = [&sim](int32_t address, int16_t&) {
        if (address == 0x41) sim.poke(0x40, 0x77);
    };
    EXPECT_EQ(sim.step({}, {0xDC, 0x40}).d(), 0x7722);
    EXPECT_EQ(sim.events, (std::vector<Event>{R(0x41), R(0x40)}));
}

TEST(Events, WrittenValuesAreBytes) {
    // The WriteMemory value is 0..255 for every store, whatever the sign.
    Sim sim;
    sim.step({.a = -1, .sp = 0x0100}, {0x36});
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, 0xFF)}));
    sim.step({.x = -1, .sp = 0x0100}, {0x3C});
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x0100, 0xFF), W(0x00FF, 0xFF)}));
    sim.step({.b = 0x80}, {0xF7, 0x20, 0x00});
    EXPECT_EQ(sim.events, (std::vector<Event>{W(0x2000, 0x80)}));
}

} // namespace
} // namespace vantrel::test
