#include "target/ScriptedCommPort.h"

#include <algorithm>

namespace quorvel {

void ScriptedCommPort::SetCTS(bool holding) {
    if (holding != cts_ && open_) ctsPending_ = true;
    cts_ = holding;
}

void ScriptedCommPort::ReplyNext(const QByteArray& reply, int afterMs) {
    OnNextOutput(
        [reply, afterMs](ScriptedCommPort& port, const QByteArray&) { port.Arrive(reply, afterMs); });
}

void ScriptedCommPort::SilenceNext() {
    OnNextOutput([](ScriptedCommPort&, const QByteArray&) {});
}

void ScriptedCommPort::OnNextOutput(Responder responder) {
    responders_.push_back(std::move(responder));
}

void ScriptedCommPort::Arrive(const QByteArray& bytes, int afterMs) {
    const Arrival arrival{now_ + std::max(afterMs, 0), bytes};
    const auto later = std::upper_bound(arrivals_.begin(), arrivals_.end(), arrival.At,
                                        [](int64_t at, const Arrival& a) { return at < a.At; });
    arrivals_.insert(later, arrival);
    DeliverDue();
}

void ScriptedCommPort::Advance(int ms) {
    const int64_t end = now_ + std::max(ms, 0);
    // Step from arrival to arrival, so each one raises its own event.
    while (!arrivals_.empty() && arrivals_.front().At <= end) {
        now_ = std::max(now_, arrivals_.front().At);
        DeliverDue();
        DeliverEvents();
    }
    now_ = std::max(now_, end);
    DeliverEvents();
}

void ScriptedCommPort::DeliverEvents() {
    if (receivePending_) {
        receivePending_ = false;
        if (RThreshold() > 0 && InBufferCount() >= RThreshold()) RaiseOnComm(kCommEventReceive);
    }
    if (ctsPending_) {
        ctsPending_ = false;
        RaiseOnComm(kCommEventCTS);
    }
}

bool ScriptedCommPort::Open(const QString& device) {
    Close();
    device_ = device;
    opened_.push_back(device);
    error_ = openError_;
    open_ = openError_.isEmpty();
    return open_;
}

void ScriptedCommPort::ClearInBuffer() {
    ++clears_;
    buffer_.clear();
}

QByteArray ScriptedCommPort::Input() {
    const qsizetype n = InputLen() > 0 ? std::min<qsizetype>(InputLen(), buffer_.size()) : buffer_.size();
    QByteArray taken = buffer_.left(n);
    buffer_.remove(0, n);
    return taken;
}

void ScriptedCommPort::Output(const QByteArray& bytes) {
    if (!open_) return;
    written_.push_back(bytes);
    thresholds_.push_back(RThreshold());
    if (responders_.empty()) return;
    Responder responder = std::move(responders_.front());
    responders_.pop_front();
    responder(*this, bytes);
}

void ScriptedCommPort::WaitInput(int msecs) {
    const int64_t end = now_ + std::max(msecs, 0);
    const int64_t next = arrivals_.empty() ? end : std::min(end, arrivals_.front().At);
    now_ = std::max(now_, next);
    DeliverDue();
}

void ScriptedCommPort::DeliverDue() {
    bool arrived = false;
    while (!arrivals_.empty() && arrivals_.front().At <= now_) {
        if (open_) {
            buffer_.append(arrivals_.front().Bytes);
            arrived = true;
        }
        arrivals_.erase(arrivals_.begin());
    }
    if (arrived && RThreshold() > 0 && InBufferCount() >= RThreshold()) receivePending_ = true;
}

} // namespace quorvel
