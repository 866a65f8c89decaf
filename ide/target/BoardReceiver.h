// What the board sends of its own accord: the serial output of the running
// program, and its reset message (three "B" bytes at the end of the data).
//
//     port.SetOnComm([&](int event) { receiver.OnComm(event); });
//     connect(tmrComm, &QTimer::timeout, [&] { receiver.tmrComm(); });   // every 50 ms
//
// The receive event comes when at least 6 bytes wait (or CTS changes); the
// timer delivers the running program's output that stays below 6 bytes once
// it has been quiet for one tick. While an exchange is in progress the
// buffer is the exchange's and both leave it alone.
#pragma once

#include "target/BoardLink.h"
#include "target/TargetAccess.h"

namespace quorvel {

class BoardReceiver {
public:
    // `target` is the IDE's target access; the reset vector is read through it.
    BoardReceiver(BoardLink& link, TargetAccess& target);

    // OnComm: CommEvent 2 (data received) or 3 (CTS changed).
    void OnComm(int commEvent);
    // tmrComm's tick.
    void tmrComm();
    // The receive-buffer count at the previous tick.
    int LastCount() const { return lastCount_; }

private:
    void BoardWasReset();

    BoardLink& link_;
    TargetAccess& target_;
    int lastCount_ = 0;
};

} // namespace quorvel
