// The texts of the status bar's five panels:
//   1 the board link, 2 the downloaded program, 3 the symbol file,
//   4 the cycle counter, 5 the editor's caret position.
#pragma once

#include <cstdint>

#include <QString>

namespace quorvel {

inline constexpr int kPanelBoard = 1;
inline constexpr int kPanelProgram = 2;
inline constexpr int kPanelSymbols = 3;
inline constexpr int kPanelClock = 4;
inline constexpr int kPanelCaret = 5;
inline constexpr int kPanelCount = 5;

inline const QString kBoardReady = QStringLiteral("HC11 Board: Ready");
inline const QString kBoardRunning = QStringLiteral("HC11 Board: Running ...");
inline const QString kBoardNotResponding = QStringLiteral("HC11 Board: Not Responding !");
inline const QString kBoardNotConnected = QStringLiteral("HC11 Board: Not Connected !");
inline const QString kBoardPortError = QStringLiteral("HC11 Board: Communication Port Error !");
inline const QString kSimulatorMode = QStringLiteral("Simulator mode");

inline const QString kNoProgram = QStringLiteral("Program: <None>");
inline const QString kNoSymbols = QStringLiteral("Symbols: <None>");

// "Clock= " and the count with at least eight digits: "Clock= 00000042".
QString ClockText(int64_t count);

} // namespace quorvel
