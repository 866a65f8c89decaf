// One template instance per opcode: the addressing mode supplies the operand
// (raising the memory events in order), the operation computes the result and
// the flags (Algorithms.h). `o` is the index of the first operand byte in
// Instr, `Len` the instruction length; both come from the opcode table.
#pragma once

#include "Addressing.h"
#include "Algorithms.h"

namespace vantrel {

template <Op O>
inline constexpr bool kUnhandledOp = false;

template <Op O>
inline bool branchTaken(uint8_t ccr) {
    using enum Op;
    const bool c = ccr & CcrC, v = ccr & CcrV, z = ccr & CcrZ, n = ccr & CcrN;
    if constexpr (O == BRA)
        return true;
    else if constexpr (O == BRN)
        return false;
    else if constexpr (O == BHI)
        return !(c || z);
    else if constexpr (O == BLS)
        return c || z;
    else if constexpr (O == BCC)
        return !c;
    else if constexpr (O == BCS)
        return c;
    else if constexpr (O == BNE)
        return !z;
    else if constexpr (O == BEQ)
        return z;
    else if constexpr (O == BVC)
        return !v;
    else if constexpr (O == BVS)
        return v;
    else if constexpr (O == BPL)
        return !n;
    else if constexpr (O == BMI)
        return n;
    else if constexpr (O == BGE)
        return n == v;
    else if constexpr (O == BLT)
        return n != v;
    else if constexpr (O == BGT)
        return !(z || n != v);
    else if constexpr (O == BLE)
        return z || n != v;
    else
        static_assert(kUnhandledOp<O>, "not a branch");
}

inline uint16_t branchTarget(uint16_t next, uint8_t offset) {
    return static_cast<uint16_t>(next + static_cast<int8_t>(offset));
}

// Read-modify-write of a memory byte: one read, one write.
template <AddrMode M, int o, typename F>
inline void modifyMemory(CpuState& s, F operation) {
    const uint32_t ea = effectiveAddress<M, o>(s);
    s.WriteMemoryByte(ea, operation(s.ReadMemoryByte(ea)));
}

// Instructions that neither jump nor branch; the caller advances PC.
template <Op O, AddrMode M, int o>
inline void executeData(CpuState& s) {
    using enum Op;
    using namespace alg;
    constexpr bool lowFirst = M == AddrMode::Direct || (O == ADDD && M == AddrMode::Extended);
    // Template lambdas, so that only the modes an operation has are instantiated.
    auto byteOperand = [&s]<int = 0>() {
        return readByte<M, o>(s);
    };
    auto wordOperand = [&s]<int = 0>() {
        return readWord<M, o, lowFirst>(s);
    };

    // 8-bit arithmetic and logic
    if constexpr (O == ADDA)
        s.A = add8(s, s.A, byteOperand(), false);
    else if constexpr (O == ADDB)
        s.B = add8(s, s.B, byteOperand(), false);
    else if constexpr (O == ADCA)
        s.A = add8(s, s.A, byteOperand(), s.flag(CcrC));
    else if constexpr (O == ADCB)
        s.B = add8(s, s.B, byteOperand(), s.flag(CcrC));
    else if constexpr (O == ABA)
        s.A = add8(s, s.A, s.B, false);
    else if constexpr (O == SUBA)
        s.A = sub8(s, s.A, byteOperand(), false);
    else if constexpr (O == SUBB)
        s.B = sub8(s, s.B, byteOperand(), false);
    else if constexpr (O == SBCA)
        s.A = sub8(s, s.A, byteOperand(), s.flag(CcrC));
    else if constexpr (O == SBCB)
        s.B = sub8(s, s.B, byteOperand(), s.flag(CcrC));
    else if constexpr (O == SBA)
        s.A = sub8(s, s.A, s.B, false);
    else if constexpr (O == CMPA)
        sub8(s, s.A, byteOperand(), false);
    else if constexpr (O == CMPB)
        sub8(s, s.B, byteOperand(), false);
    else if constexpr (O == CBA)
        sub8(s, s.A, s.B, false);
    else if constexpr (O == ANDA)
        s.A = logic8(s, s.A & byteOperand());
    else if constexpr (O == ANDB)
        s.B = logic8(s, s.B & byteOperand());
    else if constexpr (O == BITA)
        logic8(s, s.A & byteOperand());
    else if constexpr (O == BITB)
        logic8(s, s.B & byteOperand());
    else if constexpr (O == EORA)
        s.A = logic8(s, s.A ^ byteOperand());
    else if constexpr (O == EORB)
        s.B = logic8(s, s.B ^ byteOperand());
    else if constexpr (O == ORAA)
        s.A = logic8(s, s.A | byteOperand());
    else if constexpr (O == ORAB)
        s.B = logic8(s, s.B | byteOperand());
    else if constexpr (O == LDAA)
        s.A = logic8(s, byteOperand());
    else if constexpr (O == LDAB)
        s.B = logic8(s, byteOperand());
    else if constexpr (O == STAA)
        writeByte<M, o>(s, logic8(s, s.A));
    else if constexpr (O == STAB)
        writeByte<M, o>(s, logic8(s, s.B));
    else if constexpr (O == TAB)
        s.B = logic8(s, s.A);
    else if constexpr (O == TBA)
        s.A = logic8(s, s.B);
    else if constexpr (O == DAA)
        daa(s);

    // single-operand operations on A, B and memory
    else if constexpr (O == NEGA)
        s.A = neg(s, s.A);
    else if constexpr (O == NEGB)
        s.B = neg(s, s.B);
    else if constexpr (O == NEG)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return neg(s, m); });
    else if constexpr (O == COMA)
        s.A = com(s, s.A);
    else if constexpr (O == COMB)
        s.B = com(s, s.B);
    else if constexpr (O == COM)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return com(s, m); });
    else if constexpr (O == LSRA)
        s.A = lsr(s, s.A);
    else if constexpr (O == LSRB)
        s.B = lsr(s, s.B);
    else if constexpr (O == LSR)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return lsr(s, m); });
    else if constexpr (O == RORA)
        s.A = ror(s, s.A);
    else if constexpr (O == RORB)
        s.B = ror(s, s.B);
    else if constexpr (O == ROR)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return ror(s, m); });
    else if constexpr (O == ASRA)
        s.A = asr(s, s.A);
    else if constexpr (O == ASRB)
        s.B = asr(s, s.B);
    else if constexpr (O == ASR)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return asr(s, m); });
    else if constexpr (O == ASLA)
        s.A = asl(s, s.A);
    else if constexpr (O == ASLB)
        s.B = asl(s, s.B);
    else if constexpr (O == ASL)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return asl(s, m); });
    else if constexpr (O == ROLA)
        s.A = rol(s, s.A);
    else if constexpr (O == ROLB)
        s.B = rol(s, s.B);
    else if constexpr (O == ROL)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return rol(s, m); });
    else if constexpr (O == DECA)
        s.A = dec(s, s.A);
    else if constexpr (O == DECB)
        s.B = dec(s, s.B);
    else if constexpr (O == DEC)
        modifyMemory<M, o>(s, [&s](uint8_t m) { return dec(s, m); });
    else if constexpr (O == INCA)
        s.A = inc(s, s.A, s.A);
    else if constexpr (O == INCB)
        s.B = inc(s, s.B, s.B);
    else if constexpr (O == INC) {
        // Reads its operand twice: the result comes from the first read, V from the second.
        const uint32_t ea = effectiveAddress<M, o>(s);
        const uint8_t first = s.ReadMemoryByte(ea);
        const uint8_t second = s.ReadMemoryByte(ea);
        s.WriteMemoryByte(ea, inc(s, first, second));
    } else if constexpr (O == TSTA)
        tst(s, s.A);
    else if constexpr (O == TSTB)
        tst(s, s.B);
    else if constexpr (O == TST)
        tst(s, byteOperand());
    else if constexpr (O == CLRA)
        s.A = clr(s);
    else if constexpr (O == CLRB)
        s.B = clr(s);
    else if constexpr (O == CLR)
        writeByte<M, o>(s, clr(s));

    // 16-bit arithmetic, loads and stores
    else if constexpr (O == ADDD)
        s.setD(add16(s, s.D(), wordOperand()));
    else if constexpr (O == SUBD)
        s.setD(sub16(s, s.D(), wordOperand()));
    else if constexpr (O == CPD)
        sub16(s, s.D(), wordOperand());
    else if constexpr (O == CPX)
        sub16(s, s.X, wordOperand());
    else if constexpr (O == CPY)
        sub16(s, s.Y, wordOperand());
    else if constexpr (O == LDD)
        s.setD(logic16(s, wordOperand()));
    else if constexpr (O == LDX)
        s.X = logic16(s, wordOperand());
    else if constexpr (O == LDY)
        s.Y = logic16(s, wordOperand());
    else if constexpr (O == LDS)
        s.SP = logic16(s, wordOperand());
    else if constexpr (O == STD)
        writeWord<M, o>(s, logic16(s, s.D()));
    else if constexpr (O == STX)
        writeWord<M, o>(s, logic16(s, s.X));
    else if constexpr (O == STY)
        writeWord<M, o>(s, logic16(s, s.Y));
    else if constexpr (O == STS)
        writeWord<M, o>(s, logic16(s, s.SP));
    else if constexpr (O == INX)
        setFlags(s, CcrZ, flagIf(++s.X == 0, CcrZ));
    else if constexpr (O == DEX)
        setFlags(s, CcrZ, flagIf(--s.X == 0, CcrZ));
    else if constexpr (O == INY)
        setFlags(s, CcrZ, flagIf(++s.Y == 0, CcrZ));
    else if constexpr (O == DEY)
        setFlags(s, CcrZ, flagIf(--s.Y == 0, CcrZ));
    else if constexpr (O == INS)
        ++s.SP;
    else if constexpr (O == DES)
        --s.SP;
    else if constexpr (O == TSX)
        s.X = static_cast<uint16_t>(s.SP + 1);
    else if constexpr (O == TSY)
        s.Y = static_cast<uint16_t>(s.SP + 1);
    else if constexpr (O == TXS)
        s.SP = static_cast<uint16_t>(s.X - 1);
    else if constexpr (O == TYS)
        s.SP = static_cast<uint16_t>(s.Y - 1);
    else if constexpr (O == ABX)
        s.X = static_cast<uint16_t>(s.X + s.B);
    else if constexpr (O == ABY)
        s.Y = static_cast<uint16_t>(s.Y + s.B);
    else if constexpr (O == XGDX) {
        const uint16_t d = s.D();
        s.setD(s.X);
        s.X = d;
    } else if constexpr (O == XGDY) {
        const uint16_t d = s.D();
        s.setD(s.Y);
        s.Y = d;
    } else if constexpr (O == ASLD)
        s.setD(asld(s, s.D()));
    else if constexpr (O == LSRD)
        s.setD(lsrd(s, s.D()));
    else if constexpr (O == MUL)
        mul(s);
    else if constexpr (O == IDIV)
        idiv(s);
    else if constexpr (O == FDIV)
        fdiv(s);

    // condition codes
    else if constexpr (O == TAP)
        tap(s);
    else if constexpr (O == TPA)
        s.A = s.CCR;
    else if constexpr (O == CLC)
        setFlags(s, CcrC, 0);
    else if constexpr (O == SEC)
        setFlags(s, CcrC, CcrC);
    else if constexpr (O == CLV)
        setFlags(s, CcrV, 0);
    else if constexpr (O == SEV)
        setFlags(s, CcrV, CcrV);
    else if constexpr (O == CLI)
        setFlags(s, CcrI, 0);
    else if constexpr (O == SEI)
        setFlags(s, CcrI, CcrI);

    // stack
    else if constexpr (O == PSHA)
        push(s, s.A);
    else if constexpr (O == PSHB)
        push(s, s.B);
    else if constexpr (O == PSHX)
        pushWord(s, s.X);
    else if constexpr (O == PSHY)
        pushWord(s, s.Y);
    else if constexpr (O == PULA)
        s.A = pull(s);
    else if constexpr (O == PULB)
        s.B = pull(s);
    else if constexpr (O == PULX)
        s.X = pullWord(s);
    else if constexpr (O == PULY)
        s.Y = pullWord(s);

    // bit manipulation
    else if constexpr (O == BSET) {
        const uint8_t mask = s.Instr[o + 1];
        modifyMemory<M, o>(s, [&s, mask](uint8_t m) { return bitSet(s, m, mask); });
    } else if constexpr (O == BCLR) {
        const uint8_t mask = s.Instr[o + 1];
        modifyMemory<M, o>(s, [&s, mask](uint8_t m) { return bitClear(s, m, mask); });
    }

    // WAI and SWI stack nothing and read no vector: the host handles interrupts.
    else if constexpr (O == NOP || O == WAI || O == SWI) {
    } else
        static_assert(kUnhandledOp<O>, "operation without an implementation");
}

template <Op O, AddrMode M, int o, int Len>
inline void execute(CpuState& s) {
    using enum Op;
    const uint16_t next = static_cast<uint16_t>(s.PC + Len);
    if constexpr (M == AddrMode::Relative && O != BSR) {
        s.PC = branchTaken<O>(s.CCR) ? branchTarget(next, s.Instr[o]) : next;
    } else if constexpr (O == BSR) {
        pushWord(s, next);
        s.PC = branchTarget(next, s.Instr[o]);
    } else if constexpr (O == JSR) {
        const uint32_t ea = effectiveAddress<M, o>(s);
        pushWord(s, next);
        s.PC = static_cast<uint16_t>(ea);
    } else if constexpr (O == JMP) {
        s.PC = static_cast<uint16_t>(effectiveAddress<M, o>(s));
    } else if constexpr (O == RTS) {
        s.PC = pullWord(s);
    } else if constexpr (O == RTI) {
        s.CCR = pull(s); // whole, X bit included
        s.B = pull(s);
        s.A = pull(s);
        s.X = pullWord(s);
        s.Y = pullWord(s);
        s.PC = pullWord(s);
    } else if constexpr (O == BRSET || O == BRCLR) {
        const uint8_t m = readByte<M, o>(s);
        const uint8_t mask = s.Instr[o + 1];
        const bool taken = O == BRSET ? (~m & mask) == 0 : (m & mask) == 0;
        s.PC = taken ? branchTarget(next, s.Instr[o + 2]) : next;
    } else if constexpr (O == STOP) {
        // STOP is disabled unless S is set; enabled, it only moves on.
        if (s.flag(CcrS)) s.PC = next;
    } else {
        executeData<O, M, o>(s);
        s.PC = next;
    }
}

} // namespace vantrel
