#include "codetools/Mnemonics.h"

namespace quorvel {

std::string_view DisplayMnemonic(const vantrel::OpcodeInfo& info) {
    using vantrel::Op;
    switch (info.op) {
    case Op::Undefined:
    case Op::Prefix:
    case Op::TEST: return {};
    case Op::ASL: return "LSL";
    case Op::ASLA: return "LSLA";
    case Op::ASLB: return "LSLB";
    case Op::ASLD: return "LSLD";
    default: return vantrel::mnemonic(info.op);
    }
}

} // namespace quorvel
