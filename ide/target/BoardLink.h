// The conversation with the board's monitor over the serial port: opening
// the port, probing the board (FindBoard), the link state in status panel 1
// (BoardStatus), and one exchange per monitor command ("R", "W", "P", "E",
// "X", "S") with its time-out, checksum, acknowledgement and messages.
//
//     BoardLink link(port, state, host, prompt, clock);
//     link.OpenPort("/dev/ttyS1");         // start-up: threshold 6, BoardOK, status
//     link.FindBoard();                    // before every board operation but "E"
//     QByteArray data;
//     if (state.BoardOK && link.Read(0x1000, 64, data)) ...
//
// Every failure is told to the user once (through the Prompt), leaves BoardOK
// false and empties the receive buffer; the next command tries again. After
// every exchange the receive threshold is back at 6, so the board's own
// output raises receive events again (BoardReceiver).
//
// Only one exchange runs at a time. The waits that process events (those of
// "W", "E" and the unlimited step) let timers and commands run inside them; an
// exchange asked for from there is refused (BoardOK false, nothing sent) so it
// cannot take the reply the running exchange waits for.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <QByteArray>
#include <QString>

#include "target/BoardHost.h"
#include "target/CommPort.h"
#include "target/LinkClock.h"
#include "target/TargetState.h"

namespace quorvel {

class Prompt;

class BoardLink {
public:
    static constexpr int kIdleThreshold = 6;
    static constexpr int kReadWaitMs = 100;
    static constexpr int kProgramPageWaitMs = 200;
    static constexpr int kWriteWaitMs = 100;
    static constexpr int kEraseWaitMs = 3000;
    static constexpr int kExecuteWaitMs = 100;
    static constexpr int kStepWaitMs = 1000;
    // How long a wait that processes events blocks between two rounds.
    static constexpr int kYieldSliceMs = 5;

    BoardLink(CommPort& port, TargetState& state, BoardHost& host, Prompt& prompt, LinkClock& clock);

    CommPort& MSComm() { return port_; }
    TargetState& State() { return state_; }
    BoardHost& Host() { return host_; }

    // Opens the port at start-up and after the options: threshold 6, then the
    // port; BoardOK on success. Either way the status shows the outcome.
    bool OpenPort(const QString& device);
    // Simulator: BoardOK. Board: opens a closed port, then BoardOK while the
    // board holds CTS (receive threshold 0 for the command that follows).
    void FindBoard();
    // Status panel 1 from the target choice, the port, CTS, Running and BoardOK.
    void BoardStatus();
    // Appended to "HC11 Board: Ready": " (Reset)" after the board's reset message.
    const QString& StatusSuffix() const { return statusSuffix_; }
    void SetStatusSuffix(const QString& suffix) { statusSuffix_ = suffix; }

    // ---- Exchanges: true when the board answered well (BoardOK) ----
    enum class ReadKind { Plain, ProgramPage };
    // "R": count (1..256) bytes from address into data. The program page waits
    // 200 ms instead of 100 and keeps receive events off while it waits.
    bool Read(int32_t address, int count, QByteArray& data, ReadKind kind = ReadKind::Plain);
    // "W": 1..255 bytes (any other count is refused); processes events while it waits.
    bool Write(int32_t address, std::span<const uint8_t> bytes);
    // "P": 1..255 bytes (any other count is refused) into flash.
    bool Program(int32_t address, std::span<const uint8_t> bytes);
    // "E": erases the flash; waits up to 3 s, processing events.
    bool Erase();
    // "X": starts the program at startPC with the register mirror.
    bool Execute(int32_t startPC);
    // "S": executes the code bytes with the register mirror; `reply` gets the
    // 11 reply bytes. Without a limit the wait processes events and ends only
    // with the reply or AbandonWait.
    bool Step(const std::array<uint8_t, 4>& code, bool unlimited, QByteArray& reply);
    // Ends an unlimited wait in progress; the step fails without a message.
    void AbandonWait();
    // An exchange is in progress (its wait may be processing events).
    bool Busy() const { return busy_; }

private:
    enum class Outcome { Complete, Surplus, NoResponse, Abandoned };
    struct Wait {
        int Length;   // bytes to wait for
        int LimitMs;  // < 0: no limit
        bool Yield;   // process events on every round
        bool AtLeast; // take one byte of what came, leave the rest waiting
    };

    Outcome Transact(const QByteArray& packet, const Wait& wait, QByteArray& reply);
    Outcome Poll(const Wait& wait, int64_t start);
    bool Refuse();
    bool Acknowledged(const QByteArray& packet, const Wait& wait);
    bool Failed(Outcome outcome);
    void Fail(const QString& message, const QString& title, bool showStatus = true);
    bool Finish(bool ok);

    CommPort& port_;
    TargetState& state_;
    BoardHost& host_;
    Prompt& prompt_;
    LinkClock& clock_;
    QString statusSuffix_;
    bool busy_ = false;
    bool waiting_ = false;
    bool abandon_ = false;
};

} // namespace quorvel
