// An hour of a board program's serial output through the serial terminal:
// 3,800 bytes per second (38400 baud, the line full), delivered in 190-byte
// blocks as tmrComm hands them over every 50 ms. Measured for the screen
// alone and for the screen with its text box, in character and in hex mode,
// and for a program that never sends a line feed. The counter "hour_s" is the
// time an hour of output takes; it must stay well below 3,600 s.
//
//     terminal_bench [--benchmark_filter=TextBox]
#include <cstdlib>

#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include "views/TerminalScreen.h"
#include "views/TerminalText.h"

namespace {

using quorvel::TerminalScreen;
using quorvel::TerminalText;

constexpr int kBytesPerSecond = 3800;
constexpr int kSeconds = 3600;
constexpr int kBlock = kBytesPerSecond / 20; // one tmrComm tick

// Lines like a program's log: a counter and some text, each ended by CR LF.
QByteArray LogBlock() {
    QByteArray text;
    for (int line = 0; text.size() < 64 * kBlock; ++line)
        text += "Sample " + QByteArray::number(line) + ": temperature 21.5 C, \tinputs 0x3C\r\n";
    return text;
}

// Progress dots with a carriage return now and then, never a line feed.
QByteArray DotsBlock() {
    QByteArray text(64 * kBlock, '.');
    for (int i = 997; i < text.size(); i += 997)
        text[i] = '\r';
    return text;
}

template <typename Show>
void Hour(benchmark::State& state, const QByteArray& source, TerminalScreen::Mode mode, Show show) {
    const qsizetype total = qsizetype(kBytesPerSecond) * kSeconds;
    for (auto _ : state) {
        TerminalScreen screen;
        qsizetype offset = 0;
        for (qsizetype sent = 0; sent < total; sent += kBlock) {
            if (offset + kBlock > source.size()) offset = 0;
            screen.Display(QByteArrayView(source).sliced(offset, kBlock), mode);
            offset += kBlock;
            show(screen);
        }
        benchmark::DoNotOptimize(screen.LineCount());
    }
    state.counters["hour_s"] = benchmark::Counter(double(state.iterations()),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(int64_t(state.iterations()) * total);
}

void NoView(TerminalScreen& screen) {
    screen.TakeChanges();
}

void BM_ScreenCharacterHour(benchmark::State& state) {
    Hour(state, LogBlock(), TerminalScreen::Mode::Character, NoView);
}
void BM_ScreenHexHour(benchmark::State& state) {
    Hour(state, LogBlock(), TerminalScreen::Mode::Hex, NoView);
}

void TextBoxHour(benchmark::State& state, const QByteArray& source, TerminalScreen::Mode mode) {
    TerminalText text;
    text.resize(800, 600);
    text.show();
    Hour(state, source, mode, [&text](TerminalScreen& screen) { text.ShowScreen(screen); });
}

void BM_TextBoxCharacterHour(benchmark::State& state) {
    TextBoxHour(state, LogBlock(), TerminalScreen::Mode::Character);
}
void BM_TextBoxHexHour(benchmark::State& state) {
    TextBoxHour(state, LogBlock(), TerminalScreen::Mode::Hex);
}
void BM_TextBoxNoLineFeedHour(benchmark::State& state) {
    TextBoxHour(state, DotsBlock(), TerminalScreen::Mode::Character);
}

BENCHMARK(BM_ScreenCharacterHour)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ScreenHexHour)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TextBoxCharacterHour)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TextBoxHexHour)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TextBoxNoLineFeedHour)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
