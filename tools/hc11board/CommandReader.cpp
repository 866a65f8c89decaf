#include "CommandReader.h"

#include <numeric>

namespace quorvel::hc11board {

namespace {

// Fixed lengths; W and P depend on their count byte.
size_t fixedLength(uint8_t letter) {
    switch (letter) {
    case 'R': return 5;
    case 'E': return 4;
    case 'X': return 14;
    case 'S': return 15;
    default: return 0;
    }
}

bool startsCommand(uint8_t byte) {
    return fixedLength(byte) != 0 || byte == 'W' || byte == 'P';
}

} // namespace

size_t CommandReader::expectedLength() const {
    const uint8_t letter = partial_.front();
    if (const size_t fixed = fixedLength(letter)) return fixed;
    if (partial_.size() < 4) return 0;
    const size_t count = partial_[3] == 0 ? 256 : partial_[3];
    return count + 5;
}

std::optional<Command> CommandReader::Feed(uint8_t byte, Clock::time_point now) {
    Expire(now);
    if (partial_.empty()) {
        if (!startsCommand(byte)) return std::nullopt;
        started_ = now;
    }
    partial_.push_back(byte);
    const size_t length = expectedLength();
    if (length == 0 || partial_.size() < length) return std::nullopt;

    Command command{std::move(partial_)};
    partial_.clear();
    const unsigned sum = std::accumulate(command.bytes.begin() + 1, command.bytes.end(), 0u);
    const bool erase = command.Letter() != 'E' || (command.At(1) == 'E' && command.At(2) == 'E');
    if ((sum & 0xFF) != 0 || !erase) {
        ++dropped_;
        return std::nullopt;
    }
    return command;
}

bool CommandReader::Expire(Clock::time_point now) {
    if (partial_.empty() || now - started_ < kTimeout) return false;
    partial_.clear();
    ++dropped_;
    return true;
}

std::optional<CommandReader::Clock::time_point> CommandReader::Deadline() const {
    if (partial_.empty()) return std::nullopt;
    return started_ + kTimeout;
}

} // namespace quorvel::hc11board
