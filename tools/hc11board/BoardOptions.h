// The command line of hc11board:
//
//     hc11board [--link PATH] [--drop-every N] [--corrupt-every N] [--delay-ms N] [--erase-fails]
#pragma once

#include <string>
#include <vector>

#include "LineOutput.h"

namespace quorvel::hc11board {

struct BoardOptions {
    std::string link; // empty: no link
    ReplyFaults faults;
    bool eraseFails = false;
    bool help = false;
};

extern const char* const kUsage;

// False when the arguments are unusable; a one-line reason is in error.
bool ParseBoardOptions(const std::vector<std::string>& args, BoardOptions& options, std::string& error);

} // namespace quorvel::hc11board
