// The millisecond tick the board link measures its time-outs with. The real
// one is the steady clock; a scripted port keeps a clock of its own, so tests
// pass time without waiting for it.
#pragma once

#include <chrono>
#include <cstdint>

namespace quorvel {

class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual int64_t NowMs() = 0;
};

class SteadyClock : public LinkClock {
public:
    int64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace quorvel
