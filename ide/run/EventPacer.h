// Paces the Play loop: tells it when pending events are due without reading
// the clock on every instruction. The clock is read every `stride` calls; the
// stride doubles while reads come quickly (the simulator steps in
// nanoseconds) and drops at once when they come slowly (a board step takes
// milliseconds), so the pace holds on both targets.
//
//     EventPacer events(std::chrono::milliseconds(10));
//     while (...) { step(); if (events.Due()) host.ProcessEvents(); }
#pragma once

#include <chrono>
#include <cstdint>

namespace quorvel {

class EventPacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit EventPacer(Clock::duration interval) : interval_(interval), last_(Clock::now()), fired_(last_) {}

    // True at most once per interval.
    bool Due() {
        if (--countdown_ > 0) return false;
        return check();
    }
    // The time of the last clock read.
    Clock::time_point Now() const { return last_; }

private:
    static constexpr int32_t kMaxStride = 4096;
    static constexpr auto kQuick = std::chrono::microseconds(200);
    static constexpr auto kSlow = std::chrono::milliseconds(1);

    bool check() {
        const Clock::time_point now = Clock::now();
        const Clock::duration gap = now - last_;
        last_ = now;
        if (gap < kQuick) {
            if (stride_ < kMaxStride) stride_ *= 2;
        } else if (gap > kSlow) {
            // Aim the next read about kQuick away.
            const int64_t scaled = int64_t{stride_} * Clock::duration(kQuick).count() / gap.count();
            stride_ = scaled > 1 ? static_cast<int32_t>(scaled) : 1;
        }
        countdown_ = stride_;
        if (now - fired_ < interval_) return false;
        fired_ = now;
        return true;
    }

    Clock::duration interval_;
    Clock::time_point last_;
    Clock::time_point fired_;
    int32_t stride_ = 1;
    int32_t countdown_ = 1;
};

} // namespace quorvel
