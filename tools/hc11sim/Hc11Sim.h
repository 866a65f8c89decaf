// The hc11sim command: loads an S-record file onto a simulator target the way
// Download does, plays it with the IDE's run control until an idle loop, a
// breakpoint or the step limit, and prints what was asked for (SimOptions.h).
#pragma once

#include <QStringList>
#include <QTextStream>

namespace quorvel::hc11sim {

inline constexpr int kExitStopped = 0;   // an idle loop or a breakpoint
inline constexpr int kExitBadInput = 2;  // unreadable file, no valid S1 record, bad option
inline constexpr int kExitStepLimit = 3; // the step limit ran out

// args excludes the program name. Returns the exit status.
int RunHc11Sim(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace quorvel::hc11sim
