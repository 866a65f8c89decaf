// Run control on a simulator target, with a host that records what run
// control asked of the user interface and lets a test act inside the loops
// (ProcessEvents is where Pause arrives).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include <QString>
#include <QStringList>

#include "run/RunControl.h"
#include "target/CcrFlags.h"
#include "target/ImageTarget.h"
#include "vantrel/VantrelCtrl.h"

namespace quorvel::test {

class RecordingHost : public RunHost {
public:
    bool simulator = true;
    // Called from ProcessEvents; the test may pause or stop here.
    std::function<void()> onEvents;

    int refreshes = 0;
    int refreshRuns = 0;
    int cpuRefreshes = 0;
    int pcLines = 0;
    int disassemblyUpdates = 0;
    int freezes = 0;
    int thaws = 0;
    int debugMenus = 0;
    int events = 0;
    int timersSuspended = 0;
    int timersResumed = 0;
    std::vector<bool> pauseEnabled;
    QStringList clockTexts;
    QStringList messages; // "title|text"

    bool SimulatorSelected() const override { return simulator; }
    void Refresh() override { ++refreshes; }
    void RefreshRun() override { ++refreshRuns; }
    void RefreshCpuWindow() override { ++cpuRefreshes; }
    void ShowPCLine() override { ++pcLines; }
    void UpdateDisassembly() override { ++disassemblyUpdates; }
    void FreezeDisplay() override { ++freezes; }
    void ThawDisplay() override { ++thaws; }
    void ClockCountUpdate(const QString& text) override { clockTexts << text; }
    void DebugMenus() override { ++debugMenus; }
    void SetPauseEnabled(bool enabled) override { pauseEnabled.push_back(enabled); }
    void SuspendTimers() override { ++timersSuspended; }
    void ResumeTimers() override { ++timersResumed; }
    void ProcessEvents() override {
        ++events;
        if (onEvents) onEvents();
    }
    void Message(const QString& title, const QString& text) override { messages << title + u'|' + text; }
};

// The image target, counting the instructions it executes.
class CountingImage : public ImageTarget {
public:
    using ImageTarget::ImageTarget;
    int steps = 0;
    std::vector<std::array<uint8_t, 5>> codes;
    void StepTarget(const std::array<uint8_t, 5>& code, StepWait wait) override {
        ++steps;
        if (codes.size() < 1000) codes.push_back(code);
        ImageTarget::StepTarget(code, wait);
    }
};

// A simulator target with code loaded, the registers cleared, and run control on it.
struct SimRig {
    TargetState state;
    CountingImage target{state};
    vantrel::CVantrelCtrl simulator;
    ImageCode code{target.TargetMemory()};
    RecordingHost host;
    RunControl run{state, target, host};

    explicit SimRig(bool directCode = true) {
        target.BindSimulator(simulator);
        if (directCode) run.SetSimulatorCode(&code);
        state.BoardOK = true;
    }

    void Put(int32_t address, std::initializer_list<uint8_t> bytes) {
        for (const uint8_t byte : bytes)
            target.TargetMemory()[static_cast<size_t>(address++ & 0xFFFF)] = byte;
    }
    uint8_t At(int32_t address) const { return target.TargetMemory()[static_cast<size_t>(address & 0xFFFF)]; }
    void SetCCR(uint8_t ccr) {
        state.RegCCR = ccr;
        UnpackCCR(state);
    }
};

} // namespace quorvel::test
