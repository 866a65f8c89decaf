// The board's monitor: one poll() loop over the pseudo-terminal and a signal
// descriptor. While the board is idle it reads commands and answers them;
// while user code runs ("X", or a whole subroutine for "S") the same loop is
// turned between instructions (through RunHost::ProcessEvents), and received
// bytes go to the program's SCI instead: the monitor answers no command then.
//
// Signals: SIGUSR1 resets the board (the program stops, "BBB" is sent);
// SIGINT, SIGTERM and SIGHUP end hc11board.
//
//     BoardServer server(options, line);
//     return server.Serve();
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "BoardMachine.h"
#include "BoardOptions.h"
#include "CommandReader.h"
#include "LineOutput.h"
#include "PseudoTerminal.h"
#include "run/RunHost.h"

namespace quorvel::hc11board {

class BoardServer : public QuietRunHost {
public:
    BoardServer(const BoardOptions& options, PseudoTerminal& line);
    ~BoardServer() override;
    BoardServer(const BoardServer&) = delete;
    BoardServer& operator=(const BoardServer&) = delete;

    // Blocks the signals and opens their descriptor; false with a reason.
    bool Prepare(std::string& error);
    // Serves until a terminating signal; returns the exit status.
    int Serve();

    // While user code runs: serve the line and the signals once, without waiting
    // (or, at an idle loop such as BRA *, until something happens).
    void ProcessEvents() override;

private:
    using Clock = std::chrono::steady_clock;

    // One round of poll(); timeout in milliseconds, -1: until something happens.
    void pollOnce(int timeout);
    int idleTimeout(Clock::time_point now) const;
    void readLine();
    void readSignals();
    // Commands from the bytes received while idle.
    void consumeInput();
    void execute(const Command& command);
    void runCode(bool freeRun, const Command& command);
    // A reset requested by SIGUSR1, once no code runs any more.
    void finishReset();
    // The program sits in a branch or jump to itself: nothing can change until something arrives.
    bool atIdleLoop() const;

    BoardOptions options_;
    PseudoTerminal& line_;
    BoardMachine machine_;
    CommandReader reader_;
    LineOutput output_;
    std::deque<uint8_t> input_;
    int signals_ = -1;
    bool running_ = false;
    bool resetRequested_ = false;
    bool quit_ = false;
    bool lineFailed_ = false;
};

} // namespace quorvel::hc11board
