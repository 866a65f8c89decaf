// The messages of run control and the breakpoint table, shown through the
// host (RunHost::Message) with an exclamation icon.
#pragma once

#include <QString>

namespace quorvel {

inline const QString kSimulatorError = QStringLiteral("M68HC11 Simulator error !");
inline const QString kCalledDoStepOver = QStringLiteral("Procedure called: DoStepOver");
inline const QString kCalledDoStepOut = QStringLiteral("Procedure called: DoStepOut");
inline const QString kCalledRunHC11 = QStringLiteral("Procedure called: RunHC11");

inline const QString kBreakpointErrorTitle = QStringLiteral("Dravik - Breakpoint Error");
// Two lines; the leading blanks belong to the texts.
inline const QString kBreakpointFullText = QStringLiteral("  Can't Set Breakpoint !") + QLatin1Char('\n') +
                                           QStringLiteral(" (Max. Breakpoints = 32)");

} // namespace quorvel
