// Frames the monitor's commands out of the bytes received on the line:
//
//     "R" addr-hi addr-lo count cks                      5 bytes
//     "W"/"P" addr-hi addr-lo count data... cks          count+5 (count 0 = 256)
//     "E" "E" "E" cks                                    4
//     "X" A B IX IY SP CCR $7E pc-hi pc-lo cks           14
//     "S" A B IX IY SP CCR code×4 cks                    15
//
// A byte that starts no command is skipped. A command is complete when its
// last byte arrives; it is handed out only when bytes 1..n add up to 0 modulo
// 256 (others are dropped without a reply). A command still incomplete
// kTimeout after its first byte is discarded.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel::hc11board {

struct Command {
    // Every byte, the letter first and the checksum last.
    std::vector<uint8_t> bytes;
    char Letter() const { return static_cast<char>(bytes.front()); }
    uint8_t At(size_t i) const { return bytes[i]; }
    uint16_t Word(size_t i) const { return static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]); }
};

class CommandReader {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kTimeout = std::chrono::milliseconds(500);

    // One received byte; a complete command with a good checksum is returned.
    std::optional<Command> Feed(uint8_t byte, Clock::time_point now);
    // Discards an incomplete command whose time is up; true when one was.
    bool Expire(Clock::time_point now);
    // When the incomplete command times out, if there is one.
    std::optional<Clock::time_point> Deadline() const;
    void Reset() { partial_.clear(); }
    // Commands dropped for a bad checksum or a time-out so far.
    int Dropped() const { return dropped_; }

private:
    // The full length of the command in partial_, or 0 while it is not yet known.
    size_t expectedLength() const;

    std::vector<uint8_t> partial_;
    Clock::time_point started_{};
    int dropped_ = 0;
};

} // namespace quorvel::hc11board
