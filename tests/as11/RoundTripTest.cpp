// Round trip over the whole opcode map: every instruction is disassembled,
// the disassembler's text is assembled again, and the bytes must come back
// unchanged. This ties the assembler's syntax to the disassembler's output.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "As11.h"
#include "codetools/Disassembler.h"
#include "target/ImageTarget.h"
#include "vantrel/OpcodeTable.h"

namespace {

constexpr int32_t kOrigin = 0xC000;

// Operand bytes that keep the encoding unambiguous: extended addresses above
// $00FF (so the assembler does not pick direct mode), small branch offsets.
constexpr std::array<uint8_t, 3> operandBytes(vantrel::AddrMode mode) {
    using M = vantrel::AddrMode;
    switch (mode) {
    case M::Extended:
    case M::Immediate16: return {0x12, 0x34, 0x00};
    case M::Relative: return {0x10, 0x00, 0x00};
    case M::BitBranchDirect:
    case M::BitBranchIndexedX:
    case M::BitBranchIndexedY: return {0x44, 0x81, 0xF0};
    default: return {0x44, 0x81, 0x00};
    }
}

struct Case {
    std::vector<uint8_t> bytes;
};

std::vector<Case> everyInstruction() {
    std::vector<Case> cases;
    for (int page = 1; page <= vantrel::kPageCount; ++page) {
        for (int opcode = 0; opcode < 256; ++opcode) {
            const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, static_cast<uint8_t>(opcode));
            if (!info.defined() || info.op == vantrel::Op::TEST) continue;
            Case c;
            if (page > 1) c.bytes.push_back(vantrel::kPagePrefix[page - 1]);
            c.bytes.push_back(static_cast<uint8_t>(opcode));
            const auto operands = operandBytes(info.mode);
            for (int i = 0; i < vantrel::operandCount(info.mode); ++i)
                c.bytes.push_back(operands[i]);
            cases.push_back(c);
        }
    }
    return cases;
}

TEST(RoundTrip, EveryInstructionAssemblesBackToItsBytes) {
    const std::vector<Case> cases = everyInstruction();
    ASSERT_EQ(cases.size(), 307u);

    quorvel::TargetState state;
    quorvel::ImageTarget target(state);
    quorvel::Disassembler dis(state, target);
    for (const Case& c : cases) {
        target.OutBytes(kOrigin, c.bytes);
        state.ProgramPageAddress = kOrigin;
        target.InProgram();
        int32_t address = kOrigin;
        int16_t length = 0;
        QString text;
        dis.Disassemble(address, length, text);
        ASSERT_EQ(length, static_cast<int16_t>(c.bytes.size())) << text.toStdString();

        const std::string source = "        ORG $C000\n        " + text.toStdString() + "\n";
        const as11::Program program = as11::assembleProgram(source);
        ASSERT_TRUE(program.errors.empty())
            << text.toStdString() << ": " << (program.errors.empty() ? "" : program.errors[0].message);
        EXPECT_EQ(program.code, c.bytes) << text.toStdString();
    }
}

} // namespace
