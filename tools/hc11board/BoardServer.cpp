#include "BoardServer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace quorvel::hc11board {

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr uint8_t kBraSelf[] = {0x20, 0xFE};
constexpr uint8_t kJmpExtended = 0x7E;

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

Registers registersOf(const Command& c) {
    return Registers{c.At(1), c.At(2), c.Word(3), c.Word(5), c.Word(7), c.At(9)};
}

// A reply whose bytes after the first add up to 0 modulo 256.
std::vector<uint8_t> withChecksum(std::vector<uint8_t> reply) {
    uint8_t sum = 0;
    for (size_t i = 1; i < reply.size(); ++i)
        sum = static_cast<uint8_t>(sum + reply[i]);
    reply.push_back(static_cast<uint8_t>(-sum));
    return reply;
}

} // namespace

BoardServer::BoardServer(const BoardOptions& options, PseudoTerminal& line)
    : options_(options), line_(line), machine_(*this), output_(options.faults) {
    machine_.Memory().SetTransmit([this](uint8_t byte) { output_.SendByte(byte, Clock::now()); });
}

BoardServer::~BoardServer() {
    if (signals_ >= 0) ::close(signals_);
}

bool BoardServer::Prepare(std::string& error) {
    const sigset_t set = handledSignals();
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        error = std::string("sigprocmask: ") + std::strerror(errno);
        return false;
    }
    signals_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signals_ < 0) {
        error = std::string("signalfd: ") + std::strerror(errno);
        return false;
    }
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int BoardServer::Serve() {
    while (!quit_ && !lineFailed_) {
        pollOnce(idleTimeout(Clock::now()));
        consumeInput();
        finishReset();
    }
    return lineFailed_ ? 1 : 0;
}

int BoardServer::idleTimeout(Clock::time_point now) const {
    std::optional<Clock::time_point> wake = reader_.Deadline();
    if (const auto due = output_.NextDue(now)) wake = wake ? std::min(*wake, *due) : *due;
    if (!wake) return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
    return static_cast<int>(std::clamp<int64_t>(wait, 0, 60'000));
}

void BoardServer::pollOnce(int timeout) {
    const Clock::time_point before = Clock::now();
    output_.Flush(line_.Master(), before);
    std::array<pollfd, 2> fds{{{line_.Master(), POLLIN, 0}, {signals_, POLLIN, 0}}};
    if (output_.Blocked(before)) fds[0].events |= POLLOUT;
    const int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready < 0 && errno != EINTR) {
        lineFailed_ = true;
        return;
    }
    if (ready > 0) {
        if (fds[1].revents & POLLIN) readSignals();
        if (fds[0].revents & POLLIN) readLine();
    }
    const Clock::time_point now = Clock::now();
    reader_.Expire(now);
    if (!output_.Flush(line_.Master(), now)) lineFailed_ = true;
}

void BoardServer::readLine() {
    std::array<uint8_t, 512> buffer{};
    for (;;) {
        const ssize_t got = ::read(line_.Master(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return; // EAGAIN: all read
        for (ssize_t i = 0; i < got; ++i) {
            if (running_)
                machine_.Memory().Receive(buffer[static_cast<size_t>(i)]);
            else
                input_.push_back(buffer[static_cast<size_t>(i)]);
        }
    }
}

void BoardServer::readSignals() {
    signalfd_siginfo info{};
    while (::read(signals_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        if (info.ssi_signo == SIGUSR1)
            resetRequested_ = true;
        else
            quit_ = true;
        if (running_) machine_.Stop();
    }
}

void BoardServer::ProcessEvents() {
    pollOnce(atIdleLoop() ? idleTimeout(Clock::now()) : 0);
}

bool BoardServer::atIdleLoop() const {
    const TargetState& s = machine_.State();
    const MonitorMemory& memory = machine_.Memory();
    const uint8_t first = memory.Read(s.RegPC);
    if (first == kBraSelf[0] && memory.Read(s.RegPC + 1) == kBraSelf[1]) return true;
    return first == kJmpExtended && memory.Read(s.RegPC + 1) * 256 + memory.Read(s.RegPC + 2) == s.RegPC;
}

void BoardServer::consumeInput() {
    while (!input_.empty() && !quit_ && !resetRequested_) {
        const uint8_t byte = input_.front();
        input_.pop_front();
        if (const std::optional<Command> command = reader_.Feed(byte, Clock::now())) execute(*command);
    }
}

void BoardServer::finishReset() {
    if (!resetRequested_ || running_) return;
    resetRequested_ = false;
    reader_.Reset();
    input_.clear();
    output_.Send({'B', 'B', 'B'}, Clock::now());
    output_.Flush(line_.Master(), Clock::now());
}

void BoardServer::execute(const Command& c) {
    const Clock::time_point now = Clock::now();
    MonitorMemory& memory = machine_.Memory();
    const uint16_t address = c.Word(1);
    switch (c.Letter()) {
    case 'R': {
        const int count = c.At(3) == 0 ? 256 : c.At(3);
        std::vector<uint8_t> reply{'R'};
        for (int i = 0; i < count; ++i)
            reply.push_back(memory.Read(address + i));
        output_.Reply(withChecksum(std::move(reply)), now);
        break;
    }
    case 'W':
    case 'P': {
        const size_t count = c.bytes.size() - 5;
        for (size_t i = 0; i < count; ++i) {
            const int32_t at = address + static_cast<int32_t>(i);
            if (c.Letter() == 'W')
                memory.Write(at, c.At(4 + i));
            else
                memory.Program(at, c.At(4 + i));
        }
        output_.Reply({kAck}, now);
        break;
    }
    case 'E':
        if (!options_.eraseFails) memory.FlashErase();
        output_.Reply({options_.eraseFails ? kNak : kAck}, now);
        break;
    case 'X':
        output_.Reply({kAck}, now);
        runCode(true, c);
        break;
    case 'S': runCode(false, c); break;
    default: break;
    }
}

void BoardServer::runCode(bool freeRun, const Command& c) {
    Registers registers = registersOf(c);
    running_ = true;
    if (freeRun) {
        // What arrived behind the command is the program's input now.
        for (const uint8_t byte : input_)
            machine_.Memory().Receive(byte);
        input_.clear();
        output_.Flush(line_.Master(), Clock::now());
        machine_.Execute(registers, c.Word(11));
        running_ = false;
        return;
    }
    const bool finished = machine_.Step(registers, {c.At(10), c.At(11), c.At(12), c.At(13)});
    running_ = false;
    if (!finished) return; // reset (or ended) while the subroutine ran
    output_.Reply(withChecksum({'S', registers.A, registers.B, static_cast<uint8_t>(registers.IX >> 8),
                                static_cast<uint8_t>(registers.IX), static_cast<uint8_t>(registers.IY >> 8),
                                static_cast<uint8_t>(registers.IY), static_cast<uint8_t>(registers.SP >> 8),
                                static_cast<uint8_t>(registers.SP), registers.CCR}),
                  Clock::now());
}

} // namespace quorvel::hc11board
