// The board link's own cost per exchange. Two reads are timed against the
// same peer over a pseudo-terminal: the IDE's (SerialCommPort, BoardLink,
// BoardTarget) and a bare one (write the packet to the device, poll and read
// the reply). A pseudo-terminal has no baud rate, so the difference between
// the two is what the IDE adds to every exchange beyond the transfer.
//
// Peers: hc11board when it was built (it executes the steps on the
// simulator), and a minimal monitor on a thread of this program.
//
//     build/bench/board_link_bench
//
// Counters: s_per_exchange (shown with a unit suffix: 30u = 30 µs) and
// exchanges per second.
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <thread>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <benchmark/benchmark.h>

#include "frame/Prompt.h"
#include "target/BoardLink.h"
#include "target/BoardPacket.h"
#include "target/BoardTarget.h"
#include "target/SerialCommPort.h"

namespace {

using namespace quorvel;

// ---- Peers ----

class Peer {
public:
    virtual ~Peer() = default;
    virtual QString Path() const = 0;
};

// hc11board as a child process.
class BoardPeer : public Peer {
public:
    explicit BoardPeer(const QString& program) {
        process_.start(program, {});
        if (!process_.waitForStarted(5000)) return;
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000)) return;
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~BoardPeer() override {
        process_.terminate();
        if (!process_.waitForFinished(2000)) process_.kill();
    }
    QString Path() const override { return path_; }

private:
    QProcess process_;
    QString path_;
};

// A monitor that answers "R" with zeros and "S" with the registers it got.
class ThreadPeer : public Peer {
public:
    ThreadPeer() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = QString::fromLocal8Bit(name);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ThreadPeer() override {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::close(slave_);
        ::close(master_);
    }
    QString Path() const override { return path_; }

private:
    void Serve() {
        QByteArray pending;
        while (!stop_) {
            pollfd fd{master_, POLLIN, 0};
            if (::poll(&fd, 1, 20) <= 0) continue;
            char buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) continue;
            pending.append(buffer, n);
            for (;;) {
                const int length = pending.startsWith('R') ? 5 : pending.startsWith('S') ? 15 : 0;
                if (length == 0 || pending.size() < length) {
                    if (length == 0) pending.clear();
                    break;
                }
                QByteArray reply;
                if (pending.at(0) == 'R') {
                    const int count = static_cast<uint8_t>(pending.at(3));
                    reply = QByteArray(1, 'R') + QByteArray(count ? count : 256, '\0') + QByteArray(1, '\0');
                } else {
                    reply = pending.left(10);
                    unsigned sum = 0;
                    for (int i = 1; i < 10; ++i)
                        sum += static_cast<uint8_t>(reply[i]);
                    reply.append(static_cast<char>((256 - (sum & 0xFF)) & 0xFF));
                }
                pending.remove(0, length);
                if (::write(master_, reply.constData(), static_cast<size_t>(reply.size())) < 0) return;
            }
        }
    }

    int master_ = -1;
    int slave_ = -1;
    QString path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// ---- The IDE's side ----

class QuietHost : public BoardHost {
public:
    bool SimulatorSelected() const override { return false; }
    void ShowBoardStatus(const QString&) override {}
    void EnableRunCommand(bool) override {}
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool Running() const override { return false; }
    void SetRunning(bool) override {}
    void ThawDisplay() override {}
    void RefreshRun() override {}
    void ResetClockCount() override {}
    void SerialOutput(const QByteArray&) override {}
};

class CountingPrompt : public Prompt {
public:
    int messages = 0;
    PromptAnswer Message(const QString&, const QString& text, PromptIcon, PromptButtons) override {
        ++messages;
        std::fprintf(stderr, "board link: %s\n", qPrintable(text));
        return PromptAnswer::OK;
    }
    FileAnswer OpenFile(const FileRequest&) override { return {}; }
    FileAnswer SaveFile(const FileRequest&) override { return {}; }
    bool ChooseFont(const QString&, FontSetting&, bool) override { return false; }
    bool PrintDialog(QPrinter&, PrintMode) override { return false; }
    int ShowModal(QDialog&) override { return 0; }
};

struct IdeSide {
    explicit IdeSide(const QString& path) { ok = link.OpenPort(path); }

    SerialCommPort port;
    TargetState state;
    QuietHost host;
    CountingPrompt prompt;
    SteadyClock clock;
    BoardLink link{port, state, host, prompt, clock};
    BoardTarget board{state, link};
    bool ok = false;
};

// The same exchange with nothing but system calls: the floor the IDE is measured against.
class BareSide {
public:
    explicit BareSide(const QString& path) {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (fd_ < 0) return;
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~BareSide() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Ok() const { return fd_ >= 0; }
    bool Exchange(const QByteArray& packet, int replyLength) {
        if (::write(fd_, packet.constData(), static_cast<size_t>(packet.size())) != packet.size())
            return false;
        int got = 0;
        char buffer[512];
        while (got < replyLength) {
            pollfd fd{fd_, POLLIN, 0};
            if (::poll(&fd, 1, 1000) <= 0) return false;
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) return false;
            got += static_cast<int>(n);
        }
        return got == replyLength;
    }

private:
    int fd_ = -1;
};

// ---- Benchmarks ----

using PeerFactory = std::function<std::unique_ptr<Peer>()>;

void Report(benchmark::State& state, int exchangesPerIteration) {
    const auto exchanges = static_cast<double>(exchangesPerIteration);
    state.counters["exchanges/s"] =
        benchmark::Counter(exchanges, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["s_per_exchange"] = benchmark::Counter(
        exchanges, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void IdeInMemory(benchmark::State& state, const PeerFactory& makePeer) {
    const auto peer = makePeer();
    IdeSide ide(peer->Path());
    if (!ide.ok) return state.SkipWithError("the port did not open");
    ide.state.MemoryBlockAddress = 0x1000;
    for (auto _ : state) {
        ide.board.InMemory();
        if (!ide.state.BoardOK) return state.SkipWithError("the board did not answer");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024);
    Report(state, 4);
}

void BareInMemory(benchmark::State& state, const PeerFactory& makePeer) {
    const auto peer = makePeer();
    BareSide bare(peer->Path());
    if (!bare.Ok()) return state.SkipWithError("the device did not open");
    for (auto _ : state)
        for (int piece = 0; piece < 4; ++piece)
            if (!bare.Exchange(ReadPacket(0x1000 + piece * 256, 256), 258))
                return state.SkipWithError("the board did not answer");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024);
    Report(state, 4);
}

const std::array<uint8_t, 5> kNop{0x01, 0x01, 0x01, 0x01, 0x01};

void IdeStep(benchmark::State& state, const PeerFactory& makePeer) {
    const auto peer = makePeer();
    IdeSide ide(peer->Path());
    if (!ide.ok) return state.SkipWithError("the port did not open");
    ide.state.RegSP = 0x00FF;
    for (auto _ : state) {
        ide.board.StepTarget(kNop, TargetAccess::StepWait::Instruction);
        if (!ide.state.BoardOK) return state.SkipWithError("the board did not answer");
    }
    Report(state, 1);
}

void BareStep(benchmark::State& state, const PeerFactory& makePeer) {
    const auto peer = makePeer();
    BareSide bare(peer->Path());
    if (!bare.Ok()) return state.SkipWithError("the device did not open");
    TargetState registers;
    registers.RegSP = 0x00FF;
    const QByteArray packet = StepPacket(registers, {0x01, 0x01, 0x01, 0x01});
    for (auto _ : state)
        if (!bare.Exchange(packet, kStepReplyLength)) return state.SkipWithError("the board did not answer");
    Report(state, 1);
}

void RegisterFor(const char* peerName, const PeerFactory& makePeer) {
    const std::string peer(peerName);
    benchmark::RegisterBenchmark(("InMemory1KiB/ide/" + peer).c_str(), IdeInMemory, makePeer)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("InMemory1KiB/bare/" + peer).c_str(), BareInMemory, makePeer)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("Step/ide/" + peer).c_str(), IdeStep, makePeer)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("Step/bare/" + peer).c_str(), BareStep, makePeer)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegisterFor("thread-peer", [] { return std::make_unique<ThreadPeer>(); });
    const QString board = QStringLiteral(HC11BOARD_PATH);
    if (!board.isEmpty() && QFileInfo(board).isExecutable())
        RegisterFor("hc11board", [board] { return std::make_unique<BoardPeer>(board); });
    else
        std::fprintf(stderr, "hc11board was not built: measuring against the thread peer only\n");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
