#include "target/BoardReceiver.h"

#include "target/BoardPacket.h"

namespace quorvel {

namespace {

const QByteArray kResetMessage(3, static_cast<char>(kResetByte));

} // namespace

BoardReceiver::BoardReceiver(BoardLink& link, TargetAccess& target) : link_(link), target_(target) {}

void BoardReceiver::OnComm(int commEvent) {
    BoardHost& host = link_.Host();
    if (commEvent == kCommEventCTS) {
        link_.BoardStatus();
    } else if (commEvent == kCommEventReceive && !link_.Busy()) {
        QByteArray data = link_.MSComm().Input();
        if (data.endsWith(kResetMessage)) {
            data.chop(kResetMessage.size());
            BoardWasReset();
        }
        if (!data.isEmpty()) host.SerialOutput(data);
    }
    host.ResetClockCount();
}

void BoardReceiver::BoardWasReset() {
    BoardHost& host = link_.Host();
    TargetState& state = link_.State();
    state.BoardOK = true;
    target_.InResetVector(state.RegPC);
    host.ThawDisplay();
    link_.SetStatusSuffix(QString());
    link_.BoardStatus();
    host.ProcessEvents();
    host.SetRunning(false);
    host.RefreshRun();
    link_.SetStatusSuffix(QStringLiteral(" (Reset)"));
    link_.BoardStatus();
}

void BoardReceiver::tmrComm() {
    BoardHost& host = link_.Host();
    if (host.SimulatorSelected() || !host.Running()) {
        lastCount_ = 0;
        return;
    }
    if (link_.Busy()) return;
    CommPort& port = link_.MSComm();
    const int count = port.InBufferCount();
    if (count != 0 && count == lastCount_) host.SerialOutput(port.Input());
    lastCount_ = port.InBufferCount();
}

} // namespace quorvel
