// Helpers for the command-line tool tests: temporary folders, assembling a
// source with as11, running a program and collecting its output, and an
// hc11board process with a client on its pseudo-terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace quorvel::tooltest {

using Bytes = std::vector<uint8_t>;

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void WriteText(const std::filesystem::path& file, const std::string& text);
std::string ReadText(const std::filesystem::path& file);

struct RunResult {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};
RunResult RunTool(const std::vector<std::string>& argv, const TempDir& dir);

// Assembles source with as11 into dir/name.s19; fails the test on errors.
std::filesystem::path Assemble(const TempDir& dir, const std::string& name, const std::string& source);

// A command packet: the letter, the fields, and the checksum that makes bytes 1..n add up to 0.
Bytes Packet(char letter, const Bytes& fields);
// True when bytes 1..end add up to 0 modulo 256.
bool ChecksumGood(const Bytes& reply);

class BoardProcess {
public:
    BoardProcess() = default;
    ~BoardProcess();
    BoardProcess(const BoardProcess&) = delete;
    BoardProcess& operator=(const BoardProcess&) = delete;

    // Starts hc11board with args and opens its device; false when that failed.
    bool Start(const std::vector<std::string>& args = {});
    const std::string& Device() const { return device_; }
    pid_t Pid() const { return pid_; }

    void Send(const Bytes& bytes);
    // Reads until count bytes arrived or the time is up.
    Bytes Read(size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(2000));
    // Sends and reads the reply of count bytes.
    Bytes Exchange(const Bytes& bytes, size_t count,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(2000));
    // Everything that arrives within the time.
    Bytes Drain(std::chrono::milliseconds limit);
    void Signal(int signal);
    // Ends it with SIGTERM; its exit status, or -1.
    int Stop();
    // CPU time (user + system) the board has used so far, in seconds.
    double CpuSeconds() const;

private:
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string device_;
};

} // namespace quorvel::tooltest
