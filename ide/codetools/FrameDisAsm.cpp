#include "codetools/FrameDisAsm.h"

#include "frame/MainWindow.h"
#include "run/RunControl.h"

namespace quorvel {

FrameDisAsm::FrameDisAsm(frmMain& frame, RunControl& run, const SymbolTable& symbols)
    : frame_(frame), run_(run), symbols_(symbols) {}

FrameDisAsm::~FrameDisAsm() {
    if (window_) window_->Detach();
}

frmDisAsm* FrameDisAsm::Create() {
    if (window_) window_->Detach();
    window_ = new frmDisAsm(
        DisAsmLinks{frame_.Target(), frame_.Targets(), run_.Breakpoints(), symbols_, frame_.prompt(), *this});
    return window_;
}

void FrameDisAsm::ShowHelpTopic(int topic) {
    frame_.ShowHelpTopic(topic);
}

bool FrameDisAsm::Checked(const QString& name) const {
    return frame_.Checked(name);
}

void FrameDisAsm::SetCommandEnabled(const QString& name, bool enabled) {
    frame_.SetCommandEnabled(name, enabled);
}

QAction* FrameDisAsm::Command(const QString& name) const {
    return frame_.Command(name);
}

QMenu* FrameDisAsm::Menu(const QString& name) const {
    return frame_.Menu(name);
}

bool FrameDisAsm::SimulatorSelected() const {
    return frame_.SimEnabled;
}

bool FrameDisAsm::Stopped() const {
    return run_.Stopped && !run_.PlayMode && !run_.AnimateMode && !run_.WaitingOnBoard();
}

bool FrameDisAsm::RunningFree() const {
    return run_.Running || frame_.Running;
}

void FrameDisAsm::Refresh() {
    frame_.Refresh();
}

void FrameDisAsm::RunToCursor(int32_t address) {
    run_.RunToCursor(address);
}

} // namespace quorvel
