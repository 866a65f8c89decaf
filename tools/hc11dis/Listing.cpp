#include "Listing.h"

#include <span>

#include "codetools/CodeField.h"
#include "frame/NumberText.h"

namespace quorvel::hc11dis {

namespace {

// The longest instruction: prefix, opcode and three operand bytes.
constexpr int32_t kMaxInstruction = 5;

} // namespace

void ListRange(Disassembler& disassembler, TargetAccess& target, int32_t first, int32_t last,
               QTextStream& out) {
    TargetState& state = target.state();
    const int32_t pageSize = static_cast<int32_t>(state.ProgramPage.size());
    bool pageLoaded = false;
    for (int32_t address = first; address <= last;) {
        // Reload the page before an instruction could run past its end.
        if (!pageLoaded || address < state.ProgramPageAddress ||
            address - state.ProgramPageAddress > pageSize - kMaxInstruction) {
            state.ProgramPageAddress = address;
            target.InProgram();
            pageLoaded = true;
        }
        int32_t at = address;
        int16_t length = 0;
        QString text;
        disassembler.Disassemble(at, length, text);

        const auto code =
            std::span<const uint8_t>(state.ProgramPage)
                .subspan(static_cast<size_t>(at - state.ProgramPageAddress), static_cast<size_t>(length));
        out << " $" << HexPad(address & 0xFFFF, 4) << ": " << CodeField(code) << ' ' << ' ' << text << '\n';
        address += length;
    }
}

} // namespace quorvel::hc11dis
