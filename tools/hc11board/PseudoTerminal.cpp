#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace quorvel::hc11board {

namespace {
std::string lastError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
} // namespace

PseudoTerminal::~PseudoTerminal() {
    if (!link_.empty()) ::unlink(link_.c_str());
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PseudoTerminal::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = lastError("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = lastError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = lastError("ptsname");
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = lastError("open slave");
        return false;
    }
    // Raw: no echo, no line editing, no translation; 8 data bits.
    termios mode{};
    if (::tcgetattr(slave_, &mode) != 0) {
        error = lastError("tcgetattr");
        return false;
    }
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B38400);
    ::cfsetospeed(&mode, B38400);
    if (::tcsetattr(slave_, TCSANOW, &mode) != 0) {
        error = lastError("tcsetattr");
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = lastError("fcntl");
        return false;
    }
    return true;
}

bool PseudoTerminal::Link(const std::string& path, std::string& error) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = path + ": exists and is not a symbolic link";
            return false;
        }
        ::unlink(path.c_str());
    }
    if (::symlink(slavePath_.c_str(), path.c_str()) != 0) {
        error = lastError(("symlink " + path).c_str());
        return false;
    }
    link_ = path;
    return true;
}

} // namespace quorvel::hc11board
