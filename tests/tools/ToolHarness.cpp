#include "ToolHarness.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

extern char** environ;

namespace quorvel::tooltest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-tools-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

namespace {

pid_t spawn(const std::vector<std::string>& argv, posix_spawn_file_actions_t* actions) {
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], actions, nullptr, args.data(), environ) != 0) return -1;
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

RunResult RunTool(const std::vector<std::string>& argv, const TempDir& dir) {
    const std::string out = (dir / "run.out").string();
    const std::string err = (dir / "run.err").string();
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t pid = spawn(argv, &actions);
    ::posix_spawn_file_actions_destroy(&actions);
    RunResult result;
    if (pid < 0) return result;
    result.status = waitFor(pid);
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

std::filesystem::path Assemble(const TempDir& dir, const std::string& name, const std::string& source) {
    const std::filesystem::path asm_ = dir / (name + ".asm");
    WriteText(asm_, source);
    const RunResult result = RunTool({AS11_EXE, asm_.string()}, dir);
    EXPECT_EQ(result.status, 0) << result.out << result.err << ReadText(dir / (name + ".err"));
    return dir / (name + ".s19");
}

Bytes Packet(char letter, const Bytes& fields) {
    Bytes packet{static_cast<uint8_t>(letter)};
    uint8_t sum = 0;
    for (const uint8_t byte : fields) {
        packet.push_back(byte);
        sum = static_cast<uint8_t>(sum + byte);
    }
    packet.push_back(static_cast<uint8_t>(-sum));
    return packet;
}

bool ChecksumGood(const Bytes& reply) {
    uint8_t sum = 0;
    for (size_t i = 1; i < reply.size(); ++i)
        sum = static_cast<uint8_t>(sum + reply[i]);
    return reply.size() >= 2 && sum == 0;
}

BoardProcess::~BoardProcess() {
    Stop();
}

bool BoardProcess::Start(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return false;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    ::posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> argv{HC11BOARD_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = spawn(argv, &actions);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        return false;
    }
    // The first line of its output names the device.
    char c = 0;
    pollfd pfd{pipeFds[0], POLLIN, 0};
    while (::poll(&pfd, 1, 5000) > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
        device_ += c;
    ::close(pipeFds[0]);
    if (device_.empty()) return false;
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return false;
    termios mode{};
    ::tcgetattr(fd_, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(fd_, TCSANOW, &mode);
    return true;
}

void BoardProcess::Send(const Bytes& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
        } else if (errno == EAGAIN) {
            pollfd pfd{fd_, POLLOUT, 0};
            ::poll(&pfd, 1, 100);
        } else {
            return;
        }
    }
}

Bytes BoardProcess::Read(size_t count, std::chrono::milliseconds limit) {
    Bytes got;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (got.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now())
                .count();
        if (left <= 0) break;
        pollfd pfd{fd_, POLLIN, 0};
        if (::poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
        uint8_t buffer[512];
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

Bytes BoardProcess::Exchange(const Bytes& bytes, size_t count, std::chrono::milliseconds limit) {
    Send(bytes);
    return Read(count, limit);
}

Bytes BoardProcess::Drain(std::chrono::milliseconds limit) {
    return Read(SIZE_MAX / 2, limit);
}

void BoardProcess::Signal(int signal) {
    if (pid_ > 0) ::kill(pid_, signal);
}

int BoardProcess::Stop() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (pid_ <= 0) return -1;
    ::kill(pid_, SIGTERM);
    const int status = waitFor(pid_);
    pid_ = -1;
    return status;
}

double BoardProcess::CpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name in parentheses; utime and stime are fields 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14) ticks += std::stol(field);
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

} // namespace quorvel::tooltest
