// as11 against GNU as for the 68HC11 on the same generated 10,000-line
// program (Motorola syntax for as11, GNU syntax for m68hc11-as).
//
//   as11_bench [--benchmark_filter=...]
//
// Times as11 through its library call (reading the source, assembling and
// writing .lst/.s19) and as a process, and m68hc11-as as a process; at the end
// it prints each mean and the ratio as11 / m68hc11-as. It also checks once that
// both assemblers produce the same bytes.
//
// As11ForwardEqus/N times the resolution of forward EQUs: one EQU summing N
// names defined further down, each the next link of an EQU chain, so the
// names get their values one after the other.
#include "As11.h"
#include "FileJob.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kLines = 10000;

struct Sources {
    std::string motorola;
    std::string gnu;
};

std::string hex(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

// Sixteen line shapes covering the common addressing modes, directives,
// comments and backward branches; the same instruction in both syntaxes.
Sources generate() {
    Sources s;
    s.motorola = "\tORG\t$1000\n";
    s.gnu = "\t.text\n";
    for (int i = 0; i < kLines; ++i) {
        const unsigned v = static_cast<unsigned>(i) & 0xFF;
        const std::string b2 = hex(v, 2), w = hex((0x2000u + static_cast<unsigned>(i)) & 0xFFFF, 4);
        std::string m, g;
        switch (i % 16) {
        case 0:
            m = "L" + std::to_string(i) + "\tLDAA\t#$" + b2,
            g = "L" + std::to_string(i) + ":\tldaa\t#0x" + b2;
            break;
        case 1: m = "\tSTAA\t$" + b2, g = "\tstaa\t*0x" + b2; break;
        case 2: m = "\tLDX\t$" + w, g = "\tldx\t0x" + w; break;
        case 3: m = "\tLDAB\t5,X", g = "\tldab\t5,x"; break;
        case 4: m = "\tBNE\tL" + std::to_string(i - 4), g = "\tbne\tL" + std::to_string(i - 4); break;
        case 5: m = "\tBSET\t$10 #$80", g = "\tbset\t*0x10 #0x80"; break;
        case 6: m = "\tJSR\t$E000", g = "\tjsr\t0xE000"; break;
        case 7: m = "\tNOP\t\t; pause", g = "\tnop\t\t; pause"; break;
        case 8: m = "\tLDY\t#$" + w, g = "\tldy\t#0x" + w; break;
        case 9: m = "\tSTD\t3,Y", g = "\tstd\t3,y"; break;
        case 10:
            m = "\tBRSET\t$20 #$01 L" + std::to_string(i - 10),
            g = "\tbrset\t*0x20 #0x01 L" + std::to_string(i - 10);
            break;
        case 11: m = "\tADDD\t#$10", g = "\taddd\t#0x10"; break;
        case 12: m = "* a comment line", g = "* a comment line"; break;
        case 13: m = "\tCMPA\t18,X", g = "\tcmpa\t18,x"; break;
        case 14: m = "\tFCB\t1,2,3", g = "\t.byte\t1,2,3"; break;
        default: m = "\tRTS", g = "\trts"; break;
        }
        s.motorola += m + "\n";
        s.gnu += g + "\n";
    }
    return s;
}

struct Files {
    std::filesystem::path dir;
    std::string motorola, gnu, object;
    as11::OutputPaths outputs;
};

const Files& files() {
    static const Files f = [] {
        Files r;
        r.dir = std::filesystem::temp_directory_path() / ("as11-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(r.dir);
        const Sources s = generate();
        r.motorola = (r.dir / "prog.asm").string();
        r.gnu = (r.dir / "prog.s").string();
        r.object = (r.dir / "prog.o").string();
        std::ofstream(r.motorola, std::ios::binary) << s.motorola;
        std::ofstream(r.gnu, std::ios::binary) << s.gnu;
        r.outputs = as11::defaultOutputPaths(r.motorola);
        return r;
    }();
    return f;
}

int spawn(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The data bytes of an S-record file, in file order.
std::string srecordBytes(const std::string& text) {
    std::string out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() < 10 || line.compare(0, 2, "S1") != 0) continue;
        const std::size_t count = std::stoul(line.substr(2, 2), nullptr, 16);
        for (std::size_t i = 0; i + 3 < count; ++i)
            out += static_cast<char>(std::stoul(line.substr(8 + 2 * i, 2), nullptr, 16));
    }
    return out;
}

void As11Library(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state)
        if (as11::assembleFile(f.motorola, f.outputs, nullptr) != as11::kSuccess)
            state.SkipWithError("as11 failed");
}

void As11Process(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state)
        if (spawn({AS11_EXE, f.motorola}) != 0) state.SkipWithError("as11 failed");
}

void GnuAsProcess(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state)
        if (spawn({"m68hc11-as", "-o", f.object, f.gnu}) != 0)
            state.SkipWithError("m68hc11-as not available");
}

// TOTAL EQU A1+A2+...+AN, then AN EQU AN-1+1 down to A2 EQU A1+1, then A1 EQU 1.
std::string forwardEqus(int count) {
    std::string s = "TOTAL\tEQU\tA1";
    for (int i = 2; i <= count; ++i)
        s.append("+A").append(std::to_string(i));
    s += '\n';
    for (int i = count; i >= 2; --i)
        s.append("A")
            .append(std::to_string(i))
            .append("\tEQU\tA")
            .append(std::to_string(i - 1))
            .append("+1\n");
    s += "A1\tEQU\t1\n";
    return s;
}

void As11ForwardEqus(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string source = forwardEqus(count);
    const int32_t expected = static_cast<int32_t>(int64_t{count} * (count + 1) / 2);
    for (auto _ : state) {
        const as11::Program p = as11::assembleProgram(source);
        if (!p.errors.empty() || p.lines.empty() || p.lines[0].address != expected)
            state.SkipWithError("wrong value for TOTAL");
        benchmark::DoNotOptimize(p.lines.data());
    }
}

BENCHMARK(As11Library)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(As11Process)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(GnuAsProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(As11ForwardEqus)->Arg(8000)->Arg(16000)->Unit(benchmark::kMillisecond);

// Prints the usual table and keeps each benchmark's real time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Iteration)
                millis[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
    std::map<std::string, double> millis;
};

void checkSameBytes() {
    const Files& f = files();
    const std::string bin = (f.dir / "prog.bin").string();
    if (as11::assembleFile(f.motorola, f.outputs, stderr) != as11::kSuccess ||
        spawn({"m68hc11-as", "-o", f.object, f.gnu}) != 0 ||
        spawn({"m68hc11-objcopy", "-O", "binary", "-j", ".text", f.object, bin}) != 0) {
        std::printf("byte comparison skipped (an assembler failed or is missing)\n");
        return;
    }
    const bool same = srecordBytes(readFile(f.outputs.srecords)) == readFile(bin);
    std::printf("%d source lines; as11 and m68hc11-as bytes %s\n", kLines, same ? "identical" : "DIFFER");
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    checkSameBytes();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto gnu = reporter.millis.find("GnuAsProcess");
    if (gnu != reporter.millis.end() && gnu->second > 0) {
        for (const char* name : {"As11Library", "As11Process"}) {
            const auto it = reporter.millis.find(name);
            if (it != reporter.millis.end())
                std::printf("%-12s %.3f ms  vs  m68hc11-as %.3f ms  ratio %.2f\n", name, it->second,
                            gnu->second, it->second / gnu->second);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(files().dir, ec);
    benchmark::Shutdown();
    return 0;
}
