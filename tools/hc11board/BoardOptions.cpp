#include "BoardOptions.h"

#include <charconv>

namespace quorvel::hc11board {

const char* const kUsage =
    "usage: hc11board [--link PATH] [--drop-every N] [--corrupt-every N] [--delay-ms N] [--erase-fails]\n"
    "  An emulated 68HC11 evaluation board on a pseudo-terminal: prints the device\n"
    "  to open on its first line and answers the monitor's commands R, W, P, E, X, S.\n"
    "  SIGUSR1 resets the board (it stops the program and sends \"BBB\").\n"
    "  --link PATH        make PATH a symbolic link to the device\n"
    "  --drop-every N     leave every N-th reply unsent\n"
    "  --corrupt-every N  flip a bit in the last byte of every N-th reply\n"
    "  --delay-ms N       send each reply N milliseconds late\n"
    "  --erase-fails      answer \"E\" with $15 (erase failed)\n"
    "  -h, --help         print this help\n";

namespace {

bool parseCount(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end && value >= 0 && !text.empty();
}

} // namespace

bool ParseBoardOptions(const std::vector<std::string>& args, BoardOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        const auto takeValue = [&]() {
            if (hasValue) return true;
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        const auto takeCount = [&](int& target) {
            if (!takeValue()) return false;
            if (parseCount(value, target)) return true;
            error = "invalid count for " + name + ": " + value;
            return false;
        };

        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--link") {
            if (!takeValue()) return false;
            if (value.empty()) {
                error = "--link needs a path";
                return false;
            }
            options.link = value;
        } else if (name == "--drop-every") {
            if (!takeCount(options.faults.dropEvery)) return false;
        } else if (name == "--corrupt-every") {
            if (!takeCount(options.faults.corruptEvery)) return false;
        } else if (name == "--delay-ms") {
            if (!takeCount(options.faults.delayMs)) return false;
        } else if (name == "--erase-fails") {
            options.eraseFails = true;
        } else {
            error = "unknown argument " + name;
            return false;
        }
    }
    return true;
}

} // namespace quorvel::hc11board
