// Play throughput: how many instructions per second the IDE's run control
// gets through on the simulator, measured on bench/programs/compute.asm
// (assembled with as11 at start-up).
//
//   run_bench [--benchmark_filter=...]
//
// BM_PlayInProcess plays a slice of the program per iteration through
// RunControl on an image target, as hc11sim and the IDE do; BM_Hc11Sim runs
// `hc11sim --stats` on the whole program and reports its own figures. Items
// are instructions. At the end the run is set against a real 68HC11 at a
// 2 MHz E-clock, using the program's mean cycles per instruction.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include <QString>

#include "download/LoadS19.h"
#include "run/RunControl.h"
#include "target/ImageTarget.h"
#include "vantrel/VantrelCtrl.h"

namespace {

constexpr int64_t kSlice = 2'000'000;
constexpr double kRealEClock = 2e6;

std::filesystem::path workDir() {
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-run-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

// The assembled program, once.
const std::filesystem::path& program() {
    static const std::filesystem::path s19 = [] {
        const std::filesystem::path out = workDir() / "compute.s19";
        const std::string command = std::string(AS11_EXE) + " -o '" + out.string() + "' -l '" +
                                    (workDir() / "compute.lst").string() + "' '" + COMPUTE_ASM + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "run_bench: as11 failed on %s\n", COMPUTE_ASM);
            std::exit(2);
        }
        return out;
    }();
    return s19;
}

struct Rig {
    quorvel::TargetState state;
    quorvel::ImageTarget target{state};
    vantrel::CVantrelCtrl simulator;
    quorvel::ImageCode code{target.TargetMemory()};
    quorvel::QuietRunHost host;
    quorvel::RunControl run{state, target, host};

    Rig() {
        target.BindSimulator(simulator);
        run.SetSimulatorCode(&code);
        target.FindBoard();
        quorvel::LoadS19(QString::fromStdString(program().string()), target);
        target.InCPU();
        run.StopAtIdleLoop = true;
    }
};

void BM_PlayInProcess(benchmark::State& bench) {
    Rig rig;
    const int32_t start = rig.state.RegPC;
    int64_t steps = 0;
    for (auto _ : bench) {
        const int64_t before = rig.run.StepCount;
        rig.run.StepLimit = before + kSlice;
        rig.run.Play();
        steps += rig.run.StepCount - before;
        if (rig.run.LastStop == quorvel::RunControl::StopReason::IdleLoop) rig.state.RegPC = start;
    }
    bench.SetItemsProcessed(steps);
    bench.counters["cycles/instr"] =
        static_cast<double>(rig.run.ClockCount) / static_cast<double>(rig.run.StepCount);
}
BENCHMARK(BM_PlayInProcess)->Unit(benchmark::kMillisecond);

// One hc11sim run per iteration; the time is the one hc11sim measured around Play.
void BM_Hc11Sim(benchmark::State& bench) {
    const std::regex stats("STEPS=([0-9]+) SECONDS=([0-9.]+) MIPS=([0-9.]+)");
    const std::regex cycles("CYCLES=([0-9]+) STEPS=([0-9]+)");
    int64_t steps = 0;
    double cyclesPerInstruction = 0;
    for (auto _ : bench) {
        const std::string command =
            std::string(HC11SIM_EXE) + " --regs --stats '" + program().string() + "' 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string output;
        char buffer[256];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        if (!pipe || ::pclose(pipe) != 0) {
            bench.SkipWithError("hc11sim failed");
            return;
        }
        std::smatch found;
        if (!std::regex_search(output, found, stats)) {
            bench.SkipWithError("no --stats line");
            return;
        }
        steps += std::stoll(found[1]);
        bench.SetIterationTime(std::stod(found[2]));
        if (std::regex_search(output, found, cycles))
            cyclesPerInstruction = std::stod(found[1]) / std::stod(found[2]);
    }
    bench.SetItemsProcessed(steps);
    bench.counters["cycles/instr"] = cyclesPerInstruction;
    if (cyclesPerInstruction > 0) {
        const double real = kRealEClock / cyclesPerInstruction;
        bench.counters["real_68hc11_MIPS"] = real / 1e6;
        bench.counters["x_real_speed"] =
            benchmark::Counter(static_cast<double>(steps) / real, benchmark::Counter::kIsRate);
    }
}
BENCHMARK(BM_Hc11Sim)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    program();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(workDir());
    return 0;
}
