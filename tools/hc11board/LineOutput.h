// What the board sends on the line, in order: replies (subject to the fault
// options), the program's SCI output and the reset message. Each chunk may
// carry a time before which it is not sent (--delay-ms); later chunks wait
// behind it. Writes never block: what the line does not take now is kept
// until it can (at most kLimit bytes; beyond that the program's SCI output is
// dropped, as on a line nobody listens to).
//
//     LineOutput line(faults);
//     line.Reply({0x06}, now);        // may be dropped, corrupted or delayed
//     line.Send({'B', 'B', 'B'}, now);
//     line.Flush(fd, now);
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace quorvel::hc11board {

struct ReplyFaults {
    int dropEvery = 0;    // drop every N-th reply (0: never)
    int corruptEvery = 0; // flip a bit of every N-th reply's last byte (0: never)
    int delayMs = 0;      // hold each reply this long
};

class LineOutput {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr size_t kLimit = 1 << 20;

    explicit LineOutput(ReplyFaults faults = {}) : faults_(faults) {}

    // A reply to a command: counted, and dropped, corrupted or delayed as the faults say.
    void Reply(std::vector<uint8_t> bytes, Clock::time_point now);
    // Bytes sent as they are (SCI output, the reset message).
    void Send(const std::vector<uint8_t>& bytes, Clock::time_point now);
    void SendByte(uint8_t byte, Clock::time_point now);

    // Writes what is due to fd. False when the line is gone (a write error other than EAGAIN).
    bool Flush(int fd, Clock::time_point now);
    // Something is due now but the line did not take it: wait for POLLOUT.
    bool Blocked(Clock::time_point now) const;
    // When the first chunk becomes due, if it waits for its time.
    std::optional<Clock::time_point> NextDue(Clock::time_point now) const;
    bool Empty() const { return chunks_.empty(); }
    int RepliesSeen() const { return replies_; }

private:
    struct Chunk {
        std::vector<uint8_t> bytes;
        Clock::time_point due;
        size_t sent = 0;
    };

    ReplyFaults faults_;
    std::deque<Chunk> chunks_;
    size_t pending_ = 0;
    int replies_ = 0;
    bool blocked_ = false;
};

} // namespace quorvel::hc11board
