#include "Hc11Sim.h"

#include <chrono>

#include "IoFile.h"
#include "SimOptions.h"
#include "download/LoadS19.h"
#include "frame/NumberText.h"
#include "run/RunControl.h"
#include "target/ImageTarget.h"
#include "vantrel/VantrelCtrl.h"

namespace quorvel::hc11sim {

namespace {

void printDump(const ImageTarget::Image& memory, const MemoryDump& dump, QTextStream& out) {
    for (int32_t offset = 0; offset < dump.count; offset += 16) {
        const int32_t line = (dump.address + offset) & 0xFFFF;
        out << HexPad(line, 4) << ':';
        for (int32_t i = offset; i < dump.count && i < offset + 16; ++i)
            out << ' ' << HexPad(memory[static_cast<size_t>((dump.address + i) & 0xFFFF)], 2);
        out << '\n';
    }
}

void printRegisters(const TargetState& s, const RunControl& run, QTextStream& out) {
    out << "PC=" << HexPad(s.RegPC, 4) << " A=" << HexPad(s.RegA, 2) << " B=" << HexPad(s.RegB, 2)
        << " X=" << HexPad(s.RegIX, 4) << " Y=" << HexPad(s.RegIY, 4) << " SP=" << HexPad(s.RegSP, 4)
        << " CCR=" << HexPad(s.RegCCR, 2) << " CYCLES=" << run.ClockCount << " STEPS=" << run.StepCount
        << '\n';
}

} // namespace

int RunHc11Sim(const QStringList& args, QTextStream& out, QTextStream& err) {
    SimOptions options;
    if (!ParseSimOptions(args, options, err)) return kExitBadInput;
    if (options.help) {
        PrintUsage(out);
        return kExitStopped;
    }

    TargetState state;
    ImageTarget target(state);
    vantrel::CVantrelCtrl simulator;
    target.BindSimulator(simulator);
    IoFile io;
    if (!options.ioFile.isEmpty() && !io.Open(options.ioFile)) {
        err << "hc11sim: cannot open " << options.ioFile << ": " << io.ErrorString() << '\n';
        return kExitBadInput;
    }
    if (!options.ioFile.isEmpty() || !options.input.empty()) {
        // As while the I/O board panel is shown.
        target.SetIoUnit(&io);
        target.SetIoUnitShown(true);
    }

    target.FindBoard();
    const DownloadOutcome loaded = LoadS19(options.file, target);
    if (loaded.Result == DownloadResult::FileError || loaded.Result == DownloadResult::TooLarge) {
        err << "hc11sim: cannot read " << options.file << ": " << loaded.Reason << '\n';
        return kExitBadInput;
    }
    if (loaded.Records == 0) {
        err << "hc11sim: " << options.file << ": no valid S1 record\n";
        return kExitBadInput;
    }
    // What was loaded runs; a broken file must not look like a good one.
    if (loaded.Flaws.Lines > 0) err << "hc11sim: " << options.file << ": " << FlawsText(loaded.Flaws) << '\n';
    if (options.pc >= 0) state.RegPC = options.pc;
    io.EnterInput(target, options.input);
    target.InCPU(); // the registers from the register save area, as after a download

    QuietRunHost host;
    ImageCode code(target.TargetMemory());
    RunControl run(state, target, host);
    run.SetSimulatorCode(&code);
    run.StepLimit = options.steps;
    run.StopAtIdleLoop = true;
    for (const int32_t address : options.until)
        run.Breakpoints().Add(address);

    const auto start = std::chrono::steady_clock::now();
    run.Play();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;

    if (!io.Close()) {
        err << "hc11sim: cannot write " << options.ioFile << ": " << io.ErrorString() << '\n';
        return kExitBadInput;
    }
    for (const MemoryDump& dump : options.dumps)
        printDump(target.TargetMemory(), dump, out);
    if (options.regs) printRegisters(state, run, out);
    if (options.stats) {
        const double mips =
            seconds.count() > 0 ? static_cast<double>(run.StepCount) / seconds.count() / 1e6 : 0;
        err << "STEPS=" << run.StepCount << " SECONDS=" << QString::number(seconds.count(), 'f', 3)
            << " MIPS=" << QString::number(mips, 'f', 2) << '\n';
    }
    return run.LastStop == RunControl::StopReason::StepLimit ? kExitStepLimit : kExitStopped;
}

} // namespace quorvel::hc11sim
