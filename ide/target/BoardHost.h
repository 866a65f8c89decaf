// What the board link needs from the window that hosts it: the target choice,
// status panel 1, the Run command, event processing, run control's state and
// procedures, and the serial terminal. The main window implements it; tests
// and tools implement it with plain fields.
//
//     class Host : public BoardHost {
//         bool SimulatorSelected() const override { return sim; }
//         void ShowBoardStatus(const QString& text) override { status = text; }
//         ...
//     };
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

class BoardHost {
public:
    virtual ~BoardHost() = default;

    // SimEnabled: the simulator is the target, not the board.
    virtual bool SimulatorSelected() const = 0;
    // Status bar panel 1.
    virtual void ShowBoardStatus(const QString& text) = 0;
    // The Run menu item and the Run toolbar button.
    virtual void EnableRunCommand(bool enabled) = 0;
    // Lets pending window messages run (timers, menu commands, Pause).
    virtual void ProcessEvents() = 0;

    // ---- Run control ----
    // Running: the board runs the user program freely.
    virtual bool Running() const = 0;
    virtual void SetRunning(bool running) = 0;
    virtual void ThawDisplay() = 0;
    virtual void RefreshRun() = 0;
    // ClockCount := 0.
    virtual void ResetClockCount() = 0;

    // ---- Serial terminal ----
    // What the board sent on its serial line: shown by the serial terminal
    // when its window is open (mnuViewSerialTerminal checked), else dropped.
    virtual void SerialOutput(const QByteArray& bytes) = 0;
};

} // namespace quorvel
