#include "target/BoardLink.h"

#include <algorithm>

#include "frame/Prompt.h"
#include "frame/StatusText.h"
#include "target/BoardPacket.h"
#include "target/LinkMessages.h"

namespace quorvel {

BoardLink::BoardLink(CommPort& port, TargetState& state, BoardHost& host, Prompt& prompt, LinkClock& clock)
    : port_(port), state_(state), host_(host), prompt_(prompt), clock_(clock) {}

// ---- The port and the link state ----

bool BoardLink::OpenPort(const QString& device) {
    if (port_.PortOpen()) port_.Close();
    port_.SetRThreshold(kIdleThreshold);
    if (!port_.Open(device)) {
        BoardStatus();
        return false;
    }
    state_.BoardOK = true;
    BoardStatus();
    return true;
}

void BoardLink::FindBoard() {
    if (host_.SimulatorSelected()) {
        state_.BoardOK = true;
        return;
    }
    if (!port_.PortOpen() && !port_.Open(port_.Device())) {
        state_.BoardOK = false;
        BoardStatus();
        prompt_.Message(CommunicationErrorTitle(), port_.ErrorText() + QStringLiteral(" !"),
                        PromptIcon::Exclamation);
        return;
    }
    if (port_.CTSHolding()) {
        port_.SetRThreshold(0);
        state_.BoardOK = true;
        return;
    }
    state_.BoardOK = false;
    prompt_.Message(CommunicationErrorTitle(), kNotConnectedMessage, PromptIcon::Exclamation);
    BoardStatus();
}

void BoardLink::BoardStatus() {
    if (host_.SimulatorSelected()) {
        host_.ShowBoardStatus(kSimulatorMode);
        host_.EnableRunCommand(false);
        return;
    }
    // A port that would not open has no CTS to ask: its error stays shown.
    if (!port_.PortOpen()) {
        host_.ShowBoardStatus(kBoardPortError);
        return;
    }
    if (!port_.CTSHolding()) {
        host_.ShowBoardStatus(kBoardNotConnected);
        return;
    }
    if (host_.Running())
        host_.ShowBoardStatus(kBoardRunning);
    else if (state_.BoardOK)
        host_.ShowBoardStatus(kBoardReady + statusSuffix_);
    else
        host_.ShowBoardStatus(kBoardNotResponding);
}

// ---- Exchanges ----

bool BoardLink::Read(int32_t address, int count, QByteArray& data, ReadKind kind) {
    if (busy_) return Refuse();
    count = std::clamp(count, 1, kMaxReadCount);
    if (kind == ReadKind::ProgramPage) {
        port_.SetRThreshold(0);
        port_.SetInputLen(0);
    }
    const int limit = kind == ReadKind::ProgramPage ? kProgramPageWaitMs : kReadWaitMs;
    QByteArray reply;
    const Outcome outcome =
        Transact(ReadPacket(address, count), {ReadReplyLength(count), limit, false, false}, reply);
    if (outcome != Outcome::Complete) return Finish(Failed(outcome));
    if (!ReplyChecksumOK(reply)) {
        Fail(kInvalidDataMessage, CommunicationErrorTitle());
        return Finish(false);
    }
    data = reply.mid(1, count);
    state_.BoardOK = true;
    return Finish(true);
}

bool BoardLink::Write(int32_t address, std::span<const uint8_t> bytes) {
    if (busy_) return Refuse();
    if (bytes.empty() || bytes.size() > kMaxWriteCount) return Refuse();
    return Finish(Acknowledged(WritePacket('W', address, bytes), {1, kWriteWaitMs, true, false}));
}

bool BoardLink::Program(int32_t address, std::span<const uint8_t> bytes) {
    if (busy_) return Refuse();
    if (bytes.empty() || bytes.size() > kMaxWriteCount) return Refuse();
    return Finish(Acknowledged(WritePacket('P', address, bytes), {1, kWriteWaitMs, false, false}));
}

bool BoardLink::Erase() {
    if (busy_) return Refuse();
    QByteArray reply;
    const Outcome outcome = Transact(ErasePacket(), {1, kEraseWaitMs, true, false}, reply);
    if (outcome == Outcome::Complete && static_cast<uint8_t>(reply.at(0)) == kAck) {
        state_.BoardOK = true;
        return Finish(true);
    }
    if (outcome == Outcome::Complete && static_cast<uint8_t>(reply.at(0)) == kNak)
        Fail(kEraseFailedMessage, kApplicationTitle, false);
    else if (outcome == Outcome::Complete || outcome == Outcome::Surplus)
        Fail(kEraseInvalidMessage, CommunicationErrorTitle(), false);
    else
        Failed(outcome);
    return Finish(false);
}

bool BoardLink::Execute(int32_t startPC) {
    if (busy_) return Refuse();
    port_.SetRThreshold(0);
    return Finish(Acknowledged(ExecutePacket(state_, startPC), {1, kExecuteWaitMs, false, true}));
}

bool BoardLink::Step(const std::array<uint8_t, 4>& code, bool unlimited, QByteArray& reply) {
    if (busy_) return Refuse();
    port_.SetRThreshold(0);
    const Wait wait{kStepReplyLength, unlimited ? -1 : kStepWaitMs, unlimited, false};
    QByteArray answer;
    const Outcome outcome = Transact(StepPacket(state_, code), wait, answer);
    if (outcome != Outcome::Complete) return Finish(Failed(outcome));
    if (!ReplyChecksumOK(answer)) {
        Fail(kInvalidDataMessage, CommunicationErrorTitle());
        return Finish(false);
    }
    reply = answer;
    state_.BoardOK = true;
    return Finish(true);
}

void BoardLink::AbandonWait() {
    if (waiting_) abandon_ = true;
}

// Sends the packet and waits for its reply. The receive buffer is emptied
// first, so late bytes of an earlier exchange cannot pass for the reply.
BoardLink::Outcome BoardLink::Transact(const QByteArray& packet, const Wait& wait, QByteArray& reply) {
    busy_ = true;
    port_.ClearInBuffer();
    port_.Output(packet);
    Outcome outcome = Poll(wait, clock_.NowMs());
    if (outcome == Outcome::Complete) {
        if (wait.AtLeast) {
            port_.SetInputLen(1);
            reply = port_.Input();
            port_.SetInputLen(0);
        } else {
            reply = port_.Input();
            if (reply.size() != wait.Length) outcome = Outcome::Surplus;
        }
    }
    busy_ = false;
    return outcome;
}

BoardLink::Outcome BoardLink::Poll(const Wait& wait, int64_t start) {
    waiting_ = wait.LimitMs < 0;
    abandon_ = false;
    Outcome outcome = Outcome::NoResponse;
    for (;;) {
        if (port_.InBufferCount() >= wait.Length) {
            outcome = Outcome::Complete;
            break;
        }
        int slice = kYieldSliceMs;
        if (wait.LimitMs >= 0) {
            const int64_t left = wait.LimitMs - (clock_.NowMs() - start);
            if (left <= 0) break;
            slice = static_cast<int>(wait.Yield ? std::min<int64_t>(left, kYieldSliceMs) : left);
        }
        if (wait.Yield) {
            host_.ProcessEvents();
            if (port_.InBufferCount() >= wait.Length) {
                outcome = Outcome::Complete;
                break;
            }
            if (abandon_) {
                outcome = Outcome::Abandoned;
                break;
            }
        }
        port_.WaitInput(slice);
    }
    waiting_ = false;
    abandon_ = false;
    return outcome;
}

// An exchange asked for while another one waits: nothing is sent, and the
// caller sees BoardOK false and stops. The running exchange owns the
// threshold and the status.
bool BoardLink::Refuse() {
    state_.BoardOK = false;
    return false;
}

// "W", "P" and "X": one byte, $06 when done.
bool BoardLink::Acknowledged(const QByteArray& packet, const Wait& wait) {
    QByteArray reply;
    const Outcome outcome = Transact(packet, wait, reply);
    if (outcome != Outcome::Complete) return Failed(outcome);
    if (static_cast<uint8_t>(reply.at(0)) != kAck) {
        Fail(kInvalidDataMessage, CommunicationErrorTitle());
        return false;
    }
    state_.BoardOK = true;
    return true;
}

bool BoardLink::Failed(Outcome outcome) {
    switch (outcome) {
    case Outcome::Complete: return true;
    case Outcome::Surplus: Fail(kInvalidDataMessage, CommunicationErrorTitle()); break;
    case Outcome::NoResponse: Fail(kNoResponseMessage, CommunicationErrorTitle()); break;
    case Outcome::Abandoned:
        // The user stopped waiting: nothing to tell.
        state_.BoardOK = false;
        BoardStatus();
        port_.ClearInBuffer();
        break;
    }
    return false;
}

void BoardLink::Fail(const QString& message, const QString& title, bool showStatus) {
    state_.BoardOK = false;
    if (showStatus) BoardStatus();
    prompt_.Message(title, message, PromptIcon::Exclamation);
    port_.ClearInBuffer();
}

bool BoardLink::Finish(bool ok) {
    port_.SetRThreshold(kIdleThreshold);
    return ok;
}

} // namespace quorvel
