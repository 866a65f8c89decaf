// The 68HC11 opcode map: one constexpr table for all four opcode pages.
//
// Page 1 is the unprefixed map; the prefix bytes $18, $1A and $CD select pages
// 2, 3 and 4. Each entry names the operation, its addressing mode, its length
// in bytes (prefix included) and its E-clock cycles from the published M68HC11
// timing. The simulator's dispatch, the disassembler, the cycle counter and the
// assembler are all derived from this table.
//
//     const vantrel::Decoded d = vantrel::decode(bytes[0], bytes[1]);
//     if (d.info->defined()) printf("%s, %d bytes, %d cycles\n",
//                                   vantrel::mnemonic(d.info->op).data(), d.info->length, d.info->cycles);
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vantrel {

// The numbering is shared with the IDE's instruction analysis.
enum class AddrMode : uint8_t {
    Inherent = 0,
    Immediate8 = 1,
    Immediate16 = 2,
    Direct = 3,
    BitDirect = 4,       // BSET/BCLR: address, mask
    BitBranchDirect = 5, // BRSET/BRCLR: address, mask, offset
    Extended = 6,
    IndexedX = 7,
    BitIndexedX = 8,
    BitBranchIndexedX = 9,
    IndexedY = 10,
    BitIndexedY = 11,
    BitBranchIndexedY = 12,
    Relative = 13,
};
inline constexpr int kAddrModeCount = 14;

// Operand bytes that follow the opcode byte (after any prefix).
constexpr int operandCount(AddrMode mode) {
    switch (mode) {
    case AddrMode::Inherent: return 0;
    case AddrMode::Immediate8:
    case AddrMode::Direct:
    case AddrMode::IndexedX:
    case AddrMode::IndexedY:
    case AddrMode::Relative: return 1;
    case AddrMode::Immediate16:
    case AddrMode::Extended:
    case AddrMode::BitDirect:
    case AddrMode::BitIndexedX:
    case AddrMode::BitIndexedY: return 2;
    case AddrMode::BitBranchDirect:
    case AddrMode::BitBranchIndexedX:
    case AddrMode::BitBranchIndexedY: return 3;
    }
    return 0;
}

#define VANTREL_MNEMONICS(X)                                                                                 \
    X(ABA)                                                                                                   \
    X(ABX) X(ABY) X(ADCA) X(ADCB) X(ADDA) X(ADDB) X(ADDD) X(ANDA) X(ANDB) X(ASL) X(ASLA) X(ASLB) X(ASLD)     \
        X(ASR) X(ASRA) X(ASRB) X(BCC) X(BCLR) X(BCS) X(BEQ) X(BGE) X(BGT) X(BHI) X(BITA) X(BITB) X(BLE)      \
            X(BLS) X(BLT) X(BMI) X(BNE) X(BPL) X(BRA) X(BRCLR) X(BRN) X(BRSET) X(BSET) X(BSR) X(BVC) X(BVS)  \
                X(CBA) X(CLC) X(CLI) X(CLR) X(CLRA) X(CLRB) X(CLV) X(CMPA) X(CMPB) X(COM) X(COMA) X(COMB)    \
                    X(CPD) X(CPX) X(CPY) X(DAA) X(DEC) X(DECA) X(DECB) X(DES) X(DEX) X(DEY) X(EORA) X(EORB)  \
                        X(FDIV) X(IDIV) X(INC) X(INCA) X(INCB) X(INS) X(INX) X(INY) X(JMP) X(JSR) X(LDAA)    \
                            X(LDAB) X(LDD) X(LDS) X(LDX) X(LDY) X(LSR) X(LSRA) X(LSRB) X(LSRD) X(MUL) X(NEG) \
                                X(NEGA) X(NEGB) X(NOP) X(ORAA) X(ORAB) X(PSHA) X(PSHB) X(PSHX) X(PSHY)       \
                                    X(PULA) X(PULB) X(PULX) X(PULY) X(ROL) X(ROLA) X(ROLB) X(ROR) X(RORA)    \
                                        X(RORB) X(RTI) X(RTS) X(SBA) X(SBCA) X(SBCB) X(SEC) X(SEI) X(SEV)    \
                                            X(STAA) X(STAB) X(STD) X(STOP) X(STS) X(STX) X(STY) X(SUBA)      \
                                                X(SUBB) X(SUBD) X(SWI) X(TAB) X(TAP) X(TBA) X(TEST) X(TPA)   \
                                                    X(TST) X(TSTA) X(TSTB) X(TSX) X(TSY) X(TXS) X(TYS)       \
                                                        X(WAI) X(XGDX) X(XGDY)

// The operation of an opcode, named by its mnemonic. `Undefined` marks bytes
// that are not instructions on their page; `Prefix` marks $18, $1A, $CD on page 1.
enum class Op : uint8_t {
    Undefined,
    Prefix,
#define VANTREL_ENUM(name) name,
    VANTREL_MNEMONICS(VANTREL_ENUM)
#undef VANTREL_ENUM
        Count
};

constexpr std::string_view mnemonic(Op op) {
    constexpr std::string_view names[] = {"", "",
#define VANTREL_NAME(name) #name,
                                          VANTREL_MNEMONICS(VANTREL_NAME)
#undef VANTREL_NAME
    };
    return names[static_cast<int>(op)];
}

struct OpcodeInfo {
    Op op = Op::Undefined;
    AddrMode mode = AddrMode::Inherent;
    uint8_t length = 1; // bytes, prefix included
    uint8_t cycles = 0; // E-clock cycles; 0 for bytes that are not instructions

    constexpr bool defined() const { return op != Op::Undefined && op != Op::Prefix; }
};

inline constexpr int kPageCount = 4;
inline constexpr std::array<uint8_t, kPageCount> kPagePrefix = {0x00, 0x18, 0x1A, 0xCD};

// 2, 3 or 4 for a prefix byte, otherwise 1.
constexpr int pageOfPrefix(uint8_t byte) {
    return byte == 0x18 ? 2 : byte == 0x1A ? 3 : byte == 0xCD ? 4 : 1;
}

using OpcodePage = std::array<OpcodeInfo, 256>;
using OpcodeMap = std::array<OpcodePage, kPageCount>;

namespace detail {

// Cycles by mode for the families of the $8x..$Fx rows, in the order
// immediate, direct, indexed X, extended, indexed Y.
struct CycleClass {
    uint8_t imm, dir, idx, ext, idy;
};
inline constexpr CycleClass kByteOp{2, 3, 4, 4, 5};    // 8-bit loads, stores, ALU
inline constexpr CycleClass kWordArith{4, 5, 6, 6, 7}; // SUBD, ADDD, CPD, CPX, CPY
inline constexpr CycleClass kWordLoad{3, 4, 5, 5, 6};  // LDD, LDS, LDX, LDY, and the 16-bit stores
inline constexpr CycleClass kJsr{0, 5, 6, 6, 7};

constexpr bool takesWordOperand(Op op) {
    using enum Op;
    return op == SUBD || op == ADDD || op == CPD || op == CPX || op == CPY || op == LDD || op == LDX ||
           op == LDY || op == LDS;
}

constexpr CycleClass cycleClass(Op op) {
    using enum Op;
    if (op == SUBD || op == ADDD || op == CPD || op == CPX || op == CPY) return kWordArith;
    if (op == LDD || op == LDS || op == LDX || op == LDY || op == STD || op == STS || op == STX || op == STY)
        return kWordLoad;
    if (op == JSR) return kJsr;
    return kByteOp;
}

class MapBuilder {
public:
    constexpr MapBuilder() {
        // A byte that is not an instruction occupies one byte, or two after a prefix.
        for (int page = 1; page <= kPageCount; ++page)
            for (auto& entry : map_[page - 1])
                entry.length = page == 1 ? 1 : 2;
    }

    constexpr void put(int page, int opcode, Op op, AddrMode mode, int cycles) {
        map_[page - 1][opcode] =
            OpcodeInfo{op, mode, static_cast<uint8_t>(1 + (page > 1) + operandCount(mode)),
                       static_cast<uint8_t>(cycles)};
    }

    // One row of sixteen operations sharing a mode ($8x..$Fx); Undefined
    // entries are skipped, so callers override the odd columns afterwards.
    constexpr void putRow(int page, int base, const std::array<Op, 16>& ops, AddrMode mode) {
        for (int i = 0; i < 16; ++i) {
            const Op op = ops[i];
            if (op == Op::Undefined) continue;
            const CycleClass c = cycleClass(op);
            AddrMode m = mode;
            int cycles = 0;
            switch (mode) {
            case AddrMode::Immediate8:
                m = takesWordOperand(op) ? AddrMode::Immediate16 : mode;
                cycles = c.imm;
                break;
            case AddrMode::Direct: cycles = c.dir; break;
            case AddrMode::IndexedX: cycles = c.idx; break;
            case AddrMode::Extended: cycles = c.ext; break;
            case AddrMode::IndexedY: cycles = c.idy; break;
            default: break;
            }
            put(page, base + i, op, m, cycles);
        }
    }

    constexpr const OpcodeMap& map() const { return map_; }

private:
    OpcodeMap map_{};
};

constexpr OpcodeMap buildOpcodeMap() {
    using enum Op;
    using M = AddrMode;
    constexpr Op U = Undefined;
    MapBuilder b;

    // Page 1, $00..$3F.
    constexpr std::array<Op, 16> row0{TEST, NOP, IDIV, FDIV, LSRD, ASLD, TAP, TPA,
                                      INX,  DEX, CLV,  SEV,  CLC,  SEC,  CLI, SEI};
    constexpr std::array<int, 16> row0Cycles{4, 2, 41, 41, 3, 3, 2, 2, 3, 3, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < 16; ++i)
        b.put(1, i, row0[i], M::Inherent, row0Cycles[i]);
    b.put(1, 0x10, SBA, M::Inherent, 2);
    b.put(1, 0x11, CBA, M::Inherent, 2);
    b.put(1, 0x12, BRSET, M::BitBranchDirect, 6);
    b.put(1, 0x13, BRCLR, M::BitBranchDirect, 6);
    b.put(1, 0x14, BSET, M::BitDirect, 6);
    b.put(1, 0x15, BCLR, M::BitDirect, 6);
    b.put(1, 0x16, TAB, M::Inherent, 2);
    b.put(1, 0x17, TBA, M::Inherent, 2);
    b.put(1, 0x19, DAA, M::Inherent, 2);
    b.put(1, 0x1B, ABA, M::Inherent, 2);
    b.put(1, 0x1C, BSET, M::BitIndexedX, 7);
    b.put(1, 0x1D, BCLR, M::BitIndexedX, 7);
    b.put(1, 0x1E, BRSET, M::BitBranchIndexedX, 7);
    b.put(1, 0x1F, BRCLR, M::BitBranchIndexedX, 7);
    constexpr std::array<Op, 16> branches{BRA, BRN, BHI, BLS, BCC, BCS, BNE, BEQ,
                                          BVC, BVS, BPL, BMI, BGE, BLT, BGT, BLE};
    for (int i = 0; i < 16; ++i)
        b.put(1, 0x20 + i, branches[i], M::Relative, 3);
    constexpr std::array<Op, 16> row3{TSX,  INS, PULA, PULB, DES,  TXS, PSHA, PSHB,
                                      PULX, RTS, ABX,  RTI,  PSHX, MUL, WAI,  SWI};
    constexpr std::array<int, 16> row3Cycles{3, 3, 4, 4, 3, 3, 3, 3, 5, 5, 3, 12, 4, 10, 14, 14};
    for (int i = 0; i < 16; ++i)
        b.put(1, 0x30 + i, row3[i], M::Inherent, row3Cycles[i]);

    // Page 1, $40..$7F: single-operand operations on A, B and memory.
    constexpr std::array<Op, 16> onA{NEGA, U,    U,    COMA, LSRA, U,    RORA, ASRA,
                                     ASLA, ROLA, DECA, U,    INCA, TSTA, U,    CLRA};
    constexpr std::array<Op, 16> onB{NEGB, U,    U,    COMB, LSRB, U,    RORB, ASRB,
                                     ASLB, ROLB, DECB, U,    INCB, TSTB, U,    CLRB};
    constexpr std::array<Op, 16> onMem{NEG, U,   U,   COM, LSR, U,   ROR, ASR,
                                       ASL, ROL, DEC, U,   INC, TST, JMP, CLR};
    for (int i = 0; i < 16; ++i) {
        if (onA[i] != U) b.put(1, 0x40 + i, onA[i], M::Inherent, 2);
        if (onB[i] != U) b.put(1, 0x50 + i, onB[i], M::Inherent, 2);
        if (onMem[i] == U) continue;
        const bool jmp = onMem[i] == JMP;
        b.put(1, 0x60 + i, onMem[i], M::IndexedX, jmp ? 3 : 6);
        b.put(1, 0x70 + i, onMem[i], M::Extended, jmp ? 3 : 6);
        b.put(2, 0x60 + i, onMem[i], M::IndexedY, jmp ? 4 : 7);
    }

    // Page 1, $80..$FF: accumulator A / X-stack rows and accumulator B / D-X rows.
    constexpr std::array<Op, 16> colsA{SUBA, CMPA, SBCA, SUBD, ANDA, BITA, LDAA, STAA,
                                       EORA, ADCA, ORAA, ADDA, CPX,  JSR,  LDS,  STS};
    constexpr std::array<Op, 16> colsB{SUBB, CMPB, SBCB, ADDD, ANDB, BITB, LDAB, STAB,
                                       EORB, ADCB, ORAB, ADDB, LDD,  STD,  LDX,  STX};
    b.putRow(1, 0x80, {SUBA, CMPA, SBCA, SUBD, ANDA, BITA, LDAA, U, EORA, ADCA, ORAA, ADDA, CPX, U, LDS, U},
             M::Immediate8);
    b.put(1, 0x8D, BSR, M::Relative, 6);
    b.put(1, 0x8F, XGDX, M::Inherent, 3);
    b.putRow(1, 0x90, colsA, M::Direct);
    b.putRow(1, 0xA0, colsA, M::IndexedX);
    b.putRow(1, 0xB0, colsA, M::Extended);
    b.putRow(1, 0xC0, {SUBB, CMPB, SBCB, ADDD, ANDB, BITB, LDAB, U, EORB, ADCB, ORAB, ADDB, LDD, U, LDX, U},
             M::Immediate8);
    b.put(1, 0xCD, Prefix, M::Inherent, 0);
    b.put(1, 0xCF, STOP, M::Inherent, 2);
    b.putRow(1, 0xD0, colsB, M::Direct);
    b.putRow(1, 0xE0, colsB, M::IndexedX);
    b.putRow(1, 0xF0, colsB, M::Extended);
    b.put(1, 0x18, Prefix, M::Inherent, 0);
    b.put(1, 0x1A, Prefix, M::Inherent, 0);

    // Page 2 ($18): the Y counterparts.
    b.put(2, 0x08, INY, M::Inherent, 4);
    b.put(2, 0x09, DEY, M::Inherent, 4);
    b.put(2, 0x30, TSY, M::Inherent, 4);
    b.put(2, 0x35, TYS, M::Inherent, 4);
    b.put(2, 0x38, PULY, M::Inherent, 6);
    b.put(2, 0x3A, ABY, M::Inherent, 4);
    b.put(2, 0x3C, PSHY, M::Inherent, 5);
    b.put(2, 0x8F, XGDY, M::Inherent, 4);
    b.put(2, 0x1C, BSET, M::BitIndexedY, 8);
    b.put(2, 0x1D, BCLR, M::BitIndexedY, 8);
    b.put(2, 0x1E, BRSET, M::BitBranchIndexedY, 8);
    b.put(2, 0x1F, BRCLR, M::BitBranchIndexedY, 8);
    b.put(2, 0x8C, CPY, M::Immediate16, 5);
    b.put(2, 0x9C, CPY, M::Direct, 6);
    b.put(2, 0xBC, CPY, M::Extended, 7);
    b.put(2, 0xCE, LDY, M::Immediate16, 4);
    b.put(2, 0xDE, LDY, M::Direct, 5);
    b.put(2, 0xDF, STY, M::Direct, 5);
    b.put(2, 0xFE, LDY, M::Extended, 6);
    b.put(2, 0xFF, STY, M::Extended, 6);
    std::array<Op, 16> colsAY = colsA;
    colsAY[0xC] = CPY;
    std::array<Op, 16> colsBY = colsB;
    colsBY[0xE] = LDY;
    colsBY[0xF] = STY;
    b.putRow(2, 0xA0, colsAY, M::IndexedY);
    b.putRow(2, 0xE0, colsBY, M::IndexedY);

    // Page 3 ($1A) and page 4 ($CD).
    b.put(3, 0x83, CPD, M::Immediate16, 5);
    b.put(3, 0x93, CPD, M::Direct, 6);
    b.put(3, 0xA3, CPD, M::IndexedX, 7);
    b.put(3, 0xB3, CPD, M::Extended, 7);
    b.put(3, 0xAC, CPY, M::IndexedX, 7);
    b.put(3, 0xEE, LDY, M::IndexedX, 6);
    b.put(3, 0xEF, STY, M::IndexedX, 6);
    b.put(4, 0xA3, CPD, M::IndexedY, 7);
    b.put(4, 0xAC, CPX, M::IndexedY, 7);
    b.put(4, 0xEE, LDX, M::IndexedY, 6);
    b.put(4, 0xEF, STX, M::IndexedY, 6);
    return b.map();
}

} // namespace detail

inline constexpr OpcodeMap kOpcodeMap = detail::buildOpcodeMap();

// page 1..4
constexpr const OpcodeInfo& opcodeInfo(int page, uint8_t opcode) {
    return kOpcodeMap[page - 1][opcode];
}

// The instruction that starts with `first` (and `second`, used after a prefix).
struct Decoded {
    int page;       // 1..4
    uint8_t opcode; // the byte looked up on that page
    const OpcodeInfo* info;
};

constexpr Decoded decode(uint8_t first, uint8_t second) {
    const int page = pageOfPrefix(first);
    const uint8_t opcode = page == 1 ? first : second;
    return {page, opcode, &kOpcodeMap[page - 1][opcode]};
}

} // namespace vantrel
