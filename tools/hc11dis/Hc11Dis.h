// The hc11dis command: hc11dis [--org ADDR] FILE
//
// FILE is an S-record file (recognised by its content: text lines starting
// with "S"), whose valid S1 records are loaded, or a raw binary loaded at ADDR
// (default $0000; "$E000", "57344", "%...", "@..."). Each contiguous loaded
// range is disassembled from its start to its end.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace quorvel::hc11dis {

inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 2;

// args excludes the program name. Returns the exit status.
int RunHc11Dis(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace quorvel::hc11dis
