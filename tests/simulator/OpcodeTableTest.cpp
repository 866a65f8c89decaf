// The library's opcode table against the published M68HC11 opcode map: for
// every byte of every page the operation, addressing mode, length, cycle count
// and defined/undefined status.
#include <algorithm>
#include <array>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "OpcodeReference.h"
#include "TestHost.h"
#include "vantrel/OpcodeTable.h"

namespace vantrel::test {
namespace {

std::string where(int page, int opcode) {
    return "page " + std::to_string(page) + " opcode " + hex(opcode, 2);
}

TEST(OpcodeTable, EveryByteOfEveryPageMatchesThePublishedMap) {
    for (int page = 1; page <= 4; ++page) {
        for (int byte = 0; byte < 256; ++byte) {
            SCOPED_TRACE(where(page, byte));
            const OpcodeInfo& info = opcodeInfo(page, static_cast<uint8_t>(byte));
            const auto ref = findRef(page, static_cast<uint8_t>(byte));
            if (ref) {
                EXPECT_TRUE(info.defined());
                EXPECT_EQ(mnemonic(info.op), ref->name);
                EXPECT_EQ(static_cast<int>(info.mode), static_cast<int>(ref->mode));
                EXPECT_EQ(info.length, refLength(*ref));
                EXPECT_EQ(info.cycles, ref->cycles);
            } else if (page == 1 && (byte == 0x18 || byte == 0x1A || byte == 0xCD)) {
                EXPECT_EQ(info.op, Op::Prefix);
                EXPECT_FALSE(info.defined());
                EXPECT_EQ(info.cycles, 0);
            } else {
                EXPECT_EQ(info.op, Op::Undefined);
                EXPECT_FALSE(info.defined());
                EXPECT_EQ(info.mode, AddrMode::Inherent);
                EXPECT_EQ(info.length, page == 1 ? 1 : 2);
                EXPECT_EQ(info.cycles, 0);
            }
        }
    }
}

TEST(OpcodeTable, UndefinedPageOneBytesAreExactlyTheKnownGaps) {
    const std::set<int> gaps = {0x41, 0x42, 0x45, 0x4B, 0x4E, 0x51, 0x52, 0x55, 0x5B, 0x5E,
                                0x61, 0x62, 0x65, 0x6B, 0x71, 0x72, 0x75, 0x7B, 0x87, 0xC7};
    const std::set<int> prefixes = {0x18, 0x1A, 0xCD};
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(where(1, byte));
        const OpcodeInfo& info = opcodeInfo(1, static_cast<uint8_t>(byte));
        EXPECT_EQ(info.defined(), !gaps.contains(byte) && !prefixes.contains(byte));
        EXPECT_EQ(info.op == Op::Undefined, gaps.contains(byte));
        EXPECT_EQ(info.op == Op::Prefix, prefixes.contains(byte));
    }
}

TEST(OpcodeTable, DefinedOpcodeCountPerPage) {
    const std::array<int, 4> expected = {233, 64, 7, 4};
    for (int page = 1; page <= 4; ++page) {
        int defined = 0;
        for (int byte = 0; byte < 256; ++byte)
            defined += opcodeInfo(page, static_cast<uint8_t>(byte)).defined();
        EXPECT_EQ(defined, expected[page - 1]) << "page " << page;
    }
}

TEST(OpcodeTable, NoPrefixEntriesOutsidePageOne) {
    for (int page = 2; page <= 4; ++page)
        for (int byte = 0; byte < 256; ++byte)
            EXPECT_NE(opcodeInfo(page, static_cast<uint8_t>(byte)).op, Op::Prefix) << where(page, byte);
}

TEST(OpcodeTable, EveryOperationAppearsInTheMap) {
    std::set<Op> seen;
    for (int page = 1; page <= 4; ++page)
        for (int byte = 0; byte < 256; ++byte)
            seen.insert(opcodeInfo(page, static_cast<uint8_t>(byte)).op);
    for (int op = static_cast<int>(Op::Prefix) + 1; op < static_cast<int>(Op::Count); ++op)
        EXPECT_TRUE(seen.contains(static_cast<Op>(op))) << mnemonic(static_cast<Op>(op));
}

struct CycleRow {
    int page;
    int opcode;
    int cycles;
    const char* what;
};

TEST(OpcodeTable, PublishedCycleCountsByFamily) {
    const CycleRow rows[] = {
        {1, 0x86, 2, "LDAA imm"},
        {1, 0x96, 3, "LDAA dir"},
        {1, 0xB6, 4, "LDAA ext"},
        {1, 0xA6, 4, "LDAA ind,X"},
        {2, 0xA6, 5, "LDAA ind,Y"},
        {1, 0x20, 3, "BRA"},
        {1, 0x21, 3, "BRN"},
        {1, 0x27, 3, "BEQ"},
        {1, 0x2F, 3, "BLE"},
        {1, 0x8D, 6, "BSR"},
        {1, 0x9D, 5, "JSR dir"},
        {1, 0xBD, 6, "JSR ext"},
        {1, 0xAD, 6, "JSR ind,X"},
        {2, 0xAD, 7, "JSR ind,Y"},
        {1, 0x39, 5, "RTS"},
        {1, 0x3B, 12, "RTI"},
        {1, 0x3F, 14, "SWI"},
        {1, 0x3E, 14, "WAI"},
        {1, 0x3D, 10, "MUL"},
        {1, 0x02, 41, "IDIV"},
        {1, 0x03, 41, "FDIV"},
        {1, 0x12, 6, "BRSET dir"},
        {1, 0x1E, 7, "BRSET ind,X"},
        {2, 0x1E, 8, "BRSET ind,Y"},
        {1, 0x13, 6, "BRCLR dir"},
        {1, 0x1F, 7, "BRCLR ind,X"},
        {2, 0x1F, 8, "BRCLR ind,Y"},
        {1, 0x14, 6, "BSET dir"},
        {1, 0x1C, 7, "BSET ind,X"},
        {2, 0x1C, 8, "BSET ind,Y"},
        {1, 0x00, 4, "TEST"},
        {1, 0x01, 2, "NOP"},
        {1, 0x7E, 3, "JMP ext"},
        {1, 0x6E, 3, "JMP ind,X"},
        {2, 0x6E, 4, "JMP ind,Y"},
        {1, 0x7C, 6, "INC ext"},
        {1, 0x6C, 6, "INC ind,X"},
        {2, 0x6C, 7, "INC ind,Y"},
        {1, 0x4C, 2, "INCA"},
        {1, 0x83, 4, "SUBD imm"},
        {1, 0x93, 5, "SUBD dir"},
        {1, 0xB3, 6, "SUBD ext"},
        {3, 0x83, 5, "CPD imm"},
        {3, 0x93, 6, "CPD dir"},
        {3, 0xB3, 7, "CPD ext"},
        {3, 0xA3, 7, "CPD ind,X"},
        {4, 0xA3, 7, "CPD ind,Y"},
        {2, 0x8C, 5, "CPY imm"},
        {4, 0xAC, 7, "CPX ind,Y"},
        {3, 0xAC, 7, "CPY ind,X"},
        {1, 0xCC, 3, "LDD imm"},
        {1, 0xFC, 5, "LDD ext"},
        {2, 0xEC, 6, "LDD ind,Y"},
        {2, 0xCE, 4, "LDY imm"},
        {2, 0xDE, 5, "LDY dir"},
        {3, 0xEE, 6, "LDY ind,X"},
        {2, 0xEE, 6, "LDY ind,Y"},
        {4, 0xEE, 6, "LDX ind,Y"},
        {1, 0xDD, 4, "STD dir"},
        {2, 0xDF, 5, "STY dir"},
        {1, 0x38, 5, "PULX"},
        {2, 0x38, 6, "PULY"},
        {1, 0x3C, 4, "PSHX"},
        {2, 0x3C, 5, "PSHY"},
        {1, 0x36, 3, "PSHA"},
        {1, 0x32, 4, "PULA"},
        {1, 0x8F, 3, "XGDX"},
        {2, 0x8F, 4, "XGDY"},
        {1, 0x08, 3, "INX"},
        {2, 0x08, 4, "INY"},
        {1, 0xCF, 2, "STOP"},
        {1, 0x19, 2, "DAA"},
        {1, 0x87, 0, "undefined $87"},
        {1, 0x41, 0, "undefined $41"},
        {2, 0x00, 0, "undefined $18 $00"},
        {3, 0x86, 0, "undefined $1A $86"},
        {4, 0x86, 0, "undefined $CD $86"},
    };
    for (const CycleRow& row : rows)
        EXPECT_EQ(opcodeInfo(row.page, static_cast<uint8_t>(row.opcode)).cycles, row.cycles) << row.what;
}

TEST(OpcodeTable, AddressingModeNumbering) {
    // The numbering is shared with the IDE's instruction analysis.
    EXPECT_EQ(static_cast<int>(AddrMode::Inherent), 0);
    EXPECT_EQ(static_cast<int>(AddrMode::Immediate8), 1);
    EXPECT_EQ(static_cast<int>(AddrMode::Immediate16), 2);
    EXPECT_EQ(static_cast<int>(AddrMode::Direct), 3);
    EXPECT_EQ(static_cast<int>(AddrMode::BitDirect), 4);
    EXPECT_EQ(static_cast<int>(AddrMode::BitBranchDirect), 5);
    EXPECT_EQ(static_cast<int>(AddrMode::Extended), 6);
    EXPECT_EQ(static_cast<int>(AddrMode::IndexedX), 7);
    EXPECT_EQ(static_cast<int>(AddrMode::BitIndexedX), 8);
    EXPECT_EQ(static_cast<int>(AddrMode::BitBranchIndexedX), 9);
    EXPECT_EQ(static_cast<int>(AddrMode::IndexedY), 10);
    EXPECT_EQ(static_cast<int>(AddrMode::BitIndexedY), 11);
    EXPECT_EQ(static_cast<int>(AddrMode::BitBranchIndexedY), 12);
    EXPECT_EQ(static_cast<int>(AddrMode::Relative), 13);
    EXPECT_EQ(kAddrModeCount, 14);
}

TEST(OpcodeTable, OperandCountByMode) {
    for (int mode = 0; mode < kAddrModeCount; ++mode)
        EXPECT_EQ(operandCount(static_cast<AddrMode>(mode)), refOperandBytes(static_cast<AddrMode>(mode)))
            << "mode " << mode;
}

TEST(OpcodeTable, DefinedLengthIsPrefixPlusOpcodePlusOperands) {
    for (int page = 1; page <= 4; ++page)
        for (int byte = 0; byte < 256; ++byte) {
            const OpcodeInfo& info = opcodeInfo(page, static_cast<uint8_t>(byte));
            if (!info.defined()) continue;
            EXPECT_EQ(info.length, (page > 1 ? 2 : 1) + refOperandBytes(info.mode)) << where(page, byte);
            EXPECT_GE(info.length, 1);
            EXPECT_LE(info.length, 5);
        }
}

TEST(OpcodeTable, PrefixBytesSelectPages) {
    EXPECT_EQ(pageOfPrefix(0x18), 2);
    EXPECT_EQ(pageOfPrefix(0x1A), 3);
    EXPECT_EQ(pageOfPrefix(0xCD), 4);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x18 || byte == 0x1A || byte == 0xCD) continue;
        EXPECT_EQ(pageOfPrefix(static_cast<uint8_t>(byte)), 1) << hex(byte, 2);
    }
    EXPECT_EQ(kPagePrefix[1], 0x18);
    EXPECT_EQ(kPagePrefix[2], 0x1A);
    EXPECT_EQ(kPagePrefix[3], 0xCD);
}

TEST(OpcodeTable, DecodeUsesTheSecondByteOnlyAfterAPrefix) {
    {
        const Decoded d = decode(0x86, 0x18);
        EXPECT_EQ(d.page, 1);
        EXPECT_EQ(d.opcode, 0x86);
        EXPECT_EQ(mnemonic(d.info->op), "LDAA");
        EXPECT_EQ(d.info->length, 2);
    }
    {
        const Decoded d = decode(0x18, 0x08);
        EXPECT_EQ(d.page, 2);
        EXPECT_EQ(d.opcode, 0x08);
        EXPECT_EQ(mnemonic(d.info->op), "INY");
        EXPECT_EQ(d.info->length, 2);
    }
    {
        const Decoded d = decode(0x1A, 0x83);
        EXPECT_EQ(d.page, 3);
        EXPECT_EQ(mnemonic(d.info->op), "CPD");
        EXPECT_EQ(d.info->mode, AddrMode::Immediate16);
        EXPECT_EQ(d.info->length, 4);
    }
    {
        const Decoded d = decode(0xCD, 0xEE);
        EXPECT_EQ(d.page, 4);
        EXPECT_EQ(mnemonic(d.info->op), "LDX");
        EXPECT_EQ(d.info->mode, AddrMode::IndexedY);
        EXPECT_EQ(d.info->length, 3);
    }
    {
        const Decoded d = decode(0x18, 0x1E);
        EXPECT_EQ(mnemonic(d.info->op), "BRSET");
        EXPECT_EQ(d.info->mode, AddrMode::BitBranchIndexedY);
        EXPECT_EQ(d.info->length, 5);
    }
    {
        const Decoded d = decode(0x18, 0x00);
        EXPECT_EQ(d.page, 2);
        EXPECT_FALSE(d.info->defined());
        EXPECT_EQ(d.info->length, 2);
        EXPECT_EQ(d.info->cycles, 0);
    }
    for (int first = 0; first < 256; ++first) {
        const Decoded d = decode(static_cast<uint8_t>(first), 0x3C);
        const int page = pageOfPrefix(static_cast<uint8_t>(first));
        EXPECT_EQ(d.page, page);
        EXPECT_EQ(d.info, &opcodeInfo(page, page == 1 ? static_cast<uint8_t>(first) : uint8_t{0x3C}));
    }
}

TEST(OpcodeTable, UsableAtCompileTime) {
    static_assert(opcodeInfo(1, 0x86).length == 2);
    static_assert(opcodeInfo(2, 0xCE).length == 4);
    static_assert(opcodeInfo(1, 0x3B).cycles == 12);
    static_assert(!opcodeInfo(1, 0x87).defined());
    static_assert(decode(0x1A, 0xEE).page == 3);
    SUCCEED();
}

} // namespace
} // namespace vantrel::test
