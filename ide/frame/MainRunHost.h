// The main window as run control's host: every call goes to frmMain, which
// passes the view work on to the windows that are open.
//
//     MainRunHost host(frame);
//     RunControl run(frame.Target(), frame.Targets(), host);
#pragma once

#include "run/RunHost.h"

namespace quorvel {

class frmMain;

class MainRunHost : public RunHost {
public:
    explicit MainRunHost(frmMain& frame) : frame_(frame) {}

    bool SimulatorSelected() const override;
    void Refresh() override;
    void RefreshRun() override;
    void RefreshCpuWindow() override;
    void ShowPCLine() override;
    void UpdateDisassembly() override;
    void FreezeDisplay() override;
    void ThawDisplay() override;
    void ClockCountUpdate(const QString& text) override;
    void DebugMenus() override;
    void SetPauseEnabled(bool enabled) override;
    void SuspendTimers() override;
    void ResumeTimers() override;
    void ProcessEvents() override;
    void Idle(std::chrono::milliseconds span) override;
    void Message(const QString& title, const QString& text) override;

private:
    frmMain& frame_;
    bool commWasActive_ = false;
    bool refreshWasActive_ = false;
};

} // namespace quorvel
