// The IDE in simulator mode with its windows shown: how fast Play runs, and
// how long refreshing every open view takes after a stop.
//
//     ide_bench [--seconds S] [--refreshes N]
//
// The main window is built and shown (offscreen unless QT_QPA_PLATFORM says
// otherwise) with every view that can open in simulator mode, the compute
// program of bench/programs/compute.asm (assembled with as11) is loaded as a
// download would, and Play runs through the frame's own command for about S
// seconds (default 3) in slices that end at a step limit; then RefreshRun and
// Refresh, the frame's refresh after a stop, are timed N times (default 200).
// Figures: instructions per second of Play, and the median and the 95th
// percentile of a refresh in milliseconds, without and with the painting it causes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "download/LoadS19.h"
#include "frame/MainWindow.h"
#include "frame/ScriptedPrompt.h"
#include "run/RunControl.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every View menu item that opens a window.
const char* const kViews[] = {
    "mnuViewRegCPU", "mnuViewRegPorts",     "mnuViewRegTimer", "mnuViewRegPulseAcc",
    "mnuViewRegSCI", "mnuViewRegSPI",       "mnuViewRegAD",    "mnuViewRegOther",
    "mnuViewRegPIA", "mnuViewIOunit",       "mnuViewMemory",   "mnuViewWatch",
    "mnuViewStack",  "mnuViewDisassembler", "mnuViewLabel",    "mnuViewSerialTerminal",
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 3;
    int refreshes = 200;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
        if (std::strcmp(argv[i], "--refreshes") == 0) refreshes = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.path().toLocal8Bit());
    QApplication app(argc, argv);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.path());

    const QString s19 = work.filePath(QStringLiteral("compute.s19"));
    if (QProcess::execute(QStringLiteral(AS11_EXE),
                          {QStringLiteral("-o"), s19, QStringLiteral("-l"),
                           work.filePath(QStringLiteral("compute.lst")), QStringLiteral(COMPUTE_ASM)}) != 0) {
        std::fprintf(stderr, "ide_bench: as11 failed on %s\n", COMPUTE_ASM);
        return 2;
    }

    quorvel::ScriptedPrompt prompt;
    quorvel::StartOptions options;
    options.SimEnabled = true;
    quorvel::frmMain frame(prompt, options);
    frame.resize(1400, 900);
    frame.show();
    QApplication::processEvents();

    const auto outcome = quorvel::LoadS19(s19, frame.Targets());
    (void)outcome;
    frame.Targets().InCPU();
    frame.Targets().InResetVector(frame.Target().RegPC);
    const int32_t start = frame.Target().RegPC;

    int shown = 0;
    for (const char* name : kViews) {
        const QString menu = QLatin1String(name);
        // The register block and PIA windows, board views, are opened too: every view is measured.
        if (frame.ViewRegistered(menu) && frame.ShowView(menu)) ++shown;
    }
    QApplication::processEvents();

    // Play in slices of a step limit; the program idles at its end, so it starts over then.
    quorvel::RunControl& run = frame.Run();
    run.StopAtIdleLoop = true;
    constexpr int64_t kSlice = 5'000'000;
    int64_t steps = 0;
    Clock::duration played{};
    while (std::chrono::duration<double>(played).count() < seconds) {
        const int64_t before = run.StepCount;
        run.StepLimit = before + kSlice;
        const auto t0 = Clock::now();
        frame.mnuRunPlay_Click();
        played += Clock::now() - t0;
        steps += run.StepCount - before;
        if (run.LastStop == quorvel::RunControl::StopReason::IdleLoop) frame.Target().RegPC = start;
        if (run.StepCount == before) break;
    }
    const double mips = static_cast<double>(steps) / std::chrono::duration<double>(played).count() / 1e6;

    // A stop changes what the views show: each round steps once, so every
    // refresh has new values to draw, and the painting is timed with it.
    std::vector<double> refreshRun;
    std::vector<double> refresh;
    std::vector<double> painted;
    for (int i = 0; i < refreshes; ++i) {
        frame.mnuRunStepInto_Click();
        QApplication::processEvents();
        auto t0 = Clock::now();
        frame.RefreshRun();
        refreshRun.push_back(Milliseconds(Clock::now() - t0));
        t0 = Clock::now();
        frame.Refresh();
        refresh.push_back(Milliseconds(Clock::now() - t0));
        QApplication::processEvents();
        painted.push_back(Milliseconds(Clock::now() - t0));
    }

    std::printf("views shown: %d\n", shown);
    std::printf("Play: %lld instructions in %.3f s = %.2f M instructions/s\n", static_cast<long long>(steps),
                std::chrono::duration<double>(played).count(), mips);
    std::printf("RefreshRun (all open views): median %.3f ms, p95 %.3f ms\n", Percentile(refreshRun, 0.5),
                Percentile(refreshRun, 0.95));
    std::printf("Refresh (disassembly + RefreshRun): median %.3f ms, p95 %.3f ms\n", Percentile(refresh, 0.5),
                Percentile(refresh, 0.95));
    std::printf("Refresh and paint: median %.3f ms, p95 %.3f ms\n", Percentile(painted, 0.5),
                Percentile(painted, 0.95));
    return prompt.Problems().isEmpty() ? 0 : 1;
}
