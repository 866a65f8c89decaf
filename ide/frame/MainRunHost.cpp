#include "frame/MainRunHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "frame/StatusText.h"

namespace quorvel {

bool MainRunHost::SimulatorSelected() const {
    return frame_.SimEnabled;
}

// The views hook in through the frame's procedures of the same names.
void MainRunHost::Refresh() {
    frame_.Refresh();
}
void MainRunHost::RefreshRun() {
    frame_.RefreshRun();
}
void MainRunHost::RefreshCpuWindow() {
    if (frame_.Checked(QStringLiteral("mnuViewRegCPU")))
        frame_.CallView(QStringLiteral("mnuViewRegCPU"), "Redraw");
}
void MainRunHost::ShowPCLine() {
    frame_.ShowPCLine();
}
void MainRunHost::UpdateDisassembly() {
    frame_.UpdateDisassembly();
}
void MainRunHost::FreezeDisplay() {
    frame_.FreezeDisplay();
}
void MainRunHost::ThawDisplay() {
    frame_.ThawDisplay();
}
void MainRunHost::ClockCountUpdate(const QString& text) {
    frame_.SetStatusPanel(kPanelClock, text);
}
void MainRunHost::DebugMenus() {
    frame_.DebugMenus();
}
void MainRunHost::SetPauseEnabled(bool enabled) {
    frame_.SetCommandEnabled(QStringLiteral("mnuRunPause"), enabled);
}

void MainRunHost::SuspendTimers() {
    commWasActive_ = frame_.tmrComm->isActive();
    refreshWasActive_ = frame_.tmrRefresh->isActive();
    frame_.tmrComm->stop();
    frame_.tmrRefresh->stop();
}

void MainRunHost::ResumeTimers() {
    if (commWasActive_) frame_.tmrComm->start();
    if (refreshWasActive_) frame_.tmrRefresh->start();
}

void MainRunHost::ProcessEvents() {
    QCoreApplication::processEvents();
}

// Events keep arriving while Animate waits for its pace.
void MainRunHost::Idle(std::chrono::milliseconds span) {
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

void MainRunHost::Message(const QString& title, const QString& text) {
    frame_.prompt().Message(title, text, PromptIcon::Exclamation);
}

} // namespace quorvel
