#include "LineOutput.h"

#include <cerrno>
#include <unistd.h>

namespace quorvel::hc11board {

void LineOutput::Reply(std::vector<uint8_t> bytes, Clock::time_point now) {
    ++replies_;
    if (faults_.dropEvery > 0 && replies_ % faults_.dropEvery == 0) return;
    if (faults_.corruptEvery > 0 && replies_ % faults_.corruptEvery == 0 && !bytes.empty())
        bytes.back() ^= 0x01;
    pending_ += bytes.size();
    chunks_.push_back({std::move(bytes), now + std::chrono::milliseconds(faults_.delayMs), 0});
}

void LineOutput::Send(const std::vector<uint8_t>& bytes, Clock::time_point now) {
    pending_ += bytes.size();
    chunks_.push_back({bytes, now, 0});
}

void LineOutput::SendByte(uint8_t byte, Clock::time_point now) {
    if (pending_ >= kLimit) return;
    ++pending_;
    // Bytes sent one by one join the last chunk when it is already due.
    if (!chunks_.empty() && chunks_.back().due <= now) {
        chunks_.back().bytes.push_back(byte);
        return;
    }
    chunks_.push_back({{byte}, now, 0});
}

bool LineOutput::Flush(int fd, Clock::time_point now) {
    blocked_ = false;
    while (!chunks_.empty() && chunks_.front().due <= now) {
        Chunk& chunk = chunks_.front();
        const size_t left = chunk.bytes.size() - chunk.sent;
        const ssize_t written = left == 0 ? 0 : ::write(fd, chunk.bytes.data() + chunk.sent, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                blocked_ = true;
                return true;
            }
            return false;
        }
        chunk.sent += static_cast<size_t>(written);
        pending_ -= static_cast<size_t>(written);
        if (chunk.sent < chunk.bytes.size()) {
            blocked_ = true;
            return true;
        }
        chunks_.pop_front();
    }
    return true;
}

bool LineOutput::Blocked(Clock::time_point now) const {
    return blocked_ && !chunks_.empty() && chunks_.front().due <= now;
}

std::optional<LineOutput::Clock::time_point> LineOutput::NextDue(Clock::time_point now) const {
    if (chunks_.empty() || chunks_.front().due <= now) return std::nullopt;
    return chunks_.front().due;
}

} // namespace quorvel::hc11board
