// Instruction dispatch: one handler table per opcode page, generated at
// compile time from the opcode table.
#include <array>
#include <utility>

#include "Dispatch.h"
#include "Instructions.h"

namespace vantrel {
namespace {

using Handler = void (*)(CpuState&);

template <int Page>
void dispatchPage(CpuState& s);

template <int Page, int Opcode>
void handle(CpuState& s) {
    constexpr OpcodeInfo info = kOpcodeMap[Page - 1][Opcode];
    if constexpr (info.op == Op::Prefix) {
        dispatchPage<pageOfPrefix(Opcode)>(s);
    } else if constexpr (info.defined() && info.op != Op::TEST) {
        execute<info.op, info.mode, Page == 1 ? 1 : 2, info.length>(s);
    }
    // TEST and bytes that are not instructions change nothing, not even PC.
}

template <int Page, std::size_t... Opcodes>
constexpr std::array<Handler, 256> makeHandlers(std::index_sequence<Opcodes...>) {
    return {&handle<Page, static_cast<int>(Opcodes)>...};
}

template <int Page>
constexpr std::array<Handler, 256> kHandlers = makeHandlers<Page>(std::make_index_sequence<256>{});

template <int Page>
void dispatchPage(CpuState& s) {
    kHandlers<Page>[s.Instr[1]](s);
}

} // namespace

void detail::executeInstruction(CpuState& cpu) {
    kHandlers<1>[cpu.Instr[0]](cpu);
}

void ExecuteInstruction(CpuState& cpu) {
    detail::executeInstruction(cpu);
}

} // namespace vantrel
