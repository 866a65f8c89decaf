// A CommPort for tests: it records every packet the IDE writes, answers from
// a script with the board's replies at given times, and keeps its own clock,
// so time-outs pass without waiting.
//
//     ScriptedCommPort port;
//     port.Open("/dev/ttyS1");
//     port.ReplyNext(QByteArray("\x52\xA5\x5B", 3), 20);   // 20 ms after the next packet
//     link.Read(0x1000, 1, data);                          // waits on port's clock
//     EXPECT_EQ(port.Written().back(), QByteArray("R\x10\x00\x01\xEF", 5));
//
//     port.Arrive("hello", 0);      // the board talks on its own
//     port.Advance(50);             // time passes, then receive events are raised
//
// Receive and CTS events are raised only by Advance and DeliverEvents, the
// way a real port raises them only from the event loop.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "target/CommPort.h"
#include "target/LinkClock.h"

namespace quorvel {

class ScriptedCommPort : public CommPort, public LinkClock {
public:
    // What the board does with a packet the IDE wrote.
    using Responder = std::function<void(ScriptedCommPort& port, const QByteArray& packet)>;

    // ---- The script ----
    // Opens fail with this text from now on; an empty text lets them succeed.
    void FailOpen(const QString& error) { openError_ = error; }
    // A change of CTS while the port is open raises CommEvent 3.
    void SetCTS(bool holding);
    // The next packet written is answered with `reply`, `afterMs` later.
    void ReplyNext(const QByteArray& reply, int afterMs = 1);
    // The next packet written gets no answer.
    void SilenceNext();
    // The next packet written is handed to `responder`.
    void OnNextOutput(Responder responder);
    // Bytes the board sends of its own, `afterMs` from now.
    void Arrive(const QByteArray& bytes, int afterMs = 0);

    // ---- Time ----
    int64_t NowMs() override { return now_; }
    // Lets `ms` pass, delivers what is due, then raises pending events.
    void Advance(int ms);
    // Raises the receive and CTS events that are pending, as the event loop would.
    void DeliverEvents();

    // ---- What happened ----
    const std::vector<QByteArray>& Written() const { return written_; }
    // The receive threshold at the time of each packet.
    const std::vector<int>& ThresholdAtOutput() const { return thresholds_; }
    const std::vector<QString>& Opened() const { return opened_; }
    int ClearCount() const { return clears_; }
    // Packets still expected by the script.
    std::size_t PendingReplies() const { return responders_.size(); }

    // ---- CommPort ----
    bool Open(const QString& device) override;
    void Close() override { open_ = false; }
    bool PortOpen() const override { return open_; }
    QString Device() const override { return device_; }
    QString ErrorText() const override { return error_; }
    bool CTSHolding() const override { return open_ && cts_; }
    int InBufferCount() const override { return static_cast<int>(buffer_.size()); }
    void ClearInBuffer() override;
    QByteArray Input() override;
    void Output(const QByteArray& bytes) override;
    void WaitInput(int msecs) override;

private:
    struct Arrival {
        int64_t At;
        QByteArray Bytes;
    };
    void DeliverDue();

    bool open_ = false;
    bool cts_ = true;
    QString device_;
    QString error_;
    QString openError_;
    int64_t now_ = 0;
    QByteArray buffer_;
    std::vector<Arrival> arrivals_; // in order of arrival time
    std::deque<Responder> responders_;
    std::vector<QByteArray> written_;
    std::vector<int> thresholds_;
    std::vector<QString> opened_;
    int clears_ = 0;
    bool receivePending_ = false;
    bool ctsPending_ = false;
};

} // namespace quorvel
